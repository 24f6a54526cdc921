#include "entries/modDateTime.h"

#include <gtest/gtest.h>

namespace tlx4r {
namespace {

Date D(int y, int m, int d) { return Date::FromYmd(y, m, d); }

TEST(DateRules, FindsWeekOneAndWeekNumbersAcrossYearEnds) {
    EXPECT_EQ(FirstWeekStart(2024), D(2024, 1, 1));
    EXPECT_EQ(FirstWeekStart(2021), D(2021, 1, 4));
    EXPECT_EQ(FirstWeekStart(2015), D(2014, 12, 29));
    EXPECT_EQ(FirstWeekStart(2026), D(2025, 12, 29));

    EXPECT_EQ(WeekOfYear(D(2024, 12, 31)), 53) << "counted from week 1 of 2024, not moved to 2025";
    EXPECT_EQ(WeekOfYear(D(2021, 1, 3)), 53) << "belongs to the last week of 2020";
    EXPECT_EQ(WeekOfYear(D(2021, 1, 1)), 53);
    EXPECT_EQ(WeekOfYear(D(2021, 1, 4)), 1);
    EXPECT_EQ(WeekOfYear(D(2014, 12, 29)), 53) << "week 1 of 2015 begins here, but the date is in 2014";
    EXPECT_EQ(WeekOfYear(D(2015, 1, 1)), 1);
    EXPECT_EQ(WeekOfYear(Date::FromYmdHms(2024, 5, 15, 23, 59, 0)), 20);

    EXPECT_EQ(WeekStartOf(2024, 52), D(2024, 12, 23));
    EXPECT_FALSE(WeekStartOf(2024, 53).has_value());
    EXPECT_FALSE(WeekStartOf(2024, 0).has_value());
    EXPECT_EQ(WeekStart(Date::FromYmdHms(2024, 3, 3, 12, 0, 0)), D(2024, 2, 26)) << "a Sunday";
    EXPECT_EQ(WeekEnd(D(2024, 12, 30)), D(2025, 1, 5));
}

TEST(DateRules, GivesPeriodBounds) {
    EXPECT_EQ(MonthEnd(D(2024, 2, 15)), D(2024, 2, 29));
    EXPECT_EQ(MonthEnd(D(2023, 2, 15)), D(2023, 2, 28));
    EXPECT_EQ(MonthEnd(D(1900, 2, 10)), D(1900, 2, 28)) << "1900 was no leap year";
    EXPECT_EQ(MonthEnd(D(2000, 2, 10)), D(2000, 2, 29));
    EXPECT_EQ(MonthStart(Date::FromYmdHms(2024, 7, 31, 10, 0, 0)), D(2024, 7, 1));
    EXPECT_EQ(QuarterEnd(D(2024, 5, 15)), D(2024, 6, 30));
    EXPECT_EQ(QuarterStart(D(2024, 12, 31)), D(2024, 10, 1));
    EXPECT_EQ(SemesterStart(D(2024, 8, 15)), D(2024, 7, 1));
    EXPECT_EQ(SemesterEnd(D(2024, 6, 30)), D(2024, 6, 30));
    EXPECT_EQ(YearStart(D(2024, 8, 15)), D(2024, 1, 1));
    EXPECT_EQ(YearEnd(D(2024, 8, 15)), D(2024, 12, 31));
    EXPECT_FALSE(QuarterStartOf(2024, 5).has_value());
    EXPECT_FALSE(QuarterEndOf(2024, 0).has_value());
    EXPECT_FALSE(SemesterStartOf(2024, 3).has_value());
    EXPECT_EQ(SemesterEndOf(2024, 1), D(2024, 6, 30));
}

TEST(DateRules, WritesSqlConditionsAndStamps) {
    EXPECT_EQ(DateSqlLiteral(Date::FromYmdHms(2024, 3, 1, 17, 0, 0)), "#03/01/2024#");
    EXPECT_EQ(DateRangeCondition("BookDate"), "");
    EXPECT_EQ(DateRangeCondition("BookDate", D(2024, 3, 1)), "(BookDate >= #03/01/2024#)");
    EXPECT_EQ(DateRangeCondition("BookDate", std::nullopt, D(2024, 3, 31)), "(BookDate <= #03/31/2024#)");
    EXPECT_EQ(DateRangeCondition("BookDate", D(2024, 3, 1), D(2024, 3, 1)), "(BookDate = #03/01/2024#)");
    EXPECT_EQ(DateRangeCondition("Entry.BookDate", D(2024, 3, 1), D(2024, 3, 31)),
              "(Entry.BookDate BETWEEN #03/01/2024# AND #03/31/2024#)");
    EXPECT_EQ(DateRangeCondition("BookDate", D(2024, 4, 1), D(2024, 3, 1)), "FALSE");
    // the bounds compare with their time; the literals carry the date only
    EXPECT_EQ(DateRangeCondition("BookDate", Date::FromYmdHms(2024, 3, 1, 12, 0, 0), D(2024, 3, 1)), "FALSE");

    Date stamp = Date::FromYmdHms(2024, 3, 5, 7, 4, 9);
    EXPECT_EQ(DateTimeStamp(stamp), "20240305 070409");
    EXPECT_EQ(DateTimeStamp(Date()), std::string(15, ' '));
    EXPECT_EQ(DateStampDate(stamp), "20240305");
    EXPECT_EQ(DateStampTime(stamp), "070409");
    EXPECT_EQ(DateStampDate(Date()), "");

    EXPECT_EQ(DateText(db::Value(D(2024, 5, 15))), "15.05.2024");
    EXPECT_EQ(DateText(db::Value()), "");
    EXPECT_EQ(DateText(db::Value(Date())), "");
    EXPECT_EQ(DateText(db::Value("15.05.2024")), "") << "a text is no date value";
    EXPECT_EQ(DateFormat(db::Value(stamp), "dd.mm.yy hh:mm"), "05.03.24 07:04");
    EXPECT_EQ(DateFormat(db::Value(stamp), ""), "05.03.2024 07:04:09");
}

}  // namespace
}  // namespace tlx4r
