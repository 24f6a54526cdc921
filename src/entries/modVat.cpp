#include "modVat.h"

#include "db/DbError.h"
#include "types/Date.h"
#include "types/Decimal.h"

namespace tlx4r {

namespace {

constexpr double kCurrentRate = 0.08;

double RateOnDay(long day) {
    if (day <= 36160) return 0.065;  // up to 31.12.1998
    if (day <= 36891) return 0.075;  // up to 31.12.2000
    if (day <= 40543) return 0.076;  // up to 31.12.2010
    return kCurrentRate;
}

// A date argument as the old platform's IsDate saw it: a date value, or a text that reads as one.
std::optional<Date> AsDate(const db::Value& v) {
    if (v.kind() == db::Value::Kind::Date) return v.ToDate();
    if (v.kind() == db::Value::Kind::Text) {
        const auto text = v.ToText();
        if (!Decimal::Parse(text, true) && !Decimal::Parse(text, false)) return Date::Parse(text);
    }
    return std::nullopt;
}

std::string PercentText(double percent) {
    auto d = Decimal::FromDouble(percent);
    if (!d) throw db::DbError(6, "Overflow");
    return d->Format(2, false) + "%";
}

}  // namespace

double VatRate(const db::Value& date) {
    auto d = AsDate(date);
    return d ? RateOnDay(d->DayNumber()) : kCurrentRate;
}

namespace {

// amount × rate to 0.05: twenty-fold to 1/10000, to a whole number, then back.
Currency VatAtFraction(Currency amount, double rate) {
    Currency twenty_fold = (amount * 20).MulRound(rate);
    Currency whole = twenty_fold.RoundTo(Currency::FromInt(1));
    return Currency::FromUnits(whole.Units() / 20);
}

}  // namespace

Currency VatAmount(Currency amount, const db::Value& date) { return VatAtFraction(amount, VatRate(date)); }

Currency VatAmountAtRate(Currency amount, double rate_percent) { return VatAtFraction(amount, rate_percent / 100.0); }

std::string VatTextAtRate(Currency amount, double rate_percent) {
    return "MWST " + PercentText(rate_percent) + " auf " + AmountText(amount) + " = " +
           AmountText(VatAmountAtRate(amount, rate_percent));
}

std::string AmountText(Currency amount) { return amount.Format(2, true); }

std::string VatAmountText(Currency amount, const db::Value& date) { return AmountText(VatAmount(amount, date)); }

std::string VatRateText(const db::Value& rate_or_date) {
    if (rate_or_date.IsNull()) return PercentText(kCurrentRate);
    if (auto d = AsDate(rate_or_date)) return PercentText(RateOnDay(d->DayNumber()) * 100);
    return PercentText(rate_or_date.ToDouble());
}

std::string VatText(Currency amount, const db::Value& rate_or_date) {
    return "MWST " + VatRateText(rate_or_date) + " auf " + AmountText(amount) + " = " +
           AmountText(VatAmount(amount, rate_or_date));
}

}  // namespace tlx4r
