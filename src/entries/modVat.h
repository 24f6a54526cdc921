#pragma once

#include "db/Value.h"
#include "types/Currency.h"
#include "types/Date.h"

#include <string>
#include <vector>

namespace tlx4r::db {
class Database;
}

// Swiss VAT: the rate valid on a day, the tax rounded to 0.05 and the texts of a VAT entry.
//
// The rates by day are data: the table VatRate of the reporting database, which the office extends
// when the federal rate changes. While no reporting database is open (or its table is empty), the
// rates the law set up to 2017 apply.
namespace tlx4r {

// A rate valid from a day on, until the day of the next one; percent as users write it (7.6).
struct VatRateEntry {
    Date valid_from;
    Currency percent;

    bool operator==(const VatRateEntry&) const = default;
};

// The built-in rates: 6.5 % (also before its first day), 7.5 % from 1.1.1999, 7.6 % from
// 1.1.2001, 8.0 % from 1.1.2011.
const std::vector<VatRateEntry>& VatRatesBuiltIn();
// The rates in force, by day: those of the open reporting database's table, the built-in ones
// while none is open or its table has no rows. Errors of the engine pass to the caller.
std::vector<VatRateEntry> VatRates();
// Makes db's table VatRate exist; a table made just now gets the built-in rates.
void VatRatesAssert(db::Database& db);
// Adds to db's table a rate valid from the day of valid_from on, in one step. Throws AppError 5
// (nothing written) for a rate outside 0..100 %, a missing day, or a day that has a rate already.
void VatRateAdd(db::Database& db, Date valid_from, Currency percent);

// The rate (a fraction) valid on the day of a date; the rate valid today for Null, a missing
// argument or a value that is no date (a plain number included).
double VatRate(const db::Value& date = db::Value());
// amount × rate × 20, to 1/10000 (ties to even), to a whole number (ties to even), ÷ 20.
Currency VatAmount(Currency amount, const db::Value& date = db::Value());
// The same at a rate given in percent (the rate the user typed), whatever the day.
Currency VatAmountAtRate(Currency amount, double rate_percent);
std::string AmountText(Currency amount);
std::string VatAmountText(Currency amount, const db::Value& date = db::Value());
// "#0.00%": a number is a rate in percent shown as it is (7.6 → "7.60%"); a date shows the rate
// valid on that day in percent (1.1.2005 → "7.60%"); a text that is neither number nor date
// throws DbError 13 "Type mismatch".
std::string VatRateText(const db::Value& rate_or_date = db::Value());
// "MWST 8.00% auf 1,000.00 = 80.00".
std::string VatText(Currency amount, const db::Value& rate_or_date = db::Value());
// "MWST 7.60% auf 1,000.00 = 76.00": the text of a typed rate, its amount at that rate.
std::string VatTextAtRate(Currency amount, double rate_percent);

}  // namespace tlx4r
