#include "Command.h"
#include "CsvText.h"
#include "core/DBReporting.h"
#include "masterdata/Clients.h"

#include <iostream>

namespace tlx4r::cli {

// Lists the clients of a reporting database as CSV, in ID order.
int RunClients(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::cerr << "usage: tlx4r clients REPORTING\n";
        return 2;
    }
    DBReporting reporting;
    reporting.DBOpen(args[0]);
    Clients& clients = *reporting.Clients();
    std::vector<std::int32_t> ids;
    {
        db::Recordset& rs = clients.Cursor().Get();
        if (rs.RecordCount() > 0)
            for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) ids.push_back(rs.Get("ID").ToLong());
    }
    std::cout << CsvLine({"ID", "KeyName", "PersonID", "Archive", "Company", "Title", "FirstName", "LastName",
                          "Address1", "Address2", "ZipCode", "City", "Country", "Email", "Homepage", "Fone", "Fax",
                          "KlieExt1", "KlieExt2", "KlieExt3", "KlieExt4", "KlieExt5"})
              << "\r\n";
    for (std::int32_t id : ids) {
        const Client c = clients.Item(id);
        std::cout << CsvLine({std::to_string(c.ID()), c.KeyName, std::to_string(c.PersonID), c.Archive ? "1" : "0",
                              c.Company, c.Title, c.FirstName, c.LastName, c.Address1, c.Address2, c.ZipCode, c.City,
                              c.Country, c.Email, c.Homepage, c.Fone, c.Fax, c.KlieExt1, c.KlieExt2, c.KlieExt3,
                              c.KlieExt4, c.KlieExt5})
                  << "\r\n";
    }
    return 0;
}

}  // namespace tlx4r::cli
