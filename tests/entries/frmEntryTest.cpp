// The entry form played headless on the demonstration office, as a user records entries.
#include "entries/frmEntry.h"

#include "core/Reporting.h"
#include "db/TempDb.h"
#include "entries/Entries.h"
#include "host/DemoData.h"
#include "host/HostDocuments.h"
#include "host/HostInterface.h"
#include "host/HostOptions.h"
#include "host/HostTrace.h"
#include "platform/MemoryStore.h"
#include "support/ScriptedUi.h"
#include "ui/script/FormDriver.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tlx4r {
namespace {

using db::test::TempDir;
using ui::Answer;
namespace drive = ui::script;

class EntryFormTest : public ::testing::Test {
protected:
    // The demonstration office is made once (it takes seconds of disk waits) and copied for
    // every test.
    static void SetUpTestSuite() {
        // A root object takes the host's calculator when it is made.
        HostInterface::CalculatorInstall();
        office = new TempDir;
        test::ScriptedUi quiet;
        platform::MemoryStore u, m;
        HostOptions o{u, m};
        HostTrace t{office->File("trace.log")};
        HostDocuments d;
        HostInterface h{o, t, d};
        Reporting r{u, m};
        r.SetInterface(&h);
        files = DemoCreate(office->Path(), h, r);
        r.Tini();
        h.DatabaseClose();
    }
    static void TearDownTestSuite() {
        delete office;
        office = nullptr;
    }

    EntryFormTest() {
        root.SetInterface(&host);
        for (const std::string& file : {files.finance, files.reporting}) {
            std::filesystem::copy_file(file, dir.File(std::filesystem::path(file).filename().string()));
        }
        host.DatabaseOpen(dir.File(std::filesystem::path(files.finance).filename().string()));
    }
    ~EntryFormTest() override { root.Tini(); }

    static inline TempDir* office = nullptr;
    static inline DemoFiles files;

    db::Database& Db() { return *root.Database(); }
    db::Value Scalar(const std::string& sql) {
        auto rs = Db().OpenRecordset(sql, db::RecordsetType::Snapshot);
        return rs.Eof() ? db::Value() : rs.Get(0);
    }
    std::int32_t MaxId() { return Scalar("SELECT Max(ID) FROM Entry").ToLong(); }

    // The user's hands on the form on top.
    static void Set(ui::Form& f, const std::string& control, const std::string& value) {
        drive::SetValue(drive::FindControl(f, control), value);
    }
    static void Click(ui::Form& f, const std::string& control) { drive::Click(drive::FindControl(f, control)); }
    static void Leave(ui::Form& f, const std::string& control) { drive::Leave(drive::FindControl(f, control)); }
    static std::string Text(ui::Form& f, const std::string& control) {
        return drive::ValueText(drive::FindControl(f, control));
    }
    static bool Usable(ui::Form& f, const std::string& control) { return drive::FindControl(f, control).CanUse(); }

    // The record-type chooser answers with the type of that letter (or cancels with "").
    void ChooseType(const std::string& letter) {
        ui.OnForm("frmEntryTypeChoose", [letter, this](ui::Form& f) {
            chooser_selection = Text(f, "ListView1");
            if (letter.empty()) {
                Click(f, "btnCancel");
            } else {
                Set(f, "ListView1", letter);
                Click(f, "btnOk");
            }
        });
    }
    // The host's account chooser picks the account of code.
    void ChooseAccount(const std::string& code) {
        ui.OnForm("frmAccountChoose", [code](ui::Form& f) {
            Set(f, "lvwAccounts", code);
            Click(f, "btnOk");
        });
    }

    TempDir dir;
    test::ScriptedUi ui;
    platform::MemoryStore user;
    platform::MemoryStore machine;
    HostOptions options{user, machine};
    HostTrace trace{dir.File("trace.log")};
    HostDocuments documents;
    HostInterface host{options, trace, documents};
    Reporting root{user, machine};
    std::string chooser_selection;
};

TEST_F(EntryFormTest, WorkingTimeIsRecalculatedWhileTypingAndNormalisedOnSaving) {
    ChooseType("A");
    ChooseAccount("1100.001");
    std::int32_t saved = 0;
    ui.OnForm("frmEntry", [&](ui::Form& f) {
        EXPECT_EQ(f.Caption(), "Eintrag - Arbeitszeit");
        EXPECT_FALSE(drive::FindControl(f, "txtAdapted").EffectivelyVisible());
        Click(f, "btnProjectChoose");
        Set(f, "txtTimeFrom", "800");
        Set(f, "txtTimeTo", "1215");
        Set(f, "txtTimeBreak", "0:15");
        Set(f, "txtRate", "120");
        Leave(f, "txtRate");
        EXPECT_EQ(Text(f, "txtTimeFrom"), "08:00");
        EXPECT_EQ(Text(f, "txtTimeTo"), "12:15");
        EXPECT_EQ(Text(f, "txtTimeLap"), "04:00");
        EXPECT_EQ(Text(f, "txtCharges"), "480.00");
        EXPECT_EQ(Text(f, "txtTotal"), "480.00");
        // 20 minutes at 125.50 are 41.8333…, to 0.10 with ties to even: 41.80.
        Set(f, "txtTimeTo", "08:20");
        Set(f, "txtTimeBreak", "");
        Set(f, "txtRate", "125.50");
        Leave(f, "txtRate");
        EXPECT_EQ(Text(f, "txtCharges"), "41.80");
        Set(f, "txtText", "Telefon mit Klientin");
        Click(f, "btnSave");
        saved = std::stoi(Text(f, "txtID"));
        Click(f, "btnClose");
    });
    root.Entries()->EditNew(1);
    ASSERT_EQ(saved, MaxId());
    auto rs = Db().OpenRecordset("SELECT * FROM Entry WHERE ID = " + std::to_string(saved), db::RecordsetType::Snapshot);
    EXPECT_EQ(rs.Get("RecTypeText").ToText(), "A  ");
    EXPECT_EQ(rs.Get("Charges").ToCurrency(), Currency::FromUnits(418000));
    EXPECT_EQ(rs.Get("Text").ToText(), "Telefon mit Klientin");
    EXPECT_EQ(rs.Get("DispValue1").ToText(), "00:20x125.50");
    EXPECT_EQ(root.Entries()->Form().Entry()->ID(), saved);
}

TEST_F(EntryFormTest, VatEntryComputesAtTheTypedRateAndInvoiceClearsTheBalance) {
    ChooseType("M");
    ChooseAccount("1100.002");
    ui.OnForm("frmEntry", [&](ui::Form& f) {
        Click(f, "btnProjectChoose");
        Set(f, "txtVATSold", "1000");
        Set(f, "txtVATRate", "8");
        EXPECT_EQ(Text(f, "txtVAT"), "80.00");
        EXPECT_EQ(Text(f, "txtText"), "MWST 8.00% auf 1,000.00 = 80.00");
        // A rate the user types governs the amount, whatever the day's rate.
        Set(f, "txtVATRate", "7.7");
        EXPECT_EQ(Text(f, "txtVAT"), "77.00");
        EXPECT_EQ(Text(f, "txtTotal"), "77.00");
        Click(f, "btnSave");
        // New keeps the project and the date and offers the record type just used.
        ChooseType("R");
        Click(f, "btnNew");
        EXPECT_EQ(chooser_selection, "M");
        EXPECT_EQ(f.Caption(), "Eintrag - Rechnung");
        EXPECT_EQ(Text(f, "txtText"), "Rechnung");
        Set(f, "txtAdapted", "-0.35");
        Click(f, "btnCalc");
        Click(f, "btnSave");
        Click(f, "btnClose");
    });
    root.Entries()->EditNew(1);
    auto rs = Db().OpenRecordset(
        "SELECT Sum([Charges]+[Expenses]+[Adapted]-[Billed]+[VAT]) AS Open FROM Entry INNER JOIN Project ON "
        "Project.ID = Entry.ProjectID WHERE Project.AccountCode = \"1100.002\"",
        db::RecordsetType::Snapshot);
    EXPECT_EQ(rs.Get("Open").ToCurrency(), Currency());
    EXPECT_EQ(Scalar("SELECT VAT FROM Entry WHERE RecType = 7 AND ID = " + std::to_string(MaxId() - 1)).ToCurrency(),
              Currency::FromInt(77));
}

TEST_F(EntryFormTest, PendingChangesAreAskedForAndBrowsingStopsAtBothEnds) {
    const std::int32_t last = MaxId();
    const std::int32_t first = Scalar("SELECT Min(ID) FROM Entry").ToLong();
    ui.OnForm("frmEntry", [&](ui::Form& f) {
        const int beeps = ui.Beeps();
        Click(f, "btnNext");
        EXPECT_EQ(ui.Beeps(), beeps + 1);
        EXPECT_EQ(Text(f, "txtID"), std::to_string(last));

        Set(f, "txtText", "Geänderter Text");
        ui.ExpectMessage("Die Daten sind geändert worden!\r\nWollen sie speichern?", Answer::Cancel,
                         "Eintrag speichern", ui::Icon::Question);
        Click(f, "btnNew");
        EXPECT_EQ(Text(f, "txtText"), "Geänderter Text");
        // Browsing from a changed stored entry saves it without asking.
        Click(f, "btnFirst");
        EXPECT_EQ(Text(f, "txtID"), std::to_string(first));
        Click(f, "btnPrevious");
        EXPECT_EQ(ui.Beeps(), beeps + 2);
        Click(f, "btnLast");
        EXPECT_EQ(Text(f, "txtText"), "Geänderter Text");

        Set(f, "txtText", "Noch einmal geändert");
        ui.ExpectMessage("Die Daten sind geändert worden!\r\nWollen sie speichern?", Answer::No);
        Click(f, "btnClose");
    });
    root.Entries()->EditByID(last, 1);
    EXPECT_EQ(Scalar("SELECT Text FROM Entry WHERE ID = " + std::to_string(last)).ToText(), "Geänderter Text");
}

TEST_F(EntryFormTest, ANewEntryWithoutRecordTypeLeavesTheCommandsDisabled) {
    ChooseType("");
    ui.OnForm("frmEntry", [&](ui::Form& f) {
        EXPECT_EQ(f.Caption(), "Eintrag");
        for (const char* name : {"btnSave", "btnCopy", "btnDelete", "btnRestore", "btnProjectChoose", "txtText"}) {
            EXPECT_FALSE(Usable(f, name)) << name;
        }
        EXPECT_TRUE(Usable(f, "btnNew"));
        Click(f, "btnClose");
    });
    const std::int32_t before = MaxId();
    root.Entries()->EditNew(1);
    EXPECT_EQ(MaxId(), before);
}

TEST_F(EntryFormTest, NotaryTariffOpensTheCalculatorAndCopyAndDeleteWorkOnTheRow) {
    ChooseType("N");
    ChooseAccount("1100.003");
    ui.ExpectInput("100000");
    ui.ExpectMessageContaining("Gebühr übernehmen?", Answer::Yes);
    ui.OnForm("frmEntry", [&](ui::Form& f) {
        EXPECT_EQ(Text(f, "chkIsBaseCharge"), "1");
        EXPECT_EQ(Text(f, "txtText"), "Bemessungsgrundlage CHF 100,000.00");
        EXPECT_NE(Text(f, "txtCharges"), "0.00");
        ui.ExpectMessage("Kein Geschäft ausgewählt!", Answer::Ok);
        Click(f, "btnSave");
        EXPECT_EQ(Text(f, "txtID"), "");
        Click(f, "btnProjectChoose");
        Click(f, "btnSave");
        const std::string original = Text(f, "txtID");
        Click(f, "btnCopy");
        const std::string copy = Text(f, "txtID");
        EXPECT_NE(copy, original);
        Click(f, "btnDelete");
        EXPECT_EQ(f.Caption(), "Eintrag");
        EXPECT_FALSE(Usable(f, "btnSave"));
        Click(f, "btnClose");
        EXPECT_EQ(Scalar("SELECT Count(*) FROM Entry WHERE ID = " + copy).ToLong(), 0);
        EXPECT_EQ(Scalar("SELECT Count(*) FROM Entry WHERE ID = " + original).ToLong(), 1);
    });
    root.Entries()->EditNew(1);
}

TEST_F(EntryFormTest, TemplatesGoInWithACountOrBeforeTheText) {
    ChooseType("G");
    const auto pick = [this](const std::string& name, const char* button) {
        ui.OnForm("frmDatas", [name, button](ui::Form& f) {
            Set(f, "ListView1", name);
            Click(f, button);
        });
    };
    ui.OnForm("frmEntry", [&](ui::Form& f) {
        // A fee entry asks for a count and multiplies the template's amounts.
        pick("Grundbuchanmeldung", "btnOk");
        ui.ExpectInput("drei");
        ui.ExpectMessage("'drei' ist keine ganze Zahl", Answer::Ok, "Anzahl eingeben", ui::Icon::Exclamation);
        Click(f, "btnTemplateChoose");
        EXPECT_EQ(Text(f, "txtText"), "");
        ui.ExpectInput("3");
        Click(f, "btnTemplateChoose");
        EXPECT_EQ(Text(f, "txtText"), "3 x Grundbuchanmeldung");
        EXPECT_EQ(Text(f, "txtCharges"), "450.00");
        EXPECT_EQ(Text(f, "txtExpenses"), "135.00");
        EXPECT_EQ(Text(f, "txtTotal"), "585.00");
        // "Vorne" puts the template before the text, with the separator a sentence needs.
        pick("Beglaubigung einer Kopie", "btnPrefix");
        Click(f, "btnTemplateChoose");
        EXPECT_EQ(Text(f, "txtText"), "Beglaubigung einer Kopie. 3 x Grundbuchanmeldung");
        ui.ExpectMessage("Die Daten sind geändert worden!\r\nWollen sie speichern?", Answer::No);
        Click(f, "btnClose");
    });
    root.Entries()->EditNew(1);
}

}  // namespace
}  // namespace tlx4r
