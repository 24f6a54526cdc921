#include "host/report/ProjectsReport.h"

#include "core/modStringLibrary.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "host/report/ReportText.h"
#include "reporting/ProjectView.h"

#include <map>

namespace tlx4r::report {

namespace {

std::map<std::string, Currency> Balances(db::Database& db) {
    std::map<std::string, Currency> balances;
    auto rs = db.OpenRecordset(
        "SELECT Project.AccountCode AS Code, Sum(Entry.Charges) AS C, Sum(Entry.Expenses) AS E, "
        "Sum(Entry.Adapted) AS A, Sum(Entry.Billed) AS B, Sum(Entry.VAT) AS V "
        "FROM Project INNER JOIN Entry ON Project.ID = Entry.ProjectID "
        "GROUP BY Project.AccountCode;",
        db::RecordsetType::Snapshot);
    for (; !rs.Eof(); rs.MoveNext()) {
        balances[NullToString(rs.Get("Code"))] =
            Rappen(NullToCurrency(rs.Get("C")) + NullToCurrency(rs.Get("E")) + NullToCurrency(rs.Get("A")) -
                   NullToCurrency(rs.Get("B")) + NullToCurrency(rs.Get("V")));
    }
    return balances;
}

}  // namespace

ReportDocument ProjectsReport::Build(db::Database& db, ProjectView& view) {
    ReportDocument doc(
        "Geschäftsübersicht",
        {{"Konto", 12}, {"Name", 40}, {"Eröffnung", 11}, {"Abschluss", 11}, {"Rechnung", 11}, {"Saldo", 15, true}});
    doc.subtitle.push_back(view.Description());
    const std::string field = view.GroupByField();
    const std::string group_text = view.GroupByText();
    const auto balances = Balances(db);

    Currency total, group_total;
    std::size_t group_rows = 0;
    std::optional<std::int32_t> group;
    std::string group_name;
    const auto close_group = [&] {
        if (!group) return;
        doc.AddTotal({"", "Total " + std::to_string(group_rows) + " Geschäfte", "", "", "", AmountText(group_total)});
    };
    for (auto rs = db.OpenRecordset(view.SQL(), db::RecordsetType::Snapshot); !rs.Eof(); rs.MoveNext()) {
        if (!field.empty()) {
            // The statement orders by the group's ID first; a project without one has 0 or Null.
            const std::int32_t id = NullToLong(rs.Get(field + "ID"));
            if (!group || *group != id) {
                close_group();
                group = id;
                group_name = id == 0 ? std::string() : Trim(NullToString(rs.Get(field + "NameFull")));
                if (group_name.empty()) group_name = view.GroupByValueNull();
                doc.AddGroup(group_text + ": " + group_name);
                group_total = Currency();
                group_rows = 0;
            }
        }
        const std::string code = NullToString(rs.Get("AccountCode"));
        const auto found = balances.find(code);
        const Currency balance = found == balances.end() ? Currency() : found->second;
        total += balance;
        group_total += balance;
        ++group_rows;
        doc.AddRow({code, NullToString(rs.Get("AccountName")), DateText(rs.Get("DateBegin")),
                    DateText(rs.Get("DateEnd")), DateText(rs.Get("DateBilled")), AmountText(balance)});
    }
    close_group();
    doc.AddTotal({"Total", std::to_string(doc.RowCount()) + " Geschäfte", "", "", "", AmountText(total)});
    return doc;
}

}  // namespace tlx4r::report
