#pragma once

#include "core/Creatable.h"
#include "db/Value.h"
#include "hostapi/Event.h"
#include "types/Date.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tlx4r::db {
class Database;
}
namespace tlx4r::hostapi {
class Calculator;
class Interface;
}  // namespace tlx4r::hostapi
namespace tlx4r::platform {
class SettingsStore;
}

namespace tlx4r {

class Clients;
class DBReporting;
class DBSettings;
class Datas;
class Entries;
class EntryTypes;
class FibuTables;
class Finance;
class ItemSelect;
class OlContacts;
class ProgOption;
class ProjectView;
class Projects;
class TypeCharges;
class TypeExpenses;

// The events of the root object, in the order of its event interface. A host subscribes with
// Events().DatabaseOpen.Subscribe(…) and keeps the token.
struct ReportingEvents {
    hostapi::Event<> DatabaseOpen;   // after a database was opened
    hostapi::Event<> DatabaseClose;  // before the database is closed
    hostapi::Event<> VerifyStart;
    hostapi::Event<> VerifyExecute;
    hostapi::Event<> VerifyStop;
};

// The root object: the one object a host creates. It owns the options, the database layer, the
// accounting link and the calculator, offers the catalogues while a reporting database is open,
// and runs the database operations with their questions and messages.
//
// "quiet" as first argument runs an operation unattended. Only one root object lives at a time
// (it publishes itself in goReporting).
class Reporting : public Creatable {
public:
    // On the program's settings stores.
    Reporting();
    // On the given stores, which must outlive the object.
    Reporting(platform::SettingsStore& user, platform::SettingsStore& machine);
    ~Reporting() override;
    Reporting(const Reporting&) = delete;
    Reporting& operator=(const Reporting&) = delete;

    ReportingEvents& Events() { return events_; }

    // The folder of the program the component runs in; "" until the host says.
    const std::string& AppPath() const { return app_path_; }
    void SetAppPath(std::string path) { app_path_ = std::move(path); }

    // nullptr after Tini.
    tlx4r::ProgOption* ProgOption() const { return tini_ ? nullptr : prog_option_.get(); }
    tlx4r::Finance* Finance() const { return tini_ ? nullptr : finance_.get(); }
    // The catalogues: nullptr while no reporting database is open.
    tlx4r::Clients* Clients() const;
    tlx4r::Entries* Entries() const;
    tlx4r::EntryTypes* EntryTypes() const;
    tlx4r::Projects* Projects() const;
    Datas* Departments() const;
    Datas* ProjectTypes() const;
    Datas* Persons() const;
    Datas* Templates() const;
    tlx4r::TypeCharges* TypeCharges() const;
    tlx4r::TypeExpenses* TypeExpenses() const;
    tlx4r::FibuTables* FibuTables() const;
    tlx4r::DBSettings* DBSettings() const;
    // The lookup-row chooser for reports; lives from start-up to Tini.
    tlx4r::ItemSelect* ItemSelect() const { return item_select_.get(); }
    // The project overview selection; made after each successful open, dropped when the
    // database closes (nullptr while none is open).
    tlx4r::ProjectView* ProjectView() const { return project_view_.get(); }
    // The contacts reader (the vCard source the user chose); lives from start-up to Tini.
    tlx4r::OlContacts* OlContacts() const { return ol_contacts_.get(); }

    // The host's interface (not owned; it must outlive its use here or be reset to nullptr).
    hostapi::Interface* Interface() const;
    void SetInterface(hostapi::Interface* host);

    // The open reporting database; nullptr when none is open.
    db::Database* Database() const;
    // Its full path; "" when none is open.
    std::string DatabaseName() const;

    // Opens an existing reporting database: the given one, or one the user chooses.
    void DatabaseOpen(const std::optional<std::string>& database = std::nullopt);
    // Creates a reporting database and opens it: the given one, or one the user chooses,
    // proposed beside the finance database.
    void DatabaseNew(const std::optional<std::string>& database = std::nullopt);
    // Closes and unlinks the database if the user agrees.
    void DatabaseClose();
    // True iff the database was compacted.
    bool DatabaseCompact(const std::optional<std::string>& par0 = std::nullopt);
    // True unless a database was to be converted and that failed (the message was shown).
    bool DatabaseConvert(const std::optional<std::string>& par0 = std::nullopt);
    // Checks and repairs the database. Throws AppError 91 when none is open. Unattended runs:
    // par0 "quiet" repairs the rows without any dialog; "quiet" with par1 "full" also rebuilds the
    // schema and its relations (raising the verify events) and deletes the projects whose account
    // is gone from the finance database, as the user's full verification does.
    db::Value Verify(const std::optional<std::string>& par0 = std::nullopt,
                     const std::optional<std::string>& par1 = std::nullopt);
    // Accept up to ten arguments and do nothing; more throw AppError 450.
    db::Value DebugMode(const std::vector<db::Value>& args = {});
    db::Value ServiceEntry(const std::vector<db::Value>& args = {});
    // Shows the host's calculator for now; true iff the user accepted a result. Throws AppError
    // when the host offers no calculator.
    bool CalculatorShow();

    // Shows the dialog that transfers the value of the unbilled work into the finance database.
    void Transfer();
    // Shows the archive dialog (Entries::Archive). These two throw AppError 91 while no
    // reporting database is open.
    void EntriesArchive(std::optional<std::int32_t> project_id = std::nullopt,
                        std::optional<Date> date_to = std::nullopt);
    // Shows the dialog that deletes the archived entries (Entries::DeleteArchive).
    void EntriesDeleteArchive();

    // "04.00.000 - 16.12.2017".
    std::string Version() const;
    // Shows the info dialog.
    void Info();
    // Closes the database and lets go of the host and the calculator; the object can do nothing
    // afterwards: its operations throw AppError 91, its catalogues are nullptr, and objects
    // taken from it before (DBSettings, entries, projects) throw AppError 91 instead of using
    // freed memory. Run by the destructor too.
    void Tini() noexcept;

    // For the accounting link: the host opened its finance database (reopens the linked
    // reporting database quietly) or closed it (closes the reporting database).
    void DatabaseReopen();
    void DatabaseCloseByHost();

private:
    void Startup();
    // Throws AppError 91 after Tini.
    void RequireAlive(const char* operation) const;
    bool DatabaseDisconnectAsk(const std::optional<std::string>& database);
    std::string DatabaseFileChoose(bool is_new, bool finance, const std::string& path);
    void DatabaseOpenExec(bool ask, bool is_new, std::string path);
    void DatabaseCloseExec();
    void VerifyAll(bool full);
    std::string FinancePath() const;

    ReportingEvents events_;
    std::string app_path_;
    std::unique_ptr<tlx4r::ProgOption> prog_option_;
    std::unique_ptr<DBReporting> db_reporting_;
    std::unique_ptr<tlx4r::Finance> finance_;
    std::unique_ptr<hostapi::Calculator> calculator_;
    std::unique_ptr<tlx4r::ItemSelect> item_select_;
    std::unique_ptr<tlx4r::ProjectView> project_view_;
    std::unique_ptr<tlx4r::OlContacts> ol_contacts_;
    bool tini_ = false;
};

}  // namespace tlx4r
