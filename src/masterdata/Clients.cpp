#include "masterdata/Clients.h"

#include "core/ReportingSchema.h"
#include "core/modAssert.h"
#include "core/modReporting.h"
#include "masterdata/frmClient.h"
#include "masterdata/frmDataChoose.h"
#include "ui/Ui.h"

namespace tlx4r {

Clients::Clients(db::Database& db) : db_(db), cursor_(db, schema::ClientTable().name) {}

Clients::~Clients() = default;

frmClient& Clients::EditForm() {
    if (!edit_form_) edit_form_ = std::make_unique<frmClient>();
    return *edit_form_;
}

frmDataChoose& Clients::ChooseForm() {
    if (!choose_form_) choose_form_ = std::make_unique<frmDataChoose>();
    return *choose_form_;
}

std::int32_t Clients::Choose(std::int32_t current_id) { return ChooseForm().Choose(1, current_id); }

std::int32_t Clients::Edit(Client& client) {
    EditForm().Edit(client);
    return client.ID();
}

std::int32_t Clients::EditByID(std::int32_t client_id) {
    Client client(*this);
    client.Load(client_id);
    if (client.NoMatch) {
        ui::MsgBox("Eintrag " + std::to_string(client_id) + " nicht vorhanden!", ui::Buttons::Ok,
                   ui::Icon::Exclamation, "Abteilung");
        return client_id;
    }
    return Edit(client);
}

std::int32_t Clients::EditChoose() {
    const std::int32_t chosen = Choose();
    return chosen >= 1 ? EditByID(chosen) : 0;
}

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
