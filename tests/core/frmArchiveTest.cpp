// Archiving, reactivating and deleting archived entries through the dialogs.
#include "core/frmArchive.h"
#include "core/frmArchiveDelete.h"

#include "core/AccountingFixture.h"
#include "entries/Entry.h"
#include "host/frmAccountChoose.h"
#include "types/AppError.h"

#include <gtest/gtest.h>

#include <functional>

namespace tlx4r::test {
namespace {

using Ids = std::vector<std::int32_t>;

class ArchiveTest : public AccountingFixture {
protected:
    // K100: one entry of every record type, the first four in 2023; K200 (marked for deletion at
    // closing): two entries, the second archived already.
    void Office() {
        Account("K100");
        Account("K200", false, true);
        for (int type = 1; type <= 7; ++type) AddEntry(type, "K100", type, D(type, type <= 4 ? 12 : 1, type <= 4 ? 2023 : 2024), "1");
        AddEntry(8, "K200", Entry::kCharges, D(1, 1, 2023), "1");
        AddEntry(9, "K200", Entry::kWork, D(1, 1, 2024), "1", "0", "0", true);
    }
    void ExpectRun(const std::string& verb) {
        ui.ExpectMessage(verb + "  ausführen?", ui::Answer::Yes, "Kelvora Reporting V4", ui::Icon::Question);
        ui.ExpectMessage(verb + " beendet!", ui::Answer::Ok, "Kelvora Reporting V4", ui::Icon::Information);
    }
};

TEST_F(ArchiveTest, OneProjectByDateAndTypesAndBackAgain) {
    Office();
    const std::int32_t k100 = ProjectID("K100");
    for (int pass = 0; pass < 2; ++pass) {
        const bool reactivate = pass == 1;
        ui.OnForm("frmArchive", [&](ui::Form& f) {
            auto& form = dynamic_cast<frmArchive&>(f);
            EXPECT_EQ(form.Caption(), "Archivieren");
            // preset on the project: no chooser, its text shown
            EXPECT_TRUE(form.optSelect.Value());
            EXPECT_EQ(form.txtProject.Text(), "K100  Konto K100");
            EXPECT_TRUE(form.btnProjectChoose.Enabled());
            EXPECT_EQ(form.DateRange.Description(), "Datum: Bis am 31.12.2023");
            EXPECT_TRUE(form.EntryTypeAll());
            EXPECT_TRUE(form.DialogCanceled());
            if (reactivate) form.optArchive[1].UserClick();
            form.btnSelNone.UserClick();
            EXPECT_TRUE(form.EntryTypeNone());
            form.cbG.UserClick();
            form.cbA.UserClick();
            form.cbD.UserClick();  // a document of 2024: outside the range
            EXPECT_EQ(form.EntryType(), (std::vector<std::string>{"G", "A", "D"}));
            form.btnOk.UserClick();
            EXPECT_FALSE(form.DialogCanceled());
        });
        ExpectRun(reactivate ? "Reaktivieren" : "Archivieren");
        root.EntriesArchive(k100, D(31, 12, 2023));
        EXPECT_EQ(Archived(), reactivate ? Ids{9} : (Ids{1, 3, 9})) << pass;
    }
    EXPECT_EQ(ui.ModalForms(), (std::vector<std::string>{"frmArchive", "frmArchive"}));
}

TEST_F(ArchiveTest, SelectionsTouchExactlyTheirEntries) {
    Office();
    struct Case {
        const char* name;
        std::function<void(frmArchive&)> choose;
        Ids archived;
    } cases[] = {
        {"all", [](frmArchive&) {}, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"marked for deletion", [](frmArchive& f) { f.optMarkedForDelete.UserClick(); }, {8, 9}},
        {"Auszug", [](frmArchive& f) { f.btnSelStd.UserClick(); }, {1, 2, 3, 6, 7, 8, 9}},
        {"Arbeitsrapport from 2024", [](frmArchive& f) {
             f.btnSelWork.UserClick();
             f.DateRange.SetFromTo(D(1, 1, 2024), std::nullopt);
         }, {9}},
        {"exactly one day", [](frmArchive& f) { f.DateRange.SetFromTo(D(2, 12, 2023), D(2, 12, 2023)); }, {2, 9}},
        {"reactivate all", [](frmArchive& f) { f.optArchive[1].UserClick(); }, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Reporting().Execute("UPDATE Entry SET Archive = False WHERE ID <> 9");
        if (std::string(c.name) == "reactivate all") Reporting().Execute("UPDATE Entry SET Archive = True");
        frmArchive form;
        c.choose(form);
        ExpectRun(form.optArchive[0].Value() ? "Archivieren" : "Reaktivieren");
        form.Execute();
        EXPECT_EQ(Archived(), c.archived);
    }
}

TEST_F(ArchiveTest, RefusalsAndMissingChoicesChangeNothing) {
    Office();
    const char* const kCaption = "Kelvora Reporting V4";
    ui.OnForm("frmAccountChoose", [](ui::Form& f) { dynamic_cast<frmAccountChoose&>(f).btnCancel.UserClick(); });
    struct Case {
        const char* name;
        std::function<void(frmArchive&)> choose;
        ui::Answer answer;
        std::string message;  // the second message, "" for none
        std::string caption;
    } cases[] = {
        {"No", [](frmArchive&) {}, ui::Answer::No, "", ""},
        {"Cancel", [](frmArchive&) {}, ui::Answer::Cancel, "", ""},
        {"no project", [](frmArchive& f) { f.optSelect.UserClick(); }, ui::Answer::Yes, "Kein Geschäft ausgewählt!",
         "Archivieren"},
        {"no types", [](frmArchive& f) { f.btnSelNone.UserClick(); }, ui::Answer::Yes,
         "Keine Eintragstypen ausgewählt!", "Archivieren"},
        {"no types, reactivating",
         [](frmArchive& f) {
             f.optArchive[1].UserClick();
             f.SetTypeNone();
         },
         ui::Answer::Yes, "Keine Eintragstypen ausgewählt!", "Reaktivieren"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        frmArchive form;
        c.choose(form);
        ui.ExpectMessage(std::string(form.optArchive[0].Value() ? "Archivieren" : "Reaktivieren") + "  ausführen?",
                         c.answer, kCaption, ui::Icon::Question);
        if (!c.message.empty()) ui.ExpectMessage(c.message, ui::Answer::Ok, c.caption, ui::Icon::Exclamation);
        EXPECT_FALSE(form.Execute().has_value());
        EXPECT_EQ(Archived(), Ids{9});
    }
    // Choosing a single project opened the chooser; going back to all projects clears it.
    frmArchive form;
    form.optSelect.UserClick();
    EXPECT_TRUE(form.txtProject.Enabled());
    form.optAll.UserClick();
    EXPECT_FALSE(form.txtProject.Enabled());
    EXPECT_FALSE(form.btnProjectChoose.Enabled());
    EXPECT_EQ(ui.ModalForms(), (std::vector<std::string>{"frmAccountChoose", "frmAccountChoose"}));
}

TEST_F(ArchiveTest, DeletingTheArchiveRemovesExactlyTheArchivedRowsThenVerifiesTheProjects) {
    Office();
    Reporting().Execute("UPDATE Entry SET Archive = True WHERE ID IN (2, 5)");
    // The accounting renamed an account behind the component's back: verifying catches up.
    Finance().Execute("UPDATE Accounts SET Name = \"Neu K100\" WHERE Code = \"K100\"");
    int clicks = 0;
    ui.OnForm("frmArchiveDelete", [&](ui::Form& f) {
        auto& form = dynamic_cast<frmArchiveDelete&>(f);
        EXPECT_EQ(form.Caption(), "Löschen");
        form.btnOk.UserClick();  // answered No: the dialog stays open
        ++clicks;
        EXPECT_TRUE(form.Visible());
        form.btnOk.UserClick();
        ++clicks;
    });
    ui.ExpectMessage("Löschen ausführen?", ui::Answer::No, "Kelvora Reporting V4", ui::Icon::Question);
    ui.ExpectMessage("Löschen ausführen?", ui::Answer::Yes);
    ui.ExpectMessage("Löschen beendet!", ui::Answer::Ok, "Kelvora Reporting V4", ui::Icon::Information);
    root.EntriesDeleteArchive();
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(EntryIDs(), (Ids{1, 3, 4, 6, 7, 8}));
    auto name = Reporting().OpenRecordset("SELECT AccountName FROM Project WHERE AccountCode = \"K100\"",
                                          db::RecordsetType::Snapshot);
    EXPECT_EQ(name.Get(0).ToText(), "Neu K100");

    // Nothing archived: the run deletes nothing and says so by its count.
    frmArchiveDelete again;
    ui.ExpectMessage("Löschen ausführen?", ui::Answer::Yes);
    ui.ExpectMessage("Löschen beendet!");
    EXPECT_EQ(again.Execute().value_or(-1), 0);
}

TEST_F(ArchiveTest, WithoutADatabaseTheRootObjectRefuses) {
    root.DatabaseCloseByHost();
    for (auto call : {std::function<void()>([&] { root.EntriesArchive(); }),
                      std::function<void()>([&] { root.EntriesDeleteArchive(); })}) {
        try {
            call();
            ADD_FAILURE() << "no error";
        } catch (const AppError& e) {
            EXPECT_EQ(e.Number(), 91);
        }
    }
    EXPECT_TRUE(ui.ModalForms().empty());
}

}  // namespace
}  // namespace tlx4r::test
