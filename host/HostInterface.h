#pragma once

#include "host/FinanceDatabase.h"
#include "host/HostAccounts.h"
#include "hostapi/Interface.h"

#include <memory>
#include <optional>
#include <string>

namespace tlx4r {

class HostDocuments;
class HostOptions;
class HostTrace;
class frmAccountChoose;

// The substitute host as the component sees it: one open finance database at a time with its
// accounts and settings, the account chooser, and the host's options, trace and documents.
//
// Opening a finance database raises DatabaseOpended once the file and its accounts are
// reachable; closing raises DatabaseClosed once the file is shut. Opening another one closes
// the first (with its event) before.
class HostInterface : public hostapi::Interface {
public:
    // The services must outlive this object.
    HostInterface(HostOptions& options, HostTrace& trace, HostDocuments& documents);
    ~HostInterface() override;
    HostInterface(const HostInterface&) = delete;
    HostInterface& operator=(const HostInterface&) = delete;

    // Makes the component's root objects use the host's tariff calculator from now on (the
    // root object takes its calculator when it is created).
    static void CalculatorInstall();

    // Creates a new finance database (DbError 3204 when the file exists), then opens it.
    void DatabaseNew(const std::string& path);
    // Opens an existing finance database. Its errors pass to the caller (DbError 3024 missing,
    // 3343 not a finance database); the database open before is closed even then.
    void DatabaseOpen(const std::string& path);
    // Closes the finance database, if one is open; the event's handler errors pass on after
    // the file is shut.
    void DatabaseClose();
    bool IsOpen() const { return finance_.IsOpen(); }
    // The accounts with the host's own members; nullptr while no finance database is open.
    HostAccounts* Accounts() { return accounts_.get(); }

    std::string FinanceDatabasePath() const override;
    db::Database* FinanceDatabase() override;
    std::string FinanceSettingGet(const std::string& name) const override;
    void FinanceSettingSet(const std::string& name, const std::string& value) override;
    hostapi::Accounts* FinanceAccounts() override { return accounts_.get(); }

    std::shared_ptr<const hostapi::Account> AccountChoose(const std::string& caption,
                                                          const std::string& preselection,
                                                          std::optional<int> x = std::nullopt,
                                                          std::optional<int> y = std::nullopt) override;
    bool OptionBoolean(const std::string& name) const override;
    std::string OptionText(const std::string& name) const override;
    void Trace(const std::string& source, const hostapi::TraceValues& values) override;
    void DocumentOpen(const std::string& source, const hostapi::DocumentValues& values) override;

    // The chooser, created on first use and kept (a hidden form keeps its state).
    frmAccountChoose& Chooser();

private:
    HostOptions& options_;
    HostTrace& trace_;
    HostDocuments& documents_;
    tlx4r::FinanceDatabase finance_;
    std::unique_ptr<HostAccounts> accounts_;
    std::unique_ptr<frmAccountChoose> chooser_;
};

}  // namespace tlx4r
