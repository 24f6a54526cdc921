// The command-line program run as a user runs it, on temporary folders.
#include "db/Database.h"
#include "db/TempDb.h"
#include "support/TestPlace.h"
#include "support/RunProgram.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace tlx4r {
namespace {

using db::test::FileBytes;
using db::test::TempDir;

using test::Outcome;

class CliTest : public ::testing::Test {
protected:
    Outcome Tlx4r(const std::vector<std::string>& args) { return test::RunProgram(TLX4R_CLI, args, dir); }
    // "Table\tcount" lines of open, as a map.
    std::map<std::string, long> Tables(const std::string& out) {
        std::map<std::string, long> tables;
        std::istringstream lines(out);
        std::string name;
        long count;
        while (lines >> name >> count) tables[name] = count;
        return tables;
    }

    TempDir dir;
};

TEST_F(CliTest, DemoThenOpenShowsTheTablesAndSqlRunsTheStoredQueries) {
    auto demo = Tlx4r({"demo", dir.File("demo")});
    ASSERT_EQ(demo.exit_code, 0) << demo.err;
    const std::string finance = dir.File("demo/Kanzlei Muster 2024.tdb4f");
    const std::string reporting = dir.File("demo/Kanzlei Muster Data.tdb4r");
    EXPECT_EQ(demo.out, finance + "\n" + reporting + "\n");

    auto open = Tlx4r({"open", reporting, "--finance", finance});
    ASSERT_EQ(open.exit_code, 0) << open.err;
    auto tables = Tables(open.out);
    for (const char* t : {"Entry", "Project", "ProjectType", "Department", "Client", "Template", "Person", "DBSettings",
                          "TypeCharges", "TypeExpenses", "VatRate"}) {
        EXPECT_EQ(tables.count(t), 1u) << t;
    }
    EXPECT_EQ(tables.size(), 11u) << open.out;  // the session's link to Accounts is not listed
    EXPECT_GE(tables["Project"], 30);
    EXPECT_EQ(tables["TypeCharges"], 37);

    for (const char* query : {"vEntry", "vEntryFull", "vProjectFull"}) {
        auto sql = Tlx4r({"sql", reporting, std::string("SELECT * FROM ") + query});
        EXPECT_EQ(sql.exit_code, 0) << query << ": " << sql.err;
        EXPECT_FALSE(sql.out.empty()) << query;
    }
    auto projects = Tlx4r({"sql", reporting, "SELECT Count(*) AS n FROM vProjectFull"});
    EXPECT_EQ(projects.out, "n\r\n" + std::to_string(tables["Project"]) + "\r\n");

    // unattended maintenance keeps every row
    for (const char* command : {"compact", "convert"}) {
        auto run = Tlx4r({command, reporting});
        EXPECT_EQ(run.exit_code, 0) << command << ": " << run.err;
    }
    auto verify = Tlx4r({"verify", reporting});
    EXPECT_EQ(verify.exit_code, 0) << verify.err;
    EXPECT_EQ(Tables(Tlx4r({"open", reporting}).out), tables);

    // a second demo into the same folder is refused and changes nothing
    const std::string before = FileBytes(reporting);
    auto again = Tlx4r({"demo", dir.File("demo")});
    EXPECT_EQ(again.exit_code, 1);
    EXPECT_NE(again.err.find("gibt es bereits"), std::string::npos) << again.err;
    EXPECT_EQ(FileBytes(reporting), before);
}

TEST_F(CliTest, NewCreatesTheSchemaAndLinksItToTheFinanceDatabase) {
    ASSERT_EQ(Tlx4r({"demo", dir.File("demo")}).exit_code, 0);
    const std::string finance = dir.File("demo/Kanzlei Muster 2024.tdb4f");
    const auto link = [&] {
        return Tlx4r({"sql", finance, "SELECT Value FROM Settings WHERE Name = \"TXV4Database\""}).out;
    };
    const std::string demo_link = link();
    ASSERT_EQ(demo_link, "Value\r\nKanzlei Muster Data.tdb4r\r\n");
    // the new database would replace the demo's in the link: a question no default answers,
    // neither when verifying a copy against the finance database
    const std::string copy = dir.File("Kopie.tdb4r");
    std::filesystem::copy_file(dir.File("demo/Kanzlei Muster Data.tdb4r"), copy);
    for (const auto& args : std::vector<std::vector<std::string>>{{"new", dir.File("neu.tdb4r"), "--finance", finance},
                                                                  {"verify", copy, "--finance", finance}}) {
        auto refused = Tlx4r(args);
        EXPECT_EQ(refused.exit_code, 1) << args[0];
        EXPECT_NE(refused.err.find("wirklich unterbrechen?"), std::string::npos) << refused.err;
        EXPECT_NE(refused.err.find("--yes"), std::string::npos) << refused.err;
        EXPECT_EQ(link(), demo_link) << args[0];
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("neu.tdb4r")));

    auto created = Tlx4r({"new", dir.File("neu.tdb4r"), "--finance", finance, "--yes"});
    ASSERT_EQ(created.exit_code, 0) << created.err;
    EXPECT_EQ(created.out, dir.File("neu.tdb4r") + "\n");
    EXPECT_NE(created.err.find("wirklich unterbrechen?"), std::string::npos) << created.err;
    EXPECT_EQ(link(), "Value\r\nneu.tdb4r\r\n");
    auto tables = Tables(Tlx4r({"open", dir.File("neu.tdb4r")}).out);
    EXPECT_EQ(tables.size(), 11u);
    EXPECT_EQ(tables["Project"], 0);

    auto exists = Tlx4r({"new", dir.File("neu.tdb4r")});
    EXPECT_EQ(exists.exit_code, 1);
    EXPECT_NE(exists.err.find("Kann Reporting Datenbank nicht erstellen!"), std::string::npos) << exists.err;
}

TEST_F(CliTest, WhatIsNotADatabaseIsReportedAndLeftAsItWas) {
    const std::string text = dir.File("notes.tdb4r");
    std::ofstream(text) << "Dies ist keine Datenbank.\n";
    const std::string empty = dir.File("empty.tdb4r");
    std::ofstream{empty};
    for (const std::string& file : {text, empty}) {
        const std::string before = FileBytes(file);
        for (const char* command : {"open", "verify", "compact", "convert"}) {
            auto run = Tlx4r({command, file});
            EXPECT_EQ(run.exit_code, 1) << command << " " << file;
            EXPECT_NE(run.err.find("Kann Reporting Datenbank nicht öffnen!"), std::string::npos) << run.err;
            EXPECT_EQ(FileBytes(file), before) << command << " " << file;
        }
    }
    auto missing = Tlx4r({"open", dir.File("nowhere.tdb4r")});
    EXPECT_EQ(missing.exit_code, 1);
    EXPECT_NE(missing.err.find("Kann Reporting Datenbank nicht öffnen!"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.File("nowhere.tdb4r")));

    auto no_finance = Tlx4r({"open", text, "--finance", dir.File("nowhere.tdb4f")});
    EXPECT_EQ(no_finance.exit_code, 1);
    EXPECT_NE(no_finance.err.find("Kann Finanzbuchhaltung nicht öffnen!"), std::string::npos) << no_finance.err;

    // usage errors are told apart from failures
    EXPECT_EQ(Tlx4r({"open"}).exit_code, 2);
    EXPECT_EQ(Tlx4r({"open", text, "--bogus"}).exit_code, 2);
    EXPECT_EQ(Tlx4r({"compact", text, "--finance", "x.tdb4f"}).exit_code, 2);
    EXPECT_EQ(Tlx4r({"verify", text, "--full"}).exit_code, 2);
    EXPECT_EQ(Tlx4r({"demo"}).exit_code, 2);
}

TEST_F(CliTest, ContactsListsTheCardsInFileAsOrderAndNamesTheBrokenOnes) {
    std::filesystem::create_directories(dir.File("karten"));
    std::ofstream(dir.File("karten/a.vcf"), std::ios::binary)
        << "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Zaugg;Peter\r\nORG:Zaugg AG\r\n"
           "ADR;TYPE=WORK:;;Aarestrasse 1;Thun;;3600;Schweiz\r\nTEL;TYPE=WORK:033 000 00 01\r\nEND:VCARD\r\n"
           "BEGIN:VCARD\r\nFN:Kaputt\r\n";
    std::ofstream(dir.File("karten/b.vcf"), std::ios::binary)
        << "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Amrein;Lea\r\nEMAIL;PREF:lea@example.ch\r\nEND:VCARD\r\n";
    auto listed = Tlx4r({"contacts", dir.File("karten")});
    EXPECT_EQ(listed.exit_code, 1);
    std::istringstream lines(listed.out);
    std::string header, first, second, more;
    std::getline(lines, header);
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_FALSE(std::getline(lines, more));
    EXPECT_EQ(header.rfind("Index\tFileAs\tKeyName\tCompany", 0), 0u);
    EXPECT_EQ(first, "1\tAmrein, Lea\tAmrein, Lea\t\t\tLea\tAmrein\t\t\t\t\t\t\t\tlea@example.ch\t");
    EXPECT_EQ(second, "2\tZaugg, Peter\tZaugg, Peter\tZaugg AG\t\tPeter\tZaugg\tAarestrasse 1\t\t3600\tThun\t"
                      "Schweiz\t033 000 00 01\t\t\t");
    EXPECT_NE(listed.err.find("a.vcf:8: card skipped: END:VCARD fehlt"), std::string::npos) << listed.err;
    EXPECT_EQ(Tlx4r({"contacts", dir.File("fehlt.vcf")}).exit_code, 1);
    EXPECT_EQ(Tlx4r({"contacts"}).exit_code, 2);
}

TEST_F(CliTest, BackupsAreListedAndRestoredAndCheckSaysWhatIsWrong) {
    ASSERT_EQ(Tlx4r({"demo", dir.File("demo")}).exit_code, 0);
    const std::string reporting = dir.File("demo/Kanzlei Muster Data.tdb4r");
    const auto projects = [&] { return Tlx4r({"sql", reporting, "SELECT Count(*) AS n FROM Project"}).out; };
    const std::string before = projects();
    ASSERT_EQ(Tlx4r({"compact", reporting}).exit_code, 0);
    auto list = Tlx4r({"backup", "list", reporting});
    ASSERT_EQ(list.exit_code, 0) << list.err;
    std::istringstream lines(list.out);
    std::string name, moment, operation;
    ASSERT_TRUE(std::getline(lines, name, '\t') && std::getline(lines, moment, '\t') && std::getline(lines, operation));
    EXPECT_EQ(operation, "compact");
    EXPECT_TRUE(std::filesystem::exists(dir.File("demo/backups/" + name)));

    ASSERT_EQ(Tlx4r({"sql", reporting, "DELETE FROM Project"}).exit_code, 0);
    auto refused = Tlx4r({"backup", "restore", reporting, name});
    EXPECT_EQ(refused.exit_code, 1);
    EXPECT_NE(refused.err.find("--yes"), std::string::npos) << refused.err;
    EXPECT_EQ(projects(), "n\r\n0\r\n");
    auto restored = Tlx4r({"backup", "restore", reporting, name, "--yes"});
    ASSERT_EQ(restored.exit_code, 0) << restored.err;
    EXPECT_EQ(projects(), before);
    EXPECT_EQ(Tlx4r({"backup", "restore", reporting, "fehlt.tdb4r", "--yes"}).exit_code, 1);
    EXPECT_EQ(Tlx4r({"backup", "list"}).exit_code, 2);

    auto sound = Tlx4r({"check", reporting});
    EXPECT_EQ(sound.exit_code, 0) << sound.err;
    EXPECT_EQ(sound.out, "ok\n");
    // a file damaged past its first pages
    const std::string damaged = dir.File("kaputt.tdb4r");
    std::filesystem::copy_file(reporting, damaged);
    {
        std::fstream bytes(damaged, std::ios::in | std::ios::out | std::ios::binary);
        bytes.seekp(4096 * 3);
        bytes << std::string(8192, '\x5a');
    }
    auto broken = Tlx4r({"check", damaged});
    EXPECT_EQ(broken.exit_code, 1) << broken.out << broken.err;
}

// An office moved to a server and back: every table's rows and amount sums as before, and the
// entries report (the selection dialog's statement) lists the same rows on the server.
TEST_F(CliTest, MigrateMovesAnOfficeToAServerAndBackWithEveryRowAndSum) {
    TLX4R_SKIP_WITHOUT_SERVER(db::test::EngineKind::Server);
    db::test::TestPlace place(db::test::EngineKind::Server);
    const std::string server = place.ServerDatabase();
    ASSERT_EQ(Tlx4r({"demo", dir.File("demo")}).exit_code, 0);
    const std::string finance = dir.File("demo/Kanzlei Muster 2024.tdb4f");
    auto there = Tlx4r({"migrate", finance, server + "Kanzlei Muster 2024.tdb4f"});
    ASSERT_EQ(there.exit_code, 0) << there.err;
    auto back = Tlx4r({"migrate", server + "Kanzlei Muster 2024.tdb4f", dir.File("back/Kanzlei Muster 2024.tdb4f")});
    ASSERT_EQ(back.exit_code, 0) << back.err;
    for (const auto* run : {&there, &back}) {
        EXPECT_EQ(run->out.find("DIFFERS"), std::string::npos) << run->out;
        EXPECT_NE(run->out.find("Entry\t420 rows\tCharges "), std::string::npos) << run->out;
    }
    // the copy back names the same tables, rows and sums as the copy there
    auto totals = [](const std::string& out) {
        std::istringstream lines(out);
        std::string all;
        for (std::string line; std::getline(lines, line);)
            if (line.rfind("  ", 0) == 0) all += line + "\n";
        return all;
    };
    EXPECT_EQ(totals(back.out), totals(there.out));

    auto report = [&](const std::string& folder) {
        return Tlx4r({"report", "entries", folder + "Kanzlei Muster Data.tdb4r", "--finance",
                      folder + "Kanzlei Muster 2024.tdb4f", "--archive", "all", "--max", "all"});
    };
    const auto on_files = report(dir.File("demo/")), on_server = report(server), copied_back = report(dir.File("back/"));
    ASSERT_EQ(on_server.exit_code, 0) << on_server.err;
    EXPECT_GT(std::count(on_files.out.begin(), on_files.out.end(), '\n'), 300) << on_files.out;
    EXPECT_EQ(on_server.out, on_files.out);
    EXPECT_EQ(copied_back.out, on_files.out);

    // a target that exists is refused and left alone
    auto again = Tlx4r({"migrate", finance, server + "Kanzlei Muster 2024.tdb4f"});
    EXPECT_EQ(again.exit_code, 1);
    EXPECT_EQ(report(server).out, on_files.out);
}

TEST_F(CliTest, ADatabaseLockedByAnotherProgramGivesAMessageNotAHang) {
    ASSERT_EQ(Tlx4r({"demo", dir.File("demo")}).exit_code, 0);
    const std::string reporting = dir.File("demo/Kanzlei Muster Data.tdb4r");
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(reporting.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    auto run = Tlx4r({"open", reporting});
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_NE(run.err.find("locked by another user or program"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(reporting), std::string::npos) << run.err;
}

}  // namespace
}  // namespace tlx4r
