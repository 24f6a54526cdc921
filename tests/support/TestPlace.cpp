#include "support/TestPlace.h"

#include "types/Utf8.h"

#include <libpq-fe.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <stdexcept>

namespace tlx4r::db::test {

namespace {

// The server name with path "/database/schema" in place of "/database".
std::string WithSchema(const std::string& server, const std::string& schema) {
    const auto scheme_end = server.find("://") + 3;
    const auto query = server.find('?', scheme_end);
    const std::string before = server.substr(0, query);
    const std::string rest = query == std::string::npos ? "" : server.substr(query);
    return before + "/" + schema + rest;
}

}  // namespace

TestPlace::TestPlace(EngineKind kind) : kind_(kind) {}

TestPlace::~TestPlace() {
    if (schemas_.empty() && databases_.empty()) return;
    PGconn* conn = PQconnectdb(Server().c_str());
    if (PQstatus(conn) == CONNECTION_OK) {
        for (const auto& schema : schemas_) {
            PQclear(PQexec(conn, ("SET client_min_messages = warning; DROP SCHEMA IF EXISTS \"" + schema + "\" CASCADE").c_str()));
        }
        for (const auto& database : databases_) {
            PQclear(PQexec(conn, ("DROP DATABASE IF EXISTS \"" + database + "\" WITH (FORCE)").c_str()));
        }
    }
    PQfinish(conn);
}

std::string TestPlace::ServerDatabase() {
    static std::atomic<int> counter{0};
    const std::string database = "d" + std::to_string(::getpid()) + "_" + std::to_string(++counter);
    PGconn* conn = PQconnectdb(Server().c_str());
    PGresult* result = PQexec(conn, ("CREATE DATABASE \"" + database + "\"").c_str());
    const bool made = PQresultStatus(result) == PGRES_COMMAND_OK;
    const std::string message = PQerrorMessage(conn);
    PQclear(result);
    PQfinish(conn);
    if (!made) throw std::runtime_error("the test server refused a database: " + message);
    databases_.push_back(database);
    const std::string server = Server();
    return server.substr(0, server.rfind('/') + 1) + database + "/";
}

std::string TestPlace::Server() {
    const char* server = std::getenv("TLX4R_TEST_PG");
    return server ? server : "";
}

bool TestPlace::ServerRun() {
    const char* engine = std::getenv("TLX4R_TEST_ENGINE");
    return engine && std::string(engine) == "server";
}

std::string TestPlace::Name(const std::string& base) {
    if (kind_ == EngineKind::File) return dir_.File(base);
    static std::atomic<int> counter{0};
    std::string stem;
    for (char c : utf8::Lower(base.substr(0, base.find('.')))) stem += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    const std::string schema = "t" + std::to_string(::getpid()) + "_" + std::to_string(++counter) + "_" + stem.substr(0, 30);
    schemas_.push_back(schema);
    return WithSchema(Server(), schema);
}

std::string EngineName(const ::testing::TestParamInfo<EngineKind>& info) {
    return info.param == EngineKind::File ? "File" : "Server";
}

}  // namespace tlx4r::db::test
