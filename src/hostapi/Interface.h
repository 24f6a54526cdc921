#pragma once

#include "db/Value.h"
#include "hostapi/Account.h"
#include "hostapi/Accounts.h"
#include "hostapi/Event.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace tlx4r::db {
class Database;
}

namespace tlx4r::hostapi {

// Up to nine values of a trace record; the ones not given stay Null. By convention the first is
// the operation, the second the phase ("1" started, "2" finished), the third its object (a path,
// or a result such as "ok" or "failed").
using TraceValues = std::array<db::Value, 9>;

// The three values of a document request: the action ("open"), the document's path, and the
// arguments for the program (Null or "" for none) — the order of the desktop's own open call.
using DocumentValues = std::array<db::Value, 3>;

// What the component needs of the application that hosts it. The host owns this object and
// outlives the component's use of it; every call comes from the user-interface thread.
//
// Events are callbacks behind Subscription tokens (hostapi/Event.h): a subscriber keeps its
// token as a member, so that a subscriber that goes away is unsubscribed by its destructor and
// can never be called late, whichever of host and subscriber is destroyed first.
class Interface {
public:
    virtual ~Interface() = default;

    // --- The open finance database. Every member works while none is open: the path is "",
    //     the database and the accounts are nullptr, settings read as "" and writes are dropped
    //     (the component clears its link while handling DatabaseClosed, after the file is shut).

    // The full path of the open finance database file.
    virtual std::string FinanceDatabasePath() const = 0;
    // The open finance database; the host owns it, valid until DatabaseClosed is raised.
    virtual db::Database* FinanceDatabase() = 0;
    // A setting kept with the finance database ("TXV4Database", …): "" when it is unset.
    virtual std::string FinanceSettingGet(const std::string& name) const = 0;
    // Stores the setting with the finance database at once. Failures of the store throw.
    virtual void FinanceSettingSet(const std::string& name, const std::string& value) = 0;
    // The accounts of the open finance database; the host owns them, valid until DatabaseClosed.
    virtual Accounts* FinanceAccounts() = 0;

    // --- The host's dialogs and services.

    // Shows the host's account chooser modally with caption, the account of code preselection
    // chosen ("" for none), at the screen position x, y in pixels (the host places it without one).
    // The chosen account, or nullptr when the user cancelled or no finance database is open.
    virtual std::shared_ptr<const Account> AccountChoose(const std::string& caption,
                                                         const std::string& preselection,
                                                         std::optional<int> x = std::nullopt,
                                                         std::optional<int> y = std::nullopt) = 0;
    // A Boolean option of the host ("EnableExporter"); false for an option it does not know.
    virtual bool OptionBoolean(const std::string& name) const = 0;
    // A text option of the host ("ProjectExportFormats"); "" for an option it does not know.
    virtual std::string OptionText(const std::string& name) const = 0;
    // Records a trace record of source ("Reporting"). Never throws: tracing must not break the
    // operation it follows.
    virtual void Trace(const std::string& source, const TraceValues& values) = 0;
    // Opens a document for source ("Reporting"). Throws AppError, with a description for the
    // user, when the document could not be handed over.
    virtual void DocumentOpen(const std::string& source, const DocumentValues& values) = 0;

    // --- Events.

    // Raised after the host has opened a finance database (the accounts are reachable then).
    [[nodiscard]] Subscription DatabaseOpended(std::function<void()> handler) {
        return database_opended_.Subscribe(std::move(handler));
    }
    // Raised after the host has closed its finance database.
    [[nodiscard]] Subscription DatabaseClosed(std::function<void()> handler) {
        return database_closed_.Subscribe(std::move(handler));
    }

protected:
    // For the host. A handler's error passes to the caller.
    void RaiseDatabaseOpended() const { database_opended_.Raise(); }
    void RaiseDatabaseClosed() const { database_closed_.Raise(); }

private:
    Event<> database_opended_;
    Event<> database_closed_;
};

}  // namespace tlx4r::hostapi
