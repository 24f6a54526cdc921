#include "TempDb.h"

#include "db/Database.h"
#include "support/RunProgram.h"

#include <gtest/gtest.h>


namespace tlx4r::db {
namespace {

// Runs the built command-line program's sql command.
tlx4r::test::Outcome Sql(const std::string& file, const std::string& statement, const test::TempDir& dir) {
    return tlx4r::test::RunProgram(TLX4R_CLI, {"sql", file, statement}, dir);
}

TEST(SqlCommandTest, PrintsRowsAsCsvAndCountsOtherwise) {
    test::TempDir dir;
    const auto path = dir.File("cli.tdb4r");
    {
        Database db = Database::Create(path);
        test::CreateSampleSchema(db);
        db.Execute("INSERT INTO Person (ID, PersonNameFull) VALUES (1, \"Muster, \"\"Anna\"\"\")");
    }
    auto insert = Sql(path,
                      "INSERT INTO Entry (ID, PersonID, BookDate, Text, Charges, Hours, Archive) "
                      "VALUES (1, 1, #02/29/2024#, \"Besprechung\", 120.5, 1.5, True)",
                      dir);
    EXPECT_EQ(insert.exit_code, 0);
    EXPECT_EQ(insert.out, "1\n");
    {
        Database db = Database::Open(path);
        db.Execute("INSERT INTO Entry (ID, PersonID, Text, Info, Charges) VALUES (2, 1, \"zwei\", \"a\nb\", 7.1234)");
        auto rs = db.OpenRecordset("Entry");
        rs.SetIndex("PrimaryKey");
        rs.Seek("=", Value(2));
        rs.Edit();
        rs.Set("BookDate", Value(Date::FromYmdHms(2024, 3, 1, 8, 30, 0)));
        rs.Update();
    }
    auto select = Sql(path,
                      "SELECT Entry.ID, PersonNameFull, BookDate, Text, Info, Charges, Hours, Entry.Archive "
                      "FROM Entry INNER JOIN Person ON Person.ID = Entry.PersonID ORDER BY Entry.ID",
                      dir);
    EXPECT_EQ(select.exit_code, 0);
    EXPECT_EQ(select.out,
              "ID,PersonNameFull,BookDate,Text,Info,Charges,Hours,Archive\r\n"
              "1,\"Muster, \"\"Anna\"\"\",2024-02-29,Besprechung,,120.50,1.5,True\r\n"
              "2,\"Muster, \"\"Anna\"\"\",2024-03-01T08:30:00,zwei,\"a\nb\",7.1234,,False\r\n");

    auto bad = Sql(path, "SELECT Nothing FROM Entry", dir);
    EXPECT_EQ(bad.exit_code, 1);
    EXPECT_EQ(bad.out, "");
    EXPECT_NE(bad.err.find("Nothing"), std::string::npos);
    auto missing = Sql(dir.File("missing.tdb4r"), "SELECT 1", dir);
    EXPECT_EQ(missing.exit_code, 1);
    EXPECT_NE(missing.err.find("missing.tdb4r"), std::string::npos);
}

}  // namespace
}  // namespace tlx4r::db
