#pragma once

#include "db/Recordset.h"
#include "db/Value.h"

#include <string>

namespace tlx4r::db {
class Database;
}

namespace tlx4r {

// Values kept inside the reporting database, one row of table DBSettings per name. ValType says
// which column holds the value: 0 text (and Null) in ValString, 1 Long and Boolean in ValLong,
// 2 Date in ValDate, 3 Currency in ValCurrency, 4 Double in ValDouble. A Boolean reads back as
// the number it was stored as (-1 or 0).
//
// The cursor on the table opens on first use; while the table cannot be opened reads give Null
// and writes and deletes do nothing. Without an open database every read, write and delete
// throws AppError 91.
class DBSettings {
public:
    enum ValType { kText = 0, kLong = 1, kDate = 2, kCurrency = 3, kDouble = 4 };

    DBSettings() = default;

    // The database to use (not owned; it must outlive its use here). Setting it drops the cursor.
    db::Database* dBase() const { return db_; }
    void SetdBase(db::Database* db);

    // Makes the table, its missing fields and indexes exist.
    void Assert();
    // The cursor: opened on first use anyway; rsOpen reports why it cannot be opened.
    void rsOpen();
    void rsClose() noexcept;

    // The stored value, or Null when there is no row of that name.
    db::Value Value(const std::string& name);
    // Stores the value under the name, adding the row with the next free ID when it is new.
    // A text longer than 255 characters is cut.
    void Value(const std::string& name, const db::Value& value);
    // Removes the row of that name, if there is one.
    void Delete(const std::string& name);

private:
    // The cursor, or nullptr when it cannot be opened.
    db::Recordset* Cursor();
    bool Find(db::Recordset& rs, const std::string& name);

    db::Database* db_ = nullptr;
    db::Recordset rs_;
};

}  // namespace tlx4r
