// The dialog player on a small form of its own: what each kind of line does, what it prints and
// how it stops.
#include "ui/Controls.h"
#include "ui/Ui.h"
#include "ui/script/ScriptPlayer.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tlx4r::ui::script {
namespace {

// A chooser that a button of the main form opens, so that nesting can be played.
class frmPick : public Form {
public:
    frmPick() : Form("frmPick", "Auswahl") {
        ListView1.AddColumn("Kurz", 600);
        ListView1.AddColumn("Name", 2000);
        for (const char* code : {"G", "R", "A"}) ListView1.AddRow({code, {std::string("Art ") + code}, code, ""});
        ListView1.SetSelectedIndex(0);
        btnOk.SetDefault(true);
        btnCancel.SetCancel(true);
        btnOk.Click = [this] {
            chosen = ListView1.Item(ListView1.SelectedIndex()).text;
            Hide();
        };
        btnCancel.Click = [this] { Hide(); };
        ListView1.DblClick = [this] { btnOk.UserClick(); };
    }
    ListView ListView1{*this, "ListView1"};
    Button btnOk{*this, "btnOk", "&Ok"};
    Button btnCancel{*this, "btnCancel", "A&bbrechen"};
    std::string chosen;
};

class frmMain : public Form {
public:
    frmMain() : Form("frmMain", "Haupt") {
        txtAmount.KeyPress = [](int& key) {
            if (key != 8 && (key < '0' || key > '9') && key != '.') key = 0;
        };
        txtAmount.Validate = [this](bool& cancel) {
            if (txtAmount.Text().empty()) {
                MsgBox("Betrag fehlt!", Buttons::Ok, Icon::Exclamation, "Betrag");
                cancel = true;
            }
        };
        btnPick.Click = [this] {
            frmPick pick;
            pick.Show(true);
            txtKind.SetText(pick.chosen);
        };
        btnAsk.Click = [this] {
            auto answer = Current().InputBox("Anzahl eingeben", "Anzahl", "");
            txtKind.SetText(answer ? *answer : "(keine)");
            if (MsgBox("Speichern?\r\nJetzt", Buttons::YesNoCancel, Icon::Question, "Frage") == Answer::Yes) saved = true;
        };
        btnClose.Click = [this] { Hide(); };
        chkArchive.SetEnabled(false);
        optMode[1].SetValue(true);
    }
    TextBox txtAmount{*this, "txtAmount"};
    TextBox txtKind{*this, "txtKind"};
    Frame fraMode{*this, "fraMode", "Modus"};
    ControlArray<OptionButton> optMode{*this, "optMode", {0, 1, 2}, &fraMode};
    CheckBox chkArchive{*this, "chkArchive", "Archiv"};
    Button btnPick{*this, "btnPick", "..."};
    Button btnAsk{*this, "btnAsk", "Fragen"};
    Button btnClose{*this, "btnClose", "&Fertig"};
    bool saved = false;
};

struct Played {
    int code;
    std::string out;
    std::string err;
};

Played Play(const std::string& script, frmMain& form) {
    std::ostringstream out, err;
    std::vector<PlayOperation> ops{{"Main.Edit", "", [&form](const std::vector<std::string>&) {
                                        form.Show(true);
                                        return std::vector<std::pair<std::string, std::string>>{
                                            {"Saved", form.saved ? "1" : "0"}, {"Kind", form.txtKind.Text()}};
                                    }}};
    ScriptPlayer player(out, err, ops);
    std::istringstream in(script);
    int code = player.Play(in);
    return {code, out.str(), err.str()};
}

TEST(ScriptPlayer, PlaysNestedFormsBoxesAndPrintsTheResult) {
    frmMain form;
    Played run = Play(
        "# a comment, then blank lines\n\n"
        "start Main.Edit\n"
        "set txtAmount 12a.5\n"
        "click btnPick\n"
        "key ListView1 Down\n"
        "dblclick ListView1\n"
        "set optMode(2) 1\n"
        "input 3\n"
        "answer Ja\n"
        "click btnAsk\n"
        "show\n"
        "click btnClose\n",
        form);
    EXPECT_EQ(run.code, 0) << run.err;
    // The key filter dropped the letter as it would for a user typing.
    EXPECT_EQ(form.txtAmount.Text(), "12.5");
    EXPECT_NE(run.out.find("input: Anzahl | Anzahl eingeben | 3\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("message: Frage | Speichern?\\nJetzt | Ja\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("form: frmMain | Haupt\n"), std::string::npos);
    EXPECT_NE(run.out.find("\ntxtKind=3\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\noptMode(1)=0\noptMode(2)=1\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\nchkArchive=0\nchkArchive.enabled=0\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("result: Saved=1\nresult: Kind=3\n"), std::string::npos) << run.out;
}

TEST(ScriptPlayer, StopsWithTheLineThatWentWrong) {
    struct Case {
        const char* script;
        int code;
        const char* err;
        const char* out;
    };
    const Case cases[] = {
        {"start Main.Edit\nset txtAmount 5\nclick btnNowhere\n", 2, "line 3: frmMain has no control btnNowhere", ""},
        {"start Nothing.Here\n", 2, "line 1: unknown operation \"Nothing.Here\"", ""},
        {"set txtAmount 5\n", 2, "line 1: no form is open", ""},
        {"start Main.Edit\nclick chkArchive\n", 2, "line 2: chkArchive is disabled", ""},
        {"start Main.Edit\nset optMode(1) 0\n", 2, "line 2: optMode(1): an option button", ""},
        {"start Main.Edit\nfrobnicate txtAmount\n", 2, "line 2: unknown action \"frobnicate\"", ""},
        {"start Main.Edit\nclick btnPick\nset ListView1 X\n", 2, "line 3: ListView1 has no entry \"X\"", ""},
        {"start Main.Edit\nset txtAmount 7\n", 2, "the script ended while frmMain is still open", ""},
        // A box without a queued answer is printed, then the play stops.
        {"start Main.Edit\ninput 1\nclick btnAsk\n", 3, "line 3: a message box came without an answer",
         "message: Frage | Speichern?\\nJetzt | \n"},
        // A refused leave is reported, not an error; the message was answered.
        {"start Main.Edit\nanswer OK\nset txtAmount 1\nset txtAmount \nleave txtAmount\nset txtAmount 2\nclick btnClose\n", 0, "",
         "message: Betrag | Betrag fehlt! | OK\nfocus: txtAmount keeps the focus\n"},
    };
    for (const Case& c : cases) {
        frmMain form;
        Played run = Play(c.script, form);
        EXPECT_EQ(run.code, c.code) << c.script << run.err;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << c.script << "\n" << run.err;
        EXPECT_NE(run.out.find(c.out), std::string::npos) << c.script << "\n" << run.out;
        EXPECT_FALSE(form.Visible()) << c.script;
    }
}

}  // namespace
}  // namespace tlx4r::ui::script
