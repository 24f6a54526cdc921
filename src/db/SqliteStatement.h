#pragma once

#include "db/EngineStatement.h"

#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace tlx4r::db {

// A prepared SQLite statement. Preparing always either succeeds or throws (a statement that
// comes back empty, e.g. only a comment, is refused as well).
class SqliteStatement : public EngineStatement {
public:
    // file names the database in error descriptions.
    SqliteStatement(sqlite3* connection, std::string_view sql, const std::string& file);
    ~SqliteStatement() override;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    const std::string& Sql() const override { return sql_; }
    void Bind(int index, const Value& value) override;
    void BindBorrowed(int index, const Value& value) override;
    void BindBorrowed(const std::vector<Value>& values, const std::vector<std::size_t>& which) override;
    bool Step() override;
    void Reset() noexcept override;
    void ResetKeepingBindings() noexcept override;

    int ColumnCount() const override;
    ColumnMeta Column(int index) const override;
    Value Get(int index) const override;
    std::int64_t GetInt64(int index) const override;
    bool IsNull(int index) const override;
    void ReadField(int index, const Field& field, bool typed, Value& out) const final;

    // The length of the text the statement was prepared from that it used (for scripts).
    std::size_t Consumed() const { return consumed_; }
    // Counters that every run (every Step) of the statement increments: those of the tables it
    // writes. They must outlive the statement.
    void CountRunsIn(std::vector<long long*> counters) { counters_ = std::move(counters); }

private:
    Cell CellAt(int index) const;
    // destructor is SQLite's: SQLITE_TRANSIENT (copy the text) or SQLITE_STATIC (refer to it)
    void BindAs(int index, const Value& value, void (*destructor)(void*));

    sqlite3* connection_;
    sqlite3_stmt* stmt_ = nullptr;
    std::string sql_;
    const std::string& file_;
    std::size_t consumed_ = 0;
    std::vector<long long*> counters_;
};

}  // namespace tlx4r::db
