#pragma once

#include "host/HostAccount.h"
#include "hostapi/Accounts.h"

#include <memory>
#include <string>
#include <vector>

namespace tlx4r {

class FinanceDatabase;

// The chart of accounts of the host's open finance database (table Accounts). Creating or
// changing an account here writes the row and then raises Created or Updated with the account,
// so that the component keeps its projects in step; a handler's error reaches the caller after
// the row is written.
//
// Codes compare as the database compares texts (case-insensitively). The finance database
// must outlive this object.
class HostAccounts : public hostapi::Accounts {
public:
    explicit HostAccounts(FinanceDatabase& finance);

    std::shared_ptr<const hostapi::Account> Item(const std::string& code) const override;
    // The same account with the host's own members; nullptr when there is none.
    std::shared_ptr<const HostAccount> Find(const std::string& code) const;
    // Every account in the order of its code; with client_only without the ledger accounts and
    // the headings (level 0), i.e. the accounts the component keeps projects for.
    std::vector<AccountData> List(bool client_only = false) const;
    long long Count() const;

    // Adds the account under the next free ID and raises Created. Throws AppError (source
    // "Accounts") for an empty or too long code, a code in use, a negative level; a name longer
    // than the column is cut.
    std::shared_ptr<const HostAccount> Create(AccountData data);
    // Writes every member but the ID to the account of data.code and raises Updated. Throws
    // AppError 3021 when there is no such account, and as Create for bad members.
    std::shared_ptr<const HostAccount> Update(const AccountData& data);
    // Removes the account of code; false when there is none. The component keeps the account's
    // project until a full verification finds its account gone.
    bool Delete(const std::string& code);

private:
    AccountData Checked(AccountData data) const;

    FinanceDatabase& finance_;
};

}  // namespace tlx4r
