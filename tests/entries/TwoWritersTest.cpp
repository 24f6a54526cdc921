// Two programs recording into one reporting database at the same time, and a database another
// program keeps locked.
#include "EntriesDb.h"
#include "support/TestPlace.h"
#include "db/DbError.h"
#include "entries/Entries.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <sys/wait.h>
#include <unistd.h>

#include <exception>
#include <filesystem>
#include <iostream>

namespace tlx4r::test {
namespace {

namespace fs = std::filesystem;
using TwoWriters = EntriesDb;

constexpr int kEach = 1000;

// The child's whole life: its own connection, count entries, exit 0 only when all went in.
[[noreturn]] void Record(const std::string& path, int writer, int count = kEach) {
    int code = 0;
    try {
        DBReporting own;
        own.DBOpen(path);
        for (int i = 1; i <= count; ++i) {
            Entry e;
            e.ClearAll();
            e.BookDate = Date::FromYmd(2024, 3, 5);
            e.SetRecType(Entry::kCharges);
            e.Text = "Schreiber " + std::to_string(writer) + " Nr. " + std::to_string(i);
            e.Charges = Currency::FromInt(i);
            own.Entries()->Add(e);
        }
    } catch (const std::exception& e) {
        std::cerr << "writer " << writer << ": " << e.what() << '\n';
        code = 1;
    }
    std::cerr.flush();
    ::_exit(code);
}

TEST_F(TwoWriters, BothRecordEveryEntryUnderIdsOfTheirOwn) {
    if (OnServer()) GTEST_SKIP() << "files: the server's writers are FiveProgramsRecordEveryEntryUnderIdsOfTheirOwn";
    layer.DBClose();  // a connection must not cross fork
    // The test is about locks, not the disk: on a memory file system where there is one, the
    // 2,000 commits do not wait for the disk.
    std::error_code ec;
    const fs::path folder = fs::is_directory("/dev/shm", ec)
                                ? fs::path("/dev/shm") / ("tlx4r-writers-" + std::to_string(::getpid()))
                                : fs::path(dir.File("writers"));
    fs::create_directories(folder);
    const std::string path = (folder / "Kanzlei.tdb4r").string();
    fs::copy_file(Path(), path, fs::copy_options::overwrite_existing);
    pid_t children[2];
    for (int writer = 0; writer < 2; ++writer) {
        children[writer] = ::fork();
        ASSERT_GE(children[writer], 0);
        if (children[writer] == 0) Record(path, writer + 1);
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a writer failed";
    }
    fs::copy_file(path, Path(), fs::copy_options::overwrite_existing);
    fs::remove_all(folder);
    layer.DBOpen(Path());
    EXPECT_EQ(Scalar("SELECT Count(*) FROM Entry").ToLong(), 2 * kEach);
    EXPECT_EQ(Scalar("SELECT Max(ID) FROM Entry").ToLong(), 2 * kEach) << "no ID skipped or wrapped";
    for (int writer = 1; writer <= 2; ++writer) {
        EXPECT_EQ(Scalar("SELECT Count(*) FROM Entry WHERE Text Like \"Schreiber " + std::to_string(writer) + " *\"")
                      .ToLong(),
                  kEach);
    }
}

// An office on a database server: five programs at once, each with a connection of its own.
TEST(ServerWriters, FiveProgramsRecordEveryEntryUnderIdsOfTheirOwn) {
    TLX4R_SKIP_WITHOUT_SERVER(db::test::EngineKind::Server);
    if (db::test::TestPlace::ServerRun()) GTEST_SKIP() << "runs once, in the program's first run";
    constexpr int kWriters = 5, kCount = 500;
    db::test::TestPlace place(db::test::EngineKind::Server);
    const std::string name = place.Name("Kanzlei.tdb4r");
    {
        DBReporting layer;
        layer.DBNew(name);
    }
    pid_t children[kWriters];
    for (int writer = 0; writer < kWriters; ++writer) {
        children[writer] = ::fork();
        ASSERT_GE(children[writer], 0);
        if (children[writer] == 0) Record(name, writer + 1, kCount);
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a writer failed";
    }
    db::Database db = db::Database::Open(name);
    auto scalar = [&](const std::string& sql) { return db.OpenRecordset(sql, db::RecordsetType::Snapshot).Get(0).ToLong(); };
    EXPECT_EQ(scalar("SELECT Count(*) FROM Entry"), kWriters * kCount);
    EXPECT_EQ(scalar("SELECT Count(*) FROM (SELECT DISTINCT ID FROM Entry) AS Ids"), kWriters * kCount) << "no ID twice";
    EXPECT_EQ(scalar("SELECT Max(ID) FROM Entry"), kWriters * kCount) << "no ID skipped";
    for (int writer = 1; writer <= kWriters; ++writer) {
        EXPECT_EQ(scalar("SELECT Count(*) FROM Entry WHERE Text Like \"Schreiber " + std::to_string(writer) + " *\""),
                  kCount);
    }
}

TEST_F(TwoWriters, ALockHeldByAnotherProgramEndsInAMessageNamingTheFile) {
    if (OnServer()) GTEST_SKIP() << "a file's lock, taken with SQLite itself";
    db::OpenOptions patient;
    patient.busy_timeout_ms = 300;
    db::Database second = db::Database::Open(Path(), patient);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(Path().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    try {
        second.Execute("INSERT INTO Entry (ID) VALUES (1)");
        ADD_FAILURE() << "written past the lock";
    } catch (const db::DbError& e) {
        EXPECT_EQ(e.Number(), 3260);
        EXPECT_NE(std::string(e.what()).find(Path()), std::string::npos) << e.what();
    }
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_NO_THROW(second.Execute("INSERT INTO Entry (ID) VALUES (1)")) << "free again";
}

}  // namespace
}  // namespace tlx4r::test
