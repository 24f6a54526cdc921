#include "masterdata/Datas.h"

#include "core/ProgOption.h"
#include "core/Reporting.h"
#include "core/ReportingSchema.h"
#include "core/modAssert.h"
#include "core/modBackup.h"
#include "core/modReporting.h"
#include "core/modStringLibrary.h"
#include "db/PgName.h"
#include "platform/Folders.h"
#include "db/Database.h"
#include "db/Transaction.h"
#include "entries/modTypeBase.h"
#include "masterdata/frmData.h"
#include "masterdata/frmDataImpExp.h"
#include "masterdata/frmDatas.h"
#include "types/AppError.h"
#include "ui/Ui.h"

#include <charconv>
#include <optional>

namespace tlx4r {

namespace {

constexpr const char* kNl = "\r\n";

// Amounts in the text file: plain, without grouping and without needless decimals ("150",
// "87.5"), as the old platform wrote them.
std::string PlainAmount(Currency amount) {
    int decimals = 4;
    for (auto units = amount.Units(); decimals > 0 && units % 10 == 0; units /= 10) --decimals;
    return amount.Format(decimals, false);
}

std::string ValueText(const db::Value& v) {
    switch (v.kind()) {
        case db::Value::Kind::Null: return {};
        case db::Value::Kind::Currency: return PlainAmount(v.ToCurrency());
        case db::Value::Kind::Double: return PlainAmount(Currency::FromDouble(v.ToDouble()));
        default: return v.ToText();
    }
}

// An amount of a text file, read one way only. With a decimal point, commas group thousands;
// without one, a single comma is the decimal comma of a German-speaking installation ("12,50"),
// unless three digits follow it after a non-zero whole part ("1,125": 1.125 or 1125?), which is
// refused rather than guessed.
std::optional<Currency> ImportAmount(const std::string& text) {
    const std::size_t comma = text.find(',');
    if (text.find('.') != std::string::npos || comma == std::string::npos || text.find(',', comma + 1) != std::string::npos)
        return Currency::Parse(text);
    const std::size_t sign = text[0] == '-' || text[0] == '+' ? 1 : 0;
    const std::string whole = text.substr(sign, comma - sign);
    const std::size_t decimals = text.size() - comma - 1;
    if (decimals == 3 && whole.find_first_not_of('0') != std::string::npos) return std::nullopt;
    return Currency::Parse(StrReplace(text, ",", "."));
}

// Only blanks: a tab may be the separator, and trailing empty fields must survive.
std::string TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

}  // namespace

Datas::Datas(db::Database& db) : db_(db), flavor_text_("Data"), flavor_text_all_("Datas"), cursor_(db, "") {}

Datas::~Datas() = default;

frmDatas& Datas::ListForm() {
    if (!list_form_) list_form_ = std::make_unique<frmDatas>(*this);
    return *list_form_;
}

frmData& Datas::RowForm() {
    if (!row_form_) row_form_ = std::make_unique<frmData>();
    return *row_form_;
}

frmDataImpExp& Datas::SettingsForm() {
    if (!settings_form_) settings_form_ = std::make_unique<frmDataImpExp>();
    return *settings_form_;
}

std::int32_t Datas::Choose(std::int32_t id, std::optional<int> x, std::optional<int> y) {
    prefix_ = false;
    postfix_ = false;
    return ListForm().Choose(id, x, y);
}

void Datas::EditAll() { ListForm().EditAll(); }

void Datas::LoadView(std::int32_t id) {
    frmDatas& form = ListForm();
    ui::ListView& list = form.ListView1;
    ui::Form::EventScope scope(form);
    const bool amounts = with_charges_and_expenses_;
    list.ClearRows();
    list.ClearColumns();
    list.AddColumn("Name", 3000);
    list.AddColumn("Kurz", with_name_short_ ? 900 : 0);
    list.AddColumn("Ansatz", amounts ? 0 : 1200, ui::Alignment::Right);
    list.AddColumn("Gebühren", amounts ? 1200 : 0, ui::Alignment::Right);
    list.AddColumn("T", amounts ? 300 : 0);
    list.AddColumn("Auslagen", amounts ? 1200 : 0, ui::Alignment::Right);
    list.AddColumn("T", amounts ? 300 : 0);
    list.AddColumn("ID", 600, ui::Alignment::Right);
    if (!amounts) list.AddRow({"(ohne Zuordnung)", {"", "", "", "", "", "", "0"}, "0", ""});
    const auto amount = [](const db::Value& v) { return v.IsNull() ? std::string() : AmountFormat(NullToCurrency(v)); };
    const auto type = [](const db::Value& v) { return v.IsNull() ? std::string() : TypeCode(NullToLong(v)); };
    auto rs = db_.OpenRecordset("SELECT * FROM " + flavor_ + " ORDER BY " + Column("NameFull") + ", ID;",
                                db::RecordsetType::Snapshot);
    for (; !rs.Eof(); rs.MoveNext()) {
        const std::string key = std::to_string(rs.Get("ID").ToLong());
        ui::ListView::Row row{NullToString(rs.Get(Column("NameFull"))), {}, key, ""};
        row.sub_items = {with_name_short_ ? NullToString(rs.Get(Column("NameShort"))) : "",
                         amounts ? "" : amount(rs.Get(Column("Rate"))),
                         amounts ? amount(rs.Get(Column("Charges"))) : "",
                         amounts ? type(rs.Get(Column("TypeCharges"))) : "",
                         amounts ? amount(rs.Get(Column("Expenses"))) : "",
                         amounts ? type(rs.Get(Column("TypeExpenses"))) : "",
                         key};
        list.AddRow(std::move(row));
    }
    int select = list.FindKey(std::to_string(id));
    if (select < 0 && list.Count() > 0) select = 0;
    list.SetSelectedIndex(select);
}

std::optional<Data> Datas::Edit(std::int32_t id) {
    Data data = Item(id);
    if (!RowForm().Edit(data, flavor_text_ + (creating_ ? " erstellen" : " bearbeiten"))) return std::nullopt;
    db::Recordset& rs = cursor_.Get();
    rs.Seek("=", db::Value(data.ID));
    if (rs.NoMatch()) throw AppError(3021, "Datas.Edit", flavor_text_ + " " + std::to_string(id) + " gibt es nicht mehr.");
    const auto money = [](Currency c) { return c.IsZero() ? db::Value() : db::Value(c); };
    rs.Edit();
    try {
        FieldTextSet(rs, Column("NameFull"), data.NameFull);
        if (with_charges_and_expenses_) {
            rs.Set(Column("Charges"), money(data.Charges));
            rs.Set(Column("Expenses"), money(data.Expenses));
            rs.Set(Column("TypeCharges"), db::Value(data.TypeCharges));
            rs.Set(Column("TypeExpenses"), db::Value(data.TypeExpenses));
        } else {
            rs.Set(Column("Rate"), money(data.Rate));
            if (with_name_short_) FieldTextSet(rs, Column("NameShort"), data.NameShort);
        }
        rs.Update();
    } catch (...) {
        rs.CancelUpdate();
        throw;
    }
    return Item(data.ID);
}

std::optional<Data> Datas::EditNew() {
    const Data added = Add();
    std::optional<Data> edited;
    creating_ = true;
    try {
        edited = Edit(added.ID);
    } catch (...) {
        creating_ = false;
        Delete(added.ID);
        throw;
    }
    creating_ = false;
    if (!edited) Delete(added.ID);
    return edited;
}

std::optional<Data> Datas::EditChoose(std::int32_t id) {
    const std::int32_t chosen = Choose(id);
    if (chosen < 1) return std::nullopt;
    return Edit(chosen);
}

std::int32_t Datas::DefaultIDChoose() {
    const std::int32_t chosen = Choose(DefaultID());
    SetDefaultID(chosen);
    return chosen;
}

long Datas::Export(const std::string& file_name) {
    frmDataImpExp& settings = SettingsForm();
    if (!settings.ChooseExport(flavor_text_all_)) return 0;
    return Export(file_name, settings.Settings());
}

long Datas::Import(const std::string& file_name) {
    frmDataImpExp& settings = SettingsForm();
    if (!settings.ChooseImport(flavor_text_all_)) return 0;
    return Import(file_name, settings.Settings());
}

void Datas::SetFlavor(std::string flavor) {
    cursor_.Close();
    flavor_ = std::move(flavor);
    cursor_ = TableCursor(db_, flavor_);
}

void Datas::Assert() {
    if (flavor_.empty()) throw AppError(5, "Datas.Assert", "Die Nachschlagetabelle hat keinen Namen (Flavor).");
    TableDeclAssert(db_, schema::DataTable(flavor_, with_charges_and_expenses_, with_name_short_));
    db::TableDef table("");
    try {
        table = db_.TableDefs().Item(flavor_);
    } catch (const std::exception&) {
        return;
    }
    const auto migrate = [&](const std::string& field, const std::string& old_column, char kind) {
        if (table.FindField(old_column) != nullptr) MigrateColumn(Column(field), old_column, kind);
    };
    migrate("NameFull", flavor_ + "Name", 'n');
    if (with_charges_and_expenses_) {
        migrate("Charges", "Charges", 'a');
        migrate("Expenses", "Expenses", 'a');
        migrate("TypeCharges", "TypeCharges", 't');
        migrate("TypeExpenses", "TypeExpenses", 't');
    } else {
        migrate("Rate", "Rate", 'a');
        if (with_name_short_) migrate("NameShort", "ShortName", 'n');
    }
}

// kind: 'a' amount or rate (missing is 0), 't' tariff category (missing is 1), 'n' name.
void Datas::MigrateColumn(const std::string& n, const std::string& o, char kind) {
    const std::string& f = flavor_;
    const auto run = [&](const std::string& sql) {
        try {
            db_.Execute(sql);
        } catch (const std::exception&) {
            // an assert goes on with the next step; the values stay where they are
        }
    };
    if (kind == 'a') run("UPDATE " + f + " SET [" + n + "] = 0 WHERE ([" + n + "] Is Null);");
    if (kind == 't') run("UPDATE " + f + " SET [" + n + "] = 1 WHERE ([" + n + "] Is Null);");
    std::string copy = "UPDATE " + f + " SET [" + n + "] = [" + o + "] ";
    if (kind == 'a') copy += "WHERE (([" + n + "] = 0) AND ([" + o + "] <> 0));";
    if (kind == 't') copy += "WHERE (([" + n + "] = 1) AND ([" + o + "] > 1));";
    if (kind == 'n') copy += "WHERE (([" + n + "] Is Null) AND (NOT ([" + o + "] Is Null)));";
    run(copy);
    run("UPDATE " + f + " SET [" + o + "] = [" + n + "];");
}

void Datas::Verify() {
    const std::string& f = flavor_;
    if (with_name_short_ && !with_charges_and_expenses_)
        db_.Execute("DELETE * FROM " + f + " WHERE ((" + f + "NameFull Is Null) AND (" + f + "NameShort Is Null));");
    else
        db_.Execute("DELETE * FROM " + f + " WHERE (" + f + "NameFull Is Null);");
    if (with_charges_and_expenses_) {
        db_.Execute("UPDATE " + f + " SET " + f + "TypeCharges=1 WHERE (" + f + "TypeCharges IS NULL);");
        db_.Execute("UPDATE " + f + " SET " + f + "TypeExpenses=1 WHERE (" + f + "TypeExpenses IS NULL);");
    }
}

void Datas::rsOpen() {
    if (flavor_.empty()) throw AppError(5, "Datas.rsOpen", "Die Nachschlagetabelle hat keinen Namen (Flavor).");
    cursor_.Open();
}

Data Datas::NewData() const {
    Data d;
    d.Flavor = flavor_;
    d.FlavorText = flavor_text_;
    d.WithNameShort = with_name_short_;
    d.WithChargesAndExpenses = with_charges_and_expenses_;
    return d;
}

Data Datas::Add() {
    db::Recordset& rs = cursor_.Get();
    const std::int32_t id = NextIDGet(rs);
    rs.AddNew();
    rs.Set("ID", db::Value(id));
    FieldTextSet(rs, Column("NameFull"), "");
    if (with_charges_and_expenses_) {
        rs.Set(Column("Charges"), db::Value(Currency()));
        rs.Set(Column("Expenses"), db::Value(Currency()));
        rs.Set(Column("TypeCharges"), db::Value(std::int32_t{0}));
        rs.Set(Column("TypeExpenses"), db::Value(std::int32_t{0}));
    } else {
        rs.Set(Column("Rate"), db::Value(Currency()));
        if (with_name_short_) FieldTextSet(rs, Column("NameShort"), "");
    }
    rs.Update();
    return Item(id);
}

Data Datas::Item(std::int32_t id) {
    Data d = NewData();
    if (id < 1) return d;
    db::Recordset& rs = cursor_.Get();
    rs.Seek("=", db::Value(id));
    if (rs.NoMatch()) return d;
    d.ID = rs.Get("ID").ToLong();
    d.NameFull = NullToString(rs.Get(Column("NameFull")));
    if (with_charges_and_expenses_) {
        d.Charges = NullToCurrency(rs.Get(Column("Charges")));
        d.Expenses = NullToCurrency(rs.Get(Column("Expenses")));
        d.TypeCharges = NullToLong(rs.Get(Column("TypeCharges")));
        d.TypeExpenses = NullToLong(rs.Get(Column("TypeExpenses")));
    } else {
        if (with_name_short_) d.NameShort = NullToString(rs.Get(Column("NameShort")));
        d.Rate = NullToCurrency(rs.Get(Column("Rate")));
    }
    return d;
}

void Datas::Delete(std::int32_t id) {
    db::Recordset& rs = cursor_.Get();
    rs.Seek("=", db::Value(id));
    if (!rs.NoMatch()) rs.Delete();
}

void Datas::DeleteAll() {
    db_.Execute("DELETE * FROM " + flavor_ + ";");
}

std::int32_t Datas::DefaultID() const {
    if (goReporting == nullptr || goReporting->ProgOption() == nullptr)
        throw AppError(91, "Datas.DefaultID", "Die Programmoptionen sind nicht verfügbar.");
    const db::Value v = goReporting->ProgOption()->CurrentUser(ProgOption::kSectionOptions, flavor_ + "DefaultID",
                                                               db::Value(std::int32_t{0}));
    try {
        return v.IsNull() ? 0 : v.ToLong();
    } catch (const std::exception&) {
        return 0;  // a hand-edited value that is no number counts as none
    }
}

void Datas::SetDefaultID(std::int32_t id) {
    if (goReporting == nullptr || goReporting->ProgOption() == nullptr)
        throw AppError(91, "Datas.DefaultID", "Die Programmoptionen sind nicht verfügbar.");
    if (id > 0) goReporting->ProgOption()->CurrentUserSet(ProgOption::kSectionOptions, flavor_ + "DefaultID", db::Value(id));
}

void Datas::Sync() {
    const std::string& f = flavor_;
    std::vector<std::string> users{"Project"};
    if (with_name_short_) users.emplace_back("Entry");
    db::Recordset& rs = cursor_.Get();
    for (const auto& t : users) {
        std::vector<std::int32_t> missing;
        {
            auto q = db_.OpenRecordset("SELECT " + f + "ID FROM " + t + " WHERE ((" + f + "ID NOT IN (Select ID FROM " +
                                           f + ";)) AND " + f + "ID > 0) GROUP BY " + f + "ID;",
                                       db::RecordsetType::Snapshot);
            for (; !q.Eof(); q.MoveNext()) missing.push_back(q.Get(0).ToLong());
        }
        for (std::int32_t id : missing) {
            rs.AddNew();
            rs.Set("ID", db::Value(id));
            FieldTextSet(rs, Column("NameFull"), f + "(" + std::to_string(id) + ")");
            if (with_charges_and_expenses_) {
                rs.Set(Column("Charges"), db::Value(Currency()));
                rs.Set(Column("Expenses"), db::Value(Currency()));
                rs.Set(Column("TypeCharges"), db::Value(std::int32_t{0}));
                rs.Set(Column("TypeExpenses"), db::Value(std::int32_t{0}));
            } else {
                rs.Set(Column("Rate"), db::Value(Currency()));
            }
            rs.Update();
        }
    }
}

std::vector<std::string> Datas::TextColumns() const {
    std::vector<std::string> columns{"ID", Column("NameFull")};
    if (with_charges_and_expenses_) {
        for (const char* c : {"Charges", "Expenses", "TypeCharges", "TypeExpenses"}) columns.push_back(Column(c));
    } else {
        if (with_name_short_) columns.push_back(Column("NameShort"));
        columns.push_back(Column("Rate"));
    }
    return columns;
}

std::string Datas::ChooseFile(const DataTextSettings& settings, bool save) {
    // The settings dialog's file dialog keeps the last folder and file between uses.
    ui::CommonDialog& dialog = SettingsForm().CommonDialog1;
    ui::FileDialogRequest& request = dialog.Request();
    request.mode = save ? ui::FileDialogRequest::Mode::Save : ui::FileDialogRequest::Mode::Open;
    request.title = flavor_text_all_ + " Export";
    request.filters = {{flavor_text_all_ + " (*" + settings.Extension + ")", "*" + settings.Extension},
                       {"Alle (*.*)", "*.*"}};
    request.default_ext = settings.Extension;
    if (request.file_name.empty() || ExtOf(request.file_name) != settings.Extension)
        request.file_name = flavor_text_all_ + settings.Extension;
    // beside the database; a database on a server has no folder: the user's documents then
    if (request.initial_dir.empty()) {
        request.initial_dir = db::PgName::IsServerName(db_.Name()) ? platform::XdgDocumentsDir().value_or("")
                                                                    : PathOf(db_.Name());
    }
    request.must_exist = !save;
    request.confirm_overwrite = save;
    if (!(save ? dialog.ShowSave() : dialog.ShowOpen())) return {};
    return dialog.FileName();
}

long Datas::Export(const std::string& file_name, const DataTextSettings& settings) {
    const DataTextFile format(settings);
    std::string path = Trim(file_name);
    if (path.empty()) path = ChooseFile(settings, true);
    if (path.empty()) return 0;
    long count = 0;
    {
        ui::BusyPointer busy;
        const std::vector<std::string> columns = TextColumns();
        std::vector<std::string> lines;
        if (settings.Header) lines.push_back(format.Line(columns));
        db::Recordset& rs = cursor_.Get();
        if (rs.RecordCount() > 0) rs.MoveFirst();
        for (; rs.RecordCount() > 0 && !rs.Eof(); rs.MoveNext()) {
            std::vector<std::string> values;
            for (const auto& c : columns) {
                values.push_back(ValueText(rs.Get(c)));
                if (format.Unwritable(values.back()))
                    throw AppError(5, "Export",
                                   flavor_text_ + " " + values.front() + ": der Wert " + Quote(values.back()) +
                                       " enthält einen Zeilenumbruch oder das Trennzeichen; bitte ein "
                                       "Textbegrenzungszeichen wählen.");
            }
            lines.push_back(format.Line(values));
            ++count;
        }
        DataTextFile::WriteLines(path, lines);
    }
    ui::MsgBox(path + kNl + std::to_string(count) + " " + flavor_text_all_ + " exportiert!", ui::Buttons::Ok,
               ui::Icon::Information, flavor_text_all_ + " exportieren");
    return count;
}

long Datas::Import(const std::string& file_name, const DataTextSettings& settings) {
    import_error_.clear();
    const DataTextFile format(settings);
    std::string path = Trim(file_name);
    if (path.empty()) path = ChooseFile(settings, false);
    if (path.empty()) return 0;
    // Read before anything is deleted: a file that cannot be read leaves the table as it is.
    const std::vector<std::string> lines = DataTextFile::ReadLines(path);
    db::Recordset& rs = cursor_.Get();
    if (settings.DeleteAllFirst && rs.RecordCount() > 0) {
        const std::string question = "Alle " + flavor_text_all_ + " löschen?";
        if (ui::MsgBox(question, ui::Buttons::YesNoCancel, ui::Icon::Question, question) != ui::Answer::Yes) return 0;
        BackupBefore(db_, "import-" + flavor_);
    }
    long count = 0;
    std::size_t line_number = 0;
    bool header_pending = settings.Header;
    db::Transaction transaction(db_);
    try {
        ui::BusyPointer busy;
        if (settings.DeleteAllFirst) DeleteAll();
        for (const auto& raw : lines) {
            ++line_number;
            const std::string line = TrimBlanks(raw);
            if (line.empty()) continue;
            if (header_pending) {
                header_pending = false;
                continue;
            }
            ImportOneLine(format, line);
            ++count;
        }
    } catch (const std::exception& e) {
        // All or nothing: the deletion and the lines before go back with the failing line, so
        // that no entry is left pointing at a person who is gone.
        transaction.Rollback();
        cursor_.Open();
        import_error_ = "Fehler beim importieren in Zeile " + std::to_string(line_number) + "!" + kNl + e.what();
        ui::MsgBox(import_error_, ui::Buttons::Ok, ui::Icon::Critical, flavor_text_all_ + " importieren");
        return 0;
    }
    transaction.Commit();
    ui::MsgBox(path + kNl + std::to_string(count) + " " + flavor_text_all_ + " importiert!", ui::Buttons::Ok,
               ui::Icon::Information, flavor_text_all_ + " importieren");
    return count;
}

void Datas::ImportOneLine(const DataTextFile& format, std::string_view line) {
    const std::vector<std::string> values = format.Split(line);
    const std::size_t expected = with_charges_and_expenses_ ? 6 : with_name_short_ ? 4 : 3;
    if (values.size() != expected)
        throw AppError(900, "ImportOneLine",
                       flavor_text_ + ": Felder erwartet " + std::to_string(expected) + ", Felder gefunden " +
                           std::to_string(values.size()));
    const auto number = [&](const std::string& text) -> std::optional<std::int32_t> {
        const std::string t = Trim(text);
        if (t.empty()) return std::nullopt;
        std::int32_t n = 0;
        const char* first = t.data() + (t[0] == '+' ? 1 : 0);
        const auto [end, ec] = std::from_chars(first, t.data() + t.size(), n);
        if (ec != std::errc() || end != t.data() + t.size())
            throw AppError(13, "ImportOneLine", flavor_text_ + ": " + Quote(t) + " ist keine ganze Zahl.");
        return n;
    };
    const auto amount = [&](const std::string& text, const std::string& field) -> db::Value {
        const std::string t = Trim(text);
        if (t.empty()) return {};
        const std::optional<Currency> c = ImportAmount(t);
        if (!c) {
            throw AppError(13, "ImportOneLine",
                           flavor_text_ + ", Feld " + field + ": " + Quote(t) +
                               " ist kein eindeutiger Betrag (Dezimalpunkt verwenden, z.B. 1125.00 oder 1.125).");
        }
        return c->IsZero() ? db::Value() : db::Value(*c);
    };
    const std::int32_t id = number(values[0]).value_or(0);
    db::Recordset& rs = cursor_.Get();
    if (id > 0) {
        rs.Seek("=", db::Value(id));
        if (rs.NoMatch()) {
            rs.AddNew();
            rs.Set("ID", db::Value(id));
        } else if (format.Settings().Overwrite) {
            rs.Edit();
        } else {
            return;
        }
    } else {
        const std::int32_t new_id = NextIDGet(rs);
        rs.AddNew();
        rs.Set("ID", db::Value(new_id));
    }
    try {
        FieldTextSet(rs, Column("NameFull"), values[1]);
        if (with_charges_and_expenses_) {
            rs.Set(Column("Charges"), amount(values[2], Column("Charges")));
            rs.Set(Column("Expenses"), amount(values[3], Column("Expenses")));
            const auto type_value = [&](const std::string& text) {
                const auto n = number(text);
                return n ? db::Value(*n) : db::Value();
            };
            rs.Set(Column("TypeCharges"), type_value(values[4]));
            rs.Set(Column("TypeExpenses"), type_value(values[5]));
        } else {
            if (with_name_short_) FieldTextSet(rs, Column("NameShort"), values[2]);
            rs.Set(Column("Rate"), amount(values.back(), Column("Rate")));
        }
        rs.Update();
    } catch (...) {
        rs.CancelUpdate();
        throw;
    }
}

}  // namespace tlx4r
