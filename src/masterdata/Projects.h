#pragma once

#include "core/TableCursor.h"
#include "masterdata/Project.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace tlx4r::db {
class Database;
}

namespace tlx4r {

class ProjectSelect;
class frmProject;

// The projects of the reporting database (table Project), each tied to one client account of
// the accounting by its code. Owns the one table cursor every Project of this database reads and
// writes through (kept on the "PrimaryKey" index between calls). The database must outlive it.
class Projects {
public:
    explicit Projects(db::Database& db);
    ~Projects();
    Projects(const Projects&) = delete;
    Projects& operator=(const Projects&) = delete;

    // How a project list is to be filtered and sorted; made and released with the manager.
    tlx4r::ProjectSelect& ProjectSelect() { return *project_select_; }

    // The SQL of the stored query "vProjectFull".
    static const std::string& ProjectFullSql();
    // The columns of "vProjectFull", one line each: tab, "' ", the 0-based column number, a
    // blank, the column name, CR LF. "" while no reporting database is open.
    std::string ProjectFullFields();

    // The ID of the project a write added last; 0 once its change export has run. One value for
    // the whole process, as it tells a change export "created" from "updated".
    static std::int32_t CreatedProjectID();
    static void SetCreatedProjectID(std::int32_t id);

    // Makes the table, its missing fields and indexes exist, and the stored query when missing.
    void Assert();
    // Makes the stored query exist; with force it is made anew.
    void AssertQueryDefs(bool force = false);
    // Consistency repair. With full (and a finance database at finance_path) it first deletes
    // the projects whose account is gone from the finance database and the projects without
    // entries. Then it refreshes account names from the finance database (when there is one),
    // sets dangling references to 0, fills a missing payment limit (30 days) and rate (0) and
    // rebuilds the stored query.
    void Verify(bool full, const std::string& finance_path);
    // The same against the host's open finance database (none while no root object or host).
    void Verify(bool full = false);
    void rsOpen() { cursor_.Open(); }
    void rsClose() noexcept { cursor_.Close(); }
    void Refresh() {
        rsClose();
        rsOpen();
    }
    TableCursor& Cursor() { return cursor_; }

    // Stores the project as a new record (whatever its ID) and returns the new ID.
    std::int32_t Add(Project& project);
    // The project of that ID, with its linked rows; a cleared project (ID 0) when there is none.
    Project Item(std::int32_t id);
    void Remove(std::int32_t id);
    // The number of projects.
    long long Count();
    // The ID of the project of that account code; 0 when there is none.
    std::int32_t ID(const std::string& account_code);
    // The account code of the project of that ID; "" when there is none.
    std::string AccountCode(std::int32_t id);
    // The project of the host's account of that code (created on first use, its name refreshed
    // from the account); returns its ID. Throws AppError 91 without a host or finance database and
    // AppError 5 when the accounting has no account of that code.
    std::int32_t AssertProject(const std::string& account_code);

    // The project tied to the account of code: its ID, after creating it from code and name when
    // there is none. The account name is refreshed, and a changed project is exported as a
    // change. Requires the cursor to be open.
    std::int32_t AccountProject(const std::string& code, const std::string& name);
    // An account of the accounting was created or changed: its project (created from code and
    // name when there is none) is shown in the project editor. With closed given the end date
    // follows the account first: a closed account ends the project today (unless it has an end
    // date), a reopened one clears the end date. Returns the editor's result.
    std::int32_t AccountEvent(const std::string& code, const std::string& name,
                              std::optional<bool> closed = std::nullopt);
    // While set, AccountEvent saves the project without showing the editor: for a host that
    // creates many accounts at once (a demonstration office, an import).
    bool AccountEventsQuiet() const { return account_events_quiet_; }
    void SetAccountEventsQuiet(bool quiet) { account_events_quiet_ = quiet; }

    // The project editor, made on first use and kept (hidden) while the manager lives.
    //
    // Shows project in the editor; its ID afterwards.
    std::int32_t Edit(Project& project);
    // Edits the project of that ID; 0 when that failed.
    std::int32_t EditByID(std::int32_t project_id);
    // Edits the project of the account (created from code and name on first use); 0 when that
    // failed.
    std::int32_t EditByAcc(const std::string& account_code, const std::string& account_name);
    // Lets the user pick an account in the host's chooser and edits its project; 0 when none.
    std::int32_t EditChoose();
    frmProject& EditForm();

    // Called by ExportExec after each item with the number of items written and the number of
    // rows selected; set by a caller that shows progress (nullptr for none).
    using ExportProgress = std::function<void(long done, long total)>;
    void SetExportProgress(ExportProgress progress) { export_progress_ = std::move(progress); }

    // The project export: every selected project, with its person, project type, department and
    // client, as one item after five "Info_" items (time stamp, event, user, finance and
    // reporting database). Files go to sub_dir ("events" when empty) of the reporting
    // database's folder, or straight into folder when one is given. formats lists the format
    // tags ("XML;CSV"); "" writes no file. Each returns the number of items written; file
    // errors throw AppError 75 naming the file and its folder.
    //
    // ExportClient: the client's projects (all projects for a client_id below 1), by account
    // code, one file set per project. ExportProject: the one project. ExportAll: all projects
    // into "export", with event text "export".
    std::int32_t ExportClient(const std::string& event_desc, std::int32_t client_id, const std::string& sub_dir = "",
                              bool clear_before = false, const std::string& formats = "");
    std::int32_t ExportProject(const std::string& event_desc, std::int32_t project_id,
                               const std::string& sub_dir = "", bool clear_before = false,
                               const std::string& formats = "");
    std::int32_t ExportAll(bool make_one_file = false, bool clear_before = false, const std::string& formats = "",
                           const std::string& folder = "");
    // sql selects "Project.*, Client.*" rows; each row's project is loaded by its ID.
    std::int32_t ExportExec(const std::string& sql, const std::string& event_desc, const std::string& sub_dir = "",
                            bool make_one_file = false, bool clear_before = false, const std::string& formats = "",
                            const std::string& folder = "");

private:
    db::Database& db_;
    TableCursor cursor_;
    ExportProgress export_progress_;
    std::unique_ptr<tlx4r::ProjectSelect> project_select_;
    std::unique_ptr<frmProject> edit_form_;
    bool account_events_quiet_ = false;
};

}  // namespace tlx4r
