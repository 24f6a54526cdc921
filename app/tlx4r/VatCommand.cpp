#include "Command.h"
#include "CsvText.h"
#include "core/DBReporting.h"
#include "entries/modVat.h"

#include <iostream>

namespace tlx4r::cli {

namespace {

constexpr const char* kUsage =
    "usage: tlx4r vat REPORTING [--add dd.mm.yyyy RATE]\n"
    "  lists the VAT rates by the day they apply from; --add adds RATE (percent, e.g. 8.1) from "
    "that day on\n";

int UsageError(const std::string& why) {
    std::cerr << "tlx4r vat: " << why << "\n" << kUsage;
    return 2;
}

}  // namespace

// Lists the VAT rates of a reporting database as CSV, after adding one when asked to.
int RunVat(const std::vector<std::string>& args) {
    if (args.size() != 1 && !(args.size() == 4 && args[1] == "--add"))
        return UsageError("wrong arguments");
    std::optional<Date> day;
    std::optional<Currency> percent;
    if (args.size() == 4) {
        day = Date::Parse(args[2]);
        if (!day || day->IsNull() || day->DayNumber() != day->Serial())
            return UsageError("no date: '" + args[2] + "'");
        percent = Currency::Parse(args[3]);
        if (!percent) return UsageError("no rate: '" + args[3] + "'");
    }
    DBReporting reporting;
    reporting.DBOpen(args[0]);
    if (day) VatRateAdd(*reporting.Database(), *day, *percent);
    std::cout << CsvLine({"ValidFrom", "RatePercent"}) << "\r\n";
    for (const VatRateEntry& r : VatRates()) {
        std::cout << CsvLine({r.valid_from.Format("dd.mm.yyyy"), r.percent.Format(2, false)})
                  << "\r\n";
    }
    return 0;
}

}  // namespace tlx4r::cli
