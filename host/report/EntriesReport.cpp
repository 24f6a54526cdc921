#include "host/report/EntriesReport.h"

#include "core/modStringLibrary.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "host/report/ReportText.h"
#include "reporting/frmEntriesShow.h"

#include <cmath>

namespace tlx4r::report {

namespace {

// The entries list's columns that fit a page across: Datum, Kurz, Typ, Konto, Text, Stunden, Total.
constexpr std::size_t kColumns[] = {2, 1, 3, 8, 4, 6, 5};
constexpr int kShares[] = {11, 6, 6, 11, 40, 11, 15};

}  // namespace

ReportDocument EntriesReport::Build(db::Database& db, const std::string& sql, const std::string& selected) {
    const auto& table = frmEntriesShow::ColumnTable();
    std::vector<ReportColumn> columns;
    for (std::size_t i = 0; i < std::size(kColumns); ++i) {
        const auto& c = table[kColumns[i]];
        columns.push_back({c.header, kShares[i], *c.format != '\0'});
    }
    ReportDocument doc("Einträge", std::move(columns));
    if (!selected.empty()) doc.subtitle.push_back(selected);

    Currency amount;
    long long minutes = 0;
    for (auto rs = db.OpenRecordset(sql, db::RecordsetType::Snapshot); !rs.Eof(); rs.MoveNext()) {
        std::vector<std::string> cells;
        for (std::size_t c : kColumns) cells.push_back(frmEntriesShow::CellText(table[c], rs));
        // The rows print whole minutes and rappen-rounded amounts: the totals add what is shown.
        const long long row_minutes = std::llround(frmEntriesShow::HoursOf(rs) * 1440.0);
        minutes += row_minutes;
        const Currency row_amount = Rappen(NullToCurrency(rs.Get("Amount")));
        amount += row_amount;
        cells[5] = row_minutes == 0 ? std::string() : MinutesText(row_minutes);
        cells[6] = row_amount.IsZero() ? std::string() : AmountText(row_amount);
        doc.AddRow(std::move(cells));
    }
    doc.AddTotal(
        {"Total", "", "", "", std::to_string(doc.RowCount()) + " Einträge", MinutesText(minutes), AmountText(amount)});
    return doc;
}

}  // namespace tlx4r::report
