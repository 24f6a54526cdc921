#include "ui/Controls.h"

#include "support/ScriptedUi.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace tlx4r::ui {
namespace {

using test::ScriptedUi;

class frmSample : public Form {
public:
    frmSample() : Form("frmSample", "Beispiel") {
        btnOk.SetDefault(true);
        btnCancel.SetCancel(true);
        btnOk.Click = [this] {
            ok = true;
            Hide();
        };
        btnCancel.Click = [this] { Hide(); };
        txtYear.Validate = [this](bool& cancel) { cancel = txtYear.Text() == "bad"; };
        txtYear.GotFocus = [this] { txtYear.SelectAll(); };
    }
    Label lblYear{*this, "lblYear", "&Jahr"};
    TextBox txtYear{*this, "txtYear"};
    Frame fraA{*this, "fraA", "A"};
    ControlArray<OptionButton> optA{*this, "optA", {0, 1, 3}, &fraA};
    Frame fraB{*this, "fraB", "B"};
    ControlArray<OptionButton> optB{*this, "optB", {0, 1}, &fraB};
    CheckBox chkAll{*this, "chkAll", "&Alle"};
    Button btnOk{*this, "btnOk", "&Ok"};
    Button btnCancel{*this, "btnCancel", "Abbrechen"};
    bool ok = false;
};

TEST(Form, KnowsItsControlsByKey) {
    frmSample form;
    EXPECT_EQ(&form.Get("txtYear"), &form.txtYear);
    EXPECT_EQ(&form.Get<OptionButton>("optA[3]"), &form.optA[3]);
    EXPECT_EQ(form.Find("optA[2]"), nullptr);
    EXPECT_THROW(form.Get("txtMissing"), std::out_of_range);
    EXPECT_THROW(form.Get<TextBox>("btnOk"), std::invalid_argument);
    EXPECT_THROW(form.optA[2], std::out_of_range);
    EXPECT_EQ(form.Controls().size(), 12u);
}

TEST(Form, OptionGroupsAreTheirContainers) {
    frmSample form;
    int clicks = 0;
    form.optA[1].Click = [&] { ++clicks; };
    form.optA[0].UserClick();
    form.optB[1].UserClick();
    form.optA[1].UserClick();
    form.optA[1].UserClick();  // already selected: nothing happens
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(form.optA[0].Value());
    EXPECT_TRUE(form.optB[1].Value()) << "another frame is another group";
    form.optA[3].SetValue(true);
    EXPECT_FALSE(form.optA[1].Value());
    form.fraA.SetEnabled(false);
    form.optA[0].UserClick();
    EXPECT_TRUE(form.optA[3].Value()) << "a disabled frame disables its options";
    form.fraB.SetVisible(false);
    EXPECT_FALSE(form.optB[0].EffectivelyVisible());
    EXPECT_TRUE(form.optB[0].Visible());
}

TEST(Form, ValidateKeepsTheFocus) {
    ScriptedUi ui;
    frmSample form;
    form.txtYear.UserType("bad");
    EXPECT_TRUE(form.txtYear.HasFocus());
    form.chkAll.UserClick();
    EXPECT_TRUE(form.txtYear.HasFocus());
    EXPECT_FALSE(form.chkAll.Checked()) << "the click never happened";
    form.txtYear.UserType("2024");  // the whole text was selected on entry, the caret is at its end
    EXPECT_EQ(form.txtYear.Text(), "bad2024");
    form.txtYear.SelectAll();
    form.txtYear.UserType("2024");
    form.chkAll.UserClick();
    EXPECT_TRUE(form.chkAll.Checked());
    EXPECT_EQ(form.ActiveControl(), &form.chkAll);
}

TEST(Form, KeyboardReachesDefaultCancelAndAccessKeys) {
    ScriptedUi ui;
    frmSample form;
    EXPECT_TRUE(form.UserKey('j', true));
    EXPECT_TRUE(form.txtYear.HasFocus()) << "a label's access key focuses the next control";
    EXPECT_TRUE(form.UserKey('A', true));
    EXPECT_TRUE(form.chkAll.Checked());
    EXPECT_FALSE(form.UserKey('z', true));
    EXPECT_EQ(form.btnOk.AccessKey(), 'o');

    ui.OnForm("frmSample", [](Form& f) { f.UserKey(13); });
    form.Show(true);
    EXPECT_TRUE(form.ok);
    form.ok = false;
    ui.OnForm("frmSample", [](Form& f) { f.UserKey(27); });
    form.Show(true);
    EXPECT_FALSE(form.ok);
    EXPECT_FALSE(form.Visible());
    EXPECT_TRUE(form.chkAll.Checked()) << "a hidden form keeps its state";
    EXPECT_EQ(ui.ModalForms().size(), 2u);
}

TEST(Form, ModalFormsNeedAScriptThatClosesThem) {
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedUi ui;
            frmSample form;
            form.Show(true);
        },
        "without a script");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedUi ui;
            frmSample form;
            ui.OnForm("frmSample", [](Form& f) { f.Get<TextBox>("txtYear").UserType("1"); });
            form.Show(true);
            EXPECT_FALSE(form.Visible());
        },
        "left modal form frmSample open");
    ScriptedUi ui;
    frmSample form;
    bool refused = false;
    form.QueryUnload = [&](bool& cancel) {
        cancel = !refused;
        refused = true;
    };
    ui.OnForm("frmSample", [](Form& f) {
        EXPECT_FALSE(f.UserClose());
        EXPECT_TRUE(f.Visible());
        EXPECT_TRUE(f.UserClose());
    });
    form.Show(true);
    EXPECT_FALSE(form.Visible());
}

TEST(Form, ObserversHearOncePerUserEvent) {
    ScriptedUi ui;
    frmSample form;
    int notes = 0;
    int id = form.Observe([&] { ++notes; });
    form.txtYear.UserType("2024");
    EXPECT_EQ(notes, 1);
    form.optA[1].UserClick();  // leaves the box, selects, fires: still one event
    EXPECT_EQ(notes, 2);
    form.SetCaption("Anders");
    EXPECT_EQ(notes, 3);
    form.Unobserve(id);
    form.chkAll.UserClick();
    EXPECT_EQ(notes, 3);
}

TEST(Form, GeometryInTwips) {
    EXPECT_EQ(PixelsToTwips(100), 1500);
    EXPECT_EQ(TwipsToPixels(3375), 225);
    EXPECT_EQ(TwipsToPixels(7), 0);
    EXPECT_EQ(TwipsToPixels(8), 1);
    EXPECT_EQ(TwipsToPixels(-8), -1);
    Form form("frmGeo");
    int resized = 0;
    form.Resize = [&] { ++resized; };
    form.SetMinimumSize(3000, 2000);
    form.UserMoveResize(150, 300, 1000, 9000);
    EXPECT_EQ(form.Left(), 150);
    EXPECT_EQ(form.Width(), 3000);
    EXPECT_EQ(form.Height(), 9000);
    EXPECT_EQ(resized, 2);
    EXPECT_THROW(form.SetMinimumSize(-1, 0), std::invalid_argument);
}

}  // namespace
}  // namespace tlx4r::ui
