#pragma once

#include "db/JetSql.h"

#include <sqlite3.h>

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tlx4r::db::test {

// A small reporting database in memory, opened with the raw SQLite API the way the engine
// opens its files (double-quoted strings off, the dialect's functions registered), plus a
// finance database file that statements reach through "[path].Accounts" or "IN "path"".
class JetTestDb : public SchemaLookup {
public:
    JetTestDb();
    ~JetTestDb() override;
    JetTestDb(const JetTestDb&) = delete;
    JetTestDb& operator=(const JetTestDb&) = delete;

    std::optional<std::vector<std::string>> ColumnsOf(std::string_view table) const override;

    // Plain SQLite; fails the test on an error.
    void Exec(const std::string& sql);
    // Rows of plain SQLite as "a|b;c|d" (NULL for Null, REAL in shortest form).
    std::string Rows(const std::string& sql, std::vector<std::string>* columns = nullptr);
    // Translates and runs one statement of the dialect; the rows when it returns any.
    std::string Run(std::string_view jet, std::vector<std::string>* columns = nullptr);

    JetSql& jet() { return jet_; }
    sqlite3* db() { return db_; }
    const std::string& finance_path() const { return finance_path_; }
    int attach_count() const { return attach_count_; }

private:
    std::string Attach(const std::string& path);

    sqlite3* db_ = nullptr;
    std::string finance_path_;
    std::map<std::string, std::string> attached_;
    int attach_count_ = 0;
    JetSql jet_;
};

}  // namespace tlx4r::db::test
