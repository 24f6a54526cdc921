// The command-line program killed (SIGKILL) at several moments of the operations that rewrite
// many rows or files: every database still passes SQLite's checks and holds the state of
// before or the state of after, and no export file under its real name is a part of one.
#include "db/Database.h"
#include "db/Recordset.h"
#include "db/TempDb.h"
#include "support/RunProgram.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

namespace tlx4r {
namespace {

namespace fs = std::filesystem;
using db::test::TempDir;

std::string Scalar(const std::string& file, const std::string& sql) {
    db::Database db = db::Database::Open(file);
    auto rs = db.OpenRecordset(sql, db::RecordsetType::Snapshot);
    return rs.Get(0).ToText();
}

void ExpectWhole(const std::string& file) {
    db::Database db = db::Database::Open(file);
    for (const auto& finding : db.Check()) EXPECT_FALSE(finding.error) << file << ": " << finding.text;
}

TEST(KillCli, ABulkOperationKilledAtAnyMomentLeavesTheStateOfBeforeOrAfter) {
    TempDir dir;
    const std::string pristine = dir.File("pristine");
    ASSERT_EQ(test::RunProgram(TLX4R_CLI, {"demo", pristine}, dir).exit_code, 0);
    const std::string office = dir.File("office");
    const std::string finance = office + "/Kanzlei Muster 2024.tdb4f";
    const std::string reporting = office + "/Kanzlei Muster Data.tdb4r";
    const std::string exports = dir.File("exports");
    {
        // so that a transfer has something to write
        db::Database fin = db::Database::Open(pristine + "/Kanzlei Muster 2024.tdb4f");
        fin.Execute("UPDATE Accounts SET WorkedBalance = 0");
    }
    // Every copy at the same place: the two databases name each other.
    const auto fresh = [&] {
        fs::remove_all(office);
        fs::remove_all(exports);
        fs::create_directories(exports);
        fs::copy(pristine, office, fs::copy_options::recursive);
    };
    const auto entries = [&] {
        return Scalar(reporting, "SELECT Count(*) & '|' & Sum(Charges) & '|' & Sum(Expenses) FROM Entry");
    };
    // An export writes one file set per project, each under its real name only when whole: a
    // killed run may leave some projects' files, but never one cut short.
    const auto exported = [&] {
        for (const auto& f : fs::directory_iterator(exports)) {
            if (f.path().extension() != ".xml") continue;
            std::ifstream in(f.path(), std::ios::binary);
            const std::string text((std::istreambuf_iterator<char>(in)), {});
            EXPECT_TRUE(text.size() > 9 && text.compare(text.size() - 9, 9, "</Data>\r\n") == 0)
                << f.path() << " carries its real name but is cut short";
        }
        return std::string("whole");
    };
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::function<std::string()> state;
    };
    const Case cases[] = {
        {"transfer", {"transfer", reporting, "--finance", finance},
         [&] { return Scalar(finance, "SELECT Count(*) & '|' & Sum(WorkedBalance) FROM Accounts"); }},
        {"archive", {"archive", reporting, "--finance", finance, "--to", "31.12.2099", "--yes"},
         [&] { return Scalar(reporting, "SELECT Count(*) FROM Entry WHERE Archive = True") + "|" + entries(); }},
        {"convert", {"convert", reporting, "--yes"}, entries},
        {"export", {"export", reporting, "--finance", finance, "--formats", "XML;CSV", "--dir", exports}, exported},
    };
    for (const Case& c : cases) {
        fresh();
        const std::string before = c.state();
        const auto start = std::chrono::steady_clock::now();
        ASSERT_EQ(test::RunProgram(TLX4R_CLI, c.args, dir).exit_code, 0) << c.name;
        const long took_us = static_cast<long>(
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count());
        const std::string after = c.state();
        if (std::string(c.name) != "convert" && std::string(c.name) != "export") {
            ASSERT_NE(before, after) << c.name << " changed nothing";
        }
        for (int percent : {25, 50, 75, 90, 97}) {
            SCOPED_TRACE(std::string(c.name) + " killed at " + std::to_string(percent) + "% of " +
                         std::to_string(took_us / 1000) + " ms");
            fresh();
            test::RunAndKill(TLX4R_CLI, c.args, dir, took_us * percent / 100);
            ExpectWhole(reporting);
            ExpectWhole(finance);
            const std::string now = c.state();
            EXPECT_TRUE(now == before || now == after) << now << " is neither " << before << " nor " << after;
        }
    }
}

}  // namespace
}  // namespace tlx4r
