#include "TempDb.h"
#include "support/TestPlace.h"

#include "db/Database.h"
#include "db/DbError.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace tlx4r::db {
namespace {

using test::ErrorNumber;
using test::TempDir;

TEST(SchemaTest, TableDefinitionsKeepTypesSizesDefaultsRulesAndIndexes) {
    TempDir dir;
    const auto path = dir.File("s.tdb4r");
    {
        Database db = Database::Create(path);
        test::CreateSampleSchema(db);
    }
    Database db = Database::Open(path);
    auto& tables = db.TableDefs();
    EXPECT_EQ(tables.Names(), (std::vector<std::string>{"Person", "Project", "Entry"}));
    TableDef entry = tables.Item("entry");
    EXPECT_EQ(entry.Name(), "Entry");
    struct Expect {
        const char* name;
        FieldType type;
        int size;
        const char* dflt;
    };
    for (const Expect& e : {Expect{"ID", FieldType::Long, 4, "0"}, Expect{"ChargesType", FieldType::Integer, 2, "0"},
                            Expect{"BookDate", FieldType::Date, 8, ""}, Expect{"Text", FieldType::Text, 255, ""},
                            Expect{"Info", FieldType::Memo, 0, ""}, Expect{"Charges", FieldType::Currency, 8, "0"},
                            Expect{"Hours", FieldType::Double, 8, ""}, Expect{"Archive", FieldType::Boolean, 1, "False"}}) {
        const Field* f = entry.FindField(e.name);
        ASSERT_NE(f, nullptr) << e.name;
        EXPECT_EQ(f->Type(), e.type) << e.name;
        EXPECT_EQ(f->Size(), e.size) << e.name;
        EXPECT_EQ(f->DefaultValue(), e.dflt) << e.name;
    }
    EXPECT_EQ(entry.FindField("ID")->ValidationRule(), "> 0");
    EXPECT_FALSE(entry.FindField("ID")->AutoIncrement());
    // per-table index names, though SQLite's names are database-wide
    ASSERT_NE(entry.FindIndex("PrimaryKey"), nullptr);
    EXPECT_TRUE(entry.FindIndex("PrimaryKey")->Primary());
    EXPECT_EQ(entry.FindIndex("PrimaryKey")->Fields(), std::vector<std::string>{"ID"});
    ASSERT_NE(entry.FindIndex("ProjectID"), nullptr);
    EXPECT_FALSE(entry.FindIndex("ProjectID")->Unique());
    TableDef project = tables.Item("Project");
    ASSERT_NE(project.FindIndex("PersonID"), nullptr);
    EXPECT_TRUE(project.FindIndex("AccountCode")->Unique());
    EXPECT_EQ(ErrorNumber([&] { project.AppendIndex(Index("PersonID", {"PersonID"})); }), 3284);
    EXPECT_EQ(ErrorNumber([&] { project.AppendIndex(Index("Nothing", {"NoSuchField"})); }), 3265);
    EXPECT_EQ(ErrorNumber([&] { tables.Item("Nowhere"); }), 3265);
    // a counter key is told from a key the program assigns
    TableDef counted("Counted");
    counted.AppendField(Field("ID", FieldType::Long).SetAutoIncrement(true));
    counted.AppendField(Field("Name", FieldType::Text, 20));
    tables.Append(counted);
    EXPECT_EQ(tables.Item("Counted").FindField("ID")->Attributes(), Field::kAutoIncrField);
    db.Execute("INSERT INTO Counted (Name) VALUES (\"a\")");
    EXPECT_EQ(db.OpenRecordset("Counted").Get("ID"), Value(1));
    TableDef again("entry");
    again.AppendField(Field("ID", FieldType::Long));
    EXPECT_EQ(ErrorNumber([&] { tables.Append(again); }), 3010);

    // the unique index on AccountCode compares like the old sort order: case and trailing
    // blanks do not make a text different
    db.Execute("INSERT INTO Project (ID, AccountCode) VALUES (1, \"1020.Müller\")");
    EXPECT_EQ(ErrorNumber([&] { db.Execute("INSERT INTO Project (ID, AccountCode) VALUES (2, \"1020.MÜLLER \")"); }),
              3022);
    // defaults apply to rows that do not name the field
    auto rs = db.OpenRecordset("SELECT * FROM Project WHERE ID = 1");
    EXPECT_EQ(rs.Get("Archive"), Value(false));
    EXPECT_EQ(rs.Get("PersonID"), Value(0));
}

TEST(SchemaTest, AnOlderFileGainsNewFieldsWithoutLosingRows) {
    TempDir dir;
    const auto path = dir.File("old.tdb4r");
    {
        // an older release's table, as another program wrote it
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(path.c_str(), &raw), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(raw,
                               "CREATE TABLE Entry (ID INTEGER PRIMARY KEY, ProjectID INTEGER, Charges CURRENCY REAL);"
                               "INSERT INTO Entry VALUES (1, 10, 12.5), (2, 11, 0.1);",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(raw);
    }
    {
        Database db = Database::Open(path);
        TableDef entry = db.TableDefs().Item("Entry");
        ASSERT_EQ(entry.FindField("CalcDate2"), nullptr);
        entry.AppendField(Field("CalcDate2", FieldType::Date));
        entry.AppendField(Field("TypeCharges", FieldType::Long).SetDefaultValue("1"));
        entry.AppendField(Field("Visum", FieldType::Text, 50));
        entry.AppendField(Field("Remark", FieldType::Text, 20).SetDefaultValue("\"it's \"\"new\"\"\""));
        EXPECT_EQ(ErrorNumber([&] { entry.AppendField(Field("visum", FieldType::Text, 50)); }), 3191);
    }
    Database db = Database::Open(path);
    TableDef entry = db.TableDefs().Item("Entry");
    EXPECT_EQ(entry.FindField("CalcDate2")->Type(), FieldType::Date);
    EXPECT_EQ(entry.FindField("Visum")->Size(), 50);
    EXPECT_EQ(entry.FindField("Charges")->Type(), FieldType::Currency);  // existing fields keep their type
    auto rs = db.OpenRecordset("Entry");
    EXPECT_EQ(rs.RecordCount(), 2);
    EXPECT_EQ(rs.Get("ProjectID"), Value(10));
    EXPECT_EQ(rs.Get("Charges"), Value(*Currency::Parse("12.5")));
    EXPECT_TRUE(rs.Get("CalcDate2").IsNull());
    EXPECT_EQ(rs.Get("TypeCharges"), Value(1));
    EXPECT_EQ(rs.Get("Remark").ToText(), "it's \"new\"");
    EXPECT_EQ(entry.FindField("Remark")->DefaultValue(), "\"it's \"\"new\"\"\"");
    rs.MoveNext();
    EXPECT_EQ(rs.Get("Charges"), Value(*Currency::Parse("0.1")));
}

class RelationTest : public ::testing::TestWithParam<test::EngineKind> {
protected:
    void SetUp() override {
        TLX4R_SKIP_WITHOUT_SERVER(GetParam());
        db = Database::Create(place.Name("r.tdb4r"));
        test::CreateSampleSchema(db);
        db.Execute("INSERT INTO Person (ID) VALUES (1)");
        db.Execute("INSERT INTO Project (ID, PersonID, AccountCode) VALUES (1, 1, \"A\")");
        db.Execute("INSERT INTO Project (ID, PersonID, AccountCode) VALUES (2, 1, \"B\")");
        db.Execute("INSERT INTO Entry (ID, ProjectID, PersonID) VALUES (1, 1, 1)");
        db.Execute("INSERT INTO Entry (ID, ProjectID, PersonID) VALUES (2, 1, 1)");
        db.Execute("INSERT INTO Entry (ID, ProjectID, PersonID) VALUES (3, 2, 1)");
        db.Relations().Append(Relation("Reporting_Project-ID_Entry-ProjectID", "Project", "Entry",
                                       Relation::kUpdateCascade | Relation::kDeleteCascade)
                                  .AddField("ID", "ProjectID"));
        db.Relations().Append(Relation("Reporting_Person-ID_Entry-PersonID", "Person", "Entry", Relation::kDontEnforce)
                                  .AddField("ID", "PersonID"));
    }
    long long Count(const std::string& sql) { return db.OpenRecordset(sql, RecordsetType::Snapshot).RecordCount(); }

    test::TestPlace place{GetParam()};
    Database db;
};

INSTANTIATE_TEST_SUITE_P(Engines, RelationTest,
                         ::testing::Values(test::EngineKind::File, test::EngineKind::Server), test::EngineName);

TEST_P(RelationTest, EnforcedRelationsCascadeAndRefuseOrphans) {
    auto entries = db.OpenRecordset("Entry");
    entries.MoveLast();
    EXPECT_EQ(entries.RecordCount(), 3);
    db.Execute("DELETE FROM Project WHERE ID = 1");
    EXPECT_EQ(Count("SELECT ID FROM Entry"), 1);  // its two entries went with it
    EXPECT_EQ(entries.RecordCount(), 1);          // also for a recordset open on them

    db.Execute("UPDATE Project SET ID = 20 WHERE ID = 2");
    EXPECT_EQ(Count("SELECT ID FROM Entry WHERE ProjectID = 20"), 1);

    std::string text;
    EXPECT_EQ(ErrorNumber([&] { db.Execute("INSERT INTO Entry (ID, ProjectID) VALUES (9, 77)"); }, &text), 3201);
    EXPECT_NE(text.find("'Project'"), std::string::npos) << text;
    EXPECT_EQ(ErrorNumber([&] { db.Execute("UPDATE Entry SET ProjectID = 77"); }), 3201);
    // 0 and Null refer to no row
    EXPECT_EQ(ErrorNumber([&] { db.Execute("INSERT INTO Entry (ID, ProjectID) VALUES (10, 0)"); }), 0);
    EXPECT_EQ(ErrorNumber([&] { db.Execute("INSERT INTO Entry (ID, ProjectID) VALUES (11, Null)"); }), 0);

    // not enforced: a dangling PersonID stays until verification repairs it
    db.Execute("DELETE FROM Person WHERE ID = 1");
    EXPECT_EQ(ErrorNumber([&] { db.Execute("INSERT INTO Entry (ID, ProjectID, PersonID) VALUES (12, 20, 99)"); }), 0);
    EXPECT_EQ(Count("SELECT ID FROM Entry WHERE PersonID = 1"), 1);
}

TEST_P(RelationTest, RelationsAreListedAndCanBeRemovedAndRebuilt) {
    Database again = Database::Open(db.Name());
    auto& relations = again.Relations();
    ASSERT_EQ(relations.Count(), 2u);
    const Relation& r = relations.Item("Reporting_Project-ID_Entry-ProjectID");
    EXPECT_EQ(r.Table(), "Project");
    EXPECT_EQ(r.ForeignTable(), "Entry");
    EXPECT_EQ(r.Attributes(), Relation::kUpdateCascade | Relation::kDeleteCascade);
    EXPECT_EQ(r.Fields(), (std::vector<std::pair<std::string, std::string>>{{"ID", "ProjectID"}}));
    EXPECT_FALSE(relations.Item("Reporting_Person-ID_Entry-PersonID").Enforced());
    EXPECT_EQ(ErrorNumber([&] { relations.Append(Relation(r)); }), 3012);
    EXPECT_EQ(ErrorNumber([&] { again.TableDefs().Delete("Entry"); }), 3303);

    relations.Delete("Reporting_Project-ID_Entry-ProjectID");
    again.Execute("INSERT INTO Entry (ID, ProjectID) VALUES (9, 77)");  // no longer refused
    // an orphan keeps the relation from being enforced again, and nothing is stored
    EXPECT_EQ(ErrorNumber([&] {
                  relations.Append(Relation("Again", "Project", "Entry", Relation::kDeleteCascade).AddField("ID", "ProjectID"));
              }),
              3201);
    relations.Refresh();
    EXPECT_EQ(relations.Count(), 1u);
    EXPECT_EQ(ErrorNumber([&] {
                  relations.Append(Relation("Bad", "Project", "Entry").AddField("ID", "NoSuchField"));
              }),
              3265);
}

TEST(SchemaTest, StoredQueriesKeepTheirDialectText) {
    TempDir dir;
    const auto path = dir.File("q.tdb4r");
    const std::string sql =
        "SELECT Entry.*, Person.PersonNameShort FROM Person RIGHT JOIN Entry ON Person.ID = Entry.PersonID;";
    {
        Database db = Database::Create(path);
        test::CreateSampleSchema(db);
        db.QueryDefs().Append(QueryDef("vEntry", sql));
        EXPECT_EQ(ErrorNumber([&] { db.QueryDefs().Append(QueryDef("vEntry", sql)); }), 3012);
        EXPECT_NE(ErrorNumber([&] { db.QueryDefs().Append(QueryDef("vBad", "SELECT FROM WHERE")); }), 0);
        EXPECT_FALSE(db.QueryDefs().Exists("vBad"));
        db.Execute("INSERT INTO Person (ID, PersonNameShort) VALUES (1, \"AM\")");
        db.Execute("INSERT INTO Entry (ID, PersonID, Charges) VALUES (1, 1, 12.35)");
        db.Execute("INSERT INTO Entry (ID, PersonID) VALUES (2, 5)");
    }
    Database db = Database::Open(path);
    ASSERT_EQ(db.QueryDefs().Count(), 1u);
    EXPECT_EQ(db.QueryDefs().Item("ventry").SQL(), sql);
    EXPECT_EQ(db.TableDefs().Count(), 3u);  // stored queries are not tables
    auto rs = db.OpenRecordset("vEntry");
    EXPECT_EQ(rs.Type(), RecordsetType::Dynaset);
    EXPECT_EQ(rs.RecordCount(), 2);
    EXPECT_EQ(rs.Get("PersonNameShort").ToText(), "AM");
    EXPECT_EQ(rs.Get("Charges"), Value(*Currency::Parse("12.35")));
    rs.MoveNext();
    EXPECT_TRUE(rs.Get("PersonNameShort").IsNull());
    db.QueryDefs().Delete("vEntry");
    EXPECT_EQ(db.QueryDefs().Count(), 0u);
    EXPECT_NE(ErrorNumber([&] { db.OpenRecordset("SELECT * FROM vEntry"); }), 0);
}

TEST(SchemaTest, LinkedTablesReachAnotherFile) {
    TempDir dir;
    const auto finance = dir.File("Finanz.tdb4f");
    {
        Database f = Database::Create(finance);
        TableDef accounts("Accounts");
        accounts.AppendField(Field("ID", FieldType::Long));
        accounts.AppendField(Field("Code", FieldType::Text, 20));
        f.TableDefs().Append(accounts);
        f.Execute("INSERT INTO Accounts (ID, Code) VALUES (1, \"1020\")");
    }
    const auto path = dir.File("link.tdb4r");
    {
        Database db = Database::Create(path);
        TableDef link("FibuAccounts");
        link.SetLink(";DATABASE=" + finance, "Accounts");
        db.TableDefs().Append(link);
        EXPECT_TRUE(db.TableDefs().Item("FibuAccounts").IsLinked());
    }
    Database db = Database::Open(path);  // the link is made again on open
    ASSERT_TRUE(db.TableDefs().Exists("FibuAccounts"));
    EXPECT_EQ(db.TableDefs().Item("FibuAccounts").SourceTableName(), "Accounts");
    EXPECT_EQ(db.OpenRecordset("SELECT Code FROM FibuAccounts").Get("Code").ToText(), "1020");
    EXPECT_EQ(ErrorNumber([&] { db.OpenRecordset("FibuAccounts", RecordsetType::Table); }), 3219);
    db.TableDefs().Delete("FibuAccounts");
    EXPECT_FALSE(db.TableDefs().Exists("FibuAccounts"));
}

}  // namespace
}  // namespace tlx4r::db
