#include "entries/Entries.h"
#include "entries/Entry.h"
#include "entries/EntryTypes.h"
#include "entries/TypeCharges.h"
#include "entries/TypeExpenses.h"
#include "entries/frmEntryRateChoose.h"
#include "entries/frmEntryTextEdit.h"
#include "entries/frmEntryTypeChoose.h"
#include "entries/frmTypeBase.h"
#include "entries/frmTypeBaseChoose.h"
#include "masterdata/Datas.h"
#include "masterdata/MasterDataFixture.h"
#include "masterdata/Projects.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tlx4r::test {
namespace {

Currency C(const char* text) { return *Currency::Parse(text); }

// The texts of one column of a report list, top to bottom.
std::vector<std::string> Column(const ui::ListView& list, int column) {
    std::vector<std::string> texts;
    for (int i = 0; i < list.Count(); ++i) texts.push_back(list.CellText(i, column));
    return texts;
}

std::string Selected(const ui::ListView& list, int column = 0) {
    return list.SelectedIndex() < 0 ? "(none)" : list.CellText(list.SelectedIndex(), column);
}

int RowOf(const ui::ListView& list, const std::string& first_column) {
    for (int i = 0; i < list.Count(); ++i)
        if (list.CellText(i, 0) == first_column) return i;
    return -1;
}

// One way for the user to leave a chooser.
struct Leave {
    const char* how;
    std::function<void(ui::Form&)> act;
};

const std::vector<Leave>& Leaves() {
    static const std::vector<Leave> leaves{
        {"Ok", [](ui::Form& f) { f.Get("btnOk").UserClick(); }},
        {"Enter", [](ui::Form& f) { f.UserKey(13); }},
        {"double click",
         [](ui::Form& f) {
             auto& list = f.Get<ui::ListView>("ListView1");
             list.UserDoubleClickRow(list.SelectedIndex());
         }},
        {"Abbrechen", [](ui::Form& f) { f.Get("btnCancel").UserClick(); }},
        {"Escape", [](ui::Form& f) { f.UserKey(27); }},
        {"close box", [](ui::Form& f) { f.UserClose(); }},
    };
    return leaves;
}

bool Accepts(const Leave& leave) {
    return std::string(leave.how) == "Ok" || std::string(leave.how) == "Enter" ||
           std::string(leave.how) == "double click";
}

TEST(EntryTypeChooser, ListsTheSevenTypesSelectsTheInitialOneAndAnswersEveryWayOut) {
    struct Case {
        std::optional<int> init;
        int pick;  // the row clicked before leaving; -1 keeps the initial one
        std::string selected_first;
        int chosen;
    };
    const std::vector<Case> cases{
        {std::nullopt, -1, "G", 1},
        {-1, -1, "G", 1},
        {0, -1, "G", 1},
        {8, -1, "G", 1},
        {3, -1, "A", 3},
        {7, -1, "M", 7},
        {3, 5, "A", 6},
    };
    EntryTypes types;
    for (const Case& c : cases) {
        for (const Leave& leave : Leaves()) {
            SCOPED_TRACE(std::string(leave.how) + ", init " +
                         (c.init ? std::to_string(*c.init) : "none"));
            ScriptedUi ui;
            ui.OnForm("frmEntryTypeChoose", [&](ui::Form& f) {
                auto& form = dynamic_cast<frmEntryTypeChoose&>(f);
                EXPECT_EQ(form.Caption(), "Eintragsarten");
                EXPECT_EQ(Column(form.ListView1, 0),
                          (std::vector<std::string>{"G", "R", "A", "T", "D", "N", "M"}));
                EXPECT_EQ(
                    Column(form.ListView1, 1),
                    (std::vector<std::string>{"Gebühren", "Rechnung", "Arbeitszeit", "Termin",
                                              "Dokument", "Notariatstarif", "Mehrwertsteuer"}));
                EXPECT_EQ(form.ListView1.Columns()[0].header, "Kurz");
                EXPECT_EQ(form.ListView1.Columns()[1].header, "Name");
                EXPECT_EQ(Selected(form.ListView1), c.selected_first);
                EXPECT_EQ(form.Left(), 4200);
                EXPECT_EQ(form.Top(), 3000);
                if (c.pick >= 0) form.ListView1.UserSelect(c.pick);
                leave.act(form);
            });
            EXPECT_EQ(types.Choose(c.init, 4200, 3000), Accepts(leave) ? c.chosen : -1);
        }
    }
}

TEST(EntryTypeChooser, ColumnsFollowTheWindowWidth) {
    frmEntryTypeChoose form;
    form.UserMoveResize(0, 0, ui::PixelsToTwips(600), ui::PixelsToTwips(400));
    const auto wide = form.ListView1.Columns();
    form.UserMoveResize(0, 0, ui::PixelsToTwips(250), ui::PixelsToTwips(400));
    const auto narrow = form.ListView1.Columns();
    ASSERT_EQ(wide.size(), 2u);
    EXPECT_GT(wide[1].width, narrow[1].width);
    EXPECT_LE(narrow[0].width + narrow[1].width, ui::PixelsToTwips(250));
    EXPECT_EQ(narrow[1].header, "Name");
}

TEST(TextEditor, OkReturnsTheEditedTextAndEveryCancelNothing) {
    for (const Leave& leave : Leaves()) {
        if (std::string(leave.how) == "double click" || std::string(leave.how) == "Enter") continue;
        SCOPED_TRACE(leave.how);
        ScriptedUi ui;
        ui.OnForm("frmEntryTextEdit", [&](ui::Form& f) {
            auto& form = dynamic_cast<frmEntryTextEdit&>(f);
            EXPECT_EQ(form.Caption(), "Text bearbeiten");
            EXPECT_EQ(form.txtText.Text(), "Besprechung");
            EXPECT_EQ(form.btnCancel.Caption(), "&Abbrechen");
            EXPECT_EQ(form.Left(), 1500);
            // Enter in the box is a new line, not Ok.
            form.txtText.UserType(" mit Klient\r");
            EXPECT_TRUE(form.Visible());
            form.txtText.UserSetText(form.txtText.Text() + "Folgetermin\nvereinbart");
            leave.act(form);
        });
        frmEntryTextEdit editor;
        editor.SetPosition(1500, 900);
        auto text = editor.Choose("Besprechung");
        if (Accepts(leave)) {
            EXPECT_EQ(text, "Besprechung mit Klient\r\nFolgetermin\r\nvereinbart");
        } else {
            EXPECT_EQ(text, std::nullopt);
        }
    }
}

class ChooserDbTest : public MasterDataTest {
protected:
    TypeBase& Charges() { return *root.TypeCharges(); }
    TypeBase& Expenses() { return *root.TypeExpenses(); }
};

TEST_F(ChooserDbTest, CategoryChooserStartsWithTheActiveOnesSwitchesAndAnswers) {
    struct Case {
        const char* what;
        std::optional<int> init;
        std::function<void(frmTypeBaseChoose&)> act;
        int chosen;
    };
    const std::vector<Case> cases{
        {"Ok on the initial category", 19, [](auto& f) { f.btnOk.UserClick(); }, 19},
        {"Standard", 19, [](auto& f) { f.btnStandard.UserClick(); }, 1},
        {"Standard after switching", std::nullopt,
         [](auto& f) {
             f.btnAll.UserClick();
             f.ListView1.UserSelect(30);
             f.btnStandard.UserClick();
         },
         1},
        {"Escape", 19, [](auto& f) { f.UserKey(27); }, 0},
        {"Abbrechen", 19, [](auto& f) { f.btnCancel.UserClick(); }, 0},
        {"close box", 19, [](auto& f) { f.UserClose(); }, 0},
        {"double click on Verwaltungen", 1,
         [](auto& f) { f.ListView1.UserDoubleClickRow(RowOf(f.ListView1, "V")); }, 33},
        {"Enter on an unnamed category after switching", 1,
         [](auto& f) {
             f.btnAll.UserClick();
             f.ListView1.UserSelect(RowOf(f.ListView1, "Z"));
             f.UserKey(13);
         },
         37},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui.OnForm("frmTypeBaseChoose", [&](ui::Form& f) {
            auto& form = dynamic_cast<frmTypeBaseChoose&>(f);
            EXPECT_EQ(form.Caption(), "Eintragsarten Gebühren  wählen");
            EXPECT_FALSE(form.ShowsAll());
            EXPECT_EQ(form.btnAll.Caption(), "&Alle");
            EXPECT_EQ(Column(form.ListView1, 0),
                      (std::vector<std::string>{" ", "B", "G", "H", "S", "V"}));
            EXPECT_EQ(Column(form.ListView1, 1),
                      (std::vector<std::string>{"Gebühren", "Beratungen", "Gebühren", "Honorare",
                                                "Support", "Verwaltungen"}));
            EXPECT_EQ(Selected(form.ListView1), c.init == 19 ? "H" : " ");
            c.act(form);
        });
        EXPECT_EQ(Charges().Choose(c.init, 100, 200), c.chosen);
    }
}

TEST_F(ChooserDbTest,
       CategoryChooserKeepsTheSelectionAcrossTheSwitchAndShowsAnUnnamedInitialCategory) {
    Expenses().Update("K", std::string());  // "Kopien" no longer in use
    ui.OnForm("frmTypeBaseChoose", [&](ui::Form& f) {
        auto& form = dynamic_cast<frmTypeBaseChoose&>(f);
        EXPECT_EQ(form.Caption(), "Eintragsarten Auslagen  wählen");
        // The current category has no name: all are shown, so that the user sees it.
        EXPECT_TRUE(form.ShowsAll());
        EXPECT_EQ(form.btnAll.Caption(), "&Aktive");
        EXPECT_EQ(form.ListView1.Count(), 37);
        EXPECT_EQ(Selected(form.ListView1), "K");
        EXPECT_EQ(Selected(form.ListView1, 1), "");
        form.ListView1.UserSelect(RowOf(form.ListView1, "P"));
        form.btnAll.UserClick();  // to the active ones: "Porti" stays selected
        EXPECT_EQ(form.btnAll.Caption(), "&Alle");
        EXPECT_EQ(Column(form.ListView1, 0),
                  (std::vector<std::string>{" ", "A", "F", "P", "R", "T", "U", "V"}));
        EXPECT_EQ(Selected(form.ListView1, 1), "Porti");
        form.btnAll.UserClick();
        EXPECT_EQ(Selected(form.ListView1, 1), "Porti");
        form.ListView1.UserSelect(RowOf(form.ListView1, "K"));
        form.btnAll.UserClick();  // an unnamed selection falls back to the first active row
        EXPECT_EQ(Selected(form.ListView1, 1), "Auslagen");
        form.btnOk.UserClick();
    });
    EXPECT_EQ(Expenses().Choose(TypeNumber("K")), 1);
}

// A host whose account chooser answers from a queue and records its captions.
class ChoosingHost : public FakeHost {
public:
    std::shared_ptr<const hostapi::Account> AccountChoose(const std::string& caption,
                                                          const std::string& preselection,
                                                          std::optional<int>,
                                                          std::optional<int>) override {
        captions.push_back(caption + " [" + preselection + "]");
        if (answers.empty() || answers.front().empty()) {
            if (!answers.empty()) answers.erase(answers.begin());
            return nullptr;
        }
        auto account = accounts.Item(answers.front());
        answers.erase(answers.begin());
        return account;
    }
    std::vector<std::string> answers;  // "" cancels
    std::vector<std::string> captions;
};

TEST_F(ChooserDbTest, CategoryEditorNamesClearsAndGivesAccountsRowByRow) {
    ChoosingHost chooser_host;
    chooser_host.accounts.items["3400"] =
        std::make_shared<FakeAccount>("3400", "Weiterbelastete Auslagen");
    chooser_host.accounts.items["3410"] = std::make_shared<FakeAccount>("3410", "Kopien");
    chooser_host.answers = {"3410", "3400", ""};
    root.SetInterface(&chooser_host);
    const int k = TypeNumber("K");

    ui.ExpectInput("  Fotokopien ")
        .ExpectInput("")
        .ExpectInput(std::nullopt)
        .ExpectMessage("Standardeintrag kann nicht gelöscht werden!", ui::Answer::Ok,
                       "Kelvora Reporting V4", ui::Icon::Exclamation);
    ui.OnForm("frmTypeBase", [&](ui::Form& f) {
        auto& form = dynamic_cast<frmTypeBase&>(f);
        EXPECT_EQ(form.Caption(), "Eintragsarten Auslagen");
        std::vector<std::string> headers;
        for (const auto& c : form.ListView1.Columns()) headers.push_back(c.header);
        EXPECT_EQ(headers, (std::vector<std::string>{"Kurz", "Name", "Konto", "Kontoname"}));
        EXPECT_EQ(form.ListView1.Count(), 37);
        EXPECT_EQ(form.btnAccount.ToolTip(), "Konto auswählen oder löschen (mit \"Abbrechen\")");

        form.ListView1.UserSelect(RowOf(form.ListView1, "K"));
        form.btnName.UserClick();  // renamed, trimmed
        EXPECT_EQ(Selected(form.ListView1, 1), "Fotokopien");
        form.ListView1.UserDoubleClickRow(
            RowOf(form.ListView1, "K"));  // an empty name changes nothing
        form.UserKey(13);                 // nor does Cancel
        EXPECT_EQ(Selected(form.ListView1, 1), "Fotokopien");

        form.btnAccount.UserClick();
        EXPECT_EQ(Selected(form.ListView1, 2), "3410");
        EXPECT_EQ(Selected(form.ListView1, 3), "Kopien");
        form.ListView1.UserSelect(0);
        form.btnAccount.UserClick();
        EXPECT_EQ(Selected(form.ListView1, 2), "3400");
        form.ListView1.UserSelect(RowOf(form.ListView1, "K"));
        form.btnAccount.UserClick();  // cancelled: the account goes
        EXPECT_EQ(Selected(form.ListView1, 2), "");

        form.ListView1.UserSelect(0);
        form.btnDelete.UserClick();  // row 1 is refused
        EXPECT_EQ(Selected(form.ListView1, 1), "Auslagen");
        EXPECT_EQ(Selected(form.ListView1, 2), "3400");

        form.chkActiveOnly.UserClick();
        EXPECT_EQ(form.ListView1.Count(), 9);
        form.ListView1.UserSelect(RowOf(form.ListView1, "F"));
        form.btnDelete.UserClick();  // gone from the active list; the next one is selected
        EXPECT_EQ(form.ListView1.Count(), 8);
        EXPECT_EQ(Selected(form.ListView1, 1), "Fotokopien");
        form.UserKey(27);
    });
    Expenses().Edit();
    EXPECT_EQ(ui.InputPrompts().front(),
              "Bezeichnung eingeben für\r\n      Nr = 22\r\n      Kurz = K");
    EXPECT_EQ(chooser_host.captions,
              (std::vector<std::string>{"Konto auswählen für Fotokopien []",
                                        "Konto auswählen für Auslagen []",
                                        "Konto auswählen für Fotokopien [3410]"}));
    EXPECT_EQ(Expenses().Topic(k), "Fotokopien");
    EXPECT_EQ(Expenses().Account(k), "");
    EXPECT_EQ(Expenses().Account(1), "3400");
    EXPECT_EQ(Expenses().AccountName(1), "Weiterbelastete Auslagen");
    EXPECT_EQ(Expenses().Topic("F"), "");

    // "Standard" puts the built-in names back at once and clears the accounts.
    ui.OnForm("frmTypeBase", [&](ui::Form& f) {
        auto& form = dynamic_cast<frmTypeBase&>(f);
        form.btnDefault.UserClick();
        EXPECT_EQ(form.ListView1.CellText(RowOf(form.ListView1, "K"), 1), "Kopien");
        form.btnDone.UserClick();
    });
    Expenses().Edit();
    EXPECT_EQ(Expenses().Topic(k), "Kopien");
    EXPECT_EQ(Expenses().Topic("F"), "Fremdkosten");
    EXPECT_EQ(Expenses().Account(1), "");
    root.SetInterface(&host);
}

TEST_F(ChooserDbTest, CategoryEditorWithoutAccountingLeavesTheAccountAlone) {
    root.SetInterface(nullptr);
    Charges().Update(1, std::nullopt, std::string("3200"));
    ui.ExpectMessage("Keine Buchhaltung geöffnet: die Konten können nicht ausgewählt werden.");
    ui.OnForm("frmTypeBase", [&](ui::Form& f) {
        auto& form = dynamic_cast<frmTypeBase&>(f);
        EXPECT_EQ(Selected(form.ListView1, 2), "3200");
        form.btnAccount.UserClick();
        form.btnDone.UserClick();
    });
    Charges().Edit();
    EXPECT_EQ(Charges().Account(1), "3200");
    root.SetInterface(&host);
}

class RateChooserTest : public ChooserDbTest {
protected:
    RateChooserTest() {
        Db().Execute("INSERT INTO Person VALUES (3, \"Anna Keller\", 180, \"AK\")");
        Db().Execute("INSERT INTO Person VALUES (5, \"Max Sutter\", 210, \"MS\")");
        Db().Execute("INSERT INTO ProjectType VALUES (2, \"Beurkundung\", 150)");
        Db().Execute("INSERT INTO Department VALUES (4, \"Notariat\", 0)");
    }

    std::int32_t NewProject(std::int32_t person, std::int32_t type, std::int32_t department) {
        Project p(*root.Projects());
        p.AccountCode = "1100.01";
        p.AccountName = "Erbengemeinschaft Huber";
        p.PersonID = person;
        p.ProjectTypeID = type;
        p.DepartmentID = department;
        p.Rate = C("250");
        p.Update();
        return p.ID();
    }

    // The rows the chooser shows: origin | name | rate.
    std::vector<std::string> Shown(const frmEntryRateChoose& form) {
        std::vector<std::string> rows;
        for (int i = 0; i < form.ListView1.Count(); ++i) {
            rows.push_back(form.ListView1.CellText(i, 0) + " | " + form.ListView1.CellText(i, 1) +
                           " | " + form.ListView1.CellText(i, 2));
        }
        return rows;
    }
};

TEST_F(RateChooserTest, WithoutProjectTheProjectRowsAreMissingAndCannotBeTaken) {
    Entry entry(root.Entries());
    entry.SetPersonID(5);
    ui.OnForm("frmEntryRateChoose", [&](ui::Form& f) {
        auto& form = dynamic_cast<frmEntryRateChoose&>(f);
        EXPECT_EQ(form.Caption(), "Ansatz");
        EXPECT_EQ(Shown(form), (std::vector<std::string>{
                                   "(keine Änderung) |  | 120.00",
                                   "Benutzer (Standard) | (fehlt) | ",
                                   "Benutzer (Eintrag) | Max Sutter | 210.00",
                                   "Geschäft | (fehlt) | ",
                                   "Geschäft (Benutzer) | (fehlt) | ",
                                   "Geschäft (Art) | (fehlt) | ",
                                   "Geschäft (Abteilung) | (fehlt) | ",
                               }));
        EXPECT_EQ(form.ListView1.Columns()[2].alignment, ui::Alignment::Right);
        EXPECT_EQ(form.ListView1.SelectedIndex(), 0);
        form.ListView1.UserDoubleClickRow(3);  // nothing to take: a beep, the chooser stays
        EXPECT_TRUE(form.Visible());
        EXPECT_EQ(ui.Beeps(), 1);
        form.ListView1.UserSelect(2);
        form.UserKey(13);
    });
    frmEntryRateChoose chooser;
    EXPECT_EQ(chooser.Choose(entry, C("120")), C("210"));
}

TEST_F(RateChooserTest, RowsFollowTheDefaultPersonTheEntryAndTheProjectWithItsLinks) {
    root.Persons()->SetDefaultID(3);
    Entry entry(root.Entries());
    entry.SetPersonID(3);
    entry.SetProjectID(NewProject(5, 2, 9));  // department 9 does not exist
    struct Case {
        int row;
        std::function<void(frmEntryRateChoose&)> leave;
        std::optional<Currency> chosen;
    };
    const std::vector<Case> cases{
        {0, [](auto& f) { f.btnOk.UserClick(); }, C("95.50")},  // "(keine Änderung)" keeps the rate
        {1, [](auto& f) { f.btnOk.UserClick(); }, C("180")},
        {3, [](auto& f) { f.UserKey(13); }, C("250")},
        {4, [](auto& f) { f.btnOk.UserClick(); }, C("210")},
        {5, [](auto& f) { f.btnOk.UserClick(); }, C("150")},
        {5, [](auto& f) { f.btnCancel.UserClick(); }, std::nullopt},
        {4, [](auto& f) { f.UserKey(27); }, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        ui.OnForm("frmEntryRateChoose", [&](ui::Form& f) {
            auto& form = dynamic_cast<frmEntryRateChoose&>(f);
            EXPECT_EQ(Shown(form), (std::vector<std::string>{
                                       "(keine Änderung) |  | 95.50",
                                       "Benutzer (Standard) | Anna Keller | 180.00",
                                       "Benutzer (Eintrag) | Anna Keller | 180.00",
                                       "Geschäft | 1100.01  Erbengemeinschaft Huber | 250.00",
                                       "Geschäft (Benutzer) | Max Sutter | 210.00",
                                       "Geschäft (Art) | Beurkundung | 150.00",
                                       "Geschäft (Abteilung) | (fehlt) | ",
                                   }));
            EXPECT_EQ(form.Top(), 7200);
            form.ListView1.UserSelect(c.row);
            c.leave(form);
        });
        frmEntryRateChoose chooser;
        chooser.SetPosition(std::nullopt, 7200);
        EXPECT_EQ(chooser.Choose(entry, C("95.50")), c.chosen);
    }
}

}  // namespace
}  // namespace tlx4r::test
