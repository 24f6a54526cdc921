#include "masterdata/Clients.h"

#include "core/ReportingSchema.h"
#include "core/modAssert.h"
#include "core/modReporting.h"

namespace tlx4r {

Clients::Clients(db::Database& db) : db_(db), cursor_(db, schema::ClientTable().name) {}

void Clients::Assert() { TableDeclAssert(db_, schema::ClientTable()); }

void Clients::Verify() { ForeignKeyRepair("Client", "Person"); }

std::int32_t Clients::Add(Client& client) {
    client.Insert();
    return client.ID();
}

Client Clients::Item(std::int32_t id) {
    Client client(*this);
    client.Load(id);
    return client;
}

void Clients::Remove(std::int32_t id) { Client(*this).Delete(id); }

long long Clients::Count() {
    db::Recordset& rs = cursor_.Get();
    if (rs.RecordCount() == 0) return 0;
    rs.MoveLast();
    return rs.RecordCount();
}

}  // namespace tlx4r
