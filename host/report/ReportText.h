#pragma once

#include "types/Currency.h"

#include <string>

namespace tlx4r::db {
class Value;
}
namespace tlx4r::hostapi {
class Interface;
}

namespace tlx4r::report {

// How reports write their values: Swiss amounts ("1'234.50", "0.00" for nothing), hours as
// "HH:mm" from whole minutes (so that a total is the exact sum of its rows), dates "dd.mm.yyyy"
// and empty for a missing one.
std::string AmountText(Currency amount);
// The amount rounded to the rappen as the accounting rounds (half to even); rows are printed
// and added up rounded so that a printed total is the sum of the printed rows.
Currency Rappen(Currency amount);
std::string MinutesText(long long minutes);
std::string DateText(const db::Value& value);

// The office name printed on reports: the host's option, else the file name without extension of
// the finance database, else of fallback_path (the reporting database), else "Kanzlei".
std::string OfficeName(const hostapi::Interface& host, const std::string& fallback_path = {});
// Today as reports print it.
std::string PrintedToday();

}  // namespace tlx4r::report
