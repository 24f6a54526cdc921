// tlx4r transfer, archive and archive-delete run as a user runs them, on the demo office.
#include "db/TempDb.h"
#include "entries/modDateTime.h"
#include "support/RunProgram.h"
#include "types/Date.h"

#include <gtest/gtest.h>

namespace tlx4r {
namespace {

using test::Outcome;

class TransferCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto demo = Tlx4r({"demo", dir.File("demo")});
        ASSERT_EQ(demo.exit_code, 0) << demo.err;
    }
    Outcome Tlx4r(const std::vector<std::string>& args) { return test::RunProgram(TLX4R_CLI, args, dir); }
    // The first value of the first row of a statement, as the sql command prints it.
    std::string Scalar(const std::string& file, const std::string& sql) {
        auto run = Tlx4r({"sql", file, sql});
        EXPECT_EQ(run.exit_code, 0) << run.err;
        std::string value = run.out.substr(run.out.find('\n') + 1);
        std::string out;
        for (char c : value) {
            if (c != '\r' && c != '\n' && c != '"') out += c;
        }
        return out;
    }

    db::test::TempDir dir;
    const std::string finance = dir.File("demo/Kanzlei Muster 2024.tdb4f");
    const std::string reporting = dir.File("demo/Kanzlei Muster Data.tdb4r");
};

TEST_F(TransferCliTest, TransferPrintsTheSummaryAndWritesOnlyWithoutTest) {
    const std::string balances = "SELECT Sum(WorkedBalance) AS S FROM Accounts";
    const std::string before = Scalar(finance, balances);

    auto test = Tlx4r({"transfer", reporting, "--finance", finance, "--test"});
    ASSERT_EQ(test.exit_code, 0) << test.err;
    EXPECT_EQ(test.out.rfind("Alle erfassten Arbeiten übertragen\nim Betrag von Total\nCHF ", 0), 0u) << test.out;
    EXPECT_NE(test.out.find("\n(Nur Demo! Keine Daten geändert!)\n"), std::string::npos) << test.out;
    EXPECT_EQ(Scalar(finance, balances), before);

    auto until = Tlx4r({"transfer", reporting, "--finance", finance, "--until", "31.12.2024"});
    ASSERT_EQ(until.exit_code, 0) << until.err;
    EXPECT_EQ(until.out.rfind("Erfassten Arbeiten übertragen bis und mit 31.12.2024\nim Betrag von Total\nCHF ", 0), 0u)
        << until.out;
    EXPECT_EQ(until.out.find("Nur Demo"), std::string::npos);

    auto clear = Tlx4r({"transfer", reporting, "--finance", finance, "--clear"});
    ASSERT_EQ(clear.exit_code, 0) << clear.err;
    EXPECT_EQ(clear.out, "Alle erfassten Arbeiten auf Null gesetzt.\n");
    EXPECT_EQ(Scalar(finance, "SELECT Count(*) AS N FROM Accounts WHERE WorkedBalance <> 0"), "0");

    for (const auto& wrong : std::vector<std::vector<std::string>>{
             {"transfer", reporting, "--finance", finance, "--until", "31.12.2024", "--clear"},
             {"transfer", reporting, "--finance", finance, "--until", "gestern"},
             {"transfer", reporting},
         }) {
        EXPECT_EQ(Tlx4r(wrong).exit_code, 2) << wrong.back();
    }
}

TEST_F(TransferCliTest, ArchiveNeedsItsYesAndCountsWhatItChanged) {
    // The demo's entries lie in the weeks before today; the range ends a month ago.
    const Date to = Date::Today().AddDays(-30);
    const std::string in_range = "Entry.BookDate <= " + DateSqlLiteral(to) + " AND Entry.RecType IN (1, 3)";
    const std::string code = Scalar(reporting,
                                    "SELECT TOP 1 Project.AccountCode FROM Project INNER JOIN Entry ON Entry.ProjectID = "
                                    "Project.ID WHERE " + in_range +
                                        " GROUP BY Project.AccountCode ORDER BY Count(*) DESC");
    const std::string selected =
        "SELECT Count(*) AS N FROM Entry INNER JOIN Project ON Entry.ProjectID = Project.ID WHERE Project.AccountCode "
        "= \"" + code + "\" AND " + in_range;
    const std::string archived = "SELECT Count(*) AS N FROM Entry WHERE Archive <> 0";
    const std::string before = Scalar(reporting, archived);
    const std::vector<std::string> archive{"archive", reporting, "--finance", finance, "--project", code, "--to",
                                           to.Format("dd.mm.yyyy"), "--types", "ga"};

    // No one to answer the question: refused before anything is opened.
    std::string command = std::string("exec '") + TLX4R_CLI + "'";
    for (const auto& a : archive) command += " '" + a + "'";
    auto refused = test::RunProgram("/bin/sh", {"-c", command + " </dev/null"}, dir);
    EXPECT_EQ(refused.exit_code, 2);
    EXPECT_NE(refused.err.find("--yes"), std::string::npos) << refused.err;
    EXPECT_EQ(Scalar(reporting, archived), before);

    const std::string expected = Scalar(reporting, selected);
    ASSERT_NE(expected, "0") << "the demo office has no such entries of " << code;
    auto args = archive;
    args.push_back("--yes");
    auto run = Tlx4r(args);
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.out, expected + "\n");
    const std::string now = Scalar(reporting, archived);
    EXPECT_GE(std::stol(now), std::stol(expected));

    EXPECT_EQ(Tlx4r({"archive", reporting, "--finance", finance, "--types", "X", "--yes"}).exit_code, 2);
    auto none = Tlx4r({"archive", reporting, "--finance", finance, "--types", "", "--yes"});
    EXPECT_EQ(none.exit_code, 1);
    EXPECT_NE(none.err.find("Keine Eintragstypen ausgewählt!"), std::string::npos) << none.err;

    auto deleted = Tlx4r({"archive-delete", reporting, "--finance", finance, "--yes"});
    ASSERT_EQ(deleted.exit_code, 0) << deleted.err;
    EXPECT_EQ(deleted.out, now + "\n");
    EXPECT_EQ(Scalar(reporting, archived), "0");
}

}  // namespace
}  // namespace tlx4r
