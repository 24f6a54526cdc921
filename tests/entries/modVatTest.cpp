#include "entries/modVat.h"

#include "db/DbError.h"

#include <gtest/gtest.h>

namespace tlx4r {
namespace {

Currency C(const char* t) { return *Currency::Parse(t); }
db::Value Day(int y, int m, int d) { return db::Value(Date::FromYmd(y, m, d)); }

TEST(VatRules, ChoosesTheRateByDayOnTheBoundaries) {
    EXPECT_EQ(VatRate(Day(1998, 12, 31)), 0.065);
    EXPECT_EQ(VatRate(Day(1999, 1, 1)), 0.075);
    EXPECT_EQ(VatRate(Day(2000, 12, 31)), 0.075);
    EXPECT_EQ(VatRate(Day(2001, 1, 1)), 0.076);
    EXPECT_EQ(VatRate(Day(2010, 12, 31)), 0.076);
    EXPECT_EQ(VatRate(db::Value(Date::FromYmdHms(2010, 12, 31, 23, 59, 0))), 0.076) << "the day decides";
    EXPECT_EQ(VatRate(Day(2011, 1, 1)), 0.08);
    EXPECT_EQ(VatRate(), 0.08);
    EXPECT_EQ(VatRate(db::Value()), 0.08);
    EXPECT_EQ(VatRate(db::Value(36000.0)), 0.08) << "a plain number is no date";
    EXPECT_EQ(VatRate(db::Value("1.6.2005")), 0.076) << "a text that reads as a date is one";
}

TEST(VatRules, RoundsTheTaxToFiveRappenTiesToEven) {
    EXPECT_EQ(VatAmount(C("1000"), Day(2005, 6, 1)), C("76.00"));
    EXPECT_EQ(VatAmount(C("123.45")), C("9.90"));
    EXPECT_EQ(VatAmount(C("100"), Day(2005, 6, 1)), C("7.60"));
    EXPECT_EQ(VatAmount(C("0.62")), C("0.05"));
    // 0.3125 × 0.08 × 20 = 0.5 exactly: the tie goes to 0; 0.9375 × … = 1.5 goes to 2
    EXPECT_EQ(VatAmount(C("0.3125")), C("0.00"));
    EXPECT_EQ(VatAmount(C("0.9375")), C("0.10"));
    EXPECT_EQ(VatAmount(C("-123.45")), C("-9.90"));
    EXPECT_EQ(VatAmount(C("0")), C("0"));
    EXPECT_EQ(VatAmountText(C("12500"), Day(2024, 1, 1)), "1,000.00");
}

TEST(VatRules, WritesTheTexts) {
    EXPECT_EQ(VatText(C("1000"), db::Value(8.0)), "MWST 8.00% auf 1,000.00 = 80.00");
    EXPECT_EQ(VatRateText(db::Value(7.6)), "7.60%");
    EXPECT_EQ(VatRateText(db::Value("7.6")), "7.60%");
    EXPECT_EQ(VatRateText(Day(2005, 6, 1)), "7.60%") << "a date shows its rate in percent";
    EXPECT_EQ(VatText(C("1000"), Day(1998, 6, 1)), "MWST 6.50% auf 1,000.00 = 65.00");
    EXPECT_THROW(VatRateText(db::Value("acht")), db::DbError);
}

}  // namespace
}  // namespace tlx4r
