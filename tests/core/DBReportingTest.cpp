#include "core/DBReporting.h"

#include "core/DBSettings.h"
#include "core/ReportingSchema.h"
#include "core/modReporting.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/TempDb.h"
#include "entries/Entries.h"
#include "masterdata/Datas.h"
#include "support/ScriptedUi.h"
#include "support/TestPlace.h"

#include "SampleOffice.h"

#include "types/AppError.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace tlx4r {
namespace {

using db::test::FileBytes;
using db::test::TempDir;
using db::test::TestPlace;
using test::Count;
using test::Counts;
using test::FillSample;
using test::SampleCounts;
namespace fs = std::filesystem;

TEST(DBReportingTest, ANewDatabaseGetsTheWholeSchemaAndTheCataloguesLiveOnlyWhileOpen) {
    TestPlace place(TestPlace::RunKind());
    TLX4R_SKIP_WITHOUT_SERVER(place.Kind());
    const std::string path = place.Name("Kanzlei.tdb4r");
    DBReporting layer;
    EXPECT_EQ(layer.Entries(), nullptr);
    layer.DBClose();  // closing a closed layer does nothing
    layer.DBNew(path);
    ASSERT_TRUE(layer.IsOpen());
    EXPECT_EQ(goDatabase, layer.Database());
    EXPECT_EQ(layer.DatabaseName(), path);
    for (auto* catalogue : {static_cast<void*>(layer.Entries()), static_cast<void*>(layer.EntryTypes()),
                            static_cast<void*>(layer.Projects()), static_cast<void*>(layer.Departments()),
                            static_cast<void*>(layer.ProjectTypes()), static_cast<void*>(layer.Persons()),
                            static_cast<void*>(layer.Templates()), static_cast<void*>(layer.Clients()),
                            static_cast<void*>(layer.TypeCharges()), static_cast<void*>(layer.TypeExpenses()),
                            static_cast<void*>(layer.FibuTables()), static_cast<void*>(layer.DBSettings())})
        EXPECT_NE(catalogue, nullptr);
    EXPECT_TRUE(layer.Entries()->Cursor().IsOpen());

    db::Database& db = *layer.Database();
    EXPECT_EQ(db.TableDefs().Count(), 11u);
    for (const auto& decl : schema::AllTables()) {
        ASSERT_TRUE(db.TableDefs().Exists(decl.name)) << decl.name;
        db::TableDef table = db.TableDefs().Item(decl.name);
        const db::Field* id = table.FindField("ID");
        ASSERT_NE(id, nullptr);
        EXPECT_EQ(id->ValidationRule(), "> 0");
        EXPECT_FALSE(id->AutoIncrement());
        ASSERT_NE(table.FindIndex("PrimaryKey"), nullptr) << decl.name;
        EXPECT_TRUE(table.FindIndex("PrimaryKey")->Primary());
        ASSERT_NE(table.FindIndex("ID"), nullptr) << decl.name;
        EXPECT_TRUE(table.FindIndex("ID")->Unique());
        for (const auto& f : decl.fields) {
            const db::Field* field = table.FindField(f.name);
            ASSERT_NE(field, nullptr) << decl.name << "." << f.name;
            EXPECT_EQ(field->Type(), f.type) << f.name;
            if (f.type == db::FieldType::Text) {
                EXPECT_EQ(field->Size(), f.size) << f.name;
            }
            EXPECT_EQ(field->DefaultValue(), f.default_value) << f.name;
            const db::Index* index = table.FindIndex(f.name);
            EXPECT_EQ(index != nullptr, f.index != schema::IndexKind::None) << f.name;
            if (index) {
                EXPECT_EQ(index->Unique(), f.index == schema::IndexKind::Unique) << f.name;
            }
        }
        EXPECT_EQ(table.Fields().size(), decl.fields.size() + 1) << decl.name;
    }
    // the lookup tables carry what their configuration asks for, and nothing else
    EXPECT_NE(db.TableDefs().Item("Person").FindField("PersonNameShort"), nullptr);
    EXPECT_EQ(db.TableDefs().Item("Template").FindField("TemplateRate"), nullptr);
    EXPECT_NE(db.TableDefs().Item("Template").FindField("TemplateTypeExpenses"), nullptr);

    ASSERT_EQ(db.Relations().Count(), 7u);
    EXPECT_TRUE(db.Relations().Item("Reporting_Project-ID_Entry-ProjectID").Enforced());
    EXPECT_FALSE(db.Relations().Item("Reporting_Person-ID_Project-PersonID").Enforced());
    EXPECT_TRUE(db.Relations().Exists("Reporting_Client-ID_Project-ClientID"));
    ASSERT_EQ(db.QueryDefs().Count(), 3u);
    EXPECT_EQ(db.QueryDefs().Item("vEntry").SQL(), Entries::EntrySql());

    FillSample(db);
    EXPECT_EQ(Count(db, "SELECT Count(*) FROM vEntryFull WHERE AccountCode = \"1100.02\""), 25);
    EXPECT_EQ(Count(db, "SELECT Count(*) FROM vEntry WHERE PersonNameShort = \"AM\""), 50);
    EXPECT_EQ(Count(db, "SELECT Count(*) FROM vProjectFull"), 2);
    // deleting a project takes its entries along; a deleted person leaves dangling keys
    db.Execute("DELETE FROM Project WHERE ID = 2");
    EXPECT_EQ(Count(db, "SELECT Count(*) FROM Entry"), 25);
    db.Execute("DELETE FROM Person WHERE ID = 1");
    EXPECT_EQ(Count(db, "SELECT Count(*) FROM Entry WHERE PersonID = 1"), 25);
    ForeignKeyRepair("Entry", "Person");
    EXPECT_EQ(Count(db, "SELECT Count(*) FROM Entry WHERE PersonID = 0"), 25);

    layer.DBClose();
    EXPECT_FALSE(layer.IsOpen());
    EXPECT_EQ(goDatabase, nullptr);
    EXPECT_EQ(layer.Entries(), nullptr);
    EXPECT_THROW(layer.DBSettings()->Value("FinanceDatabase"), AppError) << "no database: error 91";
    EXPECT_THROW(layer.DBNew(path), db::DbError);  // exists
}

TEST(DBReportingTest, AnOlderFileGainsMissingFieldsAndRepairsWithItsDataKept) {
    TestPlace place(TestPlace::RunKind());
    TLX4R_SKIP_WITHOUT_SERVER(place.Kind());
    const std::string path = place.Name("alt.tdb4r");
    if (place.Kind() == db::test::EngineKind::Server) {
        // a database of an older release, as moved to the server by hand
        db::Database old = db::Database::Create(path);
        db::TableDef entry("Entry");
        entry.AppendField(db::Field("ID", db::FieldType::Long));
        entry.AppendField(db::Field("ProjectID", db::FieldType::Long));
        entry.AppendField(db::Field("TypeCharges", db::FieldType::Long));
        entry.AppendField(db::Field("Text", db::FieldType::Text, 255));
        old.TableDefs().Append(entry);
        old.Execute("INSERT INTO Entry VALUES (1, 7, 0, 'a')");
        old.Execute("INSERT INTO Entry VALUES (2, 7, NULL, 'b')");
        old.Execute("INSERT INTO Entry VALUES (3, 7, 38, 'c')");
        old.Execute("INSERT INTO Entry VALUES (4, 7, 37, 'd')");
    } else {
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(path.c_str(), &raw), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(raw,
                               "CREATE TABLE Entry (ID INTEGER PRIMARY KEY, ProjectID INTEGER, TypeCharges INTEGER, "
                               "Text TEXT);"
                               "INSERT INTO Entry VALUES (1, 7, 0, 'a'), (2, 7, NULL, 'b'), (3, 7, 38, 'c'), "
                               "(4, 7, 37, 'd');",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(raw);
    }
    DBReporting layer;
    layer.DBOpen(path);
    db::Database& db = *layer.Database();
    db::TableDef entry = db.TableDefs().Item("Entry");
    ASSERT_NE(entry.FindField("CalcDate2"), nullptr);
    EXPECT_EQ(entry.FindField("CalcDate2")->Type(), db::FieldType::Date);
    EXPECT_EQ(entry.FindField("CalcDate2")->DefaultValue(), "");
    auto rs = db.OpenRecordset("SELECT ID, TypeCharges, Text, CalcDate2 FROM Entry ORDER BY ID", db::RecordsetType::Snapshot);
    const int expected_type[] = {1, 1, 1, 37};
    for (int i = 0; i < 4; ++i, rs.MoveNext()) {
        ASSERT_FALSE(rs.Eof());
        EXPECT_EQ(rs.Get("TypeCharges").ToLong(), expected_type[i]) << i;
        EXPECT_TRUE(rs.Get("CalcDate2").IsNull());
    }
    EXPECT_EQ(Count(db, "SELECT Count(*) FROM Entry WHERE Text = \"c\""), 1);
    // the entries refer to a project that does not exist: the enforced relation cannot be made,
    // the others are, and the open goes on
    EXPECT_FALSE(db.Relations().Exists("Reporting_Project-ID_Entry-ProjectID"));
    EXPECT_EQ(db.Relations().Count(), 6u);

    db.Execute("UPDATE Entry SET ProjectID = 0");
    db.Relations().Delete("Reporting_Person-ID_Client-PersonID");
    layer.DBAssert(true);  // rebuilds every relation
    EXPECT_EQ(db.Relations().Count(), 7u);
    EXPECT_FALSE(layer.Entries()->Cursor().IsOpen());
    layer.DBrsOpen();
    EXPECT_TRUE(layer.Entries()->Cursor().IsOpen());
}

TEST(DBReportingTest, FilesThatAreNotDatabasesAreRefusedAndLeftAsTheyWere) {
    TLX4R_FILES_ONLY();
    TempDir dir;
    DBReporting layer;
    const std::string text = dir.File("notes.tdb4r");
    std::ofstream(text) << "Dies ist keine Datenbank.\n";
    const std::string empty = dir.File("empty.tdb4r");
    std::ofstream{empty};
    // another program's database, such as the finance database chosen by mistake
    const std::string other = dir.File("Fibu.tdb4f");
    {
        db::Database fibu = db::Database::Create(other);
        db::TableDef accounts("Accounts");
        accounts.AppendField(db::Field("ID", db::FieldType::Long));
        accounts.AppendField(db::Field("Code", db::FieldType::Text, 20));
        fibu.TableDefs().Append(accounts);
    }
    for (const std::string& path : {text, empty, other}) {
        const std::string before = FileBytes(path);
        try {
            layer.DBOpen(path);
            ADD_FAILURE() << path << " opened";
        } catch (const db::DbError& e) {
            EXPECT_EQ(e.Number(), 3343) << path;
        }
        EXPECT_FALSE(layer.IsOpen());
        EXPECT_EQ(FileBytes(path), before);
    }
    EXPECT_THROW(layer.DBOpen(dir.File("missing.tdb4r")), db::DbError);
    EXPECT_FALSE(fs::exists(dir.File("missing.tdb4r")));
}

TEST(DBReportingTest, TemporaryNamesSitBesideTheDatabase) {
    EXPECT_EQ(DBReporting::TempName("C:\\Data\\Kanzlei.tdb4r"), "C:\\Data\\Kanzlei_comp_.tdb4r");
    EXPECT_EQ(DBReporting::TempName("/srv/daten/Kanzlei 2024.mdb"), "/srv/daten/Kanzlei 2024_comp_.mdb");
    EXPECT_EQ(DBReporting::TempName("/srv/daten/Kanzlei"), "/srv/daten/Kanzlei_comp_.");
}

// A filled office database: a file, or in the program's run on the server a schema there.
class DBReportingOfficeTest : public ::testing::Test {
protected:
    void SetUp() override {
        TLX4R_SKIP_WITHOUT_SERVER(place.Kind());
        path = place.Name("Kanzlei.tdb4r");
        layer.DBNew(path);
        FillSample(*layer.Database());
        before = Counts(*layer.Database());
    }
    void ExpectComplete(db::Database& db) {
        SampleCounts now = Counts(db);
        EXPECT_EQ(now.entries, before.entries);
        EXPECT_EQ(now.projects, before.projects);
        EXPECT_EQ(now.persons, before.persons);
        EXPECT_EQ(now.clients, before.clients);
        EXPECT_EQ(now.charges_rappen, before.charges_rappen);
    }

    TestPlace place{TestPlace::RunKind()};
    TempDir dir;
    std::string path;
    DBReporting layer;
    SampleCounts before{};
};

TEST_F(DBReportingOfficeTest, CompactKeepsEveryRowAndReopens) {
    layer.Database()->Execute("DELETE FROM Entry WHERE ID > 40");
    before.entries = 40;
    before.charges_rappen = Counts(*layer.Database()).charges_rappen;
    layer.Compact();
    ASSERT_TRUE(layer.IsOpen());
    EXPECT_EQ(layer.DatabaseName(), path);
    ExpectComplete(*layer.Database());
    EXPECT_FALSE(fs::exists(DBReporting::TempName(path)));
    EXPECT_EQ(layer.Database()->Relations().Count(), 7u);
    if (TestPlace::ServerRun()) return;  // a server compacts in place: no copy, no name of its own

    // a file without extension
    const std::string bare = dir.File("Kanzlei");
    layer.DBClose();
    fs::copy_file(path, bare);
    layer.DBOpen(bare);
    layer.Compact();
    EXPECT_EQ(layer.DatabaseName(), bare);
    ExpectComplete(*layer.Database());
    EXPECT_FALSE(fs::exists(dir.File("Kanzlei_comp_.")));
}

TEST_F(DBReportingOfficeTest, ACompactionKilledAtAnyMomentLeavesAWholeDatabase) {
    TLX4R_FILES_ONLY();
    layer.Database()->Execute("INSERT INTO Entry (ID, ProjectID, Info) SELECT ID + 1000, ProjectID, Text FROM Entry");
    before = Counts(*layer.Database());
    layer.DBClose();
    // kill at different points of repeated compactions: early, in the middle, later
    for (int delay_us : {0, 1500, 4000, 9000, 20000}) {
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        pid_t child = fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            close(ready[0]);
            DBReporting worker;
            worker.DBOpen(path);
            bool told = false;
            for (;;) {
                worker.Compact();
                if (!told) {
                    told = write(ready[1], "x", 1) == 1;
                }
            }
        }
        close(ready[1]);
        char byte = 0;
        ASSERT_EQ(read(ready[0], &byte, 1), 1);  // one compaction done: it is working in a loop now
        close(ready[0]);
        usleep(static_cast<useconds_t>(delay_us));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));

        DBReporting again;
        ASSERT_NO_THROW(again.DBOpen(path)) << delay_us;
        ExpectComplete(*again.Database());
        EXPECT_EQ(again.Database()->Relations().Count(), 7u);
    }
}

TEST_F(DBReportingOfficeTest, VerifyAndImportKilledAtAnyMomentLeaveTheStateOfBeforeOrAfter) {
    // an import that replaces all departments with 3,000 lines
    const std::string file = dir.File("Abteilungen.csv");
    {
        std::ofstream out(file);
        for (int i = 1; i <= 3000; ++i) out << i << ";Abteilung " << i << ";" << i << "\r\n";
    }
    struct Case {
        const char* name;
        std::function<void(DBReporting&)> run;
        const char* count;   // the state is told by this count…
        long long before;    // …before the operation
        long long after;     // …and after it
    };
    const Case cases[] = {
        {"verify", [](DBReporting& worker) { worker.Entries()->Verify(); }, "SELECT Count(*) FROM Entry", 50, 50},
        {"import",
         [&](DBReporting& worker) {
             DataTextSettings settings;
             settings.Overwrite = true;
             worker.Departments()->Import(file, settings);
         },
         "SELECT Count(*) FROM Department", 1, 3000},
    };
    layer.DBClose();
    for (const Case& c : cases) {
        for (int delay_us : {0, 3000, 20000}) {
            SCOPED_TRACE(std::string(c.name) + " killed " + std::to_string(delay_us) + " us in");
            int ready[2];
            ASSERT_EQ(pipe(ready), 0);
            pid_t child = fork();
            ASSERT_NE(child, -1);
            if (child == 0) {
                close(ready[0]);
                test::ScriptedUi answers;
                DBReporting worker;
                worker.DBOpen(path);
                for (bool told = false;;) {
                    for (int i = 0; i < 2; ++i) answers.ExpectMessageContaining("", ui::Answer::Yes);
                    c.run(worker);
                    if (!told) told = write(ready[1], "x", 1) == 1;
                }
            }
            close(ready[1]);
            char byte = 0;
            ASSERT_EQ(read(ready[0], &byte, 1), 1);  // once done: it is repeating the operation now
            close(ready[0]);
            usleep(static_cast<useconds_t>(delay_us));
            kill(child, SIGKILL);
            int status = 0;
            waitpid(child, &status, 0);
            ASSERT_TRUE(WIFSIGNALED(status));

            DBReporting again;
            ASSERT_NO_THROW(again.DBOpen(path));
            for (const auto& finding : again.Database()->Check()) EXPECT_FALSE(finding.error) << finding.text;
            const long long now = Count(*again.Database(), c.count);
            EXPECT_TRUE(now == c.before || now == c.after) << now;
            EXPECT_EQ(Count(*again.Database(), "SELECT Count(*) FROM Entry"), before.entries);
        }
    }
}

TEST_F(DBReportingOfficeTest, ConvertRebuildsTheFileWithItsData) {
    test::ScriptedUi ui;
    if (TestPlace::ServerRun()) {  // nothing to rebuild: said, and the database stays open as it was
        ui.ExpectMessageContaining("bereits konvertiert", ui::Answer::Yes);
        ui.ExpectMessageContaining("nicht neu aufgebaut");
        EXPECT_EQ(layer.Convert(), "");
        ASSERT_TRUE(layer.IsOpen());
        ExpectComplete(*layer.Database());
        return;
    }
    // a database made by this release counts as converted: quiet leaves it, asking lets the
    // user decide
    EXPECT_EQ(layer.Convert(std::string("quiet")), "");
    ui.ExpectMessage("Datenbank scheint bereits konvertiert zu sein!\r\nWollen Sie trotzdem weiterfahren?",
                     ui::Answer::No, "Kelvora Reporting V4");
    EXPECT_EQ(layer.Convert(), "");
    ui.ExpectMessage("Datenbank scheint bereits konvertiert zu sein!\r\nWollen Sie trotzdem weiterfahren?",
                     ui::Answer::Yes, "Kelvora Reporting V4");
    // a person without any name is left behind
    layer.Database()->Execute("INSERT INTO Person (ID, PersonRate) VALUES (3, 100)");
    EXPECT_EQ(layer.Convert(), "");
    ASSERT_TRUE(layer.IsOpen());
    EXPECT_EQ(layer.DatabaseName(), path);
    before.charges_rappen = Counts(*layer.Database()).charges_rappen;
    ExpectComplete(*layer.Database());
    EXPECT_EQ(Count(*layer.Database(), "SELECT Count(*) FROM Entry"), 50);
    EXPECT_FALSE(fs::exists(DBReporting::TempName(path)));
    EXPECT_EQ(layer.Database()->Relations().Count(), 7u);
}

TEST_F(DBReportingOfficeTest, AFailingImportLeavesTheFileAsItWasAndSaysSo) {
    TLX4R_FILES_ONLY();
    // entries of a project that is gone, as older files without the enforced relation have them:
    // the new file refuses them
    layer.Database()->Relations().Delete("Reporting_Project-ID_Entry-ProjectID");
    layer.Database()->Execute("INSERT INTO Entry (ID, ProjectID) VALUES (99, 77)");

    test::ScriptedUi ui;
    ui.ExpectMessage("Datenbank scheint bereits konvertiert zu sein!\r\nWollen Sie trotzdem weiterfahren?",
                     ui::Answer::Yes);
    ui.ExpectMessageContaining("Reporting Datenbank konvertieren:\r\nKann '" + DBReporting::TempName(path) +
                               "' nicht importieren!\r\n");
    const std::string message = layer.Convert();
    EXPECT_NE(message.find("nicht importieren!"), std::string::npos) << message;
    EXPECT_EQ(ui.Shown().back().icon, ui::Icon::Critical);
    ASSERT_TRUE(layer.IsOpen());
    EXPECT_EQ(Count(*layer.Database(), "SELECT Count(*) FROM Entry"), 51);
    EXPECT_FALSE(fs::exists(DBReporting::TempName(path)));
    EXPECT_FALSE(fs::exists(dir.File("Kanzlei_conv_.tdb4r")));
}

}  // namespace
}  // namespace tlx4r
