#include "Command.h"
#include "CsvText.h"
#include "core/DBReporting.h"
#include "entries/Entries.h"

#include <iostream>

namespace tlx4r::cli {

namespace {

std::string DateText(Date date) { return date.IsNull() ? "" : date.Format("yyyy-mm-dd"); }

std::string TimeText(Date time) { return time.IsNull() ? "" : time.Format("hh:mm"); }

std::string AmountText(Currency amount) { return amount.Format(2, false); }

}  // namespace

// Lists the entries of a reporting database as CSV in ID order, as the component reads them
// (pro-forma amounts in the amount columns, marked by ChargesType); with --verify after
// normalising and rewriting every entry.
int RunEntries(const std::vector<std::string>& args) {
    const bool verify = args.size() == 2 && args[1] == "--verify";
    if (args.empty() || args.size() > 2 || (args.size() == 2 && !verify)) {
        std::cerr << "usage: tlx4r entries REPORTING [--verify]\n";
        return 2;
    }
    DBReporting reporting;
    reporting.DBOpen(args[0]);
    Entries& entries = *reporting.Entries();
    if (verify) entries.Verify();
    std::vector<std::int32_t> ids;
    {
        db::Recordset& rs = entries.Cursor().Get();
        if (rs.RecordCount() > 0)
            for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) ids.push_back(rs.Get("ID").ToLong());
    }
    std::cout << CsvLine({"ID", "BookDate", "RecType", "RecTypeText", "RecTypeTopic", "ProjectID", "PersonID", "Text",
                          "DispValue1", "DispValue2", "TimeFrom", "TimeTo", "TimeBreak", "Rate", "Charges",
                          "Expenses", "Adapted", "Billed", "VAT", "ChargesType", "Archive"})
              << "\r\n";
    for (std::int32_t id : ids) {
        const Entry e = entries.Item(id);
        std::cout << CsvLine({std::to_string(e.ID()), DateText(e.BookDate), std::to_string(e.RecType()),
                              e.RecTypeText(), e.RecTypeTopic(), std::to_string(e.ProjectID()),
                              std::to_string(e.PersonID()), e.Text, e.DispValue1, e.DispValue2,
                              TimeText(e.TimeFrom), TimeText(e.TimeTo), TimeText(e.TimeBreak), AmountText(e.Rate),
                              AmountText(e.Charges), AmountText(e.Expenses), AmountText(e.Adapted),
                              AmountText(e.Billed), AmountText(e.VAT), std::to_string(e.ChargesType),
                              e.Archive ? "1" : "0"})
                  << "\r\n";
    }
    return 0;
}

}  // namespace tlx4r::cli
