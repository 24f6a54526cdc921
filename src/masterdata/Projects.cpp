#include "masterdata/Projects.h"

#include "core/Finance.h"
#include "core/Reporting.h"
#include "core/ReportingSchema.h"
#include "core/modAssert.h"
#include "core/modPathGet.h"
#include "core/modReporting.h"
#include "core/modStringLibrary.h"
#include "db/Database.h"
#include "entries/modDateTime.h"
#include "hostapi/Interface.h"
#include "masterdata/frmProject.h"
#include "reporting/Exporter.h"
#include "reporting/ProjectSelect.h"
#include "types/AppError.h"
#include "types/Date.h"

#include <cstdlib>
#include <utility>

namespace tlx4r {

namespace {

std::int32_t created_project_id = 0;

}  // namespace

Projects::Projects(db::Database& db)
    : db_(db), cursor_(db, schema::ProjectTable().name), project_select_(std::make_unique<tlx4r::ProjectSelect>()) {}

Projects::~Projects() {
    edit_form_.reset();
    project_select_.reset();
    rsClose();
}

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
        db_.Execute("UPDATE Project INNER JOIN " + Bracket(finance_path) +
                    ".Accounts ON Project.AccountCode = Accounts.Code SET Project.AccountName =Accounts.Name;");
    for (const char* parent : {"Client", "ProjectType", "Person", "Department"}) ForeignKeyRepair("Project", parent);
    db_.Execute("UPDATE Project SET PaymentLimit = 30 WHERE (PaymentLimit Is Null);");
    db_.Execute("UPDATE Project SET Rate = 0 WHERE (Rate Is Null);");
    AssertQueryDefs(true);
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

std::int32_t Projects::AccountProject(const std::string& code, const std::string& name) {
    Project project(*this);
    project.AssertByAccount(code, name);
    project.Update();
    return project.ID();
}

std::int32_t Projects::AccountEvent(const std::string& code, const std::string& name, std::optional<bool> closed) {
    Project project(*this);
    project.AssertByAccount(code, name);
    if (closed) {
        if (*closed && project.DateEnd.IsNull()) project.DateEnd = Date::Today().DateOnly();
        if (!*closed && !project.DateEnd.IsNull()) project.DateEnd = Date();
    }
    if (account_events_quiet_) {
        project.Update();
        return project.ID();
    }
    return Edit(project);
}

frmProject& Projects::EditForm() {
    if (!edit_form_) edit_form_ = std::make_unique<frmProject>();
    return *edit_form_;
}

std::int32_t Projects::Edit(Project& project) {
    EditForm().Edit(project);
    return project.ID();
}

std::int32_t Projects::EditByID(std::int32_t project_id) {
    try {
        Project project(*this);
        project.Load(project_id);
        return Edit(project);
    } catch (const std::exception&) {
        return 0;
    }
}

std::int32_t Projects::EditByAcc(const std::string& account_code, const std::string& account_name) {
    try {
        Project project(*this);
        project.AssertByAccount(account_code, account_name);
        return Edit(project);
    } catch (const std::exception&) {
        return 0;
    }
}

std::int32_t Projects::EditChoose() {
    if (goReporting == nullptr || goReporting->Finance() == nullptr) return 0;
    const std::int32_t chosen = goReporting->Finance()->ProjectChoose();
    return chosen > 0 ? EditByID(chosen) : 0;
}

namespace {

constexpr const char* kExportSelect =
    "SELECT Project.*, Client.* FROM Project LEFT JOIN Client ON Project.ClientID = Client.ID ";

// The login name. The old systems named it USERNAME; where that is unset (Linux) USER is.
std::string UserName() {
    for (const char* variable : {"USERNAME", "USER"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return value;
    }
    return {};
}

}  // namespace

std::int32_t Projects::ExportClient(const std::string& event_desc, std::int32_t client_id, const std::string& sub_dir,
                                    bool clear_before, const std::string& formats) {
    std::string sql = kExportSelect;
    if (client_id > 0) sql += "WHERE (Client.ID=" + std::to_string(client_id) + ") ";
    sql += "ORDER BY Project.AccountCode;";
    return ExportExec(sql, event_desc, sub_dir, false, clear_before, formats);
}

std::int32_t Projects::ExportProject(const std::string& event_desc, std::int32_t project_id,
                                     const std::string& sub_dir, bool clear_before, const std::string& formats) {
    std::string sql = kExportSelect;
    if (project_id >= 1)
        sql += "WHERE (Project.ID=" + std::to_string(project_id) + ") ";
    else
        sql += "ORDER BY Project.AccountCode";
    sql += ";";
    return ExportExec(sql, event_desc, sub_dir, false, clear_before, formats);
}

std::int32_t Projects::ExportAll(bool make_one_file, bool clear_before, const std::string& formats,
                                 const std::string& folder) {
    return ExportExec(std::string(kExportSelect) + "ORDER BY Project.AccountCode;", "export", "export", make_one_file,
                      clear_before, formats, folder);
}

std::int32_t Projects::ExportExec(const std::string& sql, const std::string& event_desc, const std::string& sub_dir,
                                  bool make_one_file, bool clear_before, const std::string& formats,
                                  const std::string& folder) {
    const std::string event = event_desc.empty() ? "export" : event_desc;
    Exporter exporter;
    exporter.Path = folder.empty() ? DatabaseFolderGet(db_.Name()) : folder;
    exporter.SubDir = !folder.empty() ? "" : sub_dir.empty() ? "events" : sub_dir;
    exporter.DataName = "project";
    exporter.EventDesc = event;
    exporter.MakeOneFile = make_one_file;
    exporter.ClearBefore = clear_before;
    exporter.SetTypeAll();
    exporter.SetFormats(formats);
    exporter.Keep = {db_.Name()};
    if (goReporting != nullptr && goReporting->Finance() != nullptr)
        exporter.Keep.push_back(goReporting->Finance()->DatabaseName());

    const Date now = Date::Now();
    const std::pair<const char*, std::string> info[] = {
        {"Info_TimeStamp", DateStampDate(now) + "-" + DateStampTime(now)},
        {"Info_Event", event},
        {"Info_UserName", UserName()},
        {"Info_FinanceDatabase",
         goReporting != nullptr && goReporting->Finance() != nullptr ? goReporting->Finance()->DatabaseName() : ""},
        {"Info_ReportingDatabase", db_.Name()},
    };

    auto rs = db_.OpenRecordset(sql, db::RecordsetType::Snapshot);
    if (rs.Eof()) return 0;
    long total = 0;
    if (export_progress_) {
        rs.MoveLast();
        total = static_cast<long>(rs.RecordCount());
        rs.MoveFirst();
    }
    Project project(*this);
    exporter.WorkStart();
    for (; !rs.Eof(); rs.MoveNext()) {
        const std::string code = NullToString(rs.Get("AccountCode"));
        try {
            project.Load(rs.Get("Project.ID").ToLong());
        } catch (const std::exception& e) {
            // A value the project cannot hold stops the run: say which project and field.
            throw AppError(6, "ExportExec",
                           "Geschäft " + Quote(code) + " (ID " + rs.Get("Project.ID").ToText() + "): " + e.what());
        }
        exporter.IDtext = StrPadLeft(code, 8, U'0');
        for (const auto& [field, value] : info) exporter.ItemAdd(field, value);
        const int count = project.ExportCount();
        for (int i = 1; i <= count; ++i) exporter.ItemAdd(project.ExportField(i), project.ExportValue(i));
        exporter.ItemWrite();
        if (export_progress_) export_progress_(exporter.ItemsCount(), total);
    }
    exporter.WorkStop();
    return static_cast<std::int32_t>(exporter.ItemsCount());
}

}  // namespace tlx4r
