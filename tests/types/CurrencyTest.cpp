#include "types/Currency.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tlx4r {
namespace {

Currency C(const char* text) { return *Currency::Parse(text); }

TEST(Currency, SumsWithoutDrift) {
    Currency sum;
    for (int i = 0; i < 100000; ++i) sum += C("0.10");
    EXPECT_EQ(sum, Currency::FromInt(10000));
    EXPECT_EQ(sum.Format(), "10,000.00");

    Currency mixed;
    for (int i = 0; i < 1000; ++i) mixed += Currency::FromDouble(0.1) - C("0.30") + C("0.2");
    EXPECT_TRUE(mixed.IsZero());
}

TEST(Currency, ParsesAmountsAsUsersTypeThem) {
    EXPECT_EQ(C("1234.56").Units(), 12345600);
    EXPECT_EQ(C("1,234.56"), C("1234.56"));
    EXPECT_EQ(C("1'234'567.5"), C("1234567.50"));
    EXPECT_EQ(C(" -12.5 ").Units(), -125000);
    EXPECT_EQ(C("+3"), Currency::FromInt(3));
    EXPECT_EQ(C(".05").Units(), 500);
    EXPECT_EQ(C("7.").Units(), 70000);
    // a fifth decimal rounds half-to-even at the fourth
    EXPECT_EQ(C("0.00005").Units(), 0);
    EXPECT_EQ(C("0.00015").Units(), 2);

    for (const char* bad : {"", " ", "abc", "1.2.3", "12,", ",12", "1,,234", "1.234,5", "12,50", "1,2345", "--1", "12 34", "1e5"}) {
        EXPECT_FALSE(Currency::Parse(bad).has_value()) << bad;
    }
    EXPECT_FALSE(Currency::Parse("9999999999999999999").has_value()) << "beyond the range";
}

TEST(Currency, FormatsWithGroupingAndSign) {
    EXPECT_EQ(Currency().Format(), "0.00");
    EXPECT_EQ(C("1000").Format(), "1,000.00");
    EXPECT_EQ(C("-1234567.891").Format(), "-1,234,567.89");
    EXPECT_EQ(C("999.995").Format(), "1,000.00");
    EXPECT_EQ(C("-0.004").Format(), "0.00") << "no negative zero";
    EXPECT_EQ(C("1234.5").Format(0, true), "1,235");
    EXPECT_EQ(C("1234.5").Format(2, false), "1234.50");
}

TEST(Currency, RoundsToStepsHalfToEven) {
    const Currency five = C("0.05"), tenth = C("0.1"), franc = Currency::FromInt(1);
    EXPECT_EQ(C("9.875").RoundTo(five), C("9.90"));
    EXPECT_EQ(C("0.025").RoundTo(five), C("0.00")) << "tie goes to the even multiple (0)";
    EXPECT_EQ(C("0.075").RoundTo(five), C("0.10")) << "tie goes to the even multiple (2)";
    EXPECT_EQ(C("0.125").RoundTo(five), C("0.10"));
    EXPECT_EQ(C("-0.075").RoundTo(five), C("-0.10"));
    EXPECT_EQ(C("12.25").RoundTo(tenth), C("12.20"));
    EXPECT_EQ(C("12.35").RoundTo(tenth), C("12.40"));
    EXPECT_EQ(C("2.5").RoundTo(franc), C("2"));
    EXPECT_EQ(C("3.5").RoundTo(franc), C("4"));
    EXPECT_EQ(C("-2.5").RoundTo(franc), C("-2"));
    EXPECT_THROW((void)C("1").RoundTo(Currency()), std::invalid_argument);
}

TEST(Currency, MultipliesByDecimalFactorsExactly) {
    // 0.076 has no exact binary form; the product must still be the decimal one
    EXPECT_EQ(C("100").MulRound(0.076), C("7.60"));
    EXPECT_EQ(C("2469").MulRound(0.08), C("197.52"));
    EXPECT_EQ(C("0.3125").MulRound(0.08), C("0.025"));
    EXPECT_EQ(C("0.00125").MulRound(0.1), C("0.0001")) << "0.000125 ties to even";
    EXPECT_EQ(C("120").MulRound(1.75), C("210"));
    EXPECT_EQ(C("-19.99").MulRound(3), C("-59.97"));
}

TEST(Currency, RefusesToLeaveItsRange) {
    const Currency max = Currency::FromUnits(INT64_MAX);
    EXPECT_THROW((void)(max + C("0.0001")), std::overflow_error);
    EXPECT_THROW((void)(-max - C("1")), std::overflow_error);
    EXPECT_THROW((void)(max * 2), std::overflow_error);
    EXPECT_THROW((void)Currency::FromDouble(1e300), std::overflow_error);
    EXPECT_THROW((void)Currency::FromDouble(std::numeric_limits<double>::quiet_NaN()), std::overflow_error);
    EXPECT_EQ(Currency::FromDouble(0.1), C("0.1"));
    EXPECT_EQ(Currency::FromDouble(99.99999999999859), C("100")) << "float noise from a REAL sum";
}

}  // namespace
}  // namespace tlx4r
