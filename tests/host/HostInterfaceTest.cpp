#include "host/FinanceDatabase.h"
#include "host/HostAccounts.h"
#include "host/HostDocuments.h"
#include "host/HostInterface.h"
#include "host/HostOptions.h"
#include "host/HostTrace.h"
#include "host/TariffCalculator.h"
#include "host/frmAccountChoose.h"

#include "core/modReporting.h"
#include "db/DbError.h"
#include "db/TempDb.h"
#include "platform/MemoryStore.h"
#include "support/ScriptedUi.h"
#include "types/AppError.h"

#include <gtest/gtest.h>

#include <fstream>

namespace tlx4r {
namespace {

using db::test::FileBytes;
using db::test::TempDir;

class NoOpener : public platform::DocumentOpener {
public:
    int Open(const std::string& path, const std::string&) override {
        opened.push_back(path);
        return 42;
    }
    std::vector<std::string> opened;
};

// A host on temporary stores and files, with a record of its events.
class HostTest : public ::testing::Test {
protected:
    HostTest() {
        subs.push_back(host.DatabaseOpended([this] { events.push_back("opened " + host.FinanceDatabasePath()); }));
        subs.push_back(host.DatabaseClosed([this] { events.push_back("closed " + host.FinanceDatabasePath()); }));
    }
    AccountData Client(std::string code, std::string name) {
        AccountData a;
        a.code = std::move(code);
        a.name = std::move(name);
        return a;
    }

    TempDir dir;
    test::ScriptedUi ui;
    platform::MemoryStore user;
    platform::MemoryStore machine;
    HostOptions options{user, machine};
    HostTrace trace{dir.File("log/trace.log")};
    NoOpener opener;
    HostDocuments documents{opener};
    HostInterface host{options, trace, documents};
    std::vector<hostapi::Subscription> subs;
    std::vector<std::string> events;
};

TEST_F(HostTest, FinanceFilesAreCreatedOpenedAndRefusedWhenTheyAreNotOne) {
    const std::string path = dir.File("Firma 2024.tdb4f");
    {
        FinanceDatabase f = FinanceDatabase::Create(path);
        f.SettingSet("TXV4Database", "Firma Data.tdb4r");
        f.SettingSet("txv4database", "Firma \"neu\".tdb4r");  // names compare case-insensitively
        f.SettingSet("OptionTXV2Database", "alt.mdb");
        f.SettingSet("OptionTXV2Database", "");  // an empty value removes the setting
        EXPECT_THROW(f.SettingSet(" ", "x"), db::DbError);
    }
    EXPECT_THROW(FinanceDatabase::Create(path), db::DbError);
    FinanceDatabase f = FinanceDatabase::Open(path);
    EXPECT_EQ(f.SettingGet("TXV4DATABASE"), "Firma \"neu\".tdb4r");
    EXPECT_EQ(f.SettingGet("OptionTXV2Database"), "");
    EXPECT_EQ(f.Database().OpenRecordset("SELECT Count(*) FROM Settings", db::RecordsetType::Snapshot).Get(0),
              db::Value(1));
    f.Close();
    EXPECT_EQ(f.SettingGet("TXV4Database"), "");

    // neither a text file nor a database of another kind is taken, and neither is changed
    const std::string text = dir.File("notes.tdb4f");
    std::ofstream(text) << "Kein Datenbankformat";
    const std::string other = dir.File("other.tdb4f");
    db::Database::Create(other).Execute("CREATE TABLE Konten (ID Long)");
    for (const std::string& p : {text, other}) {
        const std::string before = FileBytes(p);
        try {
            FinanceDatabase::Open(p);
            ADD_FAILURE() << p << " opened";
        } catch (const db::DbError& e) {
            EXPECT_EQ(e.Number(), 3343) << p;
        }
        EXPECT_EQ(FileBytes(p), before) << p;
    }
    EXPECT_THROW(FinanceDatabase::Open(dir.File("nowhere.tdb4f")), db::DbError);
}

TEST_F(HostTest, OpeningAndClosingRaiseTheirEventsAndTheSettingsFollowTheFile) {
    EXPECT_EQ(host.FinanceDatabasePath(), "");
    EXPECT_EQ(host.FinanceDatabase(), nullptr);
    EXPECT_EQ(host.FinanceAccounts(), nullptr);
    host.FinanceSettingSet("TXV4Database", "x.tdb4r");  // dropped: nothing open
    host.DatabaseClose();                               // nothing open: no event
    EXPECT_TRUE(events.empty());

    const std::string a = dir.File("a.tdb4f");
    const std::string b = dir.File("b.tdb4f");
    host.DatabaseNew(a);
    host.FinanceSettingSet("TXV4Database", "a.tdb4r");
    host.DatabaseNew(b);  // the open one is closed first
    EXPECT_EQ(host.FinanceSettingGet("TXV4Database"), "");
    host.DatabaseOpen(a);
    EXPECT_EQ(host.FinanceSettingGet("TXV4Database"), "a.tdb4r");
    ASSERT_NE(host.FinanceDatabase(), nullptr);
    EXPECT_TRUE(host.FinanceDatabase()->TableDefs().Exists("Accounts"));
    host.DatabaseClose();
    EXPECT_EQ(events, (std::vector<std::string>{"opened " + a, "closed ", "opened " + b, "closed ", "opened " + a,
                                                "closed "}));
    EXPECT_EQ(host.FinanceSettingGet("TXV4Database"), "");

    // a failed open leaves nothing open and raises nothing
    events.clear();
    host.DatabaseOpen(a);
    EXPECT_THROW(host.DatabaseOpen(dir.File("missing.tdb4f")), db::DbError);
    EXPECT_FALSE(host.IsOpen());
    EXPECT_EQ(events, (std::vector<std::string>{"opened " + a, "closed "}));
    EXPECT_THROW(host.DatabaseNew(a), db::DbError);
}

TEST_F(HostTest, AccountsAreWrittenThenAnnouncedAndCheckedBeforehand) {
    host.DatabaseNew(dir.File("f.tdb4f"));
    HostAccounts& accounts = *host.Accounts();
    std::vector<std::string> seen;
    auto created = accounts.Created([&](const hostapi::Account& a) {
        // the row is there when the event comes
        seen.push_back("created " + a.Code() + " " + a.Name() + " " + std::to_string(accounts.Count()));
    });
    auto updated = accounts.Updated([&](const hostapi::Account& a) {
        seen.push_back("updated " + a.Code() + (a.IsClosed() ? " closed" : " open"));
    });

    AccountData ledger = Client("1000", "Kasse");
    ledger.general_ledger = true;
    accounts.Create(ledger);
    AccountData heading = Client("1", "Aktiven");
    heading.general_ledger = true;
    heading.level = 0;
    accounts.Create(heading);
    accounts.Create(Client(" 1100.002 ", "Meier \"Söhne\" AG"));
    auto first = accounts.Create(Client("1100.001", std::string(120, 'x')));
    EXPECT_EQ(first->Name().size(), 100u);  // cut to the column
    EXPECT_EQ(first->Property("id"), db::Value(4));

    for (AccountData bad : {Client("", "leer"), Client(std::string(21, '9'), "lang"), Client("1100.001", "doppelt")}) {
        EXPECT_THROW(accounts.Create(bad), AppError) << bad.code;
    }
    AccountData negative = Client("2000", "Kreditoren");
    negative.level = -1;
    EXPECT_THROW(accounts.Create(negative), AppError);
    EXPECT_THROW(accounts.Update(Client("9999", "fehlt")), AppError);
    EXPECT_EQ(accounts.Count(), 4);

    AccountData close = Client("1100.002", "Meier Söhne AG");
    close.closed = true;
    close.worked_balance = Currency::FromInt(1250);
    accounts.Update(close);
    EXPECT_EQ(seen, (std::vector<std::string>{"created 1000 Kasse 1", "created 1 Aktiven 2",
                                              "created 1100.002 Meier \"Söhne\" AG 3",
                                              "created 1100.001 " + std::string(100, 'x') + " 4",
                                              "updated 1100.002 closed"}));

    // codes compare without regard to case; the account keeps what it was read as
    auto meier = host.FinanceAccounts()->Item("1100.002");
    ASSERT_NE(meier, nullptr);
    EXPECT_TRUE(meier->IsClosed());
    EXPECT_EQ(meier->Property("WorkedBalance"), db::Value(Currency::FromInt(1250)));
    EXPECT_EQ(meier->Property("Unknown"), db::Value());
    EXPECT_EQ(accounts.Item("nothing"), nullptr);

    std::vector<std::string> clients;
    for (const auto& a : accounts.List(true)) clients.push_back(a.code);
    EXPECT_EQ(clients, (std::vector<std::string>{"1100.001", "1100.002"}));
    EXPECT_EQ(accounts.List().size(), 4u);
    EXPECT_EQ(accounts.List().front().code, "1");

    host.DatabaseClose();
    EXPECT_EQ(meier->Name(), "Meier Söhne AG");  // still valid after the file closed
}

TEST_F(HostTest, TheChooserNarrowsBySearchAndReturnsTheChosenAccount) {
    host.DatabaseNew(dir.File("f.tdb4f"));
    AccountData ledger = Client("1020", "Bank");
    ledger.general_ledger = true;
    host.Accounts()->Create(ledger);
    host.Accounts()->Create(Client("1100.001", "Bachmann Immobilien AG"));
    host.Accounts()->Create(Client("1100.002", "Huber Erben"));
    host.Accounts()->Create(Client("1200.001", "Gemeinde Oberwil"));

    // preselection kept; typing narrows by code start or by name anywhere, case-insensitively
    ui.OnForm("frmAccountChoose", [](ui::Form& f) {
        auto& form = dynamic_cast<frmAccountChoose&>(f);
        EXPECT_EQ(form.Caption(), "Geschäft auswählen");
        EXPECT_EQ(form.lvwAccounts.Count(), 3);  // the ledger account is not offered
        EXPECT_EQ(form.SelectedCode(), "1100.002");
        form.txtSearch.UserType("IMMO");
        ASSERT_EQ(form.lvwAccounts.Count(), 1);
        EXPECT_EQ(form.lvwAccounts.CellText(0, 1), "Bachmann Immobilien AG");
        EXPECT_EQ(form.lblCount.Caption(), "1 von 3 Konten");
        form.txtSearch.UserSetText("1100");
        EXPECT_EQ(form.lvwAccounts.Count(), 2);
        form.txtSearch.UserSetText("zzz");
        EXPECT_EQ(form.lvwAccounts.Count(), 0);
        EXPECT_FALSE(form.btnOk.Enabled());
        form.txtSearch.UserSetText("");
        form.lvwAccounts.UserSelect(2);
        form.btnOk.UserClick();
    });
    auto chosen = host.AccountChoose("Geschäft auswählen", "1100.002", 10, 20);
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->Code(), "1200.001");

    ui.OnForm("frmAccountChoose", [](ui::Form& f) {
        auto& form = dynamic_cast<frmAccountChoose&>(f);
        EXPECT_EQ(form.txtSearch.Text(), "");  // the reused form starts afresh
        EXPECT_EQ(form.SelectedCode(), "1100.001");  // no preselection: the first one
        form.lvwAccounts.UserDoubleClickRow(1);
    });
    EXPECT_EQ(host.AccountChoose("Konto", "")->Code(), "1100.002");

    ui.OnForm("frmAccountChoose", [](ui::Form& f) { dynamic_cast<frmAccountChoose&>(f).btnCancel.UserClick(); });
    EXPECT_EQ(host.AccountChoose("Konto", "1100.001"), nullptr);
    ui.OnForm("frmAccountChoose", [](ui::Form& f) { EXPECT_TRUE(f.UserClose()); });
    EXPECT_EQ(host.AccountChoose("Konto", "1100.001"), nullptr);

    host.DatabaseClose();
    EXPECT_EQ(host.AccountChoose("Konto", ""), nullptr);  // no file: no dialog
    EXPECT_EQ(ui.ModalForms().size(), 4u);
}

// What each service does is checked on its own in HostServicesTest; here that the host hands
// the component its own.
TEST_F(HostTest, OptionsTraceDocumentsAndTheCalculatorAreTheHostServices) {
    options.SetBoolean("EnableExporter", false);
    options.SetText("ProjectExportFormats", "XML;CSV");
    EXPECT_FALSE(host.OptionBoolean("EnableExporter"));
    EXPECT_EQ(host.OptionText("ProjectExportFormats"), "XML;CSV");

    host.Trace("Reporting", hostapi::TraceValues{"DBOpen", "1", "/tmp/x"});
    ASSERT_EQ(trace.Records().size(), 1u);
    EXPECT_EQ(trace.Records()[0].Text(), "Reporting\tDBOpen\t1\t/tmp/x");

    host.DocumentOpen("Reporting", hostapi::DocumentValues{"open", "/tmp/brief.pdf", ""});
    EXPECT_EQ(opener.opened, std::vector<std::string>{"/tmp/brief.pdf"});

    CalculatorFactorySet({});
    HostInterface::CalculatorInstall();
    auto calculator = CalculatorFactoryGet()();
    EXPECT_NE(dynamic_cast<TariffCalculator*>(calculator.get()), nullptr);
    CalculatorFactorySet({});
}

}  // namespace
}  // namespace tlx4r
