#pragma once

#include "core/CatalogRef.h"

#include <cstdint>
#include <string>

namespace tlx4r {

class Clients;
class TableCursor;

// The data fields of a client, as a value: what the change test compares and Restore copies.
struct ClientFields {
    std::int32_t PersonID = 0;
    bool Archive = false;
    std::string KeyName;
    std::string Company;
    std::string Title;
    std::string FirstName;
    std::string LastName;
    std::string Address1;
    std::string Address2;
    std::string ZipCode;
    std::string City;
    std::string Country;
    std::string Email;
    std::string Homepage;
    std::string Fone;
    std::string Fax;
    std::string KlieExt1;
    std::string KlieExt2;
    std::string KlieExt3;
    std::string KlieExt4;
    std::string KlieExt5;

    bool operator==(const ClientFields&) const = default;
};

// One client record in memory. It reads and writes through the client table cursor of its
// manager: the one given, or the open reporting database's (Reporting.Clients) when created
// without one. Every record operation throws AppError 91 while there is no open cursor.
class Client : public ClientFields {
public:
    static constexpr int kExportCount = 28;
    // The key name a read gives for an ID that is not in the table.
    static constexpr const char* kMissingKeyName = "(*** nicht vorhanden ***)";

    Client() = default;
    explicit Client(Clients& owner);

    // Set by Load when the requested ID was not found (and was not negative).
    bool NoMatch = false;

    std::int32_t ID() const { return id_; }
    // ID, two blanks, and the key name ("(nicht zugeordnet)" for ID 0).
    std::string Topic() const;

    // Reads the record. Not found: a cleared client carrying the requested ID, the key name
    // kMissingKeyName and NoMatch; a negative ID gives a fresh cleared client (NoMatch false).
    void Load(std::int32_t id);
    // Writes the record when it changed since the last read or write (a client with ID 0 is
    // added), then exports the client's projects into "events" when the host asks for a change
    // export (option "ProjectExportFormats").
    void Update();
    // Always adds a new record under the next free ID; no change export.
    void Insert();
    // Deletes the record of that ID when there is one; the projects referring to it keep their
    // ClientID until the projects' Verify. The object's own fields stay.
    void Delete(std::int32_t id);
    void ClearAll();
    void ClearData();
    // Undoes the edits since the last read or write.
    void Restore();
    bool Changed() const { return static_cast<const ClientFields&>(*this) != snapshot_; }

    // The postal address: company; title, first and last name; address lines; zip code and city;
    // country — empty lines left out, then filled up with empty lines so that it always has at
    // least six lines (joined with CR LF).
    std::string MailAddress() const;
    // Line index (1-based) of MailAddress, trimmed; "" beyond its lines.
    std::string Address(int index) const;

    // The export view (28 items, 1-based); "" outside the items.
    int ExportCount() const { return kExportCount; }
    std::string ExportField(int index) const;  // "Client_" + name
    std::string ExportDesc(int index) const;   // "Klient: " + description
    std::string ExportValue(int index) const;

private:
    TableCursor& Cursor() const;
    void Write(bool as_new);

    CatalogRef<Clients> owner_;
    std::int32_t id_ = 0;
    ClientFields snapshot_;
};

}  // namespace tlx4r
