// Automatic backups before the operations that delete or rewrite many rows, and restoring them.
#include "core/Reporting.h"
#include "core/modBackup.h"
#include "db/Backup.h"
#include "db/Database.h"
#include "db/PgName.h"
#include "db/DbError.h"
#include "masterdata/Datas.h"
#include "masterdata/MasterDataFixture.h"
#include "masterdata/Projects.h"

#include <gtest/gtest.h>

#include "core/ProgOption.h"
#include "types/AppError.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

namespace tlx4r {
namespace {

namespace fs = std::filesystem;
using test::MasterDataTest;

// Row counts and ID sums of the tables with the users' data.
std::string Fingerprint(db::Database& db) {
    std::string out;
    for (const char* table : {"Project", "Entry", "Person", "Department", "Client", "Template"}) {
        auto rs = db.OpenRecordset(std::string("SELECT Count(*), Sum(ID) FROM ") + table, db::RecordsetType::Snapshot);
        out += std::string(table) + "=" + rs.Get(0).ToText() + "/" + (rs.Get(1).IsNull() ? "" : rs.Get(1).ToText()) + ";";
    }
    return out;
}

std::string Fingerprint(const std::string& path) {
    db::Database db = db::Database::Open(path);
    return Fingerprint(db);
}

// Backups beside a database file, or of a server database the server's archives in the user's
// data folder (here the test's folder).
class BackupTest : public MasterDataTest {
protected:
    void SetUp() override {
        MasterDataTest::SetUp();
        if (IsSkipped()) return;
        ::setenv("XDG_DATA_HOME", dir.Path().c_str(), 1);
        for (int i = 1; i <= 3; ++i) {
            Project p(*root.Projects());
            p.AccountCode = "10" + std::to_string(i);
            p.Update();
        }
        Db().Execute("INSERT INTO Department (ID, DepartmentNameFull) VALUES (1, \"Bern\")");
        Db().Execute("INSERT INTO Department (ID, DepartmentNameFull) VALUES (2, \"Thun\")");
    }
    void TearDown() override { ::unsetenv("XDG_DATA_HOME"); }

    fs::path BackupsFolder() const {
        return place_ ? dir.Path() / "tlx4r" / "backups" / db::PgName(path).FolderName() : fs::path(dir.File("backups"));
    }
};

TEST_F(BackupTest, EachBulkOperationLeavesABackupThatRestoresTheRowsOfBefore) {
    const std::string file = dir.File("neu.csv");
    std::ofstream(file) << "5;Biel;10\r\n";
    struct Case {
        const char* operation;
        std::function<void()> run;
        bool files_only = false;  // a server compacts in place and converts nothing
    };
    const Case cases[] = {
        {"compact", [&] { ASSERT_TRUE(root.DatabaseCompact(std::string("quiet"))); }, true},
        {"convert",
         [&] {
             ui.ExpectMessageContaining("Wollen Sie weiterfahren?", ui::Answer::Yes);
             ui.ExpectMessageContaining("bereits konvertiert", ui::Answer::Yes);
             ui.ExpectMessageContaining("Konvertieren beendet!");
             ASSERT_TRUE(root.DatabaseConvert());
         },
         true},
        {"verify-full", [&] { root.Verify(std::string("quiet"), std::string("full")); }},
        {"import-department",
         [&] {
             ui.ExpectMessage("Alle Abteilungen löschen?", ui::Answer::Yes);
             ui.ExpectMessageContaining("1 Abteilungen importiert!");
             DataTextSettings settings;
             ASSERT_EQ(root.Departments()->Import(file, settings), 1);
         }},
    };
    for (const Case& c : cases) {
        if (c.files_only && place_) continue;
        SCOPED_TRACE(c.operation);
        const std::string before = Fingerprint(Db());
        c.run();
        ASSERT_NE(root.Database(), nullptr);
        Db().Execute("DELETE FROM Project WHERE AccountCode = \"101\"");  // a change made after it
        // the newest of its operation (converting compacts the new file afterwards)
        const auto backups = db::Backup::List(path);
        const auto taken = std::find_if(backups.begin(), backups.end(),
                                        [&](const db::Backup::Item& item) { return item.operation == c.operation; });
        ASSERT_NE(taken, backups.end());
        EXPECT_EQ(fs::path(taken->path).parent_path(), BackupsFolder());
        if (!place_) {  // a server's archive shows what it holds in the restore below
            EXPECT_EQ(Fingerprint(taken->path), before);
        }

        ui.ExpectMessageContaining("unterbrechen?", ui::Answer::Yes);
        root.DatabaseClose();
        const std::string saved = db::Backup::Restore(path, taken->name);
        EXPECT_EQ(db::Backup::List(path).front().path, saved) << "the state before the restore is kept too";
        EXPECT_EQ(Fingerprint(path), before);
        root.DatabaseOpen(path);
    }
    if (!place_) return;
    // A server's archive makes the schema it was taken of: restored under another name it would
    // replace that database by this one, so it is refused and both stay as they were.
    const std::string other = place_->Name("Andere.tdb4r");
    db::Database andere = db::Database::Create(other);
    const std::string now = Fingerprint(Db());
    try {
        andere.RestoreFrom(db::Backup::List(path).front().path);
        ADD_FAILURE() << "restored";
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.Number(), 3043) << e.what();
    }
    EXPECT_TRUE(andere.TableDefs().Names().empty());
    EXPECT_EQ(Fingerprint(Db()), now);
}

TEST_F(BackupTest, TheNewestBackupsAreKeptAsTheOptionSays) {
    EXPECT_EQ(BackupsKept(), 10);
    for (int i = 0; i < 12; ++i) BackupBefore(Db(), "compact");
    EXPECT_EQ(db::Backup::List(path).size(), 10u);
    root.ProgOption()->CurrentUserSet(ProgOption::kSectionOptions, kOptionBackupsKept, db::Value(3));
    BackupBefore(Db(), "verify-full");
    const auto left = db::Backup::List(path);
    ASSERT_EQ(left.size(), 3u);
    EXPECT_EQ(left.front().operation, "verify-full");
    std::set<std::string> names;
    for (const auto& item : left) names.insert(item.name);
    EXPECT_EQ(names.size(), 3u) << "backups of one second get their own names";

    // a backup that cannot be taken stops the operation before it starts
    fs::remove_all(BackupsFolder());
    std::ofstream(BackupsFolder()) << "a file, not a folder";
    const std::string before = Fingerprint(Db());
    EXPECT_THROW(root.Verify(std::string("quiet"), std::string("full")), AppError);
    if (!place_) {
        ui.ExpectMessageContaining("Komprimieren fehlgeschlagen!");
        EXPECT_FALSE(root.DatabaseCompact(std::string("quiet")));
    }
    EXPECT_EQ(Fingerprint(Db()), before);
    EXPECT_THROW(db::Backup::Restore(path, "Kanzlei-20240101-000000-compact.tdb4r"), db::DbError);
}

}  // namespace
}  // namespace tlx4r
