#include "core/Reporting.h"

#include "core/ComponentFactory.h"
#include "core/DBReporting.h"
#include "core/DBSettings.h"
#include "core/Finance.h"
#include "core/FibuTables.h"
#include "core/modReporting.h"
#include "db/Database.h"
#include "db/TempDb.h"
#include "hostapi/Interface.h"
#include "masterdata/Projects.h"
#include "platform/MemoryStore.h"
#include "support/ScriptedUi.h"
#include "types/AppError.h"
#include "ui/Button.h"
#include "ui/Form.h"

#include <gtest/gtest.h>

#include <map>

namespace tlx4r {
namespace {

using db::test::TempDir;

class FakeAccount : public hostapi::Account {
public:
    FakeAccount(std::string code, std::string name, bool ledger = false, int level = 1, bool closed = false)
        : code_(std::move(code)), name_(std::move(name)), ledger_(ledger), level_(level), closed_(closed) {}
    db::Value Property(std::string_view name) const override {
        if (name == "Code") return db::Value(code_);
        if (name == "Name") return db::Value(name_);
        return {};
    }
    bool IsGeneralLedger() const override { return ledger_; }
    int Level() const override { return level_; }
    bool IsClosed() const override { return closed_; }
    std::string code_, name_;
    bool ledger_;
    int level_;
    bool closed_;
};

class FakeAccounts : public hostapi::Accounts {
public:
    std::shared_ptr<const hostapi::Account> Item(const std::string&) const override { return nullptr; }
    using hostapi::Accounts::RaiseCreated;
    using hostapi::Accounts::RaiseUpdated;
};

// A host whose finance database is only a path and its settings.
class FakeHost : public hostapi::Interface {
public:
    std::string FinanceDatabasePath() const override { return open_ ? path_ : ""; }
    db::Database* FinanceDatabase() override { return nullptr; }
    std::string FinanceSettingGet(const std::string& name) const override {
        auto it = settings_.find(name);
        return open_ && it != settings_.end() ? it->second : "";
    }
    void FinanceSettingSet(const std::string& name, const std::string& value) override {
        if (open_) settings_[name] = value;
    }
    hostapi::Accounts* FinanceAccounts() override { return open_ ? &accounts_ : nullptr; }
    std::shared_ptr<const hostapi::Account> AccountChoose(const std::string& caption, const std::string&,
                                                          std::optional<int>, std::optional<int>) override {
        captions_.push_back(caption);
        return chosen_;
    }
    bool OptionBoolean(const std::string&) const override { return false; }
    std::string OptionText(const std::string&) const override { return ""; }
    void Trace(const std::string& source, const hostapi::TraceValues& values) override {
        traces_.push_back(source + ":" + (values[0].IsNull() ? "" : values[0].ToText()) + ":" +
                          (values[1].IsNull() ? "" : values[1].ToText()));
    }
    void DocumentOpen(const std::string&, const hostapi::DocumentValues&) override {}

    void Open(std::string path) {
        path_ = std::move(path);
        open_ = true;
        RaiseDatabaseOpended();
    }
    void Close() {
        open_ = false;
        RaiseDatabaseClosed();
    }

    std::string path_;
    bool open_ = false;
    std::map<std::string, std::string> settings_;
    FakeAccounts accounts_;
    std::shared_ptr<const hostapi::Account> chosen_;
    std::vector<std::string> captions_;
    std::vector<std::string> traces_;
};

class ReportingTest : public ::testing::Test {
protected:
    ReportingTest() {
        subs.push_back(root.Events().DatabaseOpen.Subscribe([this] { events.push_back("DatabaseOpen"); }));
        subs.push_back(root.Events().DatabaseClose.Subscribe([this] { events.push_back("DatabaseClose"); }));
        subs.push_back(root.Events().VerifyStart.Subscribe([this] { events.push_back("VerifyStart"); }));
        subs.push_back(root.Events().VerifyExecute.Subscribe([this] { events.push_back("VerifyExecute"); }));
        subs.push_back(root.Events().VerifyStop.Subscribe([this] { events.push_back("VerifyStop"); }));
        root.SetInterface(&host);
    }
    using Events = std::vector<std::string>;

    TempDir dir;
    test::ScriptedUi ui;
    platform::MemoryStore user;
    platform::MemoryStore machine;
    FakeHost host;
    Reporting root{user, machine};
    std::vector<hostapi::Subscription> subs;
    Events events;
};

const char* const kCompactQuestion =
    "Datenbank wird komprimiert (aufgeräumt und verkleinert)!\r\nIst die Datenbank gesichert worden?\r\nWollen Sie "
    "weiterfahren?";
const char* const kVerifyQuestion =
    "Datenbank wird verifiziert (Datenkontrolle und -reparatur)!\r\nIst die Datenbank gesichert worden?\r\nWollen Sie "
    "weiterfahren?";

TEST_F(ReportingTest, StartUpPublishesTheRootAndWritesTheReleaseValues) {
    EXPECT_EQ(goReporting, &root);
    EXPECT_EQ(goInterface, &host);
    EXPECT_EQ(root.Version(), "04.00.000 - 16.12.2017");
    EXPECT_EQ(VersionText(4, 1, 23), "04.01.023 - 16.12.2017");
    EXPECT_EQ(machine.ValueGet("Software\\Kelvora\\Finance\\V4\\Reporting\\Release", "ProductName"),
              platform::RegistryValue(std::string("Kelvora Reporting V4")));
    EXPECT_EQ(root.Database(), nullptr);
    EXPECT_EQ(root.Entries(), nullptr);
    EXPECT_TRUE(root.DebugMode({1, 2, 3}).IsNull());
    EXPECT_TRUE(root.ServiceEntry().IsNull());
    EXPECT_THROW(root.DebugMode(std::vector<db::Value>(11)), AppError);
    EXPECT_EQ(DataFlavorTable(3), "ProjectType");
    EXPECT_EQ(DataFlavorNameField(4), "DepartmentNameFull");
    EXPECT_EQ(DataFlavorText(6), "");

    // a machine store that cannot be written is skipped
    platform::MemoryStore locked{false};
    Reporting second{user, locked};
    EXPECT_FALSE(locked.KeyExists("Software"));
    second.Tini();
    EXPECT_EQ(goReporting, nullptr);
}

TEST_F(ReportingTest, OpenNewCloseRaiseTheirEventsAndAskBeforeLeavingTheLinkedDatabase) {
    host.Open(dir.File("Firma 2017.tdb4f"));
    // without an argument the new database is proposed beside the finance database
    ui.ExpectFileDialog(std::nullopt);
    root.DatabaseNew();
    ASSERT_EQ(ui.FileDialogs().size(), 1u);
    EXPECT_EQ(ui.FileDialogs()[0].file_name, "Firma Data");
    EXPECT_EQ(ui.FileDialogs()[0].initial_dir, dir.File(""));
    EXPECT_EQ(ui.FileDialogs()[0].title, "Neue Gebührenbuchhaltung erstellen");
    EXPECT_EQ(root.Database(), nullptr);

    const std::string path = dir.File("Firma Data.tdb4r");
    root.DatabaseNew(path);
    ASSERT_NE(root.Database(), nullptr);
    EXPECT_EQ(events, Events{"DatabaseOpen"});
    EXPECT_EQ(root.Finance()->ReportingDB(), path);
    EXPECT_EQ(host.settings_["TXV4Database"], "Firma Data.tdb4r");
    EXPECT_EQ(root.DBSettings()->Value("FinanceDatabase"), db::Value("Firma 2017.tdb4f"));

    root.DatabaseOpen(path);  // the linked one: no question
    EXPECT_EQ(events, (Events{"DatabaseOpen", "DatabaseOpen"}));

    const std::string question = "Wollen Sie die Verbindung mit der bisherigen Reporting Datenbank\r\n" + path +
                                 "\r\nwirklich unterbrechen?";
    ui.ExpectMessage(question, ui::Answer::No, "Kelvora Reporting V4", ui::Icon::Question);
    root.DatabaseClose();
    EXPECT_NE(root.Database(), nullptr);
    ui.ExpectMessage(question, ui::Answer::Yes);
    root.DatabaseClose();
    EXPECT_EQ(root.Database(), nullptr);
    EXPECT_EQ(root.Entries(), nullptr);
    EXPECT_EQ(root.Finance()->ReportingDB(), "");
    EXPECT_EQ(events, (Events{"DatabaseOpen", "DatabaseOpen", "DatabaseClose"}));
    root.DatabaseClose();  // nothing linked: nothing asked

    // a file that is not there: the message, nothing open
    ui.ExpectMessageContaining("Kann Reporting Datenbank nicht öffnen!\r\n" + dir.File("nowhere.tdb4r"));
    root.DatabaseOpen(dir.File("nowhere.tdb4r"));
    EXPECT_EQ(root.Database(), nullptr);
    EXPECT_EQ(ui.Shown().back().icon, ui::Icon::Critical);

    EXPECT_NE(std::find(host.traces_.begin(), host.traces_.end(), "Reporting:DBOpen:1"), host.traces_.end());
}

TEST_F(ReportingTest, CompactConvertAndVerifyAskAndRaiseTheirEventsInOrder) {
    root.DatabaseNew(dir.File("k.tdb4r"));
    events.clear();
    EXPECT_TRUE(root.DatabaseCompact(std::string("quiet")));
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(ui.Shown().empty());

    for (ui::Answer answer : {ui::Answer::No, ui::Answer::Cancel}) {
        ui.ExpectMessage(kCompactQuestion, answer);
        EXPECT_FALSE(root.DatabaseCompact());
    }
    EXPECT_TRUE(events.empty());
    ui.ExpectMessage(kCompactQuestion, ui::Answer::Yes);
    ui.ExpectMessage("Komprimieren beendet!", ui::Answer::Ok, "", ui::Icon::Information);
    EXPECT_TRUE(root.DatabaseCompact());
    EXPECT_EQ(events, (Events{"DatabaseClose", "DatabaseOpen"}));
    EXPECT_EQ(ui.BusyDepth(), 0);

    events.clear();
    root.Database()->Execute("INSERT INTO Project (ID, AccountCode, PersonID) VALUES (1, \"1100\", 9)");
    ui.ExpectMessage(kVerifyQuestion, ui::Answer::Cancel);
    root.Verify();
    EXPECT_TRUE(events.empty());
    ui.ExpectMessage(kVerifyQuestion, ui::Answer::Yes);
    ui.ExpectMessageContaining("Wollen Sie diese Geschäfte trotzdem behalten?", ui::Answer::Yes);
    ui.ExpectMessage("Verifizieren beendet!");
    root.Verify();
    EXPECT_EQ(events, (Events{"VerifyStart", "VerifyExecute", "VerifyStop"}));
    auto rs = root.Database()->OpenRecordset("SELECT PersonID, PaymentLimit FROM Project", db::RecordsetType::Snapshot);
    EXPECT_EQ(rs.Get("PersonID").ToLong(), 0);  // dangling reference repaired
    EXPECT_EQ(rs.Get("PaymentLimit").ToLong(), 30);
    EXPECT_EQ(root.Database()->Relations().Count(), 7u);

    events.clear();
    EXPECT_TRUE(root.DatabaseConvert(std::string("quiet")));  // already converted: nothing to do
    EXPECT_TRUE(events.empty());

    ui.ExpectMessage("Wollen Sie die Verbindung mit der bisherigen Reporting Datenbank\r\n" + dir.File("k.tdb4r") +
                         "\r\nwirklich unterbrechen?",
                     ui::Answer::Yes);
    root.DatabaseClose();
    ui.ExpectMessage("Kann nicht konvertieren, da keine\r\nReporting Datenbank geöffnet ist!", ui::Answer::Ok, "",
                     ui::Icon::Exclamation);
    EXPECT_FALSE(root.DatabaseConvert());
    EXPECT_THROW(root.Verify(std::string("quiet")), AppError);
}

TEST_F(ReportingTest, TheFinanceLinkFollowsTheHostAndItsAccounts) {
    // the setting names another folder and extension: the database beside the finance file wins
    const std::string reporting = dir.File("Firma Reporting.tdb4r");
    {
        DBReporting maker;
        maker.DBNew(reporting);
    }
    host.settings_["TXV4Database"] = "D:\\Old\\Firma Reporting.mdb";
    host.Open(dir.File("Firma.tdb4f"));
    ASSERT_EQ(root.DatabaseName(), reporting);
    EXPECT_EQ(events, Events{"DatabaseOpen"});

    // accounts keep projects in step (each shown in the project editor, which saves it); ledger
    // accounts and level 0 do not count
    ui.OnForm("frmProject", [](ui::Form& f) {
        f.Get<ui::Button>("btnSave").UserClick();
        f.Get<ui::Button>("btnClose").UserClick();
    });
    host.accounts_.RaiseCreated(FakeAccount("1100.01", "Müller AG"));
    host.accounts_.RaiseCreated(FakeAccount("1000", "Kasse", true));
    host.accounts_.RaiseCreated(FakeAccount("1100", "Debitoren", false, 0));
    auto count = [&] {
        return root.Database()->OpenRecordset("SELECT Count(*) FROM Project", db::RecordsetType::Snapshot).Get(0).ToLong();
    };
    EXPECT_EQ(count(), 1);
    auto end = [&] {
        return root.Database()
            ->OpenRecordset("SELECT DateEnd FROM Project WHERE AccountCode = \"1100.01\"", db::RecordsetType::Snapshot)
            .Get(0);
    };
    host.accounts_.RaiseUpdated(FakeAccount("1100.01", "Müller AG", false, 1, true));
    EXPECT_EQ(end(), db::Value(Date::Today()));
    host.accounts_.RaiseUpdated(FakeAccount("1100.01", "Müller AG", false, 1, false));
    EXPECT_TRUE(end().IsNull());

    host.chosen_ = std::make_shared<FakeAccount>("1100.02", "Meier");
    const std::int32_t id = root.Finance()->ProjectChoose();
    EXPECT_GT(id, 0);
    EXPECT_EQ(root.Finance()->ProjectChoose(), id);  // the same project the second time
    EXPECT_EQ(host.captions_.back(), "Geschäft auswählen");
    host.chosen_.reset();
    EXPECT_EQ(root.Finance()->ProjectChoose(), 0);

    host.Close();
    EXPECT_EQ(root.Database(), nullptr);
    EXPECT_EQ(root.Finance()->ReportingDB(), "");
    EXPECT_EQ(events, (Events{"DatabaseOpen", "DatabaseClose"}));
    host.accounts_.RaiseCreated(FakeAccount("1100.03", "Keller"));  // nobody listens any more
}

TEST_F(ReportingTest, TheOldSettingMovesOnceAndFinanceTablesLinkOnce) {
    host.settings_["OptionTXV2Database"] = "C:\\Alt\\Kanzlei.mdb";
    // the file is not there yet: reported, and the user may keep the link
    ui.ExpectMessageContaining("Kann Reporting Datenbank nicht öffnen!\r\n" + dir.File("Kanzlei.tdb4r"));
    ui.ExpectMessageContaining("wirklich unterbrechen?", ui::Answer::No);
    host.Open(dir.File("Kanzlei.tdb4f"));
    EXPECT_EQ(host.settings_["OptionTXV2Database"], "");
    EXPECT_EQ(host.settings_["TXV4Database"], dir.File("Kanzlei.tdb4r"));
    EXPECT_EQ(root.Finance()->ReportingDB(), dir.File("Kanzlei.tdb4r"));

    {
        db::Database finance = db::Database::Create(dir.File("Kanzlei.tdb4f"));
        finance.Execute("CREATE TABLE Accounts (ID Long, Code Text(20), Name Text(50))");
        finance.Execute("INSERT INTO Accounts (ID, Code, Name) VALUES (1, \"1100.01\", \"Müller\")");
    }
    root.DatabaseNew(dir.File("Kanzlei.tdb4r"));  // the linked path: no question
    ASSERT_NE(root.FibuTables(), nullptr);
    const std::string local = root.FibuTables()->Item("Accounts");
    EXPECT_EQ(root.FibuTables()->Item("Accounts"), local);
    EXPECT_EQ(root.FibuTables()->Count(), 1u);
    EXPECT_EQ(root.Database()->OpenRecordset("SELECT Name FROM " + local).Get(0), db::Value("Müller"));
}

TEST(ComponentFactoryTest, CreatesTheRootObjectByItsProgramIdentifier) {
    test::ScriptedUi ui;
    TempDir dir;
    setenv("XDG_CONFIG_HOME", dir.File("user").c_str(), 1);
    setenv("XDG_CONFIG_DIRS", dir.File("machine").c_str(), 1);
    auto root = ComponentFactory::Create<Reporting>("tlx4r.reporting");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(goReporting, root.get());
    root.reset();
    EXPECT_EQ(goReporting, nullptr);
    EXPECT_THROW(ComponentFactory::CreateObject("TLX4R.Nothing"), AppError);
}

}  // namespace
}  // namespace tlx4r
