#include "modVat.h"

#include "core/ReportingSchema.h"
#include "core/modAssert.h"
#include "core/modReporting.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/Recordset.h"
#include "db/Transaction.h"
#include "entries/modDateTime.h"
#include "types/AppError.h"
#include "types/Decimal.h"

#include <algorithm>

namespace tlx4r {

namespace {

constexpr const char* kTable = "VatRate";

Currency Percent(const char* text) { return *Currency::Parse(text); }

// A rate in percent as a fraction. Both numbers are exact in binary, so the quotient is the
// double nearest to the decimal fraction: 7.6 % gives the same 0.076 as the literal.
double Fraction(Currency percent) { return static_cast<double>(percent.Units()) / (100.0 * Currency::kScale); }

double RateOnDay(const std::vector<VatRateEntry>& rates, long day) {
    if (rates.empty()) return 0;
    // Days before the first rate's take the first rate, as they always did.
    Currency percent = rates.front().percent;
    for (const VatRateEntry& r : rates) {
        if (r.valid_from.DayNumber() > day) break;
        percent = r.percent;
    }
    return Fraction(percent);
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

// amount × factor × 20, to a whole number (ties to even), ÷ 20: the tax to 0.05.
Currency TaxAtFactor(Currency amount, double factor) {
    Currency twenty_fold = (amount * 20).MulRound(factor);
    Currency whole = twenty_fold.RoundTo(Currency::FromInt(1));
    return Currency::FromUnits(whole.Units() / 20);
}

double CurrentRate() { return RateOnDay(VatRates(), Date::Today().DayNumber()); }

}  // namespace

const std::vector<VatRateEntry>& VatRatesBuiltIn() {
    static const std::vector<VatRateEntry> rates{
        {Date::FromYmd(1995, 1, 1), Percent("6.5")},
        {Date::FromYmd(1999, 1, 1), Percent("7.5")},
        {Date::FromYmd(2001, 1, 1), Percent("7.6")},
        {Date::FromYmd(2011, 1, 1), Percent("8.0")},
    };
    return rates;
}

std::vector<VatRateEntry> VatRates() {
    if (goDatabase == nullptr || !goDatabase->TableDefs().Exists(kTable)) return VatRatesBuiltIn();
    std::vector<VatRateEntry> rates;
    auto rs = goDatabase->OpenRecordset(
        "SELECT ValidFrom, RatePercent FROM VatRate WHERE (ValidFrom Is Not Null) ORDER BY ValidFrom;",
        db::RecordsetType::Snapshot);
    for (; !rs.Eof(); rs.MoveNext()) {
        const db::Value percent = rs.Get("RatePercent");
        rates.push_back({rs.Get("ValidFrom").ToDate(), percent.IsNull() ? Currency() : percent.ToCurrency()});
    }
    return rates.empty() ? VatRatesBuiltIn() : rates;
}

void VatRatesAssert(db::Database& db) {
    if (!TableDeclAssert(db, schema::VatRateTable())) return;
    try {
        db::Transaction tx(db);
        std::int32_t id = 0;
        for (const VatRateEntry& r : VatRatesBuiltIn()) {
            db.Execute("INSERT INTO VatRate (ID, ValidFrom, RatePercent) VALUES (" + std::to_string(++id) + ", " +
                       DateSqlLiteral(r.valid_from) + ", " + r.percent.Format(4, false) + ");");
        }
        tx.Commit();
    } catch (const std::exception&) {
        // A step of the schema assert: an empty table reads as the built-in rates.
    }
}

void VatRateAdd(db::Database& db, Date valid_from, Currency percent) {
    if (valid_from.IsNull()) throw AppError(5, "VatRateAdd", "Das Datum fehlt.");
    if (percent < Currency() || percent > Currency::FromInt(100))
        throw AppError(5, "VatRateAdd", "Der Steuersatz muss zwischen 0 und 100 % liegen.");
    const Date day = valid_from.DateOnly();
    VatRatesAssert(db);
    db::Transaction tx(db);
    {
        auto rs = db.OpenRecordset("SELECT Count(*) FROM VatRate WHERE (ValidFrom = " + DateSqlLiteral(day) + ");",
                                   db::RecordsetType::Snapshot);
        if (!rs.Eof() && rs.Get(0).ToLong() > 0)
            throw AppError(5, "VatRateAdd", "Für den " + day.Format("dd.mm.yyyy") + " ist bereits ein Steuersatz erfasst.");
    }
    std::int32_t id = 1;
    {
        auto rs = db.OpenRecordset("SELECT Max(ID) FROM VatRate;", db::RecordsetType::Snapshot);
        if (!rs.Eof() && !rs.Get(0).IsNull()) id = static_cast<std::int32_t>(rs.Get(0).ToLong()) + 1;
    }
    db.Execute("INSERT INTO VatRate (ID, ValidFrom, RatePercent) VALUES (" + std::to_string(id) + ", " +
               DateSqlLiteral(day) + ", " + percent.Format(4, false) + ");");
    tx.Commit();
}

double VatRate(const db::Value& date) {
    auto d = AsDate(date);
    return d ? RateOnDay(VatRates(), d->DayNumber()) : CurrentRate();
}

Currency VatAmount(Currency amount, const db::Value& date) { return TaxAtFactor(amount, VatRate(date)); }

Currency VatAmountAtRate(Currency amount, double rate_percent) { return TaxAtFactor(amount, rate_percent / 100.0); }

std::string AmountText(Currency amount) { return amount.Format(2, true); }

std::string VatAmountText(Currency amount, const db::Value& date) { return AmountText(VatAmount(amount, date)); }

std::string VatRateText(const db::Value& rate_or_date) {
    if (rate_or_date.IsNull()) return PercentText(CurrentRate() * 100);
    if (auto d = AsDate(rate_or_date)) return PercentText(RateOnDay(VatRates(), d->DayNumber()) * 100);
    return PercentText(rate_or_date.ToDouble());
}

std::string VatText(Currency amount, const db::Value& rate_or_date) {
    return "MWST " + VatRateText(rate_or_date) + " auf " + AmountText(amount) + " = " +
           AmountText(VatAmount(amount, rate_or_date));
}

std::string VatTextAtRate(Currency amount, double rate_percent) {
    return "MWST " + VatRateText(db::Value(rate_percent)) + " auf " + AmountText(amount) + " = " +
           AmountText(VatAmountAtRate(amount, rate_percent));
}

}  // namespace tlx4r
