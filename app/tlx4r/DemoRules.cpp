#include "Command.h"
#include "core/modStringLibrary.h"
#include "core/modValidate.h"
#include "entries/modDateTime.h"
#include "entries/modVat.h"

#include <iostream>

namespace tlx4r::cli {

// A short tour of the rules the component already applies, for a first look at the program.
int RunDemoRules(const std::vector<std::string>&) {
    std::ostream& out = std::cout;
    Date today = Date::Today();
    out << "Today: " << today.Format("dd.mm.yyyy") << ", week " << WeekOfYear(today) << "\n";
    out << "  this week:    " << WeekStart(today).Format("dd.mm.yyyy") << " - "
        << WeekEnd(today).Format("dd.mm.yyyy") << "\n";
    out << "  this quarter: " << QuarterStart(today)->Format("dd.mm.yyyy") << " - "
        << QuarterEnd(today)->Format("dd.mm.yyyy") << "\n";
    out << "  SQL condition for this month: "
        << DateRangeCondition("BookDate", MonthStart(today), MonthEnd(today)) << "\n\n";

    out << "Typed times:\n";
    for (const char* typed : {"8", "45", "830", "1230", "12.5", "7."}) {
        bool cancel = false;
        out << "  " << typed << " -> " << ValidateTime(typed, "", cancel) << "\n";
    }
    out << "\nVAT on 1,000.00:\n";
    for (Date d : {Date::FromYmd(1998, 6, 1), Date::FromYmd(2005, 6, 1), today}) {
        out << "  " << d.Format("dd.mm.yyyy") << ": " << VatText(Currency::FromInt(1000), d) << "\n";
    }
    Currency sum;
    for (int i = 0; i < 100000; ++i) sum += *Currency::Parse("0.10");
    out << "\n100,000 amounts of 0.10 add up to " << AmountFormat(sum) << "\n";
    return 0;
}

}  // namespace tlx4r::cli
