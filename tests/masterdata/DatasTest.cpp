#include "masterdata/Datas.h"

#include "MasterDataFixture.h"
#include "core/DBReporting.h"
#include "types/AppError.h"

#include <fstream>

namespace tlx4r {
namespace {

using test::MasterDataTest;

TEST_F(MasterDataTest, LookupRowsTopicsDefaultsAndExportViews) {
    Datas& persons = *root.Persons();
    Data none = persons.Item(0);
    EXPECT_EQ(none.ID, 0);
    EXPECT_EQ(none.Topic(), "0 (nicht zugeordnet)");
    EXPECT_EQ(persons.Item(-3).ID, 0);
    EXPECT_EQ(persons.Item(99).ID, 0);

    // Add always takes the next ID and stores empty values as Null
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(persons.Add().ID, i);
    Data added = persons.Add();
    EXPECT_EQ(added.ID, 4);
    EXPECT_EQ(added.Flavor, "Person");
    EXPECT_TRUE(Scalar("SELECT PersonNameFull FROM Person WHERE ID = 4").IsNull());
    EXPECT_EQ(added.Topic(), "4");
    Db().Execute("UPDATE Person SET PersonNameFull = \" Anna Keller \", PersonNameShort = \"AK\", PersonRate = 180.5 "
                 "WHERE ID = 4");
    Data anna = persons.Item(4);
    EXPECT_EQ(anna.Topic(), "4 (AK) Anna Keller");
    EXPECT_EQ(anna.Rate, Currency::Parse("180.5"));
    anna.NameShort = "  ";
    EXPECT_EQ(anna.Topic(), "4 Anna Keller");

    // export views: persons 6, templates 7, departments and project types 5 items
    EXPECT_EQ(anna.ExportCount(), 6);
    EXPECT_EQ(anna.ExportField(1), "Person_ID");
    EXPECT_EQ(anna.ExportDesc(1), "Person: ID");
    EXPECT_EQ(anna.ExportValue(5), "180.50");
    EXPECT_EQ(anna.ExportField(6), "Person_NameShort");
    EXPECT_EQ(anna.ExportDesc(6), "Person: Kurzname");
    for (int outside : {0, 7, -1}) {
        EXPECT_EQ(anna.ExportField(outside), "");
        EXPECT_EQ(anna.ExportDesc(outside), "");
        EXPECT_EQ(anna.ExportValue(outside), "");
    }
    Data tpl = root.Templates()->NewData();
    tpl.Charges = Currency::FromInt(1250);
    EXPECT_EQ(tpl.ExportCount(), 7);
    EXPECT_EQ(tpl.ExportField(6), "Template_Charges");
    EXPECT_EQ(tpl.ExportDesc(7), "Standardtext: Auslagen");
    EXPECT_EQ(tpl.ExportValue(6), "1,250.00");
    EXPECT_EQ(tpl.ExportValue(8), "");
    EXPECT_EQ(root.Departments()->NewData().ExportCount(), 5);
    EXPECT_EQ(root.ProjectTypes()->NewData().ExportValue(3), "Geschäftsart");
    EXPECT_EQ(root.ProjectTypes()->NewData().ExportField(6), "");

    // Clear keeps ID and categories
    tpl.TypeCharges = 5;
    tpl.ID = 3;
    tpl.Clear();
    EXPECT_EQ(tpl.ID, 3);
    EXPECT_EQ(tpl.TypeCharges, 5);
    EXPECT_TRUE(tpl.Charges.IsZero());

    // the default row lives per user; 0 and less are not stored
    EXPECT_EQ(persons.DefaultID(), 0);
    persons.SetDefaultID(4);
    persons.SetDefaultID(0);
    EXPECT_EQ(persons.DefaultID(), 4);
    EXPECT_EQ(user.ValueGet("Software\\Kelvora\\Finance\\V4\\Reporting\\Options", "PersonDefaultID"),
              platform::RegistryValue(std::int32_t{4}));
    EXPECT_EQ(root.Departments()->DefaultID(), 0);

    persons.Delete(2);
    persons.Delete(77);  // nothing there: no error
    EXPECT_EQ(persons.Item(2).ID, 0);
    EXPECT_EQ(persons.Item(3).ID, 3);
    persons.DeleteAll();
    EXPECT_EQ(persons.Add().ID, 1);  // the cursor sees the emptied table
}

TEST_F(MasterDataTest, LookupVerifyAndSyncRepairTheTables) {
    Db().Execute("INSERT INTO Person (ID, PersonNameShort) VALUES (1, \"ab\")");
    Db().Execute("INSERT INTO Person (ID) VALUES (2)");
    Db().Execute("INSERT INTO Department (ID) VALUES (3)");
    Db().Execute("INSERT INTO Department (ID, DepartmentNameFull) VALUES (4, \"Notariat\")");
    Db().Execute("INSERT INTO Template (ID, TemplateNameFull, TemplateTypeCharges) VALUES (1, \"Brief\", Null)");
    root.Persons()->Verify();
    root.Departments()->Verify();
    root.Templates()->Verify();
    EXPECT_EQ(root.Persons()->Item(1).NameShort, "ab");  // a short name is enough for persons
    EXPECT_EQ(root.Persons()->Item(2).ID, 0);
    EXPECT_EQ(root.Departments()->Item(3).ID, 0);
    EXPECT_EQ(root.Departments()->Item(4).NameFull, "Notariat");
    EXPECT_EQ(root.Templates()->Item(1).TypeCharges, 1);
    EXPECT_EQ(root.Templates()->Item(1).TypeExpenses, 1);

    Db().Execute("INSERT INTO Project (ID, AccountCode, DepartmentID, PersonID) VALUES (1, \"1100\", 7, 1)");
    Db().Execute("INSERT INTO Project (ID, AccountCode, DepartmentID, PersonID) VALUES (2, \"1101\", 7, 0)");
    Db().Execute("INSERT INTO Entry (ID, ProjectID, PersonID) VALUES (1, 1, 9)");
    root.Departments()->Sync();
    root.Persons()->Sync();
    EXPECT_EQ(root.Departments()->Item(7).NameFull, "Department(7)");
    EXPECT_EQ(root.Persons()->Item(9).Topic(), "9 Person(9)");
    EXPECT_EQ(Scalar("SELECT Count(*) FROM Person").ToLong(), 2);
    root.Persons()->Sync();  // nothing missing any more
    EXPECT_EQ(Scalar("SELECT Count(*) FROM Person").ToLong(), 2);
}

TEST(DatasMigrationTest, AnOlderLayoutKeepsEveryValue) {
    db::test::TempDir dir;
    test::ScriptedUi ui;
    const std::string path = dir.File("alt.tdb4r");
    {
        db::Database old = db::Database::Create(path);
        old.Execute("CREATE TABLE Person (ID Long, PersonName Text(255), ShortName Text(10), Rate Currency)");
        old.Execute("INSERT INTO Person VALUES (1, \"Jürg Bühler\", \"JB\", 210)");
        old.Execute("INSERT INTO Person VALUES (2, Null, \"XY\", 0)");
        old.Execute("CREATE TABLE Template (ID Long, TemplateName Text(255), Charges Currency, Expenses Currency, "
                    "TypeCharges Long, TypeExpenses Long)");
        old.Execute("INSERT INTO Template VALUES (1, \"Beglaubigung\", 40.5, 12.35, 4, 0)");
        old.Execute("CREATE TABLE Department (ID Long, DepartmentName Text(255), Rate Currency)");
        old.Execute("INSERT INTO Department VALUES (5, \"Grundbuch\", 95)");
    }
    DBReporting reporting;
    reporting.DBOpen(path);
    Data jb = reporting.Persons()->Item(1);
    EXPECT_EQ(jb.NameFull, "Jürg Bühler");
    EXPECT_EQ(jb.NameShort, "JB");
    EXPECT_EQ(jb.Rate, Currency::FromInt(210));
    EXPECT_EQ(reporting.Persons()->Item(2).NameShort, "XY");
    EXPECT_EQ(reporting.Persons()->Item(2).NameFull, "");
    Data tpl = reporting.Templates()->Item(1);
    EXPECT_EQ(tpl.NameFull, "Beglaubigung");
    EXPECT_EQ(tpl.Charges, Currency::Parse("40.5"));
    EXPECT_EQ(tpl.Expenses, Currency::Parse("12.35"));
    EXPECT_EQ(tpl.TypeCharges, 4);
    EXPECT_EQ(tpl.TypeExpenses, 1);  // a missing category is 1 (none)
    EXPECT_EQ(reporting.Departments()->Item(5).NameFull, "Grundbuch");
    EXPECT_EQ(reporting.Departments()->Item(5).Rate, Currency::FromInt(95));
    // the old columns mirror the new ones, for an older program on the same file
    auto rs = reporting.Database()->OpenRecordset("SELECT TypeExpenses, Rate FROM Template, Department",
                                                  db::RecordsetType::Snapshot);
    EXPECT_EQ(rs.Get(0).ToLong(), 1);
    EXPECT_EQ(rs.Get(1).ToCurrency(), Currency::FromInt(95));
    // a second open changes nothing
    reporting.DBOpen(path);
    EXPECT_EQ(reporting.Persons()->Item(1).NameFull, "Jürg Bühler");
    EXPECT_EQ(reporting.Templates()->Item(1).Charges, Currency::Parse("40.5"));
}

}  // namespace
}  // namespace tlx4r
