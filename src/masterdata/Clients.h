#pragma once

#include "core/TableCursor.h"
#include "masterdata/Client.h"

#include <cstdint>
#include <memory>

namespace tlx4r::db {
class Database;
}

namespace tlx4r {

class frmClient;
class frmDataChoose;

// The clients of the reporting database (table Client). Owns the one table cursor every Client
// of this database reads and writes through. The database must outlive it.
class Clients {
public:
    explicit Clients(db::Database& db);
    ~Clients();
    Clients(const Clients&) = delete;
    Clients& operator=(const Clients&) = delete;

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

    // The dialogs, made on first use and kept (hidden) while the manager lives.
    //
    // Lets the user pick a client by key name, current_id's name as the search text; the chosen
    // ID, 0 when none was chosen.
    std::int32_t Choose(std::int32_t current_id = 0);
    // Shows the client in the editor; returns its ID afterwards (0 when it was never saved).
    std::int32_t Edit(Client& client);
    // Edits the client of that ID; a missing one is reported ("Eintrag 7 nicht vorhanden!") and
    // its ID returned unchanged. A negative ID edits a new client.
    std::int32_t EditByID(std::int32_t client_id);
    // Lets the user pick a client and edits it; 0 when none was chosen.
    std::int32_t EditChoose();
    // Edits a new client; its ID once saved, else 0.
    std::int32_t EditNew() { return EditByID(-1); }
    frmClient& EditForm();
    frmDataChoose& ChooseForm();

private:
    db::Database& db_;
    TableCursor cursor_;
    std::unique_ptr<frmClient> edit_form_;
    std::unique_ptr<frmDataChoose> choose_form_;
};

}  // namespace tlx4r
