#include "masterdata/Projects.h"

#include "MasterDataFixture.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "db/DbError.h"
#include "masterdata/Clients.h"
#include "types/AppError.h"

namespace tlx4r {
namespace {

using test::FakeAccount;
using test::MasterDataTest;

class ProjectsTest : public MasterDataTest {
protected:
    ProjectsTest() { Projects::SetCreatedProjectID(0); }
    Projects& P() { return *root.Projects(); }
    std::int32_t NewProject(const std::string& code, const std::string& name = "") {
        Project p(P());
        p.AccountCode = code;
        p.AccountName = name;
        p.Update();
        return p.ID();
    }
};

TEST_F(ProjectsTest, FieldsAreStoredByTheirRulesAndUnchangedProjectsWriteNothing) {
    Project p(P());
    EXPECT_EQ(p.ID(), 0);
    EXPECT_EQ(p.DateBegin, Date::Today().DateOnly());
    EXPECT_EQ(p.PaymentLimit, 30);
    p.AccountCode = "1100.01";
    p.AccountName = "Müller AG";
    p.PaymentLimit = 0;
    p.Text = std::string(300, 'x');
    p.Update();
    ASSERT_EQ(p.ID(), 1);
    EXPECT_EQ(p.Topic(), "1100.01  Müller AG");
    EXPECT_TRUE(Scalar("SELECT PaymentLimit FROM Project WHERE ID = 1").IsNull());
    EXPECT_TRUE(Scalar("SELECT Rate FROM Project WHERE ID = 1").IsNull());
    EXPECT_TRUE(Scalar("SELECT DateEnd FROM Project WHERE ID = 1").IsNull());
    EXPECT_EQ(Scalar("SELECT Text FROM Project WHERE ID = 1"), db::Value(std::string(255, 'x')));
    Project read = P().Item(1);
    EXPECT_EQ(read.PaymentLimit, 30);  // 0 written reads back as 30
    EXPECT_TRUE(read.Rate.IsZero());
    EXPECT_EQ(read.DateBegin, Date::Today().DateOnly());
    EXPECT_FALSE(read.Changed());

    read.Rate = Currency::FromInt(250);
    read.DateBilled = Date::FromYmd(2017, 1, 31);
    read.Update();
    EXPECT_EQ(Scalar("SELECT Rate FROM Project WHERE ID = 1").ToCurrency(), Currency::FromInt(250));

    // with no created project waiting for its export, an unchanged project is not written
    Projects::SetCreatedProjectID(0);
    Db().Execute("UPDATE Project SET AccountName = \"von aussen\" WHERE ID = 1");
    read.Update();
    EXPECT_EQ(Scalar("SELECT AccountName FROM Project WHERE ID = 1"), db::Value("von aussen"));
    read.Text = "Erbteilung";
    EXPECT_TRUE(read.Changed());
    read.Restore();
    EXPECT_FALSE(read.Changed());
    EXPECT_EQ(read.Text, std::string(255, 'x'));
    read.Text = "Erbteilung";
    read.Update();
    EXPECT_EQ(Scalar("SELECT AccountName FROM Project WHERE ID = 1"), db::Value("Müller AG"));

    // Add always creates a record, also from a loaded project
    read.AccountCode = "1100.02";
    EXPECT_EQ(P().Add(read), 2);
    EXPECT_EQ(P().Item(1).AccountCode, "1100.01");
    EXPECT_EQ(P().Item(2).Text, "Erbteilung");
    EXPECT_EQ(P().Count(), 2);

    // a project whose record was deleted meanwhile cannot be updated
    P().Remove(2);
    read.Text = "zu spät";
    EXPECT_THROW(read.Update(), db::DbError);
    EXPECT_EQ(P().Count(), 1);
    Db().Execute("INSERT INTO Project (ID, AccountCode) VALUES (9, \"1100.09\")");
    EXPECT_EQ(P().Item(9).PaymentLimit, 30);  // Null reads as 30
    EXPECT_EQ(P().Count(), 2);
}

TEST_F(ProjectsTest, LookupsByCodeAndIdAndTheChangeExportBookkeeping) {
    EXPECT_EQ(P().Count(), 0);
    const std::int32_t id = NewProject("1100.01", "Müller AG");
    EXPECT_EQ(Projects::CreatedProjectID(), id);  // no change export: it stays pending
    EXPECT_EQ(P().ID("1100.01"), id);
    EXPECT_EQ(P().ID(""), 0);
    EXPECT_EQ(P().ID("9999"), 0);
    EXPECT_EQ(P().AccountCode(id), "1100.01");
    EXPECT_EQ(P().AccountCode(0), "");
    // the lookups leave the cursor on its primary index
    EXPECT_EQ(P().Cursor().Get().Index(), "PrimaryKey");

    host.options["ProjectExportFormats"] = "XML";
    const std::int32_t second = NewProject("1100.02");
    EXPECT_GT(second, id);
    EXPECT_EQ(Projects::CreatedProjectID(), 0);  // exported as created, then cleared

    Project missing = P().Item(77);
    EXPECT_EQ(missing.ID(), 0);
    EXPECT_EQ(missing.AccountCode, "");

    // deleting a project deletes its entries
    Db().Execute("INSERT INTO Entry (ID, ProjectID) VALUES (1, " + std::to_string(second) + ")");
    P().Remove(second);
    EXPECT_EQ(Scalar("SELECT Count(*) FROM Entry").ToLong(), 0);

    // projects for accounts of the host
    host.accounts.items["1100.03"] = std::make_shared<FakeAccount>("1100.03", "Keller GmbH");
    const std::int32_t keller = P().AssertProject("1100.03");
    EXPECT_EQ(P().Item(keller).AccountName, "Keller GmbH");
    host.accounts.items["1100.03"] = std::make_shared<FakeAccount>("1100.03", "Keller AG");
    EXPECT_EQ(P().AssertProject("1100.03"), keller);
    EXPECT_EQ(P().Item(keller).AccountName, "Keller AG");
    EXPECT_THROW(P().AssertProject("4711"), AppError);
}

TEST_F(ProjectsTest, TheExportViewFollowsTheLinkedRows) {
    Db().Execute("INSERT INTO Person VALUES (3, \"Anna Keller\", 180, \"AK\")");
    Db().Execute("INSERT INTO ProjectType VALUES (2, \"Beurkundung\", 0)");
    Db().Execute("INSERT INTO Department VALUES (4, \"Notariat\", 0)");
    Client client(*root.Clients());
    client.KeyName = "Muster";
    client.LastName = "Muster";
    client.City = "Bern";
    root.Clients()->Add(client);

    Project fresh(P());
    EXPECT_EQ(fresh.ExportCount(), 63);
    EXPECT_FALSE(fresh.LinkedLoaded());

    Project p(P());
    p.AccountCode = "1100.01";
    p.PersonID = 3;
    p.ProjectTypeID = 2;
    p.DepartmentID = 4;
    p.ClientID = client.ID();
    p.DateBegin = Date::FromYmd(2017, 1, 31);
    p.Rate = Currency::FromInt(1200);
    p.ProjExt5 = "fünf";
    p.Update();
    Project loaded = P().Item(p.ID());
    ASSERT_TRUE(loaded.LinkedLoaded());
    EXPECT_EQ(loaded.PersonData().Topic(), "3 (AK) Anna Keller");
    EXPECT_EQ(loaded.ExportCount(), 20 + 6 + 5 + 5 + 28);
    EXPECT_EQ(loaded.ExportField(1), "Project_ID");
    EXPECT_EQ(loaded.ExportDesc(3), "Geschäftsart ID");
    EXPECT_EQ(loaded.ExportValue(10), "20170131");
    EXPECT_EQ(loaded.ExportValue(11), "");
    EXPECT_EQ(loaded.ExportValue(14), "1,200.00");
    EXPECT_EQ(loaded.ExportValue(15), "30");
    EXPECT_EQ(loaded.ExportField(20), "Project_ProjEx5");
    EXPECT_EQ(loaded.ExportValue(20), "fünf");
    EXPECT_EQ(loaded.ExportField(21), "Person_ID");
    EXPECT_EQ(loaded.ExportValue(26), "AK");
    EXPECT_EQ(loaded.ExportField(27), "ProjectType_ID");
    EXPECT_EQ(loaded.ExportValue(30), "Beurkundung");
    EXPECT_EQ(loaded.ExportDesc(35), "Abteilung: Name/Bezeichnung");
    EXPECT_EQ(loaded.ExportField(37), "Client_ID");
    EXPECT_EQ(loaded.ExportValue(40), "Muster");
    EXPECT_EQ(loaded.ExportValue(64), "");  // sixth formatted address line
    for (int outside : {0, -2, 65}) {
        EXPECT_EQ(loaded.ExportField(outside), "");
        EXPECT_EQ(loaded.ExportValue(outside), "");
    }
    // a project without a client shows the client as missing
    Project alone(P());
    alone.AccountCode = "1100.02";
    alone.Update();
    EXPECT_EQ(P().Item(alone.ID()).ExportValue(40), "(*** nicht vorhanden ***)");

    const std::string fields = P().ProjectFullFields();
    EXPECT_TRUE(fields.starts_with("\t' 0 Project.ID\r\n"));
    EXPECT_NE(fields.find("\t' 31 DepartmentRate\r\n"), std::string::npos);
    EXPECT_TRUE(fields.ends_with("DepartmentRate\r\n"));
}

TEST_F(ProjectsTest, VerifyRepairsAndWithFullRemovesProjectsWithoutAccountOrEntries) {
    const std::string finance_path = place_ ? place_->Name("Kanzlei.tdb4f") : dir.File("Kanzlei.tdb4f");
    {
        db::Database finance = db::Database::Create(finance_path);
        db::TableDef accounts("Accounts");
        accounts.AppendField(db::Field("ID", db::FieldType::Long));
        accounts.AppendField(db::Field("Code", db::FieldType::Text, 20));
        accounts.AppendField(db::Field("Name", db::FieldType::Text, 50));
        finance.TableDefs().Append(accounts);
        finance.Execute("INSERT INTO Accounts VALUES (1, \"1100.01\", \"Müller AG neu\")");
        finance.Execute("INSERT INTO Accounts VALUES (2, \"1100.02\", \"Meier\")");
    }
    Db().Execute("INSERT INTO Client (ID, KeyName) VALUES (5, \"Muster\")");
    Db().Execute("INSERT INTO Project (ID, AccountCode, AccountName, ClientID, PersonID, PaymentLimit, Rate) "
                 "VALUES (1, \"1100.01\", \"Müller AG\", 99, Null, Null, Null)");
    Db().Execute("INSERT INTO Project (ID, AccountCode, ClientID) VALUES (2, \"1100.02\", 5)");
    Db().Execute("INSERT INTO Project (ID, AccountCode) VALUES (3, \"1100.09\")");
    Db().Execute("INSERT INTO Entry (ID, ProjectID) VALUES (1, 1)");
    Db().Execute("INSERT INTO Entry (ID, ProjectID) VALUES (2, 3)");
    Db().QueryDefs().Delete("vProjectFull");

    P().Verify(false, finance_path);
    EXPECT_EQ(P().Count(), 3);
    Project one = P().Item(1);
    EXPECT_EQ(one.AccountName, "Müller AG neu");
    EXPECT_EQ(one.ClientID, 0);
    EXPECT_EQ(one.PersonID, 0);
    EXPECT_EQ(Scalar("SELECT PaymentLimit FROM Project WHERE ID = 1").ToLong(), 30);
    EXPECT_EQ(Scalar("SELECT Rate FROM Project WHERE ID = 1").ToCurrency(), Currency());
    EXPECT_EQ(P().Item(2).ClientID, 5);
    EXPECT_TRUE(Db().QueryDefs().Exists("vProjectFull"));

    P().Verify(true, finance_path);
    EXPECT_EQ(P().Count(), 1);  // 2 has no entries, 3 no account
    EXPECT_EQ(P().Item(1).ID(), 1);
    EXPECT_EQ(Scalar("SELECT Count(*) FROM Entry").ToLong(), 1);
}

TEST_F(ProjectsTest, AccountsOfTheFinanceDatabaseKeepTheirProjectsInStep) {
    // Each account event shows the project in the editor; the bookkeeper saves it there.
    int shown = 0;
    ui.OnForm("frmProject", [&](ui::Form& f) {
        ++shown;
        f.Get<ui::Button>("btnSave").UserClick();
        f.Get<ui::Button>("btnClose").UserClick();
    });
    host.accounts.RaiseCreated(FakeAccount("1100.05", "Keller"));
    EXPECT_EQ(shown, 1);
    const std::int32_t id = P().ID("1100.05");
    ASSERT_GT(id, 0);
    EXPECT_EQ(P().Item(id).DateEnd, Date());
    EXPECT_EQ(P().Item(id).DateBegin, Date::Today().DateOnly());

    host.accounts.RaiseUpdated(FakeAccount("1100.05", "Keller & Co", true));
    Project closed = P().Item(id);
    EXPECT_EQ(closed.DateEnd, Date::Today().DateOnly());
    EXPECT_EQ(closed.AccountName, "Keller & Co");
    // an end date set before is kept while the account stays closed
    Db().Execute("UPDATE Project SET DateEnd = #01/31/2017# WHERE ID = " + std::to_string(id));
    host.accounts.RaiseUpdated(FakeAccount("1100.05", "Keller & Co", true));
    EXPECT_EQ(P().Item(id).DateEnd, Date::FromYmd(2017, 1, 31));
    host.accounts.RaiseUpdated(FakeAccount("1100.05", "Keller & Co", false));
    EXPECT_EQ(P().Item(id).DateEnd, Date());
    EXPECT_TRUE(Scalar("SELECT DateEnd FROM Project WHERE ID = " + std::to_string(id)).IsNull());

    // an update of an account without a project creates it
    host.accounts.RaiseUpdated(FakeAccount("1100.06", "Neu", true));
    EXPECT_EQ(P().Item(P().ID("1100.06")).DateEnd, Date::Today().DateOnly());
    EXPECT_EQ(P().Count(), 2);
    EXPECT_EQ(shown, 5);

    // closing the editor without saving keeps the stored end date; quiet events save at once
    ui.OnForm("frmProject", [](ui::Form& f) { f.Get<ui::Button>("btnClose").UserClick(); });
    host.accounts.RaiseUpdated(FakeAccount("1100.06", "Neu", false));
    EXPECT_EQ(P().Item(P().ID("1100.06")).DateEnd, Date::Today().DateOnly());
    P().SetAccountEventsQuiet(true);
    host.accounts.RaiseUpdated(FakeAccount("1100.06", "Neu", false));
    EXPECT_EQ(P().Item(P().ID("1100.06")).DateEnd, Date());
}

}  // namespace
}  // namespace tlx4r
