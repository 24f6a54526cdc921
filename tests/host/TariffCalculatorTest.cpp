#include "host/TariffCalculator.h"

#include "support/ScriptedUi.h"
#include "types/AppError.h"

#include <gtest/gtest.h>

#include <ostream>

namespace tlx4r {
namespace {

Currency Chf(const char* text) { return *Currency::Parse(text); }

struct FeeCase {
    const char* base;
    const char* fee;
    friend std::ostream& operator<<(std::ostream& out, const FeeCase& c) {
        return out << c.base << " -> " << c.fee;
    }
};

class NotaryTariffFee : public ::testing::TestWithParam<FeeCase> {};

TEST_P(NotaryTariffFee, FollowsTheBracketsMinimumMaximumAndRounding) {
    EXPECT_EQ(NotaryTariff::Standard().Fee(Chf(GetParam().base)).Format(), GetParam().fee);
}

INSTANTIATE_TEST_SUITE_P(
    Standard, NotaryTariffFee,
    ::testing::Values(FeeCase{"0", "150.00"},         // a deed without value: the minimum
                      FeeCase{"29999.99", "150.00"},  // still below the minimum
                      FeeCase{"30000", "150.00"},     // where 5 per mille reach it
                      FeeCase{"30005", "150.00"},     // 150.025: the tie goes to the even step
                      FeeCase{"30015", "150.10"},     // 150.075: the tie goes up to the even step
                      FeeCase{"30010", "150.05"},
                      FeeCase{"100000", "500.00"},  // end of the first bracket
                      FeeCase{"100010", "500.05"},  // 500.03, the next 10 at 3 per mille
                      FeeCase{"500000", "1,700.00"},
                      FeeCase{"500100", "1,700.20"},  // 2 per mille from here
                      FeeCase{"750000", "2,200.00"},  // the worked example of docs/host.md
                      FeeCase{"1000000", "2,700.00"}, FeeCase{"5000000", "6,700.00"},
                      FeeCase{"5001000", "6,700.50"},    // 0.5 per mille beyond 5 million
                      FeeCase{"41600000", "25,000.00"},  // where the maximum is reached
                      FeeCase{"100000000", "25,000.00"}));

TEST(NotaryTariff, RefusesANegativeBase) {
    try {
        NotaryTariff::Standard().Fee(Chf("-0.01"));
        FAIL() << "a negative base was accepted";
    } catch (const AppError& e) {
        EXPECT_EQ(e.Source(), "Tarif");
        EXPECT_EQ(e.Description(), "Die Bemessungsgrundlage darf nicht negativ sein.");
    }
}

TEST(TariffCalculator, HandsOverTheFeeTheUserAccepts) {
    test::ScriptedUi ui;
    TariffCalculator calc;
    calc.SetFee(Chf("80"));
    ui.ExpectInput("750'000").ExpectMessage(
        "Bemessungsgrundlage CHF 750,000.00\r\nGebühr CHF 2,200.00\r\n\r\nGebühr übernehmen?",
        ui::Answer::Yes, "Tarif", ui::Icon::Question);
    EXPECT_TRUE(calc.Show(Date::FromYmd(2017, 12, 16)));
    EXPECT_EQ(calc.Fee(), Chf("2200"));
    EXPECT_EQ(calc.AssessmentBase(), Chf("750000"));
}

TEST(TariffCalculator, KeepsTheGivenFeeWhenTheUserDeclinesOrCancels) {
    test::ScriptedUi ui;
    TariffCalculator calc;
    calc.SetFee(Chf("80"));
    ui.ExpectInput("zehntausend")
        .ExpectMessage("'zehntausend' ist kein gültiger Betrag.", ui::Answer::Ok, "Tarif",
                       ui::Icon::Exclamation)
        .ExpectInput("-5")
        .ExpectMessage("Die Bemessungsgrundlage darf nicht negativ sein.", ui::Answer::Ok, "Tarif",
                       ui::Icon::Exclamation)
        .ExpectInput("50000")
        .ExpectMessageContaining("Gebühr CHF 250.00", ui::Answer::No);
    EXPECT_FALSE(calc.Show());
    EXPECT_EQ(calc.Fee(), Chf("80"));

    ui.ExpectInput(std::nullopt);
    EXPECT_FALSE(calc.Show());
    ui.ExpectInput("  ");
    EXPECT_FALSE(calc.Show());
    EXPECT_EQ(calc.Fee(), Chf("80"));
    EXPECT_TRUE(calc.AssessmentBase().IsZero());

    calc.Terminate();
    EXPECT_THROW(calc.Show(), AppError);
}

}  // namespace
}  // namespace tlx4r
