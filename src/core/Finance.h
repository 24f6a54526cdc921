#pragma once

#include "hostapi/Event.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tlx4r::hostapi {
class Account;
class Accounts;
class Interface;
}  // namespace tlx4r::hostapi

namespace tlx4r {

class Reporting;

// The link between the reporting database and the host's finance database: remembers which
// reporting database belongs to the open finance database (the host setting "TXV4Database"),
// follows the host when it opens or closes its finance database, and keeps projects in step with
// the accounts.
class Finance {
public:
    static constexpr const char* kSettingDatabase = "TXV4Database";
    static constexpr const char* kSettingDatabaseOld = "OptionTXV2Database";

    // root must outlive this object.
    explicit Finance(Reporting& root);
    Finance(const Finance&) = delete;
    Finance& operator=(const Finance&) = delete;

    // The host (not owned); nullptr drops it and its events.
    hostapi::Interface* Interface() const { return interface_; }
    void SetInterface(hostapi::Interface* host);

    // The full path of the host's open finance database; "" when none is open.
    std::string DatabaseName() const;

    // The path of the linked reporting database; "" when none.
    const std::string& ReportingDB() const { return reporting_db_; }
    // Stores the path and writes its file name into the finance database's setting.
    void SetReportingDB(const std::string& path);

    // Lets the user choose an account in the host's chooser and returns the ID of its project,
    // creating the project on first use; 0 when nothing was chosen or no reporting database is
    // open.
    std::int32_t ProjectChoose(const std::optional<std::string>& account_info = std::nullopt,
                               std::optional<int> x = std::nullopt, std::optional<int> y = std::nullopt);

private:
    void OnDatabaseOpended();
    void OnDatabaseClosed();
    void OnAccount(const hostapi::Account& account, bool updated);
    void AccountsSubscribe(hostapi::Accounts* accounts);

    Reporting& root_;
    hostapi::Interface* interface_ = nullptr;
    std::string reporting_db_;
    hostapi::Subscription opended_;
    hostapi::Subscription closed_;
    hostapi::Subscription created_;
    hostapi::Subscription updated_;
};

}  // namespace tlx4r
