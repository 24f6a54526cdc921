#pragma once

#include "db/Value.h"
#include "types/Currency.h"

#include <string>

// Swiss VAT: the rate valid on a day, the tax rounded to 0.05 and the texts of a VAT entry.
namespace tlx4r {

// The rate (a fraction) valid on the day of a date; the current rate 0.08 for Null, a missing
// argument or a value that is no date (a plain number included).
double VatRate(const db::Value& date = db::Value());
// amount × rate × 20, to 1/10000 (ties to even), to a whole number (ties to even), ÷ 20.
Currency VatAmount(Currency amount, const db::Value& date = db::Value());
std::string AmountText(Currency amount);
std::string VatAmountText(Currency amount, const db::Value& date = db::Value());
// "#0.00%": a number is a rate in percent shown as it is (7.6 → "7.60%"); a date shows the rate
// valid on that day in percent (1.1.2005 → "7.60%"); a text that is neither number nor date
// throws DbError 13 "Type mismatch".
std::string VatRateText(const db::Value& rate_or_date = db::Value());
// "MWST 8.00% auf 1,000.00 = 80.00".
std::string VatText(Currency amount, const db::Value& rate_or_date = db::Value());
// The same at a rate the user typed (in percent) rather than the rate of a day: what a VAT
// entry computes, so that 7.6 typed gives 7.6 % of the turnover.
Currency VatAmountAtRate(Currency amount, double rate_percent);
std::string VatTextAtRate(Currency amount, double rate_percent);

}  // namespace tlx4r
