#include "core/modValidate.h"

#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

namespace tlx4r {
namespace {

using test::ScriptedUi;

const char* const kTimeMessage =
    "Kann die Zeitangabe nicht erkennen!\r\nBitte nochmals eingeben!\r\nDas Zeitformat hier ist 'hh:mm'";

TEST(Validate, NormalisesTypedTimes) {
    ScriptedUi ui;
    struct Case {
        const char* typed;
        const char* shown;
    };
    for (Case c : {Case{"8", "08:00"}, Case{"45", "00:45"}, Case{"830", "08:30"}, Case{"1230", "12:30"},
                   Case{"12.5", "12:05"}, Case{"7.", "07:00"}, Case{"7:", "07:00"}, Case{".5", "00:05"},
                   Case{" 23 ", "23:00"}, Case{"0", "00:00"}, Case{"2359", "23:59"}, Case{"17:45:30", "17:45"}}) {
        bool cancel = false;
        EXPECT_EQ(ValidateTime(c.typed, "x", cancel), c.shown) << c.typed;
        EXPECT_FALSE(cancel) << c.typed;
    }
}

TEST(Validate, RejectsBadTimesWithTheMessage) {
    for (const char* typed : {"25:99", "2400", "60", "99", "abc", "12345", "-5"}) {
        ScriptedUi ui;
        ui.ExpectMessage(kTimeMessage, ui::Answer::Ok, "Zeitangabe", ui::Icon::Exclamation);
        bool cancel = false;
        EXPECT_EQ(ValidateTime(typed, "08:00", cancel), "08:00") << typed;
        EXPECT_TRUE(cancel) << typed;
    }
    ScriptedUi ui;
    bool cancel = false;
    EXPECT_EQ(ValidateTimeOrEmpty("", "x", cancel), "");
    EXPECT_EQ(ValidateTimeOrEmpty("0", "x", cancel), "") << "00:00 shows empty";
    EXPECT_EQ(ValidateTimeOrEmpty("9", "x", cancel), "09:00");
    EXPECT_FALSE(cancel);
}

TEST(Validate, ChecksAmounts) {
    ScriptedUi ui;
    bool cancel = false;
    EXPECT_EQ(ValidateAmount("1234.5", Currency(), cancel), "1,234.50");
    EXPECT_EQ(ValidateAmount("1,234.5", Currency(), cancel), "1,234.50");
    EXPECT_EQ(ValidateAmount("-12", Currency(), cancel), "-12.00");
    EXPECT_EQ(ValidateAmountOrEmpty("0.00", Currency(), cancel), "");
    EXPECT_EQ(ValidateAmountOrEmpty("   ", Currency(), cancel), "");
    EXPECT_EQ(ValidateAmountOrEmpty("5", Currency(), cancel), "5.00");
    EXPECT_FALSE(cancel);

    ui.ExpectMessage("Kann den Betrag nicht erkennen!\r\nBitte nochmals eingeben!", ui::Answer::Ok, "Betrag",
                     ui::Icon::Exclamation);
    EXPECT_EQ(ValidateAmount("12,50", *Currency::Parse("1000"), cancel), "1,000.00") << "default, formatted";
    EXPECT_TRUE(cancel);

    ui.ExpectMessageContaining("Kann den Betrag nicht erkennen!");
    cancel = false;
    EXPECT_EQ(ValidateAmountOrEmpty("zehn", Currency(), cancel), "") << "a default of 0 shows empty";
    EXPECT_TRUE(cancel);
}

TEST(Validate, ChecksWholeNumbers) {
    ScriptedUi ui;
    bool cancel = false;
    EXPECT_EQ(ValidateLong("1,234", "0", cancel), "1234");
    EXPECT_EQ(ValidateLong("12.5", "0", cancel), "12") << "rounded to even as the old conversion did";
    EXPECT_EQ(ValidateLong("-7", "0", cancel), "-7");
    EXPECT_FALSE(cancel);

    ui.ExpectMessage("Kann die Zahl nicht erkennen!\r\nBitte nochmals eingeben!", ui::Answer::Ok, "Zahl",
                     ui::Icon::Exclamation);
    EXPECT_EQ(ValidateLong("zwei", "3", cancel), "3");
    EXPECT_TRUE(cancel);

    ui.ExpectMessage("Ungültige Zahl!\r\nBitte nochmals eingeben!", ui::Answer::Ok, "Zahl");
    EXPECT_EQ(ValidateLong("3000000000", "3", cancel), "3");
}

TEST(Validate, KeyFilterPassesNumberKeysAndBeepsOtherwise) {
    ScriptedUi ui;
    for (int key : {int{'0'}, int{'9'}, int{'.'}, int{'\''}, int{'-'}, int{'+'}, 13, 8}) EXPECT_EQ(KeyFilterNumber(key), key);
    EXPECT_EQ(ui.Beeps(), 0);
    EXPECT_EQ(KeyFilterNumber('a'), 0);
    EXPECT_EQ(KeyFilterNumber(','), 0);
    EXPECT_EQ(ui.Beeps(), 2);
}

}  // namespace
}  // namespace tlx4r
