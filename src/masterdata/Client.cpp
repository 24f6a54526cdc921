#include "masterdata/Client.h"

#include "core/Reporting.h"
#include "core/TableCursor.h"
#include "core/modReporting.h"
#include "core/modStringLibrary.h"
#include "hostapi/Interface.h"
#include "masterdata/Clients.h"
#include "masterdata/Projects.h"
#include "types/AppError.h"

#include <array>

namespace tlx4r {

namespace {

constexpr const char* kNl = "\r\n";

struct ExportItem {
    const char* name;
    const char* desc;
};

constexpr std::array<ExportItem, Client::kExportCount> kItems{{
    {"ID", "ID"},
    {"PersonID", "Person ID"},
    {"Archive", "Archiviert"},
    {"KeyName", "Schlüsselname"},
    {"Company", "Firma"},
    {"Title", "Titel"},
    {"FirstName", "Vorname"},
    {"LastName", "Nachname"},
    {"Address1", "Zusatzzeile 1"},
    {"Address2", "Zusatzzeile 2"},
    {"ZipCode", "Postleizahl"},
    {"City", "Stadt"},
    {"Country", "Land"},
    {"Email", "E-Mail-Adresse"},
    {"Homepage", "Internet Homepage"},
    {"Fone", "Telefon"},
    {"Fax", "Fax"},
    {"KlieExt1", "Extra Info 1"},
    {"KlieExt2", "Extra Info 2"},
    {"KlieExt3", "Extra Info 3"},
    {"KlieExt4", "Extra Info 4"},
    {"KlieExt5", "Extra Info 5"},
    // the formatted lines share the names of the raw address lines, as the files always had it
    {"Address1", "Addresszeile 1 (formatiert)"},
    {"Address2", "Addresszeile 2 (formatiert)"},
    {"Address3", "Addresszeile 3 (formatiert)"},
    {"Address4", "Addresszeile 4 (formatiert)"},
    {"Address5", "Addresszeile 5 (formatiert)"},
    {"Address6", "Addresszeile 6 (formatiert)"},
}};

// The text columns in the order they are read and written, with their members.
constexpr std::array<std::pair<const char*, std::string ClientFields::*>, 19> kTexts{{
    {"KeyName", &ClientFields::KeyName},
    {"Company", &ClientFields::Company},
    {"Title", &ClientFields::Title},
    {"FirstName", &ClientFields::FirstName},
    {"LastName", &ClientFields::LastName},
    {"Address1", &ClientFields::Address1},
    {"Address2", &ClientFields::Address2},
    {"ZipCode", &ClientFields::ZipCode},
    {"City", &ClientFields::City},
    {"Country", &ClientFields::Country},
    {"Email", &ClientFields::Email},
    {"Homepage", &ClientFields::Homepage},
    {"Fone", &ClientFields::Fone},
    {"Fax", &ClientFields::Fax},
    {"KlieExt1", &ClientFields::KlieExt1},
    {"KlieExt2", &ClientFields::KlieExt2},
    {"KlieExt3", &ClientFields::KlieExt3},
    {"KlieExt4", &ClientFields::KlieExt4},
    {"KlieExt5", &ClientFields::KlieExt5},
}};

}  // namespace

Client::Client(Clients& owner) : owner_(&owner) {}

TableCursor& Client::Cursor() const {
    return owner_.Require(goReporting ? goReporting->Clients() : nullptr, "Client").Cursor();
}

std::string Client::Topic() const {
    return std::to_string(id_) + "  " + (id_ >= 1 ? KeyName : std::string("(nicht zugeordnet)"));
}

void Client::Load(std::int32_t id) {
    NoMatch = false;
    db::Recordset& rs = Cursor().Get();
    rs.Seek("=", db::Value(id));
    if (!rs.NoMatch()) {
        id_ = rs.Get("ID").ToLong();
        PersonID = NullToLong(rs.Get("PersonID"));
        Archive = !rs.Get("Archive").IsNull() && rs.Get("Archive").ToBool();
        for (const auto& [column, member] : kTexts) this->*member = NullToString(rs.Get(column));
    } else if (id >= 0) {
        ClearAll();
        id_ = id;
        KeyName = kMissingKeyName;
        NoMatch = true;
    } else {
        ClearAll();
    }
    snapshot_ = *this;
}

void Client::Update() { Write(false); }

void Client::Insert() { Write(true); }

void Client::Write(bool as_new) {
    if (!Changed() && !as_new && id_ != 0) return;
    db::Recordset& rs = Cursor().Get();
    if (as_new || id_ == 0) {
        const std::int32_t id = NextIDGet(rs);
        rs.AddNew();
        rs.Set("ID", db::Value(id));
        id_ = id;
    } else {
        rs.Seek("=", db::Value(id_));
        rs.Edit();  // a record deleted meanwhile fails here with the database's error
    }
    try {
        rs.Set("PersonID", db::Value(PersonID));
        rs.Set("Archive", db::Value(Archive));
        for (const auto& [column, member] : kTexts) FieldTextSet(rs, column, this->*member);
        rs.Update();
    } catch (...) {
        rs.CancelUpdate();
        throw;
    }
    snapshot_ = *this;
    if (as_new || goInterface == nullptr) return;
    const std::string formats = goInterface->OptionText("ProjectExportFormats");
    if (formats.empty() || goReporting == nullptr || goReporting->Projects() == nullptr) return;
    goReporting->Projects()->ExportClient("updated", id_, "events", false, formats);
}

void Client::Delete(std::int32_t id) {
    db::Recordset& rs = Cursor().Get();
    rs.Seek("=", db::Value(id));
    if (!rs.NoMatch()) rs.Delete();
}

void Client::ClearAll() {
    id_ = 0;
    ClearData();
}

void Client::ClearData() { static_cast<ClientFields&>(*this) = ClientFields(); }

void Client::Restore() { static_cast<ClientFields&>(*this) = snapshot_; }

std::string Client::MailAddress() const {
    const auto join = [](std::initializer_list<const std::string*> parts) {
        std::string line;
        for (const std::string* p : parts) {
            const std::string t = Trim(*p);
            if (t.empty()) continue;
            if (!line.empty()) line += ' ';
            line += t;
        }
        return line;
    };
    const std::array<std::string, 6> candidates{join({&Company}), join({&Title, &FirstName, &LastName}),
                                                join({&Address1}), join({&Address2}), join({&ZipCode, &City}),
                                                join({&Country})};
    std::string address;
    int lines = 0;
    for (const auto& line : candidates) {
        if (line.empty()) continue;
        if (lines > 0) address += kNl;
        address += line;
        ++lines;
    }
    for (; lines < 6; ++lines) address += kNl;
    return address;
}

std::string Client::Address(int index) const {
    if (index < 1) return {};
    const std::string address = MailAddress();
    std::size_t start = 0;
    for (int i = 1;; ++i) {
        const std::size_t end = address.find(kNl, start);
        if (i == index) return Trim(std::string_view(address).substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) return {};
        start = end + 2;
    }
}

std::string Client::ExportField(int index) const {
    if (index < 1 || index > kExportCount) return {};
    return std::string("Client_") + kItems[static_cast<std::size_t>(index - 1)].name;
}

std::string Client::ExportDesc(int index) const {
    if (index < 1 || index > kExportCount) return {};
    return std::string("Klient: ") + kItems[static_cast<std::size_t>(index - 1)].desc;
}

std::string Client::ExportValue(int index) const {
    if (index < 1 || index > kExportCount) return {};
    switch (index) {
        case 1: return std::to_string(id_);
        case 2: return std::to_string(PersonID);
        case 3: return Archive ? "1" : "0";
        default: break;
    }
    if (index <= 22) return this->*kTexts[static_cast<std::size_t>(index - 4)].second;
    return Address(index - 22);
}

}  // namespace tlx4r
