#include "host/report/WorkReport.h"

#include "core/modStringLibrary.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "entries/modDateTime.h"
#include "host/report/ReportText.h"
#include "reporting/EntriesRange.h"
#include "reporting/frmEntriesSelect.h"
#include "reporting/frmEntriesShow.h"

#include <cmath>

namespace tlx4r::report {

namespace {

// The client's address block, as a letter would carry it.
std::vector<std::string> AddressOf(db::Database& db, std::int32_t project_id) {
    auto rs = db.OpenRecordset(
        "SELECT Client.* FROM Client INNER JOIN Project ON Client.ID = Project.ClientID "
        "WHERE Project.ID = " +
            std::to_string(project_id) + ";",
        db::RecordsetType::Snapshot);
    std::vector<std::string> lines;
    if (rs.Eof()) return lines;
    const auto field = [&](const char* name) { return Trim(NullToString(rs.Get(name))); };
    const auto add = [&](std::string line) {
        line = Trim(line);
        if (!line.empty()) lines.push_back(std::move(line));
    };
    add(field("Company"));
    add(field("Title") + " " + field("FirstName") + " " + field("LastName"));
    add(field("Address1"));
    add(field("Address2"));
    add(field("ZipCode") + " " + field("City"));
    add(field("Country"));
    return lines;
}

}  // namespace

std::string WorkReport::Statement(std::int32_t project_id, const EntriesRange& range) {
    std::string where = "(Entry.ProjectID = " + std::to_string(project_id) + ")";
    const std::string dates = DateRangeCondition("Entry.BookDate", range.DateFrom, range.DateTo);
    if (!dates.empty()) where += " AND " + dates;
    if (range.EntryType.empty()) {
        where += " AND FALSE";
    } else if (range.EntryType.size() < 7) {
        std::string list;
        for (const auto& c : range.EntryType) list += (list.empty() ? "" : ",") + Quote(c);
        where += " AND (Entry.RecTypeText IN(" + list + "))";
    }
    if (range.Archive) where += *range.Archive == 0 ? " AND (Entry.Archive = FALSE)" : " AND (Entry.Archive = TRUE)";
    return "SELECT " + frmEntriesSelect::SQLFromSpecial() + frmEntriesSelect::SQLFrom() + "WHERE(" + where +
           ") ORDER BY Entry.BookDate,Entry.ID;";
}

std::string WorkReport::Title(const EntriesRange& range) {
    return range.WorkType ? "Arbeitsrapport" : "Gebührenauszug";
}

std::string WorkReport::Criteria(const EntriesRange& range) {
    std::string criteria = "Alle Daten";
    if (range.DateFrom || range.DateTo) {
        criteria = "Datum: " + (range.DateFrom ? range.DateFrom->Format("dd.mm.yyyy") : std::string("…")) + " – " +
                   (range.DateTo ? range.DateTo->Format("dd.mm.yyyy") : std::string("…"));
    }
    std::string letters;
    for (const auto& c : range.EntryType) letters += c;
    return criteria + " / Eintragsarten: " + (letters.empty() ? "keine" : letters);
}

ReportDocument WorkReport::Build(db::Database& db, std::int32_t project_id, const EntriesRange& range) {
    const bool work = range.WorkType;
    std::vector<ReportColumn> columns{{"Datum", 10}, {"Kurz", 6}, {"Typ", 5}, {"Text", 52}};
    if (work) {
        columns.push_back({"Stunden", 8, true});
        columns.push_back({"Ansatz", 9, true});
    }
    columns.push_back({"Betrag", 12, true});
    ReportDocument doc(Title(range), columns);
    {
        auto p = db.OpenRecordset(
            "SELECT AccountCode, AccountName FROM Project WHERE ID = " + std::to_string(project_id) + ";",
            db::RecordsetType::Snapshot);
        if (!p.Eof()) doc.subtitle.push_back(NullToString(p.Get(0)) + " " + NullToString(p.Get(1)));
    }
    doc.subtitle.push_back(Criteria(range));
    doc.address = AddressOf(db, project_id);

    Currency net, vat;
    long long minutes = 0;
    for (auto rs = db.OpenRecordset(Statement(project_id, range), db::RecordsetType::Snapshot); !rs.Eof();
         rs.MoveNext()) {
        // The rows show the amounts without VAT; the VAT is added once below them.
        const Currency row_vat = Rappen(NullToCurrency(rs.Get("VAT")));
        const Currency row_net = Rappen(NullToCurrency(rs.Get("Amount"))) - row_vat;
        net += row_net;
        vat += row_vat;
        std::vector<std::string> cells{DateText(rs.Get("BookDate")), NullToString(rs.Get("PersonNameShort")),
                                       Trim(NullToString(rs.Get("RecTypeText"))), NullToString(rs.Get("TextLine"))};
        if (work) {
            const long long m = std::llround(frmEntriesShow::HoursOf(rs) * 1440.0);
            minutes += m;
            cells.push_back(m == 0 ? std::string() : MinutesText(m));
            const Currency rate = NullToCurrency(rs.Get("Entry.Rate"));
            cells.push_back(rate.IsZero() ? std::string() : AmountText(rate));
        }
        cells.push_back(row_net.IsZero() ? std::string() : AmountText(row_net));
        doc.AddRow(std::move(cells));
    }
    const auto total = [&](const std::string& label, const std::string& hours, Currency amount) {
        std::vector<std::string> cells(doc.Columns().size());
        cells[3] = label;
        if (work) cells[4] = hours;
        cells.back() = AmountText(amount);
        doc.AddTotal(std::move(cells));
    };
    total("Total ohne MWST (" + std::to_string(doc.RowCount()) + " Einträge)", MinutesText(minutes), net);
    total("MWST", "", vat);
    total("Total", "", net + vat);
    return doc;
}

}  // namespace tlx4r::report
