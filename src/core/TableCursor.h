#pragma once

#include "db/Recordset.h"

#include <functional>
#include <memory>
#include <string>

namespace tlx4r::db {
class Database;
}

namespace tlx4r {

// The one open cursor a catalogue keeps on its table: a table recordset on the "PrimaryKey"
// index, open between rsOpen and rsClose. The database must outlive the cursor.
//
// Its life token tells the objects a catalogue hands out (entries, projects, clients) whether
// the catalogue still exists; they hold it weakly (CatalogRef) instead of trusting a pointer.
class TableCursor {
public:
    TableCursor(db::Database& db, std::string table);
    TableCursor(TableCursor&&) noexcept = default;
    TableCursor& operator=(TableCursor&&) noexcept = default;

    // Expires when the cursor (and so its catalogue) is destroyed; holds the database's path.
    std::weak_ptr<const std::string> Life() const { return life_; }

    const std::string& Table() const { return table_; }
    // Opens the cursor (again); errors of the database pass to the caller.
    void Open();
    // Never fails.
    void Close() noexcept { rs_.Close(); }
    bool IsOpen() const { return rs_.IsOpen(); }
    // Throws AppError 91 while the cursor is closed.
    db::Recordset& Get();
    db::Database& Database() const { return *db_; }

private:
    db::Database* db_;
    std::string table_;
    db::Recordset rs_;
    std::shared_ptr<const std::string> life_;
};

// The next free ID of the table under rs, found on its "PrimaryKey" index (rs keeps the index
// it had) among the rows as they are now, other programs' included: one more than the highest
// ID, 1 for an empty table; with gap the smallest ID from 1 upwards that no row uses. rs must be
// a table recordset. IDs never wrap: past the largest Long it throws AppError 6 naming the table.
std::int32_t NextIDGet(db::Recordset& rs, bool gap = false);

// Adds a row to the cursor's table under the next free ID: fill writes the fields of the new row
// (the recordset is in AddNew mode, its ID set). The ID is found and the row written inside one
// write transaction, which waits for other programs' writes first (up to the busy timeout);
// should the ID be taken all the same, the row is written again under the next one, so that two
// programs adding at once both succeed. Returns the ID. Any other failure leaves no row and
// passes to the caller.
std::int32_t AddWithNextID(TableCursor& cursor, const std::function<void(db::Recordset&)>& fill);

}  // namespace tlx4r
