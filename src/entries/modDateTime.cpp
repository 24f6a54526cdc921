#include "modDateTime.h"

#include <cmath>

namespace tlx4r {

std::string DateSqlLiteral(Date date) { return date.Format("#mm/dd/yyyy#"); }

std::string DateTimeStamp(Date date) {
    if (date.IsNull()) return std::string(15, ' ');
    return date.Format("yyyymmdd hhnnss");
}

std::string DateStampDate(Date date) { return date.IsNull() ? std::string() : DateTimeStamp(date).substr(0, 8); }

std::string DateStampTime(Date date) { return date.IsNull() ? std::string() : DateTimeStamp(date).substr(9, 6); }

Date FirstWeekStart(int year) {
    Date d = Date::FromYmd(year, 1, 1);
    while (d.Weekday() != 4) d = d.AddDays(1);
    return d.AddDays(-3);
}

int WeekOfYear(Date date) {
    long day = date.DayNumber();
    long count = day - FirstWeekStart(date.Year()).DayNumber();
    if (count < 0) count = day - FirstWeekStart(date.Year() - 1).DayNumber();
    return static_cast<int>(count / 7 + 1);
}

std::optional<Date> WeekStartOf(int year, int week) {
    if (week < 1 || week > 52) return std::nullopt;
    return FirstWeekStart(year).AddDays((week - 1) * 7L);
}

Date WeekStart(Date date) { return Date(static_cast<double>(date.DayNumber() - (date.Weekday() - 1))); }

Date WeekEnd(Date date) { return WeekStart(date).AddDays(6); }

Date MonthStart(Date date) { return Date::FromYmd(date.Year(), date.Month(), 1); }

Date MonthEnd(Date date) { return MonthStart(date).AddMonths(1).AddDays(-1); }

Date YearStart(Date date) { return Date::FromYmd(date.Year(), 1, 1); }

Date YearEnd(Date date) { return Date::FromYmd(date.Year(), 12, 31); }

std::optional<Date> QuarterStartOf(int year, int quarter) {
    if (quarter < 1 || quarter > 4) return std::nullopt;
    return Date::FromYmd(year, (quarter - 1) * 3 + 1, 1);
}

std::optional<Date> QuarterEndOf(int year, int quarter) {
    static constexpr int kLastDay[] = {31, 30, 30, 31};
    if (quarter < 1 || quarter > 4) return std::nullopt;
    return Date::FromYmd(year, quarter * 3, kLastDay[quarter - 1]);
}

std::optional<Date> QuarterStart(Date date) { return QuarterStartOf(date.Year(), (date.Month() - 1) / 3 + 1); }

std::optional<Date> QuarterEnd(Date date) { return QuarterEndOf(date.Year(), (date.Month() - 1) / 3 + 1); }

std::optional<Date> SemesterStartOf(int year, int half) {
    if (half < 1 || half > 2) return std::nullopt;
    return Date::FromYmd(year, half == 1 ? 1 : 7, 1);
}

std::optional<Date> SemesterEndOf(int year, int half) {
    if (half < 1 || half > 2) return std::nullopt;
    return half == 1 ? Date::FromYmd(year, 6, 30) : Date::FromYmd(year, 12, 31);
}

std::optional<Date> SemesterStart(Date date) { return SemesterStartOf(date.Year(), (date.Month() - 1) / 6 + 1); }

std::optional<Date> SemesterEnd(Date date) { return SemesterEndOf(date.Year(), (date.Month() - 1) / 6 + 1); }

std::string DateRangeCondition(std::string_view column, std::optional<Date> from, std::optional<Date> to) {
    std::string c(column);
    if (!from && !to) return {};
    if (!to) return "(" + c + " >= " + DateSqlLiteral(*from) + ")";
    if (!from) return "(" + c + " <= " + DateSqlLiteral(*to) + ")";
    if (*from == *to) return "(" + c + " = " + DateSqlLiteral(*from) + ")";
    if (*from < *to) {
        return "(" + c + " BETWEEN " + DateSqlLiteral(*from) + " AND " + DateSqlLiteral(*to) + ")";
    }
    return "FALSE";
}

std::string DateFormat(const db::Value& value, std::string_view format) {
    if (value.kind() != db::Value::Kind::Date) return {};
    Date date = value.ToDate();
    if (date.IsNull()) return {};
    return format.empty() ? value.ToText() : date.Format(format);
}

std::string DateText(const db::Value& value) { return DateFormat(value, "dd.mm.yyyy"); }

}  // namespace tlx4r
