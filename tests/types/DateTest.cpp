#include "types/Date.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tlx4r {
namespace {

TEST(Date, CountsDaysFromTheOldEpoch) {
    EXPECT_EQ(Date::FromYmd(1899, 12, 30).Serial(), 0);
    EXPECT_EQ(Date::FromYmd(1900, 1, 1).Serial(), 2);
    EXPECT_EQ(Date::FromYmd(1998, 12, 31).Serial(), 36160);
    EXPECT_EQ(Date::FromYmd(2010, 12, 31).Serial(), 40543);
    EXPECT_EQ(Date::FromYmd(2024, 3, 1).Serial(), 45352);

    Date d = Date::FromYmdHms(2024, 2, 29, 18, 30, 15);
    EXPECT_EQ(d.Year(), 2024);
    EXPECT_EQ(d.Month(), 2);
    EXPECT_EQ(d.Day(), 29);
    EXPECT_EQ(d.Hour(), 18);
    EXPECT_EQ(d.Minute(), 30);
    EXPECT_EQ(d.Second(), 15);
    EXPECT_EQ(d.Weekday(), 4) << "a Thursday";
    EXPECT_EQ(d.DateOnly(), Date::FromYmd(2024, 2, 29));

    // before the epoch the fraction still counts forward from midnight
    Date early(-1.25);
    EXPECT_EQ(early.Day(), 29);
    EXPECT_EQ(early.Hour(), 6);

    EXPECT_THROW(Date::FromYmd(2023, 2, 29), std::invalid_argument);
    EXPECT_THROW(Date::FromTime(24, 0), std::invalid_argument);
}

TEST(Date, AddsMonthsClippingToMonthEnds) {
    EXPECT_EQ(Date::FromYmd(2024, 1, 31).AddMonths(1), Date::FromYmd(2024, 2, 29));
    EXPECT_EQ(Date::FromYmd(2023, 1, 31).AddMonths(1), Date::FromYmd(2023, 2, 28));
    EXPECT_EQ(Date::FromYmd(2024, 3, 31).AddMonths(-1), Date::FromYmd(2024, 2, 29));
    EXPECT_EQ(Date::FromYmd(2024, 3, 31).AddMonths(-3), Date::FromYmd(2023, 12, 31));
    EXPECT_EQ(Date::FromYmd(2024, 11, 30).AddMonths(3), Date::FromYmd(2025, 2, 28));
    EXPECT_EQ(Date::FromYmdHms(2024, 1, 31, 8, 0, 0).AddMonths(1).Hour(), 8);
}

TEST(Date, FormatsWithTheOldPatternLetters) {
    Date d = Date::FromYmdHms(2024, 3, 5, 7, 4, 9);
    EXPECT_EQ(d.Format("dd.mm.yyyy"), "05.03.2024");
    EXPECT_EQ(d.Format("dd.mm.yy"), "05.03.24");
    EXPECT_EQ(d.Format("d.m.yyyy"), "5.3.2024");
    EXPECT_EQ(d.Format("hh:mm"), "07:04") << "mm after an hour is minutes";
    EXPECT_EQ(d.Format("HH:mm:ss"), "07:04:09");
    EXPECT_EQ(d.Format("#mm/dd/yyyy#"), "#03/05/2024#");
    EXPECT_EQ(d.Format("yyyymmdd hhnnss"), "20240305 070409");
    // 23:59:59.7 must not show as 24:00
    EXPECT_EQ(Date(0.99999).Format("hh:mm:ss"), "23:59:59");
}

TEST(Date, ParsesWhatUsersType) {
    EXPECT_EQ(Date::Parse("15.05.2024"), Date::FromYmd(2024, 5, 15));
    EXPECT_EQ(Date::Parse(" 1.2.24 "), Date::FromYmd(2024, 2, 1));
    EXPECT_EQ(Date::Parse("1.2.95"), Date::FromYmd(1995, 2, 1));
    EXPECT_EQ(Date::Parse("2024-05-15"), Date::FromYmd(2024, 5, 15));
    EXPECT_EQ(Date::Parse("15.5.2024 8:30"), Date::FromYmdHms(2024, 5, 15, 8, 30, 0));
    EXPECT_EQ(Date::Parse("12:5"), Date::FromTime(12, 5));
    EXPECT_EQ(Date::Parse("0:45:10"), Date::FromTime(0, 45, 10));
    EXPECT_EQ(Date::Parse("3.4.")->Month(), 4);
    for (const char* bad : {"", "25:99", "24:00", "31.4.2024", "29.2.2023", "60", "12.5", "a.b.c", "1.2.3.4",
                            "15.05.2024 25:00", "2024-13-01", "12:"}) {
        EXPECT_FALSE(Date::Parse(bad).has_value()) << bad;
    }
}

}  // namespace
}  // namespace tlx4r
