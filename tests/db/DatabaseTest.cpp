#include "TempDb.h"
#include "support/TestPlace.h"

#include "db/Database.h"
#include "db/DbError.h"
#include "db/PgName.h"
#include "db/Transaction.h"

#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>

namespace tlx4r::db {
namespace {

using test::FileBytes;
using test::ErrorNumber;
using test::TempDir;

Database NewSample(const std::string& path) {
    Database db = Database::Create(path);
    test::CreateSampleSchema(db);
    return db;
}

// The statements of the layer's own tests run on both engines: a file and a server's schema.
class DatabaseOnEngine : public ::testing::TestWithParam<test::EngineKind> {
protected:
    void SetUp() override { TLX4R_SKIP_WITHOUT_SERVER(GetParam()); }
    bool OnServer() const { return GetParam() == test::EngineKind::Server; }
    test::TestPlace place{GetParam()};
};

INSTANTIATE_TEST_SUITE_P(Engines, DatabaseOnEngine,
                         ::testing::Values(test::EngineKind::File, test::EngineKind::Server), test::EngineName);

TEST_P(DatabaseOnEngine, CreateOpenNameAndExecuteCountRows) {
    const auto path = place.Name("Kanzlei.tdb4r");
    {
        Database db = NewSample(path);
        EXPECT_EQ(db.Name(), path);
        EXPECT_EQ(db.Execute("INSERT INTO Person (ID, PersonNameFull) VALUES (1, \"Anna Muster\")"), 1);
        EXPECT_EQ(db.Execute("INSERT INTO Person (ID, PersonNameFull) VALUES (2, \"Beat O'Neill\")"), 1);
        EXPECT_EQ(db.Execute("UPDATE Person SET PersonRate = 180 WHERE ID > 0"), 2);
        // the same text again runs the statement prepared the first time
        EXPECT_EQ(db.Execute("UPDATE Person SET PersonRate = 180 WHERE ID > 0"), 2);
        EXPECT_EQ(db.Execute("DELETE * FROM Person WHERE ID = 2"), 1);
    }
    EXPECT_EQ(ErrorNumber([&] { Database::Create(path); }), 3204);
    Database db = Database::Open(path);
    auto rs = db.OpenRecordset("SELECT PersonNameFull, PersonRate FROM Person");
    EXPECT_EQ(rs.Get("PersonNameFull").ToText(), "Anna Muster");
    EXPECT_EQ(rs.Get("personrate"), Value(Currency::FromInt(180)));

    Database moved = std::move(db);
    EXPECT_FALSE(db.IsOpen());
    EXPECT_TRUE(moved.IsOpen());
    moved.Close();
    moved.Close();  // closing twice is harmless
    EXPECT_EQ(ErrorNumber([&] { moved.Execute("DELETE FROM Person"); }), 3420);
    EXPECT_EQ(ErrorNumber([&] { rs.MoveNext(); }), 3420);
}

TEST_P(DatabaseOnEngine, StatementErrorsNameTheProblem) {
    Database db = NewSample(place.Name("a.tdb4r"));
    std::string text;
    EXPECT_EQ(ErrorNumber([&] { db.Execute("DELETE FROM Nowhere WHERE ID = 1"); }, &text), 3078);
    EXPECT_NE(text.find("Nowhere"), std::string::npos) << text;
    EXPECT_NE(ErrorNumber([&] { db.Execute("UPDATE Person SET Nonsense = 1"); }, &text), 0);
    EXPECT_NE(text.find("Nonsense"), std::string::npos) << text;
    EXPECT_NE(ErrorNumber([&] { db.Execute("UPDATE Person SET WHERE"); }, &text), 0);
    EXPECT_NE(text.find("UPDATE Person SET WHERE"), std::string::npos) << text;
    EXPECT_EQ(ErrorNumber([&] { db.Execute("SELECT * FROM Person"); }), 3065);
    EXPECT_NE(ErrorNumber([&] { db.OpenRecordset("SELECT Missing FROM Person"); }, &text), 0);
    EXPECT_NE(text.find("Missing"), std::string::npos) << text;
    // the dialect's LIKE must stay case-insensitive
    if (!OnServer()) {
        EXPECT_EQ(ErrorNumber([&] { db.Execute("PRAGMA case_sensitive_like = 1"); }), 3112);
    }
    EXPECT_EQ(ErrorNumber([&] { db.Execute("INSERT INTO Person (ID) VALUES (1)"); }), 0);
    EXPECT_EQ(ErrorNumber([&] { db.Execute("INSERT INTO Person (ID) VALUES (1)"); }), 3022);
    // the validation rule "> 0" of ID
    EXPECT_EQ(ErrorNumber([&] { db.Execute("INSERT INTO Person (ID) VALUES (-4)"); }, &text), 3317);
    EXPECT_NE(text.find("Person.ID"), std::string::npos) << text;
}

// A statement the dialect cannot read names itself and where it went wrong, whether the
// translator or the engine below finds the fault; nothing of it runs.
TEST_P(DatabaseOnEngine, MalformedStatementsShowTheStatementAndThePosition) {
    Database db = NewSample(place.Name("m.tdb4r"));
    db.Execute("INSERT INTO Person (ID, PersonNameFull) VALUES (1, \"Anna\")");
    struct Bad {
        const char* sql;
        const char* where;
    };
    for (const Bad& bad : {Bad{"UPDATE Person SET PersonNameFull = \"Beat WHERE ID = 1", "position 36"},
                           Bad{"DELETE * FROM Person WHERE (ID = 1", "position 28"},
                           Bad{"UPDATE Person SET PersonRate = 5 WHERE ID = = 1", "position 49 of the statement as run"},
                           Bad{"INSERT INTO Person (ID, PersonNameFull) VALUES (2, \"Beat\"", "position 48"}}) {
        std::string text;
        const long number = ErrorNumber([&] { db.Execute(bad.sql); }, &text);
        EXPECT_EQ(number, 3000) << bad.sql;
        EXPECT_NE(text.find(bad.sql), std::string::npos) << text;
        // the server counts positions in its own way
        if (!OnServer() || std::string(bad.where).find("as run") == std::string::npos) {
            EXPECT_NE(text.find(bad.where), std::string::npos) << text;
        }
    }
    std::string text;
    EXPECT_EQ(ErrorNumber([&] { db.OpenRecordset("SELECT TOP x * FROM Person"); }, &text), 3000);
    EXPECT_NE(text.find("SELECT TOP x * FROM Person"), std::string::npos) << text;
    EXPECT_NE(text.find("position 8"), std::string::npos) << text;
    // a missing table or field names it
    EXPECT_EQ(ErrorNumber([&] { db.OpenRecordset("SELECT ID FROM Persons"); }, &text), 3078);
    EXPECT_NE(text.find("Persons"), std::string::npos) << text;
    EXPECT_EQ(ErrorNumber([&] { db.OpenRecordset("SELECT PersonName FROM Person"); }, &text), 3061);
    EXPECT_NE(text.find("PersonName"), std::string::npos) << text;
    auto rs = db.OpenRecordset("Person");
    EXPECT_EQ(rs.Get("PersonNameFull").ToText(), "Anna");
    EXPECT_EQ(rs.RecordCount(), 1);
}

// Another program that adds a field must not leave this connection with translations made for
// the old layout (a "*" expands to the fields as they are now).
TEST_P(DatabaseOnEngine, SchemaChangesOfAnotherConnectionReachTheTranslations) {
    const auto path = place.Name("s.tdb4r");
    Database db = NewSample(path);
    db.Execute("INSERT INTO Person (ID, PersonNameFull) VALUES (1, \"Anna\")");
    TableDef copy("PersonCopy");
    copy.AppendField(Field("ID", FieldType::Long));
    copy.AppendField(Field("PersonNameFull", FieldType::Text, 255));
    copy.AppendIndex(Index("PrimaryKey", {"ID"}, true, true));
    db.TableDefs().Append(copy);
    const char* select = "SELECT * FROM Person WHERE ID = 1;";
    const char* copy_all = "INSERT INTO PersonCopy SELECT * FROM Person;";
    EXPECT_EQ(db.OpenRecordset(select).Fields().size(), 4u);
    EXPECT_EQ(db.Execute(copy_all), 1);
    {
        Database other = Database::Open(path);
        for (const char* table : {"Person", "PersonCopy"}) {
            TableDef def = other.TableDefs().Item(table);
            def.AppendField(Field("Mail", FieldType::Text, 100).SetDefaultValue("\"keine\""));
        }
        other.Execute("UPDATE Person SET Mail = \"anna@example.ch\"");
        other.Execute("DELETE * FROM PersonCopy");
    }
    auto rs = db.OpenRecordset(select);
    ASSERT_TRUE(rs.HasField("Mail"));
    EXPECT_EQ(rs.Get("Mail").ToText(), "anna@example.ch");
    rs.AddNew();  // the defaults of a row added here follow the new layout as well
    EXPECT_EQ(rs.Get("Mail").ToText(), "keine");
    rs.CancelUpdate();
    EXPECT_EQ(db.Execute(copy_all), 1);
    EXPECT_EQ(db.OpenRecordset("SELECT Mail FROM PersonCopy").Get(0).ToText(), "anna@example.ch");
}

TEST(DatabaseTest, FilesThatCannotBeUsedGiveErrorsAndStayUnchanged) {
    TempDir dir;
    EXPECT_EQ(ErrorNumber([&] { Database::Open(dir.File("missing.tdb4r")); }), 3024);

    const auto text_file = dir.File("notes.tdb4r");
    std::ofstream(text_file) << "Dies ist keine Datenbank, sondern eine Notiz.\n";
    const auto text_bytes = FileBytes(text_file);
    std::string description;
    EXPECT_EQ(ErrorNumber([&] { Database::Open(text_file); }, &description), 3343);
    EXPECT_NE(description.find("notes.tdb4r"), std::string::npos);
    EXPECT_EQ(FileBytes(text_file), text_bytes);

    const auto path = dir.File("shared.tdb4r");
    {
        Database db = NewSample(path);
        db.Execute("INSERT INTO Person (ID, PersonNameFull) VALUES (1, \"Anna\")");
    }
    const auto bytes = FileBytes(path);

    // a write-protected file opens read-only: reading works, writing is refused
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    {
        Database db = Database::Open(path);
        EXPECT_TRUE(db.ReadOnly());
        EXPECT_EQ(db.OpenRecordset("Person").Get("PersonNameFull").ToText(), "Anna");
        EXPECT_EQ(ErrorNumber([&] { db.Execute("DELETE FROM Person"); }, &description), 3027);
        EXPECT_NE(description.find("read-only"), std::string::npos);
        auto rs = db.OpenRecordset("Person");
        EXPECT_FALSE(rs.Updatable());
        EXPECT_EQ(ErrorNumber([&] { rs.AddNew(); }), 3027);
        TableDef more("More");
        more.AppendField(Field("ID", FieldType::Long));
        EXPECT_EQ(ErrorNumber([&] { db.TableDefs().Append(more); }), 3027);
    }
    EXPECT_EQ(FileBytes(path), bytes);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

    // another program holds a write transaction: our write waits, then fails
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    {
        Database db = Database::Open(path, {.read_only = false, .busy_timeout_ms = 50});
        EXPECT_EQ(ErrorNumber([&] { db.Execute("DELETE FROM Person"); }, &description), 3260);
        EXPECT_NE(description.find("locked"), std::string::npos);
        EXPECT_EQ(ErrorNumber([&] { db.BeginTrans(); }), 3260);
        EXPECT_EQ(db.OpenRecordset("Person").RecordCount(), 1);  // reading still works
    }
    // an exclusive lock keeps even the open from reading the schema
    ASSERT_EQ(sqlite3_exec(other, "ROLLBACK; BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_EQ(ErrorNumber([&] { Database::Open(path, {.read_only = false, .busy_timeout_ms = 50}); }), 3260);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(FileBytes(path), bytes);
}

// A second user waits for the first one's writing transaction as long as the busy timeout says,
// then gets the message that the database is locked, never a hang; afterwards all goes on.
TEST_P(DatabaseOnEngine, AWriterWaitsForAnotherThenGivesUpWithAMessage) {
    const auto name = place.Name("w.tdb4r");
    Database first = NewSample(name);
    first.Execute("INSERT INTO Person (ID, PersonNameFull) VALUES (1, \"Anna\")");
    Database second = Database::Open(name, {.read_only = false, .busy_timeout_ms = 200});
    std::string text;
    {
        Transaction writing(first);
        first.Execute("UPDATE Person SET PersonNameFull = \"Anna Muster\" WHERE ID = 1");
        EXPECT_EQ(ErrorNumber([&] { Transaction(second).Commit(); }, &text), 3260);
        EXPECT_NE(text.find("locked"), std::string::npos) << text;
        EXPECT_EQ(ErrorNumber([&] { second.Execute("UPDATE Person SET PersonRate = 5 WHERE ID = 1"); }), 3260);
        writing.Commit();
    }
    EXPECT_EQ(second.Execute("UPDATE Person SET PersonRate = 5 WHERE ID = 1"), 1);
    EXPECT_EQ(second.OpenRecordset("SELECT PersonNameFull FROM Person").Get(0).ToText(), "Anna Muster");
}

TEST_P(DatabaseOnEngine, ABackupRestoresTheRowsOfBeforeAndARestoreCutShortLosesNothing) {
    const auto name = place.Name("r.tdb4r");
    TempDir backups;
    const std::string archive = backups.File("r-backup.tdb4r");
    const auto persons = [&](Database& db) { return db.OpenRecordset("SELECT Count(*) FROM Person").Get(0).ToLong(); };
    {
        Database db = NewSample(name);
        db.Execute("INSERT INTO Person (ID, PersonNameFull) VALUES (1, \"Anna\")");
        db.BackupInto(archive);
        EXPECT_EQ(ErrorNumber([&] { db.BackupInto(archive); }), 3204);
        db.Execute("DELETE FROM Person");
        db.RestoreFrom(archive);
        EXPECT_EQ(persons(db), 1);
        db.Execute("INSERT INTO Person (ID, PersonNameFull) VALUES (2, \"Beat\")");
    }
    if (!OnServer()) return;
    // The program restoring was killed after it set the schema aside: the next open takes it back.
    const std::string schema = PgName(name).Schema();
    PGconn* conn = PQconnectdb(test::TestPlace::Server().c_str());
    PQclear(PQexec(conn, ("ALTER SCHEMA \"" + schema + "\" RENAME TO \"" + schema + "~restore\"").c_str()));
    PQfinish(conn);
    Database again = Database::Open(name);
    EXPECT_EQ(persons(again), 2);
}

TEST_P(DatabaseOnEngine, TransactionsCommitRollBackAndNest) {
    Database db = NewSample(place.Name("t.tdb4r"));
    {
        Transaction t(db);
        db.Execute("INSERT INTO Person (ID) VALUES (1)");
    }  // not committed: gone
    EXPECT_EQ(db.OpenRecordset("Person").RecordCount(), 0);
    {
        Transaction outer(db);
        db.Execute("INSERT INTO Person (ID) VALUES (1)");
        {
            Transaction inner(db);
            db.Execute("INSERT INTO Person (ID) VALUES (2)");
            inner.Rollback();
        }
        outer.Commit();
    }
    EXPECT_EQ(db.OpenRecordset("Person").RecordCount(), 1);
    EXPECT_EQ(ErrorNumber([&] { db.CommitTrans(); }), 3034);
    {
        // a guard that outlives its database's connection must not throw from its destructor
        Transaction t(db);
        db.Close();
    }
}

TEST(DatabaseTest, CompactIntoCopiesEverything) {
    TempDir dir;
    Database db = NewSample(dir.File("big.tdb4r"));
    db.Execute("INSERT INTO Person (ID, PersonNameFull) VALUES (7, \"Zoë\")");
    db.QueryDefs().Append(QueryDef("vPerson", "SELECT Person.* FROM Person;"));
    const auto target = dir.File("big_comp_.tdb4r");
    db.CompactInto(target);
    EXPECT_EQ(ErrorNumber([&] { db.CompactInto(target); }), 3204);
    Database copy = Database::Open(target);
    EXPECT_EQ(copy.OpenRecordset("vPerson").Get("PersonNameFull").ToText(), "Zoë");
    EXPECT_EQ(copy.QueryDefs().Item("vPerson").SQL(), "SELECT Person.* FROM Person;");
}

}  // namespace
}  // namespace tlx4r::db
