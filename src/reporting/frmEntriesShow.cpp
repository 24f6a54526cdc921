#include "reporting/frmEntriesShow.h"

#include "core/modReporting.h"
#include "core/modStringLibrary.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "ui/Ui.h"

#include <cmath>
#include <cstdlib>

namespace tlx4r {

namespace {

std::string Pad2(long long n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// Hours as "HH:mm"; a duration over a day keeps counting hours.
std::string HoursText(double days) {
    const long long minutes = std::llround(days * 1440.0);
    if (minutes == 0) return {};
    const long long m = std::llabs(minutes);
    return (minutes < 0 ? "-" : "") + Pad2(m / 60) + ":" + Pad2(m % 60);
}

double DaysOf(const db::Value& v) {
    if (v.IsNull()) return 0;
    return v.kind() == db::Value::Kind::Date ? v.ToDate().Serial() : v.ToDouble();
}

}  // namespace

const std::vector<frmEntriesShow::ColumnDef>& frmEntriesShow::ColumnTable() {
    static const std::vector<ColumnDef> columns{
        {"ID", "Entry.ID", 800, ""},
        {"Kurz", "PersonNameShort", 600, ""},
        {"Datum", "BookDate", 1000, ""},
        {"Typ", "RecTypeText", 600, ""},
        {"Text", "Entry.Text", 3000, ""},
        {"Total", "Amount", 1200, "cur"},
        {"Stunden", "Hours", 1200, "tim"},
        {"Ansatz", "Entry.Rate", 1200, "cur"},
        {"Konto", "AccountCode", 1000, ""},
        {"Geschäft", "AccountName", 3000, ""},
        {"Person", "PersonNameFull", 2000, ""},
    };
    return columns;
}

std::string frmEntriesShow::CellText(const std::string& format, const db::Value& value) {
    if (format == "cur") {
        if (value.IsNull()) return {};
        const Currency amount = value.ToCurrency();
        return amount.IsZero() ? std::string() : AmountFormat(amount);
    }
    if (format == "tim") return HoursText(DaysOf(value));
    return value.ToText();
}

double frmEntriesShow::HoursOf(const db::Recordset& rs) {
    const db::Value& hours = rs.Get("Hours");
    if (!hours.IsNull()) return DaysOf(hours);
    const db::Value& to = rs.Get("TimeTo");
    if (to.IsNull()) return 0;
    return DaysOf(to) - DaysOf(rs.Get("TimeFrom")) - DaysOf(rs.Get("TimeBreak"));
}

std::string frmEntriesShow::CellText(const ColumnDef& column, const db::Recordset& rs) {
    if (std::string(column.format) == "tim") return HoursText(HoursOf(rs));
    return CellText(column.format, rs.Get(column.field));
}

frmEntriesShow::frmEntriesShow() : ui::Form("frmEntriesShow", "Einträge anzeigen") {
    SetMinimumSize(7485, 5550);
    SetSize(9600, 6600);
    ListView1.SetFullRowSelect(true);
    for (const auto& c : ColumnTable()) ListView1.AddColumn(c.header, c.width, ui::Alignment::Left);
    btnOk.SetDefault(true);
    btnCancel.SetCancel(true);
    btnOk.Click = [this] { Accept(); };
    ListView1.DblClick = [this] { Accept(); };
    btnCancel.Click = [this] {
        selected_id_ = 0;
        Hide();
    };
    btnSelect.Click = [this] { Choose(true, false); };
    btnRefresh.Click = [this] { FillList(); };
}

void frmEntriesShow::Accept() {
    dialog_canceled_ = false;
    const int row = ListView1.SelectedIndex();
    selected_id_ = 0;
    if (row >= 0) {
        try {
            selected_id_ = static_cast<std::int32_t>(std::stol(ListView1.Item(row).text));
        } catch (const std::exception&) {
            selected_id_ = 0;
        }
    }
    Hide();
}

void frmEntriesShow::Choose(bool select, bool last100) {
    selected_id_ = 0;
    dialog_canceled_ = true;
    if (last100) select_.SortSelectLast100();
    if (select) {
        select_.Choose();
        if (select_.DialogCanceled()) return;
    }
    lblSelected.SetCaption(select_.lblSelected.Caption());
    FillList();
    // "Wählen" runs this again while the list is shown: it only takes the new criteria.
    if (!Visible()) FormShowModal(*this);
}

std::optional<std::int32_t> frmEntriesShow::ChooseEntry(bool select, bool last100) {
    Choose(select, last100);
    if (dialog_canceled_) return std::nullopt;
    return selected_id_;
}

void frmEntriesShow::FillList(db::Database* db) {
    if (db == nullptr) db = goDatabase;
    ui::BusyPointer busy;
    ui::Form::EventScope scope(*this);
    ListView1.ClearRows();
    if (db == nullptr) return;
    db::Recordset rs = db->OpenRecordset(select_.SQL());
    const auto& columns = ColumnTable();
    for (; !rs.Eof(); rs.MoveNext()) {
        if (ListView1.Count() + 1 == kMaxRows) {
            ui::ListView::Row marker;
            marker.text = "0";
            marker.sub_items.assign(columns.size() - 1, "***");
            marker.sub_items[3] = "hier maximal 1000 Einträge";
            ListView1.AddRow(std::move(marker));
            break;
        }
        ui::ListView::Row row;
        row.text = CellText(columns[0], rs);
        row.sub_items.reserve(columns.size() - 1);
        for (std::size_t i = 1; i < columns.size(); ++i) row.sub_items.push_back(CellText(columns[i], rs));
        ListView1.AddRow(std::move(row));
    }
}

}  // namespace tlx4r
