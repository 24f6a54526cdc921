#include "Command.h"
#include "CsvText.h"
#include "core/DBReporting.h"
#include "masterdata/Projects.h"

#include <iostream>

namespace tlx4r::cli {

namespace {

std::string DateText(Date date) { return date.IsNull() ? "" : date.Format("yyyy-mm-dd"); }

std::string AmountText(Currency amount) { return amount.Format(2, false); }

}  // namespace

// Lists the projects of a reporting database as CSV, in ID order, as the component reads them.
int RunProjects(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::cerr << "usage: tlx4r projects REPORTING\n";
        return 2;
    }
    DBReporting reporting;
    reporting.DBOpen(args[0]);
    Projects& projects = *reporting.Projects();
    std::vector<std::int32_t> ids;
    {
        db::Recordset& rs = projects.Cursor().Get();
        if (rs.RecordCount() > 0)
            for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) ids.push_back(rs.Get("ID").ToLong());
    }
    std::cout << CsvLine({"ID", "AccountCode", "AccountName", "ClientID", "PersonID", "ProjectTypeID", "DepartmentID",
                          "Archive", "DateBegin", "DateEnd", "DateBilled", "Text", "Rate", "PaymentLimit", "ProjExt1",
                          "ProjExt2", "ProjExt3", "ProjExt4", "ProjExt5"})
              << "\r\n";
    for (std::int32_t id : ids) {
        const Project p = projects.Item(id);
        std::cout << CsvLine({std::to_string(p.ID()), p.AccountCode, p.AccountName, std::to_string(p.ClientID),
                              std::to_string(p.PersonID), std::to_string(p.ProjectTypeID),
                              std::to_string(p.DepartmentID), p.Archive ? "1" : "0", DateText(p.DateBegin),
                              DateText(p.DateEnd), DateText(p.DateBilled), p.Text, AmountText(p.Rate),
                              std::to_string(p.PaymentLimit), p.ProjExt1, p.ProjExt2, p.ProjExt3, p.ProjExt4,
                              p.ProjExt5})
                  << "\r\n";
    }
    return 0;
}

}  // namespace tlx4r::cli
