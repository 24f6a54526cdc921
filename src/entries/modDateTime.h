#pragma once

#include "db/Value.h"
#include "types/Date.h"

#include <optional>
#include <string>
#include <string_view>

// Period arithmetic for selections and the date range control. Weeks run Monday to Sunday;
// week 1 is the week holding the year's first Thursday, and late-December days after the last
// full week keep week 53 of their own year. Routines that can have no answer return nullopt
// (the old "Null").
namespace tlx4r {

// "#mm/dd/yyyy#", the date only.
std::string DateSqlLiteral(Date date);
// "yyyymmdd hhmmss"; 15 blanks for the date 0.
std::string DateTimeStamp(Date date);
std::string DateStampDate(Date date);  // "yyyymmdd", "" for 0
std::string DateStampTime(Date date);  // "hhmmss", "" for 0

int WeekOfYear(Date date);
Date FirstWeekStart(int year);
// nullopt when week is outside 1..52.
std::optional<Date> WeekStartOf(int year, int week);
Date WeekStart(Date date);
Date WeekEnd(Date date);
Date MonthStart(Date date);
Date MonthEnd(Date date);
Date YearStart(Date date);
Date YearEnd(Date date);
std::optional<Date> QuarterStart(Date date);
std::optional<Date> QuarterStartOf(int year, int quarter);
std::optional<Date> QuarterEnd(Date date);
std::optional<Date> QuarterEndOf(int year, int quarter);
std::optional<Date> SemesterStart(Date date);
std::optional<Date> SemesterStartOf(int year, int half);
std::optional<Date> SemesterEnd(Date date);
std::optional<Date> SemesterEndOf(int year, int half);

// The SQL condition on column for the range; an absent bound is no limit, no bounds give "",
// from after to gives "FALSE".
std::string DateRangeCondition(std::string_view column, std::optional<Date> from = std::nullopt,
                               std::optional<Date> to = std::nullopt);

// "" unless value is a date other than 0; with a format the date formatted with it, else the
// value's default text.
std::string DateFormat(const db::Value& value, std::string_view format);
// DateFormat with "dd.mm.yyyy".
std::string DateText(const db::Value& value);

}  // namespace tlx4r
