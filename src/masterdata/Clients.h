#pragma once

#include "core/TableCursor.h"
#include "masterdata/Client.h"

#include <cstdint>

namespace tlx4r::db {
class Database;
}

namespace tlx4r {

// The clients of the reporting database (table Client). Owns the one table cursor every Client
// of this database reads and writes through. The database must outlive it.
class Clients {
public:
    explicit Clients(db::Database& db);

    // Makes the table, its missing fields and indexes exist.
    void Assert();
    // A person reference that is Null or names no person becomes 0.
    void Verify();
    void rsOpen() { cursor_.Open(); }
    void rsClose() noexcept { cursor_.Close(); }
    void Refresh() {
        rsClose();
        rsOpen();
    }
    TableCursor& Cursor() { return cursor_; }

    // Stores the client as a new record (whatever its ID) and returns the new ID.
    std::int32_t Add(Client& client);
    // The client of that ID; see Client::Load for a missing one.
    Client Item(std::int32_t id);
    void Remove(std::int32_t id);
    // The number of clients.
    long long Count();

private:
    db::Database& db_;
    TableCursor cursor_;
};

}  // namespace tlx4r
