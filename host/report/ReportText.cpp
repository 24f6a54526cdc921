#include "host/report/ReportText.h"

#include "core/modStringLibrary.h"
#include "db/Value.h"
#include "host/HostOptions.h"
#include "hostapi/Interface.h"
#include "types/Date.h"

#include <cstdlib>

namespace tlx4r::report {

std::string AmountText(Currency amount) {
    // Printed for Swiss readers: the apostrophe groups thousands.
    std::string text = AmountFormat(amount);
    for (char& c : text)
        if (c == ',') c = '\'';
    return text;
}

Currency Rappen(Currency amount) { return amount.RoundTo(Currency::FromUnits(100)); }

std::string MinutesText(long long minutes) {
    const long long m = std::llabs(minutes);
    const auto two = [](long long n) { return (n < 10 ? "0" : "") + std::to_string(n); };
    return (minutes < 0 ? "-" : "") + two(m / 60) + ":" + two(m % 60);
}

std::string DateText(const db::Value& value) {
    if (value.IsNull()) return {};
    return value.ToDate().Format("dd.mm.yyyy");
}

std::string OfficeName(const hostapi::Interface& host, const std::string& fallback_path) {
    std::string name = Trim(host.OptionText(HostOptions::kOfficeName));
    if (name.empty()) name = BaseNameOf(host.FinanceDatabasePath());
    if (name.empty()) name = BaseNameOf(fallback_path);
    return name.empty() ? "Kanzlei" : name;
}

std::string PrintedToday() { return Date::Today().Format("dd.mm.yyyy"); }

}  // namespace tlx4r::report
