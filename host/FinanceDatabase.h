#pragma once

#include "db/Database.h"

#include <string>

namespace tlx4r {

// The host's finance database: an SQLite file (".tdb4f") with the chart of accounts (table
// Accounts) and the host's settings kept with the file (table Settings, name and value), among
// them the link to the reporting database.
//
// Movable, not copyable; closing (or destroying) it closes the file.
class FinanceDatabase {
public:
    static constexpr const char* kExtension = ".tdb4f";
    static constexpr const char* kAccounts = "Accounts";
    static constexpr const char* kSettings = "Settings";
    // The longest account code and name the table keeps (characters).
    static constexpr int kCodeSize = 20;
    static constexpr int kNameSize = 100;

    // A new file with both tables. Throws DbError 3204 when the file exists, and the layer's
    // error when it cannot be written.
    static FinanceDatabase Create(const std::string& path);
    // An existing finance database. Throws DbError 3024 (missing), 3343 (not a database) and
    // 3343 also for a database without the two tables, which is left as it was.
    static FinanceDatabase Open(const std::string& path);

    FinanceDatabase() = default;
    FinanceDatabase(FinanceDatabase&&) noexcept = default;
    FinanceDatabase& operator=(FinanceDatabase&&) noexcept = default;

    bool IsOpen() const { return db_.IsOpen(); }
    void Close() noexcept { db_.Close(); }
    // The full path of the file.
    const std::string& Path() const { return db_.Name(); }
    db::Database& Database() { return db_; }

    // The setting's value; "" when it is unset (names compare case-insensitively).
    std::string SettingGet(const std::string& name) const;
    // Stores the setting at once; an empty value removes it. Throws DbError when the file cannot
    // be written, and for an empty name.
    void SettingSet(const std::string& name, const std::string& value);

private:
    explicit FinanceDatabase(db::Database db) : db_(std::move(db)) {}

    mutable db::Database db_;
};

}  // namespace tlx4r
