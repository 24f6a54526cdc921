// Writes failing as on a full or a failing disk, at many moments of the operations that change
// rows: the operation ends in an error, or completes; the file keeps the whole state of before
// or of after, never a part, and passes SQLite's integrity check.
#include "core/DBReporting.h"
#include "db/Database.h"
#include "db/TempDb.h"
#include "entries/Entries.h"
#include "entries/Entry.h"
#include "masterdata/DataTextFile.h"
#include "masterdata/Datas.h"
#include "support/FaultVfs.h"
#include "support/TestPlace.h"
#include "ui/script/ScriptUi.h"

#include "SampleOffice.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace tlx4r {
namespace {

using db::test::TempDir;
using test::FaultVfs;
namespace fs = std::filesystem;

// The user who says yes to every question; what the operations said is kept.
class YesUi : public ui::script::ScriptUi {
public:
    std::vector<std::string> said;

protected:
    void PlayModal(ui::Form&) override { ADD_FAILURE() << "no dialog expected"; }
    ui::Answer Unforeseen(const ui::Message& message) override {
        said.push_back(message.text);
        return ui::Answer::Yes;
    }
    std::optional<std::string> UnforeseenInput(const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> UnforeseenFile(const ui::FileDialogRequest&) override { return {}; }
    void Mismatch(const std::string& what) override { ADD_FAILURE() << what; }

private:
    ui::ScopedUi installed_{*this};
};

TEST(WriteFaults, AFullOrFailingDiskEndsInAMessageAndLosesNothing) {
    TLX4R_FILES_ONLY();
    FaultVfs::Install();
    TempDir dir;
    const std::string pristine = dir.File("pristine.tdb4r");
    {
        DBReporting layer;
        layer.DBNew(pristine);
        test::FillSample(*layer.Database());
    }
    const std::string departments = dir.File("Abteilungen.csv");
    {
        std::ofstream out(departments);
        for (int i = 1; i <= 300; ++i) out << i << ";Abteilung " << i << ";" << i << "\r\n";
    }
    struct Case {
        const char* name;
        std::function<void(DBReporting&)> prepare;  // before the faults
        std::function<void(DBReporting&)> run;
        const char* count;  // the state is told by this count…
        long long before;   // …before the operation
        long long after;    // …and after it
    };
    const Case cases[] = {
        {"new entry", {}, [](DBReporting& layer) {
             Entry copy = layer.Entries()->Item(7);
             layer.Entries()->Add(copy);
         }, "SELECT Count(*) FROM Entry", 50, 51},
        {"verify", {}, [](DBReporting& layer) { layer.Entries()->Verify(); }, "SELECT Count(*) FROM Entry", 50, 50},
        {"import with delete-all", {}, [&](DBReporting& layer) {
             DataTextSettings settings;
             settings.DeleteAllFirst = true;
             layer.Departments()->Import(departments, settings);
         }, "SELECT Count(*) FROM Department", 1, 300},
        {"compact", [](DBReporting& layer) { layer.Database()->Execute("DELETE FROM Entry WHERE ID > 45"); },
         [](DBReporting& layer) { layer.Compact(); }, "SELECT Count(*) FROM Entry", 45, 45},
    };
    const std::string path = dir.File("Kanzlei.tdb4r");
    const auto fresh = [&] {
        for (const char* suffix : {"", "-journal", "-wal", "-shm"}) fs::remove(path + suffix);
        fs::copy_file(pristine, path);
    };
    YesUi ui;
    for (const Case& c : cases) {
        // How many writes the operation makes when nothing fails.
        fresh();
        long writes = 0;
        {
            DBReporting layer;
            layer.DBOpen(path);
            if (c.prepare) c.prepare(layer);
            FaultVfs::Heal();
            c.run(layer);
            writes = FaultVfs::Writes();
        }
        ASSERT_GT(writes, 0) << c.name;
        // The first writes one by one, then a dozen moments spread over the rest.
        std::vector<long> moments = {0, 1, 2, 3};
        for (long k = 1; k <= 12; ++k) moments.push_back(4 + (writes - 5) * k / 12);
        int round = 0;
        for (long allowed : moments) {
            if (allowed >= writes) continue;
            ++round;
            const int code = round % 2 == 0 ? SQLITE_FULL : SQLITE_IOERR_WRITE;
            SCOPED_TRACE(std::string(c.name) + ": " + (code == SQLITE_FULL ? "disk full" : "I/O error") + " after " +
                         std::to_string(allowed) + " of " + std::to_string(writes) + " writes");
            fresh();
            std::string error;
            bool failed = false;
            {
                DBReporting layer;
                layer.DBOpen(path);
                if (c.prepare) c.prepare(layer);
                ui.said.clear();
                FaultVfs::FailAfter(allowed, code);
                try {
                    c.run(layer);
                } catch (const std::exception& e) {
                    error = e.what();
                }
                // an operation that reports its failure in a message box rather than throwing
                for (const auto& text : ui.said)
                    if (text.find("error") != std::string::npos || text.find("Fehler") != std::string::npos) error = text;
                failed = FaultVfs::Failed();
                FaultVfs::Heal();
            }
            EXPECT_TRUE(failed);
            DBReporting again;
            ASSERT_NO_THROW(again.DBOpen(path));
            for (const auto& finding : again.Database()->Check()) EXPECT_FALSE(finding.error) << finding.text;
            const long long now = test::Count(*again.Database(), c.count);
            if (!error.empty()) {
                EXPECT_EQ(now, c.before) << error;
                EXPECT_NE(error.find("Kanzlei"), std::string::npos) << "the message names no file: " << error;
            } else {
                EXPECT_EQ(now, c.after);
            }
            EXPECT_EQ(test::Count(*again.Database(), "SELECT Count(*) FROM Person"), 2);
        }
    }
}

}  // namespace
}  // namespace tlx4r
