#pragma once

#include "db/Recordset.h"

#include <string>

namespace tlx4r::db {
class Database;
}

namespace tlx4r {

// The one open cursor a catalogue keeps on its table: a table recordset on the "PrimaryKey"
// index, open between rsOpen and rsClose. The database must outlive the cursor.
class TableCursor {
public:
    TableCursor(db::Database& db, std::string table) : db_(&db), table_(std::move(table)) {}

    const std::string& Table() const { return table_; }
    // Opens the cursor (again); errors of the database pass to the caller.
    void Open();
    // Never fails.
    void Close() noexcept { rs_.Close(); }
    bool IsOpen() const { return rs_.IsOpen(); }
    // Throws AppError 91 while the cursor is closed.
    db::Recordset& Get();

private:
    db::Database* db_;
    std::string table_;
    db::Recordset rs_;
};

// The next free ID of the table under rs, found on its "PrimaryKey" index (rs keeps the index
// it had): one more than the highest ID, 1 for an empty table; with gap the smallest ID from 1
// upwards that no row uses. rs must be a table recordset.
std::int32_t NextIDGet(db::Recordset& rs, bool gap = false);

}  // namespace tlx4r
