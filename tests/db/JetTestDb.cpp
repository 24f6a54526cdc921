#include "JetTestDb.h"

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include <unistd.h>

namespace tlx4r::db::test {

namespace {

constexpr const char* kSchema = R"(
CREATE TABLE Person (ID INTEGER PRIMARY KEY, PersonNameFull TEXT COLLATE JETTEXT, PersonRate REAL,
  PersonNameShort TEXT COLLATE JETTEXT);
CREATE TABLE Department (ID INTEGER PRIMARY KEY, DepartmentNameFull TEXT COLLATE JETTEXT, DepartmentRate REAL);
CREATE TABLE ProjectType (ID INTEGER PRIMARY KEY, ProjectTypeNameFull TEXT COLLATE JETTEXT, ProjectTypeRate REAL);
CREATE TABLE Client (ID INTEGER PRIMARY KEY, KeyName TEXT COLLATE JETTEXT, PersonID INTEGER, Archive INTEGER,
  Company TEXT COLLATE JETTEXT);
CREATE TABLE Project (ID INTEGER PRIMARY KEY, ClientID INTEGER, ProjectTypeID INTEGER, PersonID INTEGER,
  DepartmentID INTEGER, Archive INTEGER, AccountCode TEXT COLLATE JETTEXT, AccountName TEXT COLLATE JETTEXT,
  DateBegin REAL, DateEnd REAL, Text TEXT COLLATE JETTEXT, Rate REAL, PaymentLimit INTEGER);
CREATE TABLE Entry (ID INTEGER PRIMARY KEY, ProjectID INTEGER, PersonID INTEGER, RecType INTEGER,
  RecTypeText TEXT COLLATE JETTEXT, Archive INTEGER, BookDate REAL, Text TEXT COLLATE JETTEXT, Charges REAL,
  Expenses REAL, Adapted REAL, Billed REAL, VAT REAL, TimeFrom REAL, TimeTo REAL, TimeBreak REAL,
  TypeCharges INTEGER);
CREATE TABLE TypeCharges (ID INTEGER PRIMARY KEY, TypeChargesCode TEXT COLLATE JETTEXT,
  TypeChargesName TEXT COLLATE JETTEXT);

INSERT INTO Person VALUES (1, 'Anna Müller', 100, 'AM'), (2, 'Beat Huber', 120, 'BH'), (3, 'Äbi Zürcher', 0, 'ÄZ');
INSERT INTO Department VALUES (1, 'Notariat', 0), (2, 'Advokatur', 0);
INSERT INTO ProjectType VALUES (1, 'Beratung', 0);
INSERT INTO Client VALUES (1, 'Meier', 1, 0, 'Meier AG');
INSERT INTO Project VALUES
  (1, 1, 1, 2, 1, 0, 'K100', 'Meier AG', 45292, NULL, 'Kauf', 250, 30),
  (2, 0, 0, 1, 2, 0, 'K200', 'Zürcher', 45300, 45400, NULL, NULL, NULL),
  (3, 9, 5, 7, NULL, 0, 'K300', 'Alt', NULL, NULL, NULL, 0, 30);
INSERT INTO Entry VALUES
  (1, 1, 1, 3, 'A  ', 0, 45352, 'Besprechung Müller', 100.1, 0, 0, 0, 0, 0.375, 0.5, 0, 1),
  (2, 1, 2, 1, 'GA0', 0, 45353, 'Gebühr', 50, 10, 0, 0, 0, NULL, NULL, NULL, 2),
  (3, 2, 0, 3, 'AA0', 1, 45300, 'Archiviert', 20, 0, 0, 0, 0, 0.25, 0.5, 0.125, 1),
  (4, 0, NULL, 4, 'T  ', 0, 45400, 'Termin ohne Geschäft', 0, 0, 0, 0, 0, NULL, NULL, NULL, NULL),
  (5, 2, 9, 2, 'R  ', 0, 45401, 'ÄRGER "Zitat"', 0, 0, 0, 30, 0, NULL, NULL, NULL, 40);
-- the finance accounts as the engine links them: a local table under a generated name
CREATE TABLE _temp_fibutables_7 (ID INTEGER PRIMARY KEY, Code TEXT COLLATE JETTEXT, Name TEXT COLLATE JETTEXT);
INSERT INTO _temp_fibutables_7 VALUES (1, 'K100', 'Meier AG neu'), (2, 'K200', 'Zürcher Hans');
)";

constexpr const char* kFinance = R"(
CREATE TABLE Accounts (ID INTEGER PRIMARY KEY, Code TEXT COLLATE JETTEXT, Name TEXT COLLATE JETTEXT,
  WorkedBalance REAL, IsGeneralLedger INTEGER, DeleteOnCloture INTEGER);
INSERT INTO Accounts VALUES (1, 'K100', 'Meier AG neu', 5, 0, 0), (2, 'K200', 'Zürcher Hans', 7, 0, 1),
  (3, '1000', 'Kasse', 9, 1, 0);
-- an older file's Person table: other column order, one column the new schema lacks
CREATE TABLE Person (ID INTEGER PRIMARY KEY, PersonNameShort TEXT, OldName TEXT, PersonNameFull TEXT, PersonRate REAL);
INSERT INTO Person VALUES (10, 'XY', 'old', 'Xaver Yz', 50), (11, NULL, 'gone', NULL, 0);
)";

std::string Cell(sqlite3_stmt* st, int i) {
    switch (sqlite3_column_type(st, i)) {
        case SQLITE_NULL:
            return "NULL";
        case SQLITE_INTEGER:
            return std::to_string(sqlite3_column_int64(st, i));
        case SQLITE_FLOAT: {
            std::array<char, 64> buf{};
            auto r =
                std::to_chars(buf.data(), buf.data() + buf.size(), sqlite3_column_double(st, i));
            std::string s(buf.data(), r.ptr);
            return s.find_first_of(".e") == std::string::npos ? s + ".0" : s;
        }
        default:
            return reinterpret_cast<const char*>(sqlite3_column_text(st, i));
    }
}

}  // namespace

const char* JetTestSchemaSql() { return kSchema; }
const char* JetTestFinanceSql() { return kFinance; }

namespace {

void Setup(sqlite3* db) {
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    RegisterJetFunctions(db);
}

}  // namespace

JetTestDb::JetTestDb() : jet_(*this, [this](const std::string& path) { return Attach(path); }) {
    if (sqlite3_open(":memory:", &db_) != SQLITE_OK) throw std::runtime_error("cannot open");
    Setup(db_);
    Exec(kSchema);

    static int counter = 0;
    finance_path_ =
        (std::filesystem::path(::testing::TempDir()) /
         ("jet finance " + std::to_string(::getpid()) + "-" + std::to_string(++counter) + ".tdb4f"))
            .string();
    std::filesystem::remove(finance_path_);
    sqlite3* fin = nullptr;
    sqlite3_open(finance_path_.c_str(), &fin);
    Setup(fin);
    char* err = nullptr;
    if (sqlite3_exec(fin, kFinance, nullptr, nullptr, &err) != SQLITE_OK) ADD_FAILURE() << err;
    sqlite3_free(err);
    sqlite3_close(fin);
}

JetTestDb::~JetTestDb() {
    sqlite3_close(db_);
    std::filesystem::remove(finance_path_);
}

std::string JetTestDb::Attach(const std::string& path) {
    if (auto it = attached_.find(path); it != attached_.end()) return it->second;
    std::string alias = "db" + std::to_string(++attach_count_);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db_, ("ATTACH DATABASE ? AS " + alias).c_str(), -1, &st, nullptr);
    sqlite3_bind_text(st, 1, path.c_str(), -1, SQLITE_TRANSIENT);
    int rc = sqlite3_step(st);
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE) throw std::runtime_error("cannot attach " + path);
    attached_[path] = alias;
    return alias;
}

std::optional<std::vector<std::string>> JetTestDb::ColumnsOf(std::string_view table) const {
    std::string schema = "main", name(table);
    if (auto dot = name.find('.'); dot != std::string::npos && !name.starts_with("\"")) {
        schema = name.substr(0, dot);
        name = name.substr(dot + 1);
    }
    sqlite3_stmt* st = nullptr;
    std::string sql = "SELECT name FROM pragma_table_info(?, ?)";
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) return std::nullopt;
    sqlite3_bind_text(st, 1, name.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(st, 2, schema.c_str(), -1, SQLITE_TRANSIENT);
    std::vector<std::string> cols;
    while (sqlite3_step(st) == SQLITE_ROW)
        cols.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    if (cols.empty()) return std::nullopt;
    return cols;
}

void JetTestDb::Exec(const std::string& sql) {
    char* err = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::string e = err ? err : "?";
        sqlite3_free(err);
        throw std::runtime_error(e + " in: " + sql);
    }
}

std::string JetTestDb::Rows(const std::string& sql, std::vector<std::string>* columns) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr) != SQLITE_OK)
        throw std::runtime_error(std::string(sqlite3_errmsg(db_)) + " in: " + sql);
    if (columns) {
        columns->clear();
        for (int i = 0; i < sqlite3_column_count(st); ++i)
            columns->emplace_back(sqlite3_column_name(st, i));
    }
    std::string out;
    int rc = 0;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        if (!out.empty()) out += ";";
        for (int i = 0; i < sqlite3_column_count(st); ++i) out += (i ? "|" : "") + Cell(st, i);
    }
    std::string err = sqlite3_errmsg(db_);
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE) throw std::runtime_error(err + " in: " + sql);
    return out;
}

std::string JetTestDb::Run(std::string_view jet, std::vector<std::string>* columns) {
    Translation t = jet_.Translate(jet);
    std::string rows = Rows(t.sql, columns);
    EXPECT_EQ(t.returns_rows, !rows.empty() || (columns && !columns->empty())) << t.sql;
    return rows;
}

}  // namespace tlx4r::db::test
