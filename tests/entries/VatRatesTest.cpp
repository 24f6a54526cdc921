#include "entries/modVat.h"

#include "EntriesDb.h"
#include "db/Recordset.h"
#include "support/RunProgram.h"
#include "types/AppError.h"

#include <gtest/gtest.h>

namespace tlx4r::test {
namespace {

db::Value Day(int y, int m, int d) { return db::Value(Date::FromYmd(y, m, d)); }

TEST(VatAtTypedRate, TheTypedRateGovernsAmountAndText) {
    struct Case {
        const char* amount;
        double percent;
        const char* tax;
        const char* text;
    };
    const Case cases[] = {
        {"1000", 7.6, "76.00", "MWST 7.60% auf 1,000.00 = 76.00"},
        {"1000", 8.1, "81.00", "MWST 8.10% auf 1,000.00 = 81.00"},
        {"123.45", 8, "9.90", "MWST 8.00% auf 123.45 = 9.90"},
        {"0.3125", 8, "0.00", "MWST 8.00% auf 0.31 = 0.00"},  // 0.5 twentieths: the tie goes to 0
        {"0.9375", 8, "0.10", "MWST 8.00% auf 0.94 = 0.10"},  // 1.5 twentieths go to 2
        {"-250", 2.5, "-6.25", "MWST 2.50% auf -250.00 = -6.25"},
        {"500", 0, "0.00", "MWST 0.00% auf 500.00 = 0.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(VatAmountAtRate(C(c.amount), c.percent), C(c.tax));
        EXPECT_EQ(VatTextAtRate(C(c.amount), c.percent), c.text);
    }
}

class VatRatesTest : public EntriesDb {};

TEST_F(VatRatesTest, TheTableStartsWithTheBuiltInRatesAndTheOfficeExtendsIt) {
    EXPECT_EQ(VatRates(), VatRatesBuiltIn());
    EXPECT_EQ(Scalar("SELECT Count(*) FROM VatRate").ToLong(), 4);
    EXPECT_EQ(VatRate(Day(1990, 5, 1)), 0.065) << "days before the first rate take the first one";

    VatRateAdd(Db(), Date::FromYmd(2018, 1, 1), C("7.7"));
    VatRateAdd(Db(), Date::FromYmdHms(2024, 1, 1, 10, 30, 0), C("8.1"));  // the day counts
    EXPECT_EQ(VatRate(Day(2017, 12, 31)), 0.08);
    EXPECT_EQ(VatRate(Day(2018, 1, 1)), 0.077);
    EXPECT_EQ(VatRate(Day(2023, 12, 31)), 0.077);
    EXPECT_EQ(VatRate(Day(2024, 1, 1)), 0.081);
    EXPECT_EQ(VatRate(), 0.081) << "today's rate";
    EXPECT_EQ(VatAmount(C("1000"), Day(2019, 3, 1)), C("77.00"));
    EXPECT_EQ(VatText(C("1000"), Day(2024, 2, 1)), "MWST 8.10% auf 1,000.00 = 81.00");
    EXPECT_EQ(VatRateText(), "8.10%");

    // Refused without a trace: a day that has its rate, a rate that is none.
    auto refused = [&](Date day, const char* percent) {
        try {
            VatRateAdd(Db(), day, C(percent));
        } catch (const AppError& e) {
            return e.Number();
        }
        return 0L;
    };
    EXPECT_EQ(refused(Date::FromYmd(2024, 1, 1), "8.2"), 5);
    EXPECT_EQ(refused(Date::FromYmd(2030, 1, 1), "100.01"), 5);
    EXPECT_EQ(refused(Date::FromYmd(2030, 1, 1), "-1"), 5);
    EXPECT_EQ(refused(Date(), "8"), 5);
    EXPECT_EQ(Scalar("SELECT Count(*) FROM VatRate").ToLong(), 6);

    // The rates belong to the file: they come back with it and are not seeded again.
    layer.DBClose();
    EXPECT_EQ(VatRates(), VatRatesBuiltIn());
    EXPECT_EQ(VatRate(Day(2024, 1, 1)), 0.08);
    layer.DBOpen(Path());
    EXPECT_EQ(Scalar("SELECT Count(*) FROM VatRate").ToLong(), 6);
    EXPECT_EQ(VatRates().back(), (VatRateEntry{Date::FromYmd(2024, 1, 1), C("8.1")}));

    // An emptied table falls back to the built-in rates rather than to none.
    Db().Execute("DELETE * FROM VatRate;");
    EXPECT_EQ(VatRate(Day(2024, 1, 1)), 0.08);
}

TEST_F(VatRatesTest, ConvertingTheFileKeepsTheOfficesRates) {
    TLX4R_FILES_ONLY();
    VatRateAdd(Db(), Date::FromYmd(2024, 1, 1), C("8.1"));
    ui.ExpectMessageContaining("bereits konvertiert", ui::Answer::Yes);
    EXPECT_EQ(layer.Convert(), "");
    EXPECT_EQ(Scalar("SELECT Count(*) FROM VatRate").ToLong(), 5);
    EXPECT_EQ(VatRate(Day(2024, 6, 1)), 0.081);
}

TEST_F(VatRatesTest, TheCommandListsAndAddsRates) {
    const std::string path = Path();
    layer.DBClose();
    auto run = [&](const std::vector<std::string>& args) {
        return RunProgram(TLX4R_CLI, args, dir);
    };
    auto listed = run({"vat", path});
    ASSERT_EQ(listed.exit_code, 0) << listed.err;
    EXPECT_EQ(listed.out,
              "ValidFrom,RatePercent\r\n01.01.1995,6.50\r\n01.01.1999,7.50\r\n01.01.2001,7."
              "60\r\n01.01.2011,8.00\r\n");
    auto added = run({"vat", path, "--add", "01.01.2024", "8.1"});
    ASSERT_EQ(added.exit_code, 0) << added.err;
    EXPECT_NE(added.out.find("01.01.2011,8.00\r\n01.01.2024,8.10\r\n"), std::string::npos)
        << added.out;
    EXPECT_EQ(run({"vat", path, "--add", "01.01.2024", "8.2"}).exit_code, 1);
    EXPECT_EQ(run({"vat", path, "--add", "31.02.2024", "8.2"}).exit_code, 2);
    EXPECT_EQ(run({"vat", path, "--add", "01.01.2025", "acht"}).exit_code, 2);
    EXPECT_EQ(run({"vat", path, "--add", "01.01.2025"}).exit_code, 2);
    auto after = run({"vat", path});
    EXPECT_EQ(after.out, added.out);
}

}  // namespace
}  // namespace tlx4r::test
