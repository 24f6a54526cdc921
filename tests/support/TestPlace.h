#pragma once

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tlx4r::db::test {

// The engines the database layer's tests run on.
enum class EngineKind { File, Server };

// Where a test's databases live: files in a fresh folder, or fresh schemas of the test server
// (named by the environment variable TLX4R_TEST_PG, which the test command sets after starting a
// throw-away server, with PGHOST). The schemas and server databases are dropped at the end.
class TestPlace {
public:
    explicit TestPlace(EngineKind kind);
    ~TestPlace();
    TestPlace(const TestPlace&) = delete;
    TestPlace& operator=(const TestPlace&) = delete;

    // The server name, or "" when no test server was given.
    static std::string Server();
    // True in the second run of a component's test program, on the server
    // (TLX4R_TEST_ENGINE=server): its fixtures put their databases there.
    static bool ServerRun();
    // The engine of this run of the program: the server in its second run, else files.
    static EngineKind RunKind() { return ServerRun() ? EngineKind::Server : EngineKind::File; }
    // A database name for base ("Kanzlei.tdb4r"): a file path, or a server name with a schema
    // of its own.
    std::string Name(const std::string& base);
    EngineKind Kind() const { return kind_; }
    // A new, empty server database of its own, for tests that choose the names in it as in a
    // folder: "postgresql://…/NAME/" to put a database name after.
    std::string ServerDatabase();

private:
    EngineKind kind_;
    tlx4r::test::TempDir dir_;
    std::vector<std::string> schemas_;
    std::vector<std::string> databases_;
};

// For parametrised suites: the printed name of an engine, and the skip of the server engine
// when no test server is given.
std::string EngineName(const ::testing::TestParamInfo<EngineKind>& info);
#define TLX4R_SKIP_WITHOUT_SERVER(kind)                                                         \
    if ((kind) == ::tlx4r::db::test::EngineKind::Server && ::tlx4r::db::test::TestPlace::Server().empty()) \
    GTEST_SKIP() << "no test server (TLX4R_TEST_PG)"

// For cases about files themselves (their bytes, permissions, compaction into a copy): they run
// in the program's first run only.
#define TLX4R_FILES_ONLY()                                                                       \
    if (::tlx4r::db::test::TestPlace::ServerRun()) GTEST_SKIP() << "about files; the first run has it"

}  // namespace tlx4r::db::test
