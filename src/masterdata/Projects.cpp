#include "masterdata/Projects.h"

#include "core/Finance.h"
#include "core/Reporting.h"
#include "core/ReportingSchema.h"
#include "core/modAssert.h"
#include "core/modReporting.h"
#include "core/modStringLibrary.h"
#include "db/Database.h"
#include "hostapi/Interface.h"
#include "types/AppError.h"
#include "types/Date.h"

namespace tlx4r {

namespace {

std::int32_t created_project_id = 0;

}  // namespace

Projects::Projects(db::Database& db) : db_(db), cursor_(db, schema::ProjectTable().name) {}

const std::string& Projects::ProjectFullSql() { return schema::ProjectFullQuery().sql; }

std::string Projects::ProjectFullFields() {
    if (!db_.IsOpen()) return {};
    auto rs = db_.OpenRecordset(schema::ProjectFullQuery().name, db::RecordsetType::Snapshot);
    std::string listing;
    int i = 0;
    for (const auto& field : rs.Fields()) listing += "\t' " + std::to_string(i++) + " " + field.Name() + "\r\n";
    return listing;
}

std::int32_t Projects::CreatedProjectID() { return created_project_id; }

void Projects::SetCreatedProjectID(std::int32_t id) { created_project_id = id; }

void Projects::Assert() {
    TableDeclAssert(db_, schema::ProjectTable());
    AssertQueryDefs(false);
}

void Projects::AssertQueryDefs(bool force) { QueryAssert(db_, schema::ProjectFullQuery(), force); }

void Projects::Verify(bool full, const std::string& finance_path) {
    if (full && !finance_path.empty()) {
        db_.Execute("DELETE * FROM Project WHERE Project.AccountCode NOT IN (SELECT DISTINCTROW Accounts.Code FROM "
                    "Accounts IN " + Quote(finance_path) + ";);");
        db_.Execute("DELETE * FROM Project WHERE (Project.ID NOT IN (SELECT DISTINCTROW Entry.ProjectID FROM Entry "
                    "GROUP BY Entry.ProjectID;));");
    }
    if (!finance_path.empty())
        db_.Execute("UPDATE Project INNER JOIN [" + finance_path +
                    "].Accounts ON Project.AccountCode = Accounts.Code SET Project.AccountName =Accounts.Name;");
    for (const char* parent : {"Client", "ProjectType", "Person", "Department"}) ForeignKeyRepair("Project", parent);
    db_.Execute("UPDATE Project SET PaymentLimit = 30 WHERE (PaymentLimit Is Null);");
    db_.Execute("UPDATE Project SET Rate = 0 WHERE (Rate Is Null);");
    AssertQueryDefs(true);
    // Rows went past the cursor: choosing its index again makes it see the table as it is now.
    if (cursor_.IsOpen()) cursor_.Get().SetIndex("PrimaryKey");
}

void Projects::Verify(bool full) {
    const bool finance = goReporting != nullptr && goReporting->Finance() != nullptr;
    Verify(full, finance ? goReporting->Finance()->DatabaseName() : std::string());
}

std::int32_t Projects::Add(Project& project) {
    project.Insert();
    return project.ID();
}

Project Projects::Item(std::int32_t id) {
    Project project(*this);
    project.Load(id);
    return project;
}

void Projects::Remove(std::int32_t id) { Project(*this).Delete(id); }

long long Projects::Count() {
    db::Recordset& rs = cursor_.Get();
    rs.SetIndex("PrimaryKey");
    if (rs.RecordCount() == 0) return 0;
    rs.MoveLast();
    return rs.RecordCount();
}

std::int32_t Projects::ID(const std::string& account_code) {
    if (account_code.empty()) return 0;
    db::Recordset& rs = cursor_.Get();
    std::int32_t id = 0;
    rs.SetIndex("AccountCode");
    try {
        rs.Seek("=", db::Value(account_code));
        if (!rs.NoMatch()) id = rs.Get("ID").ToLong();
    } catch (...) {
        rs.SetIndex("PrimaryKey");
        throw;
    }
    rs.SetIndex("PrimaryKey");
    return id;
}

std::string Projects::AccountCode(std::int32_t id) {
    db::Recordset& rs = cursor_.Get();
    rs.Seek("=", db::Value(id));
    return rs.NoMatch() ? std::string() : NullToString(rs.Get("AccountCode"));
}

std::int32_t Projects::AssertProject(const std::string& account_code) {
    hostapi::Accounts* accounts = goInterface ? goInterface->FinanceAccounts() : nullptr;
    if (accounts == nullptr)
        throw AppError(91, "AssertProject", "Es ist keine Finanzbuchhaltung geöffnet.");
    auto account = accounts->Item(account_code);
    if (account == nullptr)
        throw AppError(5, "AssertProject", "Das Konto " + Quote(account_code) + " gibt es in der Buchhaltung nicht.");
    Project project(*this);
    project.AssertByAccount(account_code, account->Name());
    return project.ID();
}

std::int32_t Projects::AccountProject(const std::string& code, const std::string& name, std::optional<bool> closed) {
    Project project(*this);
    project.AssertByAccount(code, name);
    if (closed) {
        if (*closed && project.DateEnd.IsNull()) project.DateEnd = Date::Today().DateOnly();
        if (!*closed && !project.DateEnd.IsNull()) project.DateEnd = Date();
    }
    // The project form takes over here once it exists; until then the project is saved as it is.
    project.Update();
    return project.ID();
}

std::int32_t Projects::ExportClient(const std::string&, std::int32_t, const std::string&, bool, const std::string&) {
    // For the next engineer: build the selection of the client's projects and hand it to the
    // exporter (ExportExec), as the project export does. Until then nothing is written.
    return 0;
}

std::int32_t Projects::ExportProject(const std::string&, std::int32_t, const std::string&, bool, const std::string&) {
    // For the next engineer: the selection of this one project through ExportExec. Until then
    // nothing is written.
    return 0;
}

}  // namespace tlx4r
