// tlx4r export run as a user runs it, on a demo office in a temporary folder.
#include "db/Database.h"
#include "db/TempDb.h"
#include "support/RunProgram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>

namespace tlx4r {
namespace {

namespace fs = std::filesystem;
using db::test::FileBytes;
using db::test::TempDir;

using test::Outcome;

class ExportCliTest : public ::testing::Test {
protected:
    Outcome Tlx4r(const std::vector<std::string>& args) { return test::RunProgram(TLX4R_CLI, args, dir); }
    std::vector<std::string> Names(const fs::path& folder) {
        std::vector<std::string> names;
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            if (name.front() != '.') names.push_back(name);  // not the exporter's list of its files
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDir dir;
};

TEST_F(ExportCliTest, ExportsTheDemoOfficeAndRefusesWhatItCannotDo) {
    const std::string office = dir.File("office");
    ASSERT_EQ(Tlx4r({"demo", office}).exit_code, 0);
    const std::string reporting = office + "/Kanzlei Muster Data.tdb4r";
    const std::string finance = office + "/Kanzlei Muster 2024.tdb4f";
    std::string projects;
    {
        db::Database db = db::Database::Open(reporting);
        auto count = db.OpenRecordset("SELECT Count(*) FROM Project", db::RecordsetType::Snapshot);
        projects = std::to_string(count.Get(0).ToLong());
    }

    Outcome run = Tlx4r({"export", reporting, "--formats", "xml;CSV", "--one-file", "--finance", finance});
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.out, projects + "\n");
    const auto files = Names(fs::path(office) / "export");
    ASSERT_EQ(files.size(), 2u);
    EXPECT_TRUE(std::regex_match(files[0], std::regex(R"(\d{8}-\d{6}-ID\S{8}-project-export\.csv)"))) << files[0];
    const std::string xml = FileBytes((fs::path(office) / "export" / files[1]).string());
    EXPECT_NE(xml.find("<Info_FinanceDatabase>" + finance + "</Info_FinanceDatabase>"), std::string::npos);

    // one file per project straight into --dir; clearing removes the files of earlier exports
    // only, never the users' own files or the open database
    const std::string target = dir.File("austausch");
    fs::create_directories(target);
    std::ofstream(target + "/eigene.txt") << "the user's own";
    fs::copy_file(reporting, target + "/Kanzlei.mdb");
    for (int round = 0; round < 2; ++round) {
        run = Tlx4r({"export", target + "/Kanzlei.mdb", "--formats", "TXT;MDB", "--clear", "--dir", target});
        ASSERT_EQ(run.exit_code, 0) << run.err;
        EXPECT_EQ(run.out, projects + "\n");
        const auto names = Names(target);
        EXPECT_EQ(std::to_string(std::count_if(names.begin(), names.end(), [](const std::string& n) {
                      return n.size() > 4 && n.substr(n.size() - 4) == ".txt" && n != "eigene.txt";
                  })),
                  projects)
            << "one per project, the earlier run's gone";
        EXPECT_EQ(FileBytes(target + "/eigene.txt"), "the user's own");
        db::Database open = db::Database::Open(target + "/Kanzlei.mdb");
        EXPECT_TRUE(open.TableDefs().Exists("Entry")) << "the open database is still itself";
    }

    // a folder that cannot be made is named, and nothing is written
    std::ofstream(dir.File("akte")) << "a file, not a folder";
    run = Tlx4r({"export", reporting, "--dir", dir.File("akte") + "/export"});
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_NE(run.err.find(dir.File("akte") + "/export"), std::string::npos) << run.err;

    EXPECT_EQ(Tlx4r({"export", reporting, "--formats", "XML;PDF"}).exit_code, 2);
    EXPECT_EQ(Tlx4r({"export", reporting, "--formats", ";"}).exit_code, 2);
    EXPECT_EQ(Tlx4r({"export", reporting, "--dir"}).exit_code, 2);
    EXPECT_EQ(Tlx4r({"export"}).exit_code, 2);
    EXPECT_EQ(Tlx4r({"export", dir.File("fehlt.tdb4r")}).exit_code, 1);
}

}  // namespace
}  // namespace tlx4r
