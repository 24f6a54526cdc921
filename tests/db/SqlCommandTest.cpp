#include "TempDb.h"

#include "db/Database.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sys/wait.h>

namespace tlx4r::db {
namespace {

struct Run {
    int exit_code = -1;
    std::string out;
};

std::string ShellQuote(const std::string& s) {
    std::string out = "'";
    for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// Runs the built command-line program; stderr goes to err_file.
Run Sql(const std::string& file, const std::string& statement, const std::string& err_file) {
    std::string command = std::string(TLX4R_CLI) + " sql " + ShellQuote(file) + " " + ShellQuote(statement) + " 2>" +
                          ShellQuote(err_file);
    Run run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buffer{};
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.out.append(buffer.data(), n);
    int status = ::pclose(pipe);
    run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(SqlCommandTest, PrintsRowsAsCsvAndCountsOtherwise) {
    test::TempDir dir;
    const auto path = dir.File("cli.tdb4r");
    const auto err = dir.File("err.txt");
    {
        Database db = Database::Create(path);
        test::CreateSampleSchema(db);
        db.Execute("INSERT INTO Person (ID, PersonNameFull) VALUES (1, \"Muster, \"\"Anna\"\"\")");
    }
    auto insert = Sql(path,
                      "INSERT INTO Entry (ID, PersonID, BookDate, Text, Charges, Hours, Archive) "
                      "VALUES (1, 1, #02/29/2024#, \"Besprechung\", 120.5, 1.5, True)",
                      err);
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
                      err);
    EXPECT_EQ(select.exit_code, 0);
    EXPECT_EQ(select.out,
              "ID,PersonNameFull,BookDate,Text,Info,Charges,Hours,Archive\r\n"
              "1,\"Muster, \"\"Anna\"\"\",2024-02-29,Besprechung,,120.50,1.5,True\r\n"
              "2,\"Muster, \"\"Anna\"\"\",2024-03-01T08:30:00,zwei,\"a\nb\",7.1234,,False\r\n");

    auto bad = Sql(path, "SELECT Nothing FROM Entry", err);
    EXPECT_EQ(bad.exit_code, 1);
    EXPECT_EQ(bad.out, "");
    EXPECT_NE(test::FileBytes(err).find("Nothing"), std::string::npos);
    EXPECT_EQ(Sql(dir.File("missing.tdb4r"), "SELECT 1", err).exit_code, 1);
    EXPECT_NE(test::FileBytes(err).find("missing.tdb4r"), std::string::npos);
}

}  // namespace
}  // namespace tlx4r::db
