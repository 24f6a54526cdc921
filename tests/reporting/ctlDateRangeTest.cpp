#include "reporting/ctlDateRange.h"

#include "entries/modDateTime.h"

#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

namespace tlx4r {
namespace {

using test::ScriptedUi;

Date D(int d, int m, int y) { return Date::FromYmd(y, m, d); }

// The user picks the item with this text.
void Pick(ui::ComboBox& box, const std::string& text) {
    int index = box.FindItem(text);
    ASSERT_GE(index, 0) << box.Key() << " lacks " << text;
    box.UserSelect(index);
}

// The user types into a box and tabs out of it.
bool TypeAndLeave(ui::TextBox& box, const std::string& text) {
    box.UserType(text);
    return box.UserLeave();
}

class DateRangeTest : public ::testing::Test {
protected:
    DateRangeTest() {
        range.Changed = [this] { ++changes; };
    }
    ScriptedUi ui;
    ctlDateRange range;
    int changes = 0;
};

TEST_F(DateRangeTest, StartsEmptyAndStaysEmptyForAnyField) {
    EXPECT_EQ(range.Description(), "");
    EXPECT_EQ(range.SQL("BookDate"), "");
    EXPECT_EQ(range.SQL(""), "");
    EXPECT_FALSE(range.DateFrom());
    EXPECT_FALSE(range.DateTo());
    EXPECT_TRUE(range.optFromMode[0].Value());
    EXPECT_TRUE(range.optToMode[0].Value());
    EXPECT_EQ(range.fraFrom.Caption(), "(von)");
    EXPECT_EQ(range.fraTo.Caption(), "(bis)");
    EXPECT_FALSE(range.optFromMode[2].Enabled()) << "Anzahl needs a to date";
    EXPECT_EQ(range.cbxFromType.ListCount(), 0);
    EXPECT_EQ(range.txtFromCount.Text(), "1");
}

TEST_F(DateRangeTest, ExactDay) {
    range.optFromMode[3].UserClick();
    EXPECT_EQ(range.cbxFromType.Text(), "Datum");
    EXPECT_TRUE(range.fraFromDate.Visible());
    EXPECT_FALSE(range.optToMode[1].Enabled());
    EXPECT_FALSE(range.optToMode[2].Enabled());
    changes = 0;
    range.dtpFrom.UserSetValue(D(15, 5, 2024));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(range.SQL("BookDate"), "(BookDate = #05/15/2024#)");
    EXPECT_EQ(range.Description(), "Datum: Am 15.05.2024");
    EXPECT_EQ(range.fraFrom.Caption(), "Am 15.05.2024");
    EXPECT_TRUE(range.IsExact());
    EXPECT_EQ(range.DateTo(), D(15, 5, 2024));
}

TEST_F(DateRangeTest, QuarterWithCountOfOneQuarter) {
    range.optFromMode[1].UserClick();
    Pick(range.cbxFromType, "Quartal");
    EXPECT_TRUE(range.fraFromYear.Visible());
    EXPECT_TRUE(range.cbxFromCount.Visible());
    EXPECT_EQ(range.cbxFromCount.ListCount(), 4);
    EXPECT_EQ(range.lblFromCount.Caption(), "Quartal");
    ASSERT_TRUE(TypeAndLeave(range.txtFromYear, "2024"));
    Pick(range.cbxFromCount, "2");
    EXPECT_FALSE(range.chkFromEnd.Checked());
    range.optToMode[2].UserClick();
    EXPECT_EQ(range.cbxToType.Text(), "Quartal") << "the to unit follows the from type";
    EXPECT_EQ(range.txtToCount.Text(), "1");
    EXPECT_TRUE(range.txtToCount.Visible());
    EXPECT_FALSE(range.cbxToCount.Visible());
    EXPECT_EQ(range.lblToCount.Caption(), "Anzahl");
    EXPECT_EQ(range.DateFrom(), D(1, 4, 2024));
    EXPECT_EQ(range.DateTo(), D(30, 6, 2024));
    EXPECT_EQ(range.SQL("F"), "(F BETWEEN #04/01/2024# AND #06/30/2024#)");
    EXPECT_EQ(range.Description(), "Datum: Vom 01.04.2024 bis am 30.06.2024");
    EXPECT_EQ(range.fraFrom.Caption(), "Vom 01.04.2024");
    EXPECT_EQ(range.fraTo.Caption(), "Bis am 30.06.2024");

    // "Bereich" 2 reaches two quarters either side of the start.
    range.optToMode[4].UserClick();
    Pick(range.cbxToType, "Quartal");
    ASSERT_TRUE(TypeAndLeave(range.txtToCount, "2"));
    EXPECT_EQ(range.DateFrom(), D(1, 10, 2023));
    EXPECT_EQ(range.DateTo(), D(30, 9, 2024));
}

TEST_F(DateRangeTest, ToMonthEndsOnLeapDayAndUncheckingMovesToItsStart) {
    range.optToMode[1].UserClick();
    Pick(range.cbxToType, "Monat");
    ASSERT_TRUE(TypeAndLeave(range.txtToYear, "2024"));
    Pick(range.cbxToCount, "2");
    EXPECT_FALSE(range.DateFrom());
    EXPECT_EQ(range.DateTo(), D(29, 2, 2024));
    EXPECT_EQ(range.SQL("F"), "(F <= #02/29/2024#)");
    EXPECT_EQ(range.Description(), "Datum: Bis am 29.02.2024");
    EXPECT_EQ(range.fraTo.Caption(), "Bis am 29.02.2024");
    range.chkToEnd.UserClick();
    EXPECT_EQ(range.DateTo(), D(1, 2, 2024));
}

TEST_F(DateRangeTest, CountOfMonthsBackFromTheEnd) {
    range.optToMode[1].UserClick();
    range.dtpTo.UserSetValue(D(31, 3, 2024));
    ASSERT_TRUE(range.optFromMode[2].Enabled());
    range.optFromMode[2].UserClick();
    EXPECT_EQ(range.cbxFromType.List(0), "Tag");
    Pick(range.cbxFromType, "Monat");
    ASSERT_TRUE(TypeAndLeave(range.txtFromCount, "3"));
    EXPECT_EQ(range.DateFrom(), D(1, 1, 2024));
    EXPECT_EQ(range.DateTo(), D(31, 3, 2024));
    // The count buttons step the count, never below 1.
    range.btnFromCountPrevious.UserClick();
    range.btnFromCountPrevious.UserClick();
    range.btnFromCountPrevious.UserClick();
    EXPECT_EQ(range.txtFromCount.Text(), "1");
    EXPECT_EQ(range.DateFrom(), D(1, 3, 2024));
    range.btnFromCountNext.UserClick();
    EXPECT_EQ(range.DateFrom(), D(1, 2, 2024));
    EXPECT_FALSE(range.btnFromCountFirst.Visible());
}

TEST_F(DateRangeTest, MinDateClampsAndIsMarked) {
    range.MinDate(D(1, 1, 2024));
    range.optFromMode[1].UserClick();
    range.dtpFrom.UserSetValue(D(1, 6, 2023));
    EXPECT_EQ(range.DateFrom(), D(1, 1, 2024));
    EXPECT_EQ(range.Description(), "Datum: Ab dem 01.01.2024  [MIN]");
    // A period before the bound is clamped as well.
    Pick(range.cbxFromType, "Jahr");
    ASSERT_TRUE(TypeAndLeave(range.txtFromYear, "2023"));
    EXPECT_EQ(range.DateFrom(), D(1, 1, 2024));
    range.chkFromYearEnd.UserClick();
    EXPECT_EQ(range.DateFrom(), D(1, 1, 2024));
    ASSERT_TRUE(TypeAndLeave(range.txtFromYear, "2024"));
    EXPECT_EQ(range.DateFrom(), D(31, 12, 2024));
    range.MaxDate(D(30, 6, 2024));
    EXPECT_EQ(range.Description(), "Datum: Ab dem 30.06.2024  [MAX]");
    EXPECT_THROW(range.MinDate(D(1, 7, 2024)), std::invalid_argument);
}

TEST_F(DateRangeTest, FromAfterToSelectsNothingAndWarns) {
    range.SetFromTo(D(10, 3, 2024), D(1, 3, 2024));
    EXPECT_EQ(range.SQL("BookDate"), "FALSE");
    EXPECT_EQ(range.Description(), "Datum: Vom 10.03.2024 bis am 01.03.2024  [BIS < VON]");
    EXPECT_EQ(range.fraTo.Caption(), "Bis am 01.03.2024  [BIS < VON]");
    // The user corrects the to date.
    range.dtpTo.UserSetValue(D(31, 3, 2024));
    EXPECT_EQ(range.SQL("BookDate"), "(BookDate BETWEEN #03/10/2024# AND #03/31/2024#)");
}

struct PeriodCase {
    const char* type;
    const char* year;
    int number;  // list position, 1-based; 0 for "Jahr"
    bool from_end;
    const char* to_type;
    const char* to_count;
    Date from;
    Date to;
};

class DateRangePeriods : public DateRangeTest, public ::testing::WithParamInterface<PeriodCase> {};

TEST_P(DateRangePeriods, AcrossYearEnds) {
    const PeriodCase& c = GetParam();
    range.optFromMode[1].UserClick();
    Pick(range.cbxFromType, c.type);
    ASSERT_TRUE(TypeAndLeave(range.txtFromYear, c.year));
    if (c.number > 0) Pick(range.cbxFromCount, std::to_string(c.number));
    if (c.from_end) {
        (std::string(c.type) == "Jahr" ? range.chkFromYearEnd : range.chkFromEnd).UserClick();
    }
    range.optToMode[2].UserClick();
    Pick(range.cbxToType, c.to_type);
    ASSERT_TRUE(TypeAndLeave(range.txtToCount, c.to_count));
    EXPECT_EQ(range.DateFrom(), c.from);
    EXPECT_EQ(range.DateTo(), c.to);
}

INSTANTIATE_TEST_SUITE_P(
    Periods, DateRangePeriods,
    ::testing::Values(
        // Week 52 of 2020 and the next: that year has a week 53 (28.12.2020-03.01.2021).
        PeriodCase{"Woche", "2020", 52, false, "Woche", "2", D(21, 12, 2020), D(3, 1, 2021)},
        // Week 1 of 2021 starts on Monday 4 January; its end is the Sunday.
        PeriodCase{"Woche", "2021", 1, true, "Tag", "1", D(10, 1, 2021), D(10, 1, 2021)},
        PeriodCase{"Woche", "2015", 1, false, "Tag", "3", D(29, 12, 2014), D(31, 12, 2014)},
        PeriodCase{"Monat", "2023", 12, false, "Monat", "3", D(1, 12, 2023), D(29, 2, 2024)},
        PeriodCase{"Monat", "2024", 1, true, "Monat", "1", D(31, 1, 2024), D(28, 2, 2024)},
        PeriodCase{"Semester", "2023", 2, false, "Semester", "2", D(1, 7, 2023), D(30, 6, 2024)},
        PeriodCase{"Jahr", "2020", 0, false, "Jahr", "1", D(1, 1, 2020), D(31, 12, 2020)},
        PeriodCase{"Jahr", "2024", 0, true, "Tag", "2", D(31, 12, 2024), D(1, 1, 2025)}));

TEST_F(DateRangeTest, YearAndCountBoxesCheckWhatIsTyped) {
    range.optFromMode[1].UserClick();
    Pick(range.cbxFromType, "Jahr");
    range.txtFromYear.UserType("x20y24");  // letters beep and are dropped
    EXPECT_EQ(range.txtFromYear.Text(), "2024");
    EXPECT_EQ(ui.Beeps(), 2);
    ASSERT_TRUE(range.txtFromYear.UserLeave());

    ui.ExpectMessage("Kann die Zahl nicht erkennen!\r\nBitte nochmals eingeben!", ui::Answer::Ok, "Zahl",
                     ui::Icon::Exclamation);
    EXPECT_FALSE(TypeAndLeave(range.txtFromYear, "1-2"));
    EXPECT_TRUE(range.txtFromYear.HasFocus());
    EXPECT_EQ(range.txtFromYear.Text(), "0");
    EXPECT_TRUE(range.txtFromYear.UserLeave());
    EXPECT_EQ(range.txtFromYear.Text(), "1900");

    ui.ExpectMessage("Ungültige Zahl!\r\nBitte nochmals eingeben!");
    EXPECT_FALSE(TypeAndLeave(range.txtFromYear, "99999999999"));
    // A refused box keeps the focus: clicking elsewhere must fail too.
    ui.ExpectMessage("Kann die Zahl nicht erkennen!\r\nBitte nochmals eingeben!");
    range.txtFromYear.UserType("+");
    range.btnFromYearNext.UserClick();
    EXPECT_TRUE(range.txtFromYear.HasFocus());

    struct {
        ui::TextBox& box;
        const char* typed;
        const char* kept;
    } cases[] = {{range.txtFromYear, "3500", "3000"}, {range.txtFromYear, "1950", "1950"},
                 {range.txtFromYear, "1899", "1900"}, {range.txtToYear, "1850", "1900"},
                 {range.txtToYear, "3000", "2999"},   {range.txtToCount, "-3", "3"},
                 {range.txtFromCount, "-12", "12"}};
    range.optToMode[1].UserClick();
    Pick(range.cbxToType, "Jahr");
    for (auto& c : cases) {
        if (&c.box == &range.txtToCount) range.optToMode[2].UserClick();
        if (&c.box == &range.txtFromCount) {
            range.optToMode[1].UserClick();
            range.optFromMode[2].UserClick();
        }
        EXPECT_TRUE(TypeAndLeave(c.box, c.typed)) << c.typed;
        EXPECT_EQ(c.box.Text(), c.kept) << c.box.Key() << " after " << c.typed;
    }
}

TEST_F(DateRangeTest, YearAndPeriodButtons) {
    const Date today = Date::Today();
    range.optFromMode[1].UserClick();
    Pick(range.cbxFromType, "Monat");
    ASSERT_TRUE(TypeAndLeave(range.txtFromYear, "2024"));
    range.btnFromYearPrevious.UserClick();
    EXPECT_EQ(range.txtFromYear.Text(), "2023");
    range.btnFromYearNext.UserClick();
    range.btnFromYearNext.UserClick();
    EXPECT_EQ(range.txtFromYear.Text(), "2025");
    range.btnFromYearCurrent.UserClick();
    EXPECT_EQ(range.txtFromYear.Text(), std::to_string(today.Year()));

    ASSERT_TRUE(TypeAndLeave(range.txtFromYear, "2024"));
    range.btnFromCountLast.UserClick();
    EXPECT_EQ(range.DateFrom(), D(1, 12, 2024));
    range.btnFromCountNext.UserClick();  // stays on the last month
    EXPECT_EQ(range.cbxFromCount.ListIndex(), 11);
    range.btnFromCountPrevious.UserClick();
    EXPECT_EQ(range.DateFrom(), D(1, 11, 2024));
    range.btnFromCountFirst.UserClick();
    range.btnFromCountPrevious.UserClick();
    EXPECT_EQ(range.DateFrom(), D(1, 1, 2024));
    range.btnFromCountCurrent.UserClick();
    EXPECT_EQ(range.cbxFromCount.ListIndex(), today.Month() - 1);
    Pick(range.cbxFromType, "Quartal");
    range.btnFromCountCurrent.UserClick();
    EXPECT_EQ(range.cbxFromCount.ListIndex(), (today.Month() - 1) / 3);
    Pick(range.cbxFromType, "Woche");
    range.btnFromCountCurrent.UserClick();
    EXPECT_EQ(range.cbxFromCount.ListIndex(), std::min(WeekOfYear(today), 52) - 1);
}

TEST_F(DateRangeTest, OptionsEnableEachOther) {
    range.optFromMode[1].UserClick();
    for (int i : {0, 1, 2, 4}) EXPECT_TRUE(range.optToMode[i].Enabled()) << i;
    range.optToMode[2].UserClick();
    EXPECT_FALSE(range.optFromMode[2].Enabled());
    // From "(leer)" cannot keep a to side that counts from the start.
    range.optFromMode[0].UserClick();
    EXPECT_TRUE(range.optToMode[0].Value());
    EXPECT_FALSE(range.optToMode[2].Enabled());
    EXPECT_FALSE(range.fraFromDate.Visible());
    EXPECT_FALSE(range.fraFromYear.Visible());
    range.optToMode[1].UserClick();
    EXPECT_TRUE(range.optFromMode[2].Enabled());
    range.optFromMode[3].UserClick();
    EXPECT_TRUE(range.optToMode[0].Value());
    EXPECT_FALSE(range.optToMode[1].Enabled());
    // Choosing the type on the from side carries over to a counting to side.
    range.optFromMode[1].UserClick();
    range.optToMode[4].UserClick();
    ASSERT_TRUE(TypeAndLeave(range.txtToCount, "5"));
    Pick(range.cbxFromType, "Semester");
    EXPECT_EQ(range.cbxToType.Text(), "Semester");
    EXPECT_EQ(range.txtToCount.Text(), "1");
}

TEST_F(DateRangeTest, PublicSettersRecalculateOnce) {
    changes = 0;
    range.SetQuarter(2024, 2, 0);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(range.DateFrom(), D(1, 4, 2024));
    EXPECT_EQ(range.DateTo(), D(30, 6, 2024));
    range.SetMonth(2024, 2, 1);
    EXPECT_EQ(range.DateTo(), D(29, 2, 2024));
    range.SetWeek(2024, 52, 0);
    EXPECT_EQ(range.DateFrom(), D(23, 12, 2024));
    EXPECT_EQ(range.DateTo(), D(29, 12, 2024));
    range.SetSemester(2024, 2, -1);
    EXPECT_EQ(range.Description(), "Datum: Ab dem 01.07.2024");
    range.SetYear(2023, 2);  // the open end stays
    EXPECT_EQ(range.SQL("D"), "(D >= #01/01/2023#)");
    EXPECT_THROW(range.SetMonth(2024, 13, 0), std::invalid_argument);
    EXPECT_THROW(range.SetYear(0, 0), std::invalid_argument);
    EXPECT_EQ(range.SQL("D"), "(D >= #01/01/2023#)") << "a refused call changes nothing";
    range.SetFromTo(std::nullopt, D(5, 1, 2024));
    EXPECT_EQ(range.SQL("D"), "(D <= #01/05/2024#)");
    EXPECT_EQ(range.cbxToType.Text(), "Datum");
    range.ControlReset();
    EXPECT_EQ(range.Description(), "");
}

TEST_F(DateRangeTest, FromDateOnlyAsksForOneDate) {
    range.SetFromDateOnly(true, false);
    EXPECT_TRUE(range.FromDateOnly());
    EXPECT_FALSE(range.fraTo.Visible());
    EXPECT_TRUE(range.optFromMode[3].Value());
    EXPECT_FALSE(range.optFromMode[0].Enabled());
    EXPECT_FALSE(range.optFromMode[1].Enabled());
    EXPECT_EQ(range.optFromMode[0].ToolTip(), "Kein Datum");
    EXPECT_EQ(range.optFromMode[1].ToolTip(), "Datum wählen");
    range.SetFromTo(D(31, 12, 2023), D(1, 1, 2025));
    EXPECT_EQ(range.Description(), "Datum: Am 31.12.2023");
    EXPECT_EQ(range.SQL("X"), "(X = #12/31/2023#)");
    range.SetFromDateOnly(true, true);
    EXPECT_TRUE(range.optFromMode[0].Enabled());
    range.SetFromTo(std::nullopt, std::nullopt);
    EXPECT_EQ(range.fraFrom.Caption(), "(Kein Datum)");
    range.SetFromDateOnly(false, false);
    EXPECT_TRUE(range.fraTo.Visible());
    EXPECT_EQ(range.optFromMode[0].ToolTip(), "Kein Anfangsdatum");
}

TEST_F(DateRangeTest, DisablingEmptiesTheRange) {
    range.SetFromTo(D(1, 1, 2024), D(31, 1, 2024));
    range.Enabled(false);
    EXPECT_EQ(range.SQL("D"), "");
    for (ui::Control* c : range.Controls()) EXPECT_FALSE(c->Enabled()) << c->Key();
    range.optFromMode[1].UserClick();
    EXPECT_TRUE(range.optFromMode[0].Value()) << "a disabled control ignores the user";
    range.Enabled(true);
    EXPECT_TRUE(range.optFromMode[1].Enabled());
    EXPECT_FALSE(range.optFromMode[2].Enabled());
    range.optFromMode[1].UserClick();
    EXPECT_TRUE(range.optFromMode[1].Value());
}

TEST_F(DateRangeTest, EmbeddedInAHostForm) {
    ui::Form host("frmHost");
    ctlDateRange embedded(host, "ctlRange");
    int host_notes = 0;
    host.Observe([&] { ++host_notes; });
    embedded.optFromMode[1].UserClick();
    EXPECT_EQ(host_notes, 1) << "one user action, one refresh of the host's view";
    ASSERT_EQ(host.Children().size(), 1u);
    EXPECT_EQ(host.Children()[0]->InstanceName(), "ctlRange");
    EXPECT_EQ(embedded.Name(), "ctlDateRange");
    EXPECT_GE(embedded.Width(), ctlDateRange::MinWidth2());
    embedded.UserMoveResize(0, 0, 100, 100);
    EXPECT_EQ(embedded.Width(), ctlDateRange::MinWidth2());
    EXPECT_EQ(embedded.Height(), ctlDateRange::MinHeight());
}

}  // namespace
}  // namespace tlx4r
