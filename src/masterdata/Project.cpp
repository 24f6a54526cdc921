#include "masterdata/Project.h"

#include "core/Reporting.h"
#include "core/TableCursor.h"
#include "core/modReporting.h"
#include "core/modStringLibrary.h"
#include "entries/modDateTime.h"
#include "hostapi/Interface.h"
#include "masterdata/Clients.h"
#include "masterdata/Datas.h"
#include "masterdata/Projects.h"
#include "types/AppError.h"

#include <array>

namespace tlx4r {

namespace {

constexpr int kOwnItems = 20;

struct ExportItem {
    const char* name;
    const char* desc;
};

// The last five names lack the "t" of the columns: the export files always named them so.
constexpr std::array<ExportItem, kOwnItems> kItems{{
    {"ID", "ID"},
    {"PersonID", "Personen ID"},
    {"ProjectTypeID", "Geschäftsart ID"},
    {"DepartmentID", "Abteilung ID"},
    {"Archive", "Archiviert"},
    {"AccountCode", "Konto"},
    {"AccountName", "Konto Name"},
    {"AccountID", "Konto ID"},
    {"AccountReferenceNr", "Konto Referenznummer"},
    {"DateBegin", "Datum Eröffnung"},
    {"DateEnd", "Datum Abschluss"},
    {"DateBilled", "Datum Rechnungsstellung"},
    {"Text", "Bezeichnung"},
    {"Rate", "Ansatz"},
    {"PaymentLimit", "Zahlungsfrist"},
    {"ProjEx1", "Extra Info 1"},
    {"ProjEx2", "Extra Info 2"},
    {"ProjEx3", "Extra Info 3"},
    {"ProjEx4", "Extra Info 4"},
    {"ProjEx5", "Extra Info 5"},
}};

constexpr std::array<std::pair<const char*, std::string ProjectFields::*>, 5> kExtras{{
    {"ProjExt1", &ProjectFields::ProjExt1},
    {"ProjExt2", &ProjectFields::ProjExt2},
    {"ProjExt3", &ProjectFields::ProjExt3},
    {"ProjExt4", &ProjectFields::ProjExt4},
    {"ProjExt5", &ProjectFields::ProjExt5},
}};

constexpr std::int32_t kPaymentLimitDefault = 30;

}  // namespace

Project::Project() { ClearAll(); }

Project::Project(Projects& owner) : owner_(&owner) { ClearAll(); }

TableCursor& Project::Cursor() const {
    return owner_.Require(goReporting ? goReporting->Projects() : nullptr, "Project").Cursor();
}

std::string Project::Topic() const { return AccountCode + "  " + AccountName; }

void Project::ClearAll() {
    id_ = 0;
    ClearData();
    LinkedClear();
}

void Project::ClearData() {
    static_cast<ProjectFields&>(*this) = ProjectFields();
    DateBegin = Date::Today().DateOnly();
}

void Project::Restore() { static_cast<ProjectFields&>(*this) = snapshot_; }

void Project::LinkedClear() {
    person_ = Data();
    project_type_ = Data();
    department_ = Data();
    client_ = tlx4r::Client();
    linked_loaded_ = false;
}

void Project::Read(std::int32_t id) {
    db::Recordset& rs = Cursor().Get();
    rs.Seek("=", db::Value(id));
    if (rs.NoMatch()) {
        ClearAll();
        snapshot_ = *this;
        return;
    }
    // A number the field cannot hold (a value written by another program) names its field.
    const auto number = [&rs](const char* column) {
        try {
            return NullToLong(rs.Get(column));
        } catch (const std::exception& e) {
            throw AppError(6, "Project", std::string("Feld ") + column + ": " + e.what());
        }
    };
    id_ = number("ID");
    ClientID = number("ClientID");
    PersonID = number("PersonID");
    ProjectTypeID = number("ProjectTypeID");
    DepartmentID = number("DepartmentID");
    Archive = !rs.Get("Archive").IsNull() && rs.Get("Archive").ToBool();
    AccountCode = NullToString(rs.Get("AccountCode"));
    AccountName = NullToString(rs.Get("AccountName"));
    AccountID = number("AccountID");
    AccountReferenceNr = number("AccountReferenceNr");
    const auto date = [&](const char* column) {
        const db::Value& v = rs.Get(column);
        return v.IsNull() ? Date() : v.ToDate();
    };
    DateBegin = date("DateBegin");
    DateEnd = date("DateEnd");
    DateBilled = date("DateBilled");
    Text = NullToString(rs.Get("Text"));
    Rate = NullToCurrency(rs.Get("Rate"));
    const db::Value& limit = rs.Get("PaymentLimit");
    PaymentLimit = limit.IsNull() ? kPaymentLimitDefault : number("PaymentLimit");
    for (const auto& [column, member] : kExtras) this->*member = NullToString(rs.Get(column));
    snapshot_ = *this;
}

void Project::Load(std::int32_t id) {
    Read(id);
    LinkedClear();
    if (goReporting == nullptr) return;
    if (Datas* persons = goReporting->Persons()) person_ = persons->Item(PersonID);
    if (Datas* types = goReporting->ProjectTypes()) project_type_ = types->Item(ProjectTypeID);
    if (Datas* departments = goReporting->Departments()) department_ = departments->Item(DepartmentID);
    if (tlx4r::Clients* clients = goReporting->Clients()) client_ = clients->Item(ClientID);
    linked_loaded_ = true;
}

void Project::Update() { Write(false, true); }

void Project::Insert() { Write(true, true); }

void Project::Write(bool as_new, bool notify) {
    // A project to add is always written, even when nothing was typed into it; the pending
    // change export of a created project forces the write, as it always did.
    if (!as_new && id_ != 0 && !Changed() && Projects::CreatedProjectID() == 0) return;
    db::Recordset& rs = Cursor().Get();
    if (!as_new && id_ != 0) {
        rs.Seek("=", db::Value(id_));
        rs.Edit();  // a record deleted meanwhile fails here with the database's error
    } else {
        const std::int32_t id = NextIDGet(rs);
        rs.AddNew();
        rs.Set("ID", db::Value(id));
        id_ = id;
        Projects::SetCreatedProjectID(id);
    }
    try {
        rs.Set("ClientID", db::Value(ClientID));
        rs.Set("PersonID", db::Value(PersonID));
        rs.Set("ProjectTypeID", db::Value(ProjectTypeID));
        rs.Set("DepartmentID", db::Value(DepartmentID));
        rs.Set("Archive", db::Value(Archive));
        FieldTextSet(rs, "AccountCode", AccountCode);
        FieldTextSet(rs, "AccountName", AccountName);
        rs.Set("AccountID", db::Value(AccountID));
        rs.Set("AccountReferenceNr", db::Value(AccountReferenceNr));
        rs.Set("DateBegin", DateToField(DateBegin));
        rs.Set("DateEnd", DateToField(DateEnd));
        rs.Set("DateBilled", DateToField(DateBilled));
        FieldTextSet(rs, "Text", Text);
        rs.Set("Rate", Rate.IsZero() ? db::Value() : db::Value(Rate));
        rs.Set("PaymentLimit", PaymentLimit == 0 ? db::Value() : db::Value(PaymentLimit));
        for (const auto& [column, member] : kExtras) FieldTextSet(rs, column, this->*member);
        rs.Update();
    } catch (...) {
        rs.CancelUpdate();
        throw;
    }
    snapshot_ = *this;
    if (!notify || goInterface == nullptr) return;
    const std::string formats = goInterface->OptionText("ProjectExportFormats");
    if (formats.empty()) return;
    Projects* projects = owner_.Get(goReporting ? goReporting->Projects() : nullptr);
    if (projects == nullptr) return;
    projects->ExportProject(Projects::CreatedProjectID() > 0 ? "created" : "updated", id_, "events", false, formats);
    Projects::SetCreatedProjectID(0);
}

void Project::AssertByAccount(const std::string& code, const std::string& name) {
    db::Recordset& rs = Cursor().Get();
    std::int32_t found = 0;
    rs.SetIndex("AccountCode");
    try {
        if (!code.empty()) {
            rs.Seek("=", db::Value(code));
            if (!rs.NoMatch()) found = rs.Get("ID").ToLong();
        }
    } catch (...) {
        rs.SetIndex("PrimaryKey");
        throw;
    }
    rs.SetIndex("PrimaryKey");
    if (found == 0) {
        Read(0);
        AccountCode = code;
        AccountName = name;
        Write(true, false);
    } else {
        Read(found);
        AccountName = name;
        Write(false, false);
    }
}

void Project::Delete(std::int32_t id) {
    db::Recordset& rs = Cursor().Get();
    rs.Seek("=", db::Value(id));
    if (!rs.NoMatch()) rs.Delete();
}

int Project::ExportCount() const {
    return kOwnItems + person_.ExportCount() + project_type_.ExportCount() + department_.ExportCount() +
           client_.ExportCount();
}

int Project::Locate(int& index) const {
    if (index < 1) return -1;
    if (index <= kOwnItems) return 0;
    index -= kOwnItems;
    const int counts[] = {person_.ExportCount(), project_type_.ExportCount(), department_.ExportCount(),
                          client_.ExportCount()};
    for (int part = 0; part < 4; ++part) {
        if (index <= counts[part]) return part + 1;
        index -= counts[part];
    }
    return -1;
}

std::string Project::ExportField(int index) const {
    switch (Locate(index)) {
        case 0: return std::string("Project_") + kItems[static_cast<std::size_t>(index - 1)].name;
        case 1: return person_.ExportField(index);
        case 2: return project_type_.ExportField(index);
        case 3: return department_.ExportField(index);
        case 4: return client_.ExportField(index);
        default: return {};
    }
}

std::string Project::ExportDesc(int index) const {
    switch (Locate(index)) {
        case 0: return kItems[static_cast<std::size_t>(index - 1)].desc;
        case 1: return person_.ExportDesc(index);
        case 2: return project_type_.ExportDesc(index);
        case 3: return department_.ExportDesc(index);
        case 4: return client_.ExportDesc(index);
        default: return {};
    }
}

std::string Project::ExportValue(int index) const {
    switch (Locate(index)) {
        case 0: break;
        case 1: return person_.ExportValue(index);
        case 2: return project_type_.ExportValue(index);
        case 3: return department_.ExportValue(index);
        case 4: return client_.ExportValue(index);
        default: return {};
    }
    switch (index) {
        case 1: return std::to_string(id_);
        case 2: return std::to_string(PersonID);
        case 3: return std::to_string(ProjectTypeID);
        case 4: return std::to_string(DepartmentID);
        case 5: return Archive ? "1" : "0";
        case 6: return AccountCode;
        case 7: return AccountName;
        case 8: return std::to_string(AccountID);
        case 9: return std::to_string(AccountReferenceNr);
        case 10: return DateStampDate(DateBegin);
        case 11: return DateStampDate(DateEnd);
        case 12: return DateStampDate(DateBilled);
        case 13: return Text;
        case 14: return AmountFormat(Rate);
        case 15: return std::to_string(PaymentLimit);
        default: return this->*kExtras[static_cast<std::size_t>(index - 16)].second;
    }
}

}  // namespace tlx4r
