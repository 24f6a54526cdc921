#pragma once

#include "db/JetSql.h"

#include <sqlite3.h>

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tlx4r::db::test {

// What the dialect suite needs of a database, on either engine: the translation of a statement
// for it, and plain SQL of the engine.
class DialectDb {
public:
    virtual ~DialectDb() = default;
    virtual Translation Translate(std::string_view jet) = 0;
    // Plain SQL of the engine; throws std::runtime_error on an error.
    virtual void Exec(const std::string& sql) = 0;
    // Rows as "a|b;c|d" (NULL for Null, floating-point numbers in shortest form with ".0" when
    // whole).
    virtual std::string Rows(const std::string& sql, std::vector<std::string>* columns = nullptr) = 0;
    // A temporary view name over the rows of select (a translation).
    virtual void CreateTempView(const std::string& name, const std::string& select) = 0;
    // A check written in SQLite's SQL, as this engine reads it.
    virtual std::string Check(const std::string& sql) const { return sql; }
    // The finance database, as statements name it ("[path].Accounts", IN "path").
    virtual const std::string& finance_path() const = 0;
};

// The statements that make the test database, and its finance database, in SQLite's SQL.
const char* JetTestSchemaSql();
const char* JetTestFinanceSql();

// A small reporting database in memory, opened with the raw SQLite API the way the engine
// opens its files (double-quoted strings off, the dialect's functions registered), plus a
// finance database file that statements reach through "[path].Accounts" or "IN "path"".
class JetTestDb : public SchemaLookup, public DialectDb {
public:
    JetTestDb();
    ~JetTestDb() override;
    JetTestDb(const JetTestDb&) = delete;
    JetTestDb& operator=(const JetTestDb&) = delete;

    std::optional<std::vector<std::string>> ColumnsOf(std::string_view table) const override;

    Translation Translate(std::string_view jet) override { return jet_.Translate(jet); }
    // Plain SQLite.
    void Exec(const std::string& sql) override;
    // Rows of plain SQLite as "a|b;c|d" (NULL for Null, REAL in shortest form).
    std::string Rows(const std::string& sql, std::vector<std::string>* columns = nullptr) override;
    void CreateTempView(const std::string& name, const std::string& select) override {
        Exec("CREATE TEMP VIEW " + name + " AS " + select);
    }
    // Translates and runs one statement of the dialect; the rows when it returns any.
    std::string Run(std::string_view jet, std::vector<std::string>* columns = nullptr);

    JetSql& jet() { return jet_; }
    sqlite3* db() { return db_; }
    const std::string& finance_path() const override { return finance_path_; }
    int attach_count() const { return attach_count_; }
    // Attaches the database file path once; the schema name it is reached by.
    std::string Attach(const std::string& path);

private:

    sqlite3* db_ = nullptr;
    std::string finance_path_;
    std::map<std::string, std::string> attached_;
    int attach_count_ = 0;
    JetSql jet_;
};

}  // namespace tlx4r::db::test
