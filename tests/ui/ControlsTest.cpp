#include "ui/Controls.h"

#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

namespace tlx4r::ui {
namespace {

using test::ScriptedUi;

class frmKit : public Form {
public:
    frmKit() : Form("frmKit") {}
    TextBox txtNote{*this, "txtNote"};
    CheckBox chkFlag{*this, "chkFlag", "Flag"};
    ComboBox cbxList{*this, "cbxList"};
    ComboBox cbxEdit{*this, "cbxEdit", nullptr, true};
    ListBox lstNames{*this, "lstNames"};
    ListView ListView1{*this, "ListView1"};
    DatePicker dtpDay{*this, "dtpDay"};
    TabStrip tabPages{*this, "tabPages"};
    ProgressBar prgDone{*this, "prgDone"};
    CommonDialog dlgFile{*this, "dlgFile"};
};

TEST(TextBox, TypingFiltersReplacesAndLimits) {
    ScriptedUi ui;
    frmKit form;
    int changes = 0;
    form.txtNote.Change = [&] { ++changes; };
    form.txtNote.KeyPress = [](int& key) {
        if (key == '#') key = 0;
        if (key == 'a') key = 'A';
    };
    form.txtNote.UserType("Ba#är");
    EXPECT_EQ(form.txtNote.Text(), "BAär");
    EXPECT_EQ(changes, 4);
    form.txtNote.SetSelection(1, 2);
    EXPECT_EQ(form.txtNote.SelText(), "Aä");
    form.txtNote.UserType("x");
    EXPECT_EQ(form.txtNote.Text(), "Bxr");
    form.txtNote.UserKey(8);
    EXPECT_EQ(form.txtNote.Text(), "Br");
    form.txtNote.SetMaxLength(3);
    form.txtNote.UserType("123");
    EXPECT_EQ(form.txtNote.Text(), "B1r");
    form.txtNote.UserKey(13);
    EXPECT_EQ(form.txtNote.Text(), "B1r") << "Enter adds a line only to multi-line boxes";
    form.txtNote.SetMaxLength(0);
    form.txtNote.SetMultiLine(true);
    form.txtNote.UserKey(13);
    EXPECT_EQ(form.txtNote.Text(), "B1\r\nr");
    form.txtNote.SetReadOnly(true);
    form.txtNote.UserType("zz");
    form.txtNote.UserSetText("new");
    EXPECT_EQ(form.txtNote.Text(), "B1\r\nr");
}

TEST(CheckBox, ClickTogglesAndGreyIsTheProgramsOnly) {
    frmKit form;
    int clicks = 0;
    form.chkFlag.Click = [&] { ++clicks; };
    form.chkFlag.UserClick();
    EXPECT_EQ(form.chkFlag.Value(), CheckState::Checked);
    form.chkFlag.SetValue(CheckState::Grayed);
    form.chkFlag.UserClick();
    EXPECT_EQ(form.chkFlag.Value(), CheckState::Checked);
    form.chkFlag.UserClick();
    EXPECT_EQ(form.chkFlag.Value(), CheckState::Unchecked);
    EXPECT_EQ(clicks, 4);
    form.chkFlag.SetChecked(false);
    EXPECT_EQ(clicks, 4) << "no change, no click";
}

TEST(ListControls, ItemsDataAndSelection) {
    frmKit form;
    int clicks = 0;
    form.cbxList.Click = [&] { ++clicks; };
    form.cbxList.AddItem("Monat", 12);
    form.cbxList.AddItem("Woche", 52);
    form.cbxList.AddItem("Jahr", 1, 0);
    EXPECT_EQ(form.cbxList.List(0), "Jahr");
    EXPECT_EQ(form.cbxList.ItemData(2), 52);
    form.cbxList.UserSelect(2);
    EXPECT_EQ(form.cbxList.Text(), "Woche");
    form.cbxList.RemoveItem(0);
    EXPECT_EQ(form.cbxList.ListIndex(), 1) << "the selection follows its item";
    form.cbxList.SetText("Monat");
    EXPECT_EQ(clicks, 2);
    EXPECT_THROW(form.cbxList.SetText("Tag"), std::invalid_argument);
    EXPECT_THROW(form.cbxList.SetListIndex(2), std::out_of_range);
    EXPECT_THROW(form.cbxList.List(-1), std::out_of_range);
    form.cbxList.Clear();
    EXPECT_EQ(form.cbxList.ListIndex(), -1);
    EXPECT_EQ(form.cbxList.Text(), "");

    form.cbxEdit.AddItem("Bern");
    form.cbxEdit.UserType("Zug");
    EXPECT_EQ(form.cbxEdit.Text(), "Zug");
    EXPECT_EQ(form.cbxEdit.ListIndex(), -1);
    form.cbxEdit.UserSelect(0);
    EXPECT_EQ(form.cbxEdit.Text(), "Bern");

    form.lstNames.AddItem("Meier", 7);
    int doubles = 0;
    form.lstNames.DblClick = [&] { ++doubles; };
    form.lstNames.UserSelect(0);
    form.lstNames.UserDoubleClick();
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(form.lstNames.ItemData(form.lstNames.ListIndex()), 7);
}

TEST(ListView, RowsColumnsKeysAndSelection) {
    frmKit form;
    auto& lv = form.ListView1;
    lv.AddColumn("Datum", 1200);
    lv.AddColumn("Betrag", 1500, Alignment::Right);
    EXPECT_THROW(lv.AddColumn("x", -1), std::invalid_argument);
    lv.AddRow({"01.03.2024", {"100.00"}, "k1", "7"});
    lv.AddRow({"02.03.2024", {}, "k2", "8"});
    EXPECT_THROW(lv.AddRow({"x", {}, "k1", ""}), std::invalid_argument);
    EXPECT_EQ(lv.CellText(0, 1), "100.00");
    EXPECT_EQ(lv.CellText(1, 1), "");
    EXPECT_EQ(lv.FindKey("k2"), 1);
    std::vector<int> clicked;
    lv.ItemClick = [&](int row) { clicked.push_back(row); };
    int doubles = 0;
    lv.DblClick = [&] { ++doubles; };
    lv.UserDoubleClickRow(1);
    EXPECT_EQ(doubles, 1);
    lv.RemoveRow(0);
    EXPECT_EQ(lv.SelectedIndex(), 0);
    EXPECT_EQ(lv.Item(0).tag, "8");
    EXPECT_THROW(lv.Item(1), std::out_of_range);
    int column = -1;
    lv.ColumnClick = [&](int c) { column = c; };
    lv.UserClickColumn(1);
    EXPECT_EQ(column, 1);
    EXPECT_EQ(clicked, std::vector<int>{1});
}

TEST(DatePicker, KeepsItsValueWithinTheBounds) {
    frmKit form;
    auto& dtp = form.dtpDay;
    int changes = 0;
    dtp.Change = [&] { ++changes; };
    dtp.SetValue(Date::FromYmdHms(2024, 5, 15, 10, 30, 0));
    EXPECT_EQ(dtp.Value(), Date::FromYmd(2024, 5, 15)) << "the time of day is dropped";
    dtp.SetMinDate(Date::FromYmd(2024, 6, 1));
    EXPECT_EQ(dtp.Value(), Date::FromYmd(2024, 6, 1));
    dtp.UserSetValue(Date::FromYmd(2020, 1, 1));
    EXPECT_EQ(dtp.Value(), Date::FromYmd(2024, 6, 1));
    EXPECT_THROW(dtp.SetMaxDate(Date::FromYmd(2024, 1, 1)), std::invalid_argument);
    EXPECT_THROW(dtp.SetValue(std::nullopt), std::invalid_argument);
    dtp.SetAllowEmpty(true);
    dtp.UserSetValue(std::nullopt);
    EXPECT_FALSE(dtp.Value());
    EXPECT_EQ(changes, 3);
}

TEST(OtherControls, TabsProgressAndFileDialog) {
    ScriptedUi ui;
    frmKit form;
    form.tabPages.AddTab("Allgemein");
    form.tabPages.AddTab("Export");
    EXPECT_EQ(form.tabPages.SelectedIndex(), 0);
    int clicks = 0;
    form.tabPages.Click = [&] { ++clicks; };
    form.tabPages.UserSelect(1);
    EXPECT_EQ(clicks, 1);
    EXPECT_THROW(form.tabPages.SetSelectedIndex(2), std::out_of_range);

    form.prgDone.SetRange(0, 10);
    form.prgDone.SetValue(12);
    EXPECT_EQ(form.prgDone.Value(), 10);
    EXPECT_THROW(form.prgDone.SetRange(5, 1), std::invalid_argument);

    ui.ExpectFileDialog("/tmp/export/liste.csv").ExpectFileDialog(std::nullopt);
    form.dlgFile.Request().title = "Export";
    EXPECT_TRUE(form.dlgFile.ShowSave());
    EXPECT_EQ(form.dlgFile.FileName(), "/tmp/export/liste.csv");
    EXPECT_FALSE(form.dlgFile.ShowOpen());
    ASSERT_EQ(ui.FileDialogs().size(), 2u);
    EXPECT_EQ(ui.FileDialogs()[1].initial_dir, "/tmp/export") << "the next dialog opens where the last ended";
    EXPECT_EQ(ui.FileDialogs()[1].mode, FileDialogRequest::Mode::Open);
}

}  // namespace
}  // namespace tlx4r::ui
