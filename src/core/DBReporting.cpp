#include "core/DBReporting.h"

#include "core/DBSettings.h"
#include "core/FibuTables.h"
#include "core/modAssert.h"
#include "core/modBackup.h"
#include "core/modReporting.h"
#include "core/modStringLibrary.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/PgName.h"
#include "entries/Entries.h"
#include "entries/EntryTypes.h"
#include "entries/TypeCharges.h"
#include "entries/TypeExpenses.h"
#include "entries/modVat.h"
#include "masterdata/Clients.h"
#include "masterdata/Datas.h"
#include "masterdata/Projects.h"
#include "types/Utf8.h"
#include "ui/Ui.h"

#include <algorithm>

#include <filesystem>
#include <system_error>

namespace tlx4r {

namespace fs = std::filesystem;

namespace {

const char* const kCaption = "Kelvora Reporting V4";
const char* const kNewline = "\r\n";

std::string Describe(const std::exception& e) {
    if (const auto* f = dynamic_cast<const fs::filesystem_error*>(&e)) return f->code().message();
    return e.what();
}

void RemoveQuietly(const std::string& path) {
    std::error_code ignored;
    fs::remove(path, ignored);
}

// The tables that carry the users' data, in the order their rows go into a new file, with the
// condition a row must meet (rows without any name are left behind).
struct ImportStep {
    const char* table;
    const char* filter;
};
constexpr ImportStep kImport[] = {
    {"Person", "NOT ((PersonNameFull Is Null) AND (PersonNameShort Is Null))"},
    {"ProjectType", "NOT (ProjectTypeNameFull Is Null)"},
    {"Department", "NOT (DepartmentNameFull Is Null)"},
    {"Template", "NOT (TemplateNameFull Is Null)"},
    {"Project", nullptr},
    {"Entry", nullptr},
    {"Client", nullptr},
};

void ConfigureData(Datas& d, const char* flavor, const char* text, const char* text_all) {
    d.SetFlavor(flavor);
    d.SetFlavorText(text);
    d.SetFlavorTextAll(text_all);
}

}  // namespace

DBReporting::DBReporting(std::function<std::string()> finance_path)
    : finance_path_(std::move(finance_path)), db_settings_(std::make_unique<tlx4r::DBSettings>()) {}

DBReporting::~DBReporting() { DBClose(); }

std::string DBReporting::TempName(const std::string& path) {
    return PathOf(path) + BaseNameOf(path) + "_comp_" + ExtOf(path);
}

std::string DBReporting::DatabaseName() const { return db_ ? db_->Name() : std::string(); }

void DBReporting::DBOpen(const std::string& path) {
    DBClose();
    // An empty file would pass for an empty database and be filled with tables: refuse it as
    // the file that it is, a file that is not a database.
    std::error_code ec;
    if (fs::is_regular_file(path, ec) && fs::file_size(path, ec) == 0 && !ec)
        throw db::DbError(3343, "Unrecognized database format '" + path + "'.");
    db_ = std::make_unique<db::Database>(db::Database::Open(path));
    // Any other database with tables of its own (the finance database chosen by mistake) is
    // refused before anything is written into it.
    try {
        const std::vector<std::string> tables = db_->TableDefs().Names();
        const auto ours = [](const std::string& table) {
            const auto& decls = schema::AllTables();
            return std::any_of(decls.begin(), decls.end(),
                               [&table](const auto& decl) { return utf8::Upper(decl.name) == utf8::Upper(table); });
        };
        if (!tables.empty() && std::none_of(tables.begin(), tables.end(), ours))
            throw db::DbError(3343, "'" + path + "' ist keine Reporting Datenbank (die Datei enthält andere Tabellen, "
                                    "z.B. '" + tables.front() + "'); sie bleibt unverändert.");
    } catch (...) {
        db_.reset();
        throw;
    }
    goDatabase = db_.get();
    try {
        CatalogsCreate();
        // A write-protected file is used as it is: nothing can be added to it.
        if (!db_->ReadOnly()) DBAssert(false);
        DBrsOpen();
    } catch (...) {
        DBClose();
        throw;
    }
}

void DBReporting::DBNew(const std::string& path) {
    {
        db::Database created = db::Database::Create(path);
        created.Close();
    }
    DBOpen(path);
}

void DBReporting::CatalogsCreate() {
    db::Database& db = *db_;
    db_settings_->SetdBase(&db);
    entries_ = std::make_unique<tlx4r::Entries>(db);
    entry_types_ = std::make_unique<tlx4r::EntryTypes>();
    projects_ = std::make_unique<tlx4r::Projects>(db);
    departments_ = std::make_unique<Datas>(db);
    ConfigureData(*departments_, "Department", "Abteilung", "Abteilungen");
    project_types_ = std::make_unique<Datas>(db);
    ConfigureData(*project_types_, "ProjectType", "Geschäftsart", "Geschäftsarten");
    persons_ = std::make_unique<Datas>(db);
    ConfigureData(*persons_, "Person", "Person", "Personen");
    persons_->SetWithNameShort(true);
    templates_ = std::make_unique<Datas>(db);
    ConfigureData(*templates_, "Template", "Standardtext", "Standardtexte");
    templates_->SetWithChargesAndExpenses(true);
    clients_ = std::make_unique<tlx4r::Clients>(db);
    type_charges_ = std::make_unique<tlx4r::TypeCharges>(db);
    type_expenses_ = std::make_unique<tlx4r::TypeExpenses>(db);
    fibu_tables_ = std::make_unique<tlx4r::FibuTables>(db, finance_path_);
}

void DBReporting::DBAssert(bool reset) {
    if (!db_) throw db::DbError(3420, "Es ist keine Reporting Datenbank geöffnet.");
    // One transaction: a new database is made whole or not at all, a file waits for the disk
    // once instead of once per table, field and index, and a second program opening the same
    // database at the same moment waits instead of asserting beside it.
    db_->BeginTrans();
    try {
        AssertAll(reset);
        db_->CommitTrans();
    } catch (...) {
        db_->Rollback();
        throw;
    }
}

void DBReporting::AssertAll(bool reset) {
    entries_->Assert();
    projects_->Assert();
    project_types_->Assert();
    departments_->Assert();
    clients_->Assert();
    templates_->Assert();
    persons_->Assert();
    db_settings_->Assert();
    type_charges_->Assert();
    type_expenses_->Assert();
    VatRatesAssert(*db_);
    // The stored queries join tables asserted after their owners; on a new file they can only be
    // made now that every table exists.
    entries_->AssertQueryDefs(false);
    projects_->AssertQueryDefs(false);
    if (reset) {
        DBrsClose();
        RelationsDelete(*db_, "");
    }
    for (const auto& relation : schema::Relations()) RelationAssert(*db_, relation);
}

void DBReporting::DBrsOpen() {
    if (!db_) throw db::DbError(3420, "Es ist keine Reporting Datenbank geöffnet.");
    projects_->rsOpen();
    project_types_->rsOpen();
    departments_->rsOpen();
    clients_->rsOpen();
    entries_->rsOpen();
    templates_->rsOpen();
    persons_->rsOpen();
    type_charges_->rsOpen();
    type_expenses_->rsOpen();
}

void DBReporting::DBrsClose() noexcept {
    if (!db_) return;
    if (projects_) projects_->rsClose();
    if (project_types_) project_types_->rsClose();
    if (departments_) departments_->rsClose();
    if (clients_) clients_->rsClose();
    if (entries_) entries_->rsClose();
    if (templates_) templates_->rsClose();
    if (persons_) persons_->rsClose();
    if (type_charges_) type_charges_->rsClose();
    if (type_expenses_) type_expenses_->rsClose();
}

void DBReporting::CatalogsRelease() noexcept {
    projects_.reset();
    project_types_.reset();
    departments_.reset();
    clients_.reset();
    entries_.reset();
    entry_types_.reset();
    templates_.reset();
    persons_.reset();
    type_charges_.reset();
    type_expenses_.reset();
    fibu_tables_.reset();
    db_settings_->SetdBase(nullptr);
}

void DBReporting::DBClose() noexcept {
    DBrsClose();
    CatalogsRelease();
    if (db_) db_->Close();
    if (goDatabase == db_.get()) goDatabase = nullptr;
    db_.reset();
}

void DBReporting::Compact() {
    if (!db_) throw db::DbError(3420, "Es ist keine Reporting Datenbank geöffnet.");
    // Nothing is copied or replaced there, so no backup is needed before.
    if (db_->CompactInPlace()) return;
    const std::string path = db_->Name();
    const std::string temp = TempName(path);
    BackupBefore(*db_, "compact");
    DBClose();
    RemoveQuietly(temp);
    try {
        db::Database source = db::Database::Open(path);
        source.CompactInto(temp);
        source.Close();
        // A journal beside the file belongs to a write another program has not finished; the
        // file must not be swapped under it.
        if (fs::exists(path + "-journal") || fs::exists(path + "-wal"))
            throw db::DbError(3356, "Die Datenbank '" + path + "' wird von einem anderen Programm benutzt.");
        // rename replaces the file in one step: the path holds the old or the new file, never
        // neither and never half of one.
        fs::rename(temp, path);
    } catch (...) {
        RemoveQuietly(temp);
        throw;
    }
    DBOpen(path);
}

bool DBReporting::AlreadyConverted() const {
    try {
        db::TableDef person = db_->TableDefs().Item("Person");
        const db::Field* id = person.FindField("ID");
        return id == nullptr || !id->AutoIncrement();
    } catch (const std::exception&) {
        return true;
    }
}

void DBReporting::Import(const std::string& source) {
    for (const ImportStep& step : kImport) {
        std::string sql = std::string("INSERT INTO ") + step.table + " SELECT * FROM " + Bracket(source) + "." + step.table;
        if (step.filter != nullptr) sql += std::string(" WHERE (") + step.filter + ")";
        db_->Execute(sql + ";");
    }
    // The office's VAT rates replace the built-in ones the new file started with; a file of an
    // older release has none and keeps those.
    bool has_rates = false;
    try {
        has_rates = !db_->OpenRecordset("SELECT Count(*) FROM [" + source + "].VatRate;", db::RecordsetType::Snapshot)
                         .Eof();
    } catch (const std::exception&) {
    }
    if (has_rates) {
        db_->Execute("DELETE * FROM VatRate;");
        db_->Execute("INSERT INTO VatRate SELECT * FROM [" + source + "].VatRate;");
    }
}

std::string DBReporting::Convert(const std::optional<std::string>& par0) {
    if (!db_) return {};
    const bool quiet = par0 && *par0 == "quiet";
    std::string message;
    try {
        if (AlreadyConverted()) {
            if (quiet) return {};
            const ui::Answer answer =
                ui::MsgBox(std::string("Datenbank scheint bereits konvertiert zu sein!") + kNewline +
                               "Wollen Sie trotzdem weiterfahren?",
                           ui::Buttons::YesNoCancel, ui::Icon::Question, kCaption);
            if (answer != ui::Answer::Yes) return {};
        }
    } catch (const std::exception& e) {
        return Describe(e);
    }

    const std::string path = db_->Name();
    // Converting rebuilds a file of an older release; a server database was made by this one.
    if (db::PgName::IsServerName(path)) {
        try {
            ui::MsgBox(std::string("Eine Datenbank auf einem Server hat das Format dieser Version;") + kNewline +
                           "sie wird nicht neu aufgebaut.",
                       ui::Buttons::Ok, ui::Icon::Information, kCaption);
        } catch (const std::exception&) {
        }
        return {};
    }
    try {
        BackupBefore(*db_, "convert");
    } catch (const std::exception& e) {
        message = std::string("Reporting Datenbank konvertieren:") + kNewline + Describe(e);
        try {
            ui::MsgBox(message, ui::Buttons::Ok, ui::Icon::Critical, kCaption);
        } catch (const std::exception&) {
        }
        return message;
    }
    const std::string temp = TempName(path);
    // The new file is built under a name of its own and renamed over the database only when it
    // is complete, so that the database is never missing or half-made.
    const std::string build = PathOf(path) + BaseNameOf(path) + "_conv_" + ExtOf(path);
    RemoveQuietly(temp);
    DBClose();

    bool copied = false;
    try {
        fs::copy_file(path, temp, fs::copy_options::overwrite_existing);
        copied = true;
    } catch (const std::exception& e) {
        message = "Kann '" + path + "' nicht" + kNewline + "nach '" + temp + "' kopieren!" + kNewline + Describe(e);
    }
    if (copied) {
        bool created = false;
        try {
            RemoveQuietly(build);
            DBNew(build);
            created = true;
        } catch (const std::exception& e) {
            message = "Kann '" + path + "' nicht neu erstellen!" + kNewline + Describe(e);
        }
        if (created) {
            bool imported = false;
            try {
                ui::Current().DoEvents();
                Import(temp);
                ui::Current().DoEvents();
                imported = true;
            } catch (const std::exception& e) {
                message = "Kann '" + temp + "' nicht importieren!" + kNewline + Describe(e);
            }
            DBClose();
            if (imported) {
                try {
                    fs::rename(build, path);
                    RemoveQuietly(temp);
                    DBOpen(path);
                    Compact();
                    return {};
                } catch (const std::exception& e) {
                    message = "Kann '" + path + "' nicht löschen!" + kNewline + Describe(e);
                }
            }
        }
        RemoveQuietly(build);
        RemoveQuietly(temp);
    }
    if (!message.empty()) {
        message = std::string("Reporting Datenbank konvertieren:") + kNewline + message;
        try {
            ui::MsgBox(message, ui::Buttons::Ok, ui::Icon::Critical, kCaption);
        } catch (const std::exception&) {
            // without a Ui the returned message is all the caller gets
        }
    }
    try {
        if (!IsOpen()) DBOpen(path);
    } catch (const std::exception& e) {
        if (message.empty()) message = Describe(e);
    }
    return message;
}

}  // namespace tlx4r
