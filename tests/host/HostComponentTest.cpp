// The component driven by the substitute host, on real files: the accounting link end to end.
#include "host/DemoData.h"
#include "host/DemoLargeOffice.h"
#include "host/HostAccounts.h"
#include "host/HostDocuments.h"
#include "host/HostInterface.h"
#include "host/HostOptions.h"
#include "host/HostTrace.h"
#include "host/frmAccountChoose.h"
#include "host/frmBackups.h"
#include "host/frmOptions.h"

#include "core/FibuTables.h"
#include "core/Finance.h"
#include "core/Reporting.h"
#include "entries/Entries.h"
#include "masterdata/OlContacts.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "core/modBackup.h"
#include "core/modReporting.h"
#include "core/modStringLibrary.h"
#include "db/DbError.h"
#include "db/TempDb.h"
#include "platform/MemoryStore.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <fstream>

namespace tlx4r {
namespace {

using db::test::FileBytes;
using db::test::TempDir;

class HostComponentTest : public ::testing::Test {
protected:
    HostComponentTest() {
        root.SetInterface(&host);
        auto& ev = root.Events();
        for (auto [event, name] : {std::pair{&ev.DatabaseOpen, "Open"}, {&ev.DatabaseClose, "Close"},
                                   {&ev.VerifyStart, "Start"}, {&ev.VerifyExecute, "Execute"}, {&ev.VerifyStop, "Stop"}})
            subs.push_back(event->Subscribe([this, name] { events.push_back(name); }));
    }
    ~HostComponentTest() override { root.Tini(); }

    AccountData Client(std::string code, std::string name) {
        AccountData a;
        a.code = std::move(code);
        a.name = std::move(name);
        a.level = 2;
        return a;
    }
    db::Value ProjectValue(const std::string& code, const std::string& field) {
        auto rs = root.Database()->OpenRecordset("SELECT " + field + " FROM Project WHERE AccountCode = \"" + code + "\"",
                                                 db::RecordsetType::Snapshot);
        return rs.Eof() ? db::Value("(no project)") : rs.Get(0);
    }
    long long Count(db::Database& db, const std::string& sql) {
        return db.OpenRecordset(sql, db::RecordsetType::Snapshot).Get(0).ToLong();
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
    std::vector<hostapi::Subscription> subs;
    std::vector<std::string> events;
};

TEST_F(HostComponentTest, AccountsOfTheFinanceDatabaseKeepTheProjectsInStep) {
    const std::string finance = dir.File("Kanzlei 2024.tdb4f");
    const std::string reporting = dir.File("Kanzlei Data.tdb4r");
    host.DatabaseNew(finance);
    host.Accounts()->Create(Client("1100.001", "Vor der Datenbank AG"));  // no reporting database: no project
    root.DatabaseNew(reporting);
    ASSERT_NE(root.Database(), nullptr);
    EXPECT_EQ(host.FinanceSettingGet("TXV4Database"), "Kanzlei Data.tdb4r");
    EXPECT_EQ(Count(*root.Database(), "SELECT Count(*) FROM Project"), 0);

    // every account event shows its project in the editor, where it is saved
    ui.OnForm("frmProject", [](ui::Form& f) {
        f.Get<ui::Button>("btnSave").UserClick();
        f.Get<ui::Button>("btnClose").UserClick();
    });
    host.Accounts()->Create(Client("1100.002", "Huber Erben"));
    AccountData ledger = Client("1000", "Kasse");
    ledger.general_ledger = true;
    host.Accounts()->Create(ledger);
    AccountData heading = Client("1100", "Debitoren");
    heading.level = 0;
    host.Accounts()->Create(heading);
    EXPECT_EQ(Count(*root.Database(), "SELECT Count(*) FROM Project"), 1);
    EXPECT_EQ(ProjectValue("1100.002", "AccountName"), db::Value("Huber Erben"));

    // renaming, closing and reopening the account reach the project
    AccountData huber = Client("1100.002", "Erbengemeinschaft Huber");
    huber.closed = true;
    host.Accounts()->Update(huber);
    EXPECT_EQ(ProjectValue("1100.002", "AccountName"), db::Value("Erbengemeinschaft Huber"));
    EXPECT_EQ(ProjectValue("1100.002", "DateEnd"), db::Value(Date::Today()));
    huber.closed = false;
    host.Accounts()->Update(huber);
    EXPECT_TRUE(ProjectValue("1100.002", "DateEnd").IsNull());
    host.Accounts()->Update(Client("1100.001", "Vor der Datenbank AG"));  // an update creates a missing project
    EXPECT_EQ(ProjectValue("1100.001", "AccountName"), db::Value("Vor der Datenbank AG"));

    // the chooser of the host hands the component its project
    ui.OnForm("frmAccountChoose", [](ui::Form& f) {
        auto& form = dynamic_cast<frmAccountChoose&>(f);
        form.txtSearch.UserType("huber");
        form.btnOk.UserClick();
    });
    const std::int32_t id = root.Finance()->ProjectChoose();
    EXPECT_EQ(id, NullToLong(ProjectValue("1100.002", "ID")));

    // the finance table linked into the reporting database reads the host's accounts
    const std::string local = root.FibuTables()->Item("Accounts");
    EXPECT_EQ(Count(*root.Database(), "SELECT Count(*) FROM " + local + " WHERE IsGeneralLedger = False"), 3);

    // the host closes and reopens its file: the component follows with the linked database
    host.DatabaseClose();
    EXPECT_EQ(root.Database(), nullptr);
    EXPECT_EQ(host.Accounts(), nullptr);
    host.DatabaseOpen(finance);
    ASSERT_NE(root.Database(), nullptr);
    EXPECT_EQ(root.DatabaseName(), reporting);
    host.Accounts()->Create(Client("1100.003", "Nach dem Wiederöffnen GmbH"));
    EXPECT_EQ(ProjectValue("1100.003", "AccountName"), db::Value("Nach dem Wiederöffnen GmbH"));
    EXPECT_EQ(events, (std::vector<std::string>{"Open", "Close", "Open"}));

    // a full verification deletes the projects whose account is gone (and those without entries)
    host.FinanceDatabase()->Execute("DELETE * FROM Accounts WHERE Code = \"1100.001\"");
    root.Database()->Execute("INSERT INTO Entry (ID, ProjectID) VALUES (1, " + std::to_string(id) + ")");
    events.clear();
    root.Verify(std::string("quiet"));
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(Count(*root.Database(), "SELECT Count(*) FROM Project"), 3);
    root.Verify(std::string("quiet"), std::string("full"));
    EXPECT_EQ(events, (std::vector<std::string>{"Start", "Execute", "Stop"}));
    EXPECT_EQ(Count(*root.Database(), "SELECT Count(*) FROM Project"), 1);
    EXPECT_EQ(root.Database()->Relations().Count(), 7u);
    EXPECT_TRUE(ui.Shown().empty());
}

TEST_F(HostComponentTest, TheDemoBuildsALinkedPairOnceAndRefusesToOverwriteIt) {
    const DemoFiles files = DemoCreate(dir.File("demo"), host, root);
    EXPECT_EQ(files.finance, dir.File("demo/Kanzlei Muster 2024.tdb4f"));
    EXPECT_EQ(files.reporting, dir.File("demo/Kanzlei Muster Data.tdb4r"));
    ASSERT_NE(root.Database(), nullptr);
    db::Database& finance = *host.FinanceDatabase();
    const long long clients = Count(finance, "SELECT Count(*) FROM Accounts WHERE IsGeneralLedger = False AND Level >= 1");
    EXPECT_GE(clients, 30);
    EXPECT_GE(Count(finance, "SELECT Count(*) FROM Accounts WHERE IsGeneralLedger = True"), 20);
    // every client account has its project; the closed ones are ended
    EXPECT_EQ(Count(*root.Database(), "SELECT Count(*) FROM Project"), clients);
    EXPECT_EQ(Count(*root.Database(), "SELECT Count(*) FROM Project WHERE DateEnd Is Not Null"),
              Count(finance, "SELECT Count(*) FROM Accounts WHERE Closed = True"));
    EXPECT_GT(Count(finance, "SELECT Count(*) FROM Accounts WHERE DeleteOnCloture = True"), 0);
    EXPECT_EQ(host.FinanceSettingGet("TXV4Database"), "Kanzlei Muster Data.tdb4r");

    root.Tini();
    host.DatabaseClose();
    const std::string before = FileBytes(files.finance);
    Reporting again{user, machine};
    again.SetInterface(&host);
    try {
        DemoCreate(dir.File("demo"), host, again);
        ADD_FAILURE() << "a second demo overwrote the first";
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.Number(), 3204);
    }
    EXPECT_EQ(FileBytes(files.finance), before);
    again.Tini();
}

TEST_F(HostComponentTest, OptionsAreStoredOnlyWhenAcceptedAndEveryValueIsValid) {
    const std::string cards = dir.File("kontakte.vcf");
    std::ofstream(cards) << "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Anna Muster\r\nN:Muster;Anna;;;\r\nEND:VCARD\r\n";
    ui.ExpectMessageContaining("von 0 bis 1000").ExpectMessageContaining("ist nicht vorhanden");
    ui.OnForm("frmOptions", [&](ui::Form& f) {
        auto& form = dynamic_cast<frmOptions&>(f);
        EXPECT_TRUE(form.chkEnableExporter.Checked());
        EXPECT_EQ(form.txtBackupsKept.Text(), "10");
        form.txtOfficeName.UserSetText("Notariat Muster");
        form.chkEnableExporter.UserClick();
        form.txtBackupsKept.UserSetText("1001");
        form.btnOk.UserClick();
        form.txtBackupsKept.UserSetText("3");
        form.txtContactsSource.UserSetText(dir.File("fehlt.vcf"));
        form.btnOk.UserClick();
        // refused twice: still open, nothing stored yet
        EXPECT_TRUE(form.Visible());
        EXPECT_EQ(options.Text(HostOptions::kOfficeName), "");
        EXPECT_EQ(BackupsKept(), 10);
        form.txtContactsSource.UserSetText(cards);
        form.btnOk.UserClick();
    });
    frmOptions dialog(options, root);
    EXPECT_TRUE(dialog.Edit());
    EXPECT_EQ(options.Text(HostOptions::kOfficeName), "Notariat Muster");
    EXPECT_FALSE(options.Boolean(HostOptions::kEnableExporter));
    EXPECT_EQ(BackupsKept(), 3);
    EXPECT_EQ(root.OlContacts()->Source(), cards);
    EXPECT_TRUE(root.OlContacts()->Active());

    ui.OnForm("frmOptions", [](ui::Form& f) {
        auto& form = dynamic_cast<frmOptions&>(f);
        EXPECT_EQ(form.txtOfficeName.Text(), "Notariat Muster");
        form.txtOfficeName.UserSetText("verworfen");
        form.txtBackupsKept.UserSetText("0");
        form.btnCancel.UserClick();
    });
    EXPECT_FALSE(dialog.Edit());
    EXPECT_EQ(options.Text(HostOptions::kOfficeName), "Notariat Muster");
    EXPECT_EQ(BackupsKept(), 3);
}

TEST_F(HostComponentTest, ABackupTakenInTheDesktopGivesBackTheRowsBefore) {
    const DemoFiles files = DemoCreate(dir.File("demo"), host, root);
    const std::string sum = "SELECT Count(*), Sum(Charges) FROM Entry";
    const auto state = [&] {
        auto rs = root.Database()->OpenRecordset(sum, db::RecordsetType::Snapshot);
        return std::to_string(rs.Get(0).ToLong()) + "/" + rs.Get(1).ToText();
    };
    const std::string before = state();
    frmBackups dialog(root);
    ui.OnForm("frmBackups", [](ui::Form& f) {
        auto& backups = dynamic_cast<frmBackups&>(f);
        const int taken = backups.lvwBackups.Count();
        backups.btnBackupNow.UserClick();
        ASSERT_EQ(backups.lvwBackups.Count(), taken + 1);
        EXPECT_EQ(backups.lvwBackups.CellText(0, 1), "manual");
        backups.btnClose.UserClick();
    });
    dialog.ShowFor();

    root.Database()->Execute("DELETE FROM Entry WHERE RecType = 3");
    const std::string damaged = state();
    ASSERT_NE(damaged, before);

    ui.ExpectMessageContaining("zurücksetzen?", ui::Answer::No)
        .ExpectMessageContaining("zurücksetzen?", ui::Answer::Yes)
        .ExpectMessageContaining("ist zurückgeladen");
    ui.OnForm("frmBackups", [&](ui::Form& f) {
        auto& backups = dynamic_cast<frmBackups&>(f);
        backups.lvwBackups.UserSelect(0);
        backups.btnRestore.UserClick();  // declined
        EXPECT_EQ(state(), damaged);
        backups.btnRestore.UserClick();
        // the state it replaced is kept as the newest backup
        EXPECT_EQ(backups.lvwBackups.CellText(0, 1), "restore");
        backups.btnClose.UserClick();
    });
    dialog.ShowFor();
    ASSERT_NE(root.Database(), nullptr);
    EXPECT_EQ(root.DatabaseName(), files.reporting);
    EXPECT_EQ(state(), before);
}

TEST_F(HostComponentTest, TheLargeOfficeIsTheSameForTheSameSeedAndSoundThroughout) {
    LargeOfficeSize size;
    size.persons = 4;
    size.clients = 10;
    size.projects = 30;
    size.entries = 600;
    size.years = 3;
    const auto entries = [](db::Database& db) {
        std::string rows;
        for (auto rs = db.OpenRecordset("SELECT * FROM Entry ORDER BY ID", db::RecordsetType::ForwardOnly); !rs.Eof();
             rs.MoveNext())
            for (const auto& f : rs.Fields()) rows += rs.Get(f.Name()).IsNull() ? "|" : rs.Get(f.Name()).ToText() + "|";
        return rows;
    };
    std::string first;
    int run = 0;
    for (std::uint32_t seed : {7u, 7u, 8u}) {
        SCOPED_TRACE(seed);
        Reporting office{user, machine};
        office.SetInterface(&host);
        const DemoFiles files =
            DemoCreateLarge(dir.File("large" + std::to_string(++run)), host, office, seed, size);
        db::Database& db = *office.Database();
        EXPECT_EQ(Count(db, "SELECT Count(*) FROM Entry"), 600);
        EXPECT_EQ(Count(db, "SELECT Count(*) FROM Project"), 30);
        EXPECT_EQ(Count(db, "SELECT Count(*) FROM Client"), 10);
        EXPECT_EQ(Count(db, "SELECT Count(DISTINCT RecType) FROM Entry"), 7);
        // every entry on a project and by a person that exist, every project on its client account
        EXPECT_EQ(Count(db, "SELECT Count(*) FROM (Entry LEFT JOIN Project ON Entry.ProjectID = Project.ID) LEFT JOIN "
                            "Person ON Entry.PersonID = Person.ID WHERE Project.ID Is Null OR Person.ID Is Null"),
                  0);
        EXPECT_EQ(Count(*host.FinanceDatabase(), "SELECT Count(*) FROM Accounts WHERE IsGeneralLedger = False"), 30);
        EXPECT_TRUE(db.Check().empty());
        const std::string rows = entries(db);
        if (first.empty()) {
            first = rows;
        } else if (seed == 7u) {
            EXPECT_EQ(rows, first);
        } else {
            EXPECT_NE(rows, first);
        }
        // the component finds nothing to refuse in them
        office.Entries()->Verify();
        office.Tini();
        host.DatabaseClose();
    }
}

}  // namespace
}  // namespace tlx4r
