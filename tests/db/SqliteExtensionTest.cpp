// The loadable extension opens the files to any SQLite program.
#include "db/Database.h"
#include "db/TempDb.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

namespace tlx4r::db {
namespace {

using test::TempDir;

// The first column of every row, or the error.
std::vector<std::string> Rows(sqlite3* connection, const char* sql, std::string& error) {
    std::vector<std::string> rows;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(connection, sql, -1, &statement, nullptr) != SQLITE_OK) {
        error = sqlite3_errmsg(connection);
        return rows;
    }
    while (sqlite3_step(statement) == SQLITE_ROW)
        rows.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    return rows;
}

TEST(SqliteExtensionTest, APlainSqliteConnectionReadsTheFilesOnceTheExtensionIsLoaded) {
    TempDir dir;
    const std::string path = dir.File("Kanzlei.tdb4r");
    {
        Database db = Database::Create(path);
        TableDef person("Person");
        person.AppendField(Field("ID", FieldType::Long));
        person.AppendField(Field("Name", FieldType::Text, 50));
        db.TableDefs().Append(person);
        for (const char* name : {"Birne", "äpfel", "Apfel  ", "Zitrone"})
            db.Execute(std::string("INSERT INTO Person (Name) VALUES (\"") + name + "\")");
        db.QueryDefs().Append(QueryDef("vPerson", "SELECT Name FROM Person WHERE Name Like \"*PF*\";"));
    }

    sqlite3* plain = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path.c_str(), &plain, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    const char* const sorted = "SELECT Name FROM Person ORDER BY Name";
    std::string error;
    Rows(plain, sorted, error);
    EXPECT_NE(error.find("no such collation sequence: JETTEXT"), std::string::npos) << error;

    ASSERT_EQ(sqlite3_enable_load_extension(plain, 1), SQLITE_OK);
    char* message = nullptr;
    ASSERT_EQ(sqlite3_load_extension(plain, TLX4R_SQLITE_EXTENSION, nullptr, &message), SQLITE_OK)
        << (message ? message : "");
    error.clear();
    EXPECT_EQ(Rows(plain, sorted, error), (std::vector<std::string>{"Apfel  ", "äpfel", "Birne", "Zitrone"})) << error;
    EXPECT_EQ(Rows(plain, "SELECT count(*) FROM Person WHERE Name = 'APFEL'", error), std::vector<std::string>{"1"});
    EXPECT_EQ(Rows(plain, "SELECT count(*) FROM vPerson", error), std::vector<std::string>{"2"}) << error;
    EXPECT_EQ(Rows(plain, "PRAGMA integrity_check", error), std::vector<std::string>{"ok"}) << error;
    sqlite3_close(plain);
}

}  // namespace
}  // namespace tlx4r::db
