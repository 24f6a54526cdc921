#include "core/Finance.h"

#include "core/Reporting.h"
#include "core/modStringLibrary.h"
#include "hostapi/Interface.h"
#include "masterdata/Projects.h"

namespace tlx4r {

Finance::Finance(Reporting& root) : root_(root) {}

void Finance::SetInterface(hostapi::Interface* host) {
    opended_.Reset();
    closed_.Reset();
    AccountsSubscribe(nullptr);
    interface_ = host;
    if (host == nullptr) return;
    opended_ = host->DatabaseOpended([this] { OnDatabaseOpended(); });
    closed_ = host->DatabaseClosed([this] { OnDatabaseClosed(); });
    // A host whose finance database is open already: follow its accounts from now on.
    AccountsSubscribe(host->FinanceAccounts());
}

std::string Finance::DatabaseName() const { return interface_ ? interface_->FinanceDatabasePath() : std::string(); }

void Finance::SetReportingDB(const std::string& path) {
    reporting_db_ = path;
    if (interface_ != nullptr) interface_->FinanceSettingSet(kSettingDatabase, FileNameOf(path));
}

void Finance::AccountsSubscribe(hostapi::Accounts* accounts) {
    created_.Reset();
    updated_.Reset();
    if (accounts == nullptr) return;
    created_ = accounts->Created([this](const hostapi::Account& a) { OnAccount(a, false); });
    updated_ = accounts->Updated([this](const hostapi::Account& a) { OnAccount(a, true); });
}

void Finance::OnDatabaseOpended() {
    if (interface_ == nullptr) return;
    reporting_db_ = interface_->FinanceSettingGet(kSettingDatabase);
    const std::string folder = PathOf(DatabaseName());
    if (reporting_db_.empty()) {
        const std::string old = interface_->FinanceSettingGet(kSettingDatabaseOld);
        if (!old.empty()) {
            interface_->FinanceSettingSet(kSettingDatabaseOld, "");
            interface_->FinanceSettingSet(kSettingDatabase, folder + BaseNameOf(old) + ".tdb4r");
            reporting_db_ = old;
        }
    }
    // The reporting database lives beside the finance database, whatever folder or extension
    // the setting names: a copied or moved pair of files stays a pair.
    if (!reporting_db_.empty()) reporting_db_ = folder + BaseNameOf(reporting_db_) + ".tdb4r";
    root_.DatabaseReopen();
    AccountsSubscribe(interface_->FinanceAccounts());
}

void Finance::OnDatabaseClosed() {
    AccountsSubscribe(nullptr);
    root_.DatabaseCloseByHost();
    reporting_db_.clear();
}

void Finance::OnAccount(const hostapi::Account& account, bool updated) {
    tlx4r::Projects* projects = root_.Projects();
    if (projects == nullptr) return;
    if (account.IsGeneralLedger() || account.Level() < 1) return;
    projects->AccountEvent(account.Code(), account.Name(),
                           updated ? std::optional<bool>(account.IsClosed()) : std::nullopt);
}

std::int32_t Finance::ProjectChoose(const std::optional<std::string>& account_info, std::optional<int> x,
                                    std::optional<int> y) {
    if (interface_ == nullptr) return 0;
    auto account = interface_->AccountChoose("Geschäft auswählen", account_info.value_or(""), x, y);
    if (!account) return 0;
    tlx4r::Projects* projects = root_.Projects();
    if (projects == nullptr) return 0;
    return projects->AccountProject(account->Code(), account->Name());
}

}  // namespace tlx4r
