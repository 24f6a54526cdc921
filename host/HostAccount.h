#pragma once

#include "hostapi/Account.h"
#include "types/Currency.h"

#include <cstdint>
#include <string>

namespace tlx4r {

// What a row of the finance database's table Accounts holds.
struct AccountData {
    std::int32_t id = 0;  // assigned by HostAccounts::Create
    std::string code;
    std::string name;
    bool general_ledger = false;
    int level = 1;
    bool closed = false;
    Currency worked_balance;
    bool delete_on_cloture = false;
};

// One account of the substitute host, as it was read: a copy of its row taken when the account
// was asked for. It stays valid after the finance database has closed; a later change of the
// row shows in the account the host hands out next, not in this one.
class HostAccount : public hostapi::Account {
public:
    explicit HostAccount(AccountData data) : data_(std::move(data)) {}

    // "ID", "Code", "Name", "IsGeneralLedger", "Level", "Closed", "WorkedBalance",
    // "DeleteOnCloture" — the table's field names, case-insensitive.
    db::Value Property(std::string_view name) const override;
    bool IsGeneralLedger() const override { return data_.general_ledger; }
    int Level() const override { return data_.level; }
    bool IsClosed() const override { return data_.closed; }

    const AccountData& Data() const { return data_; }

private:
    AccountData data_;
};

}  // namespace tlx4r
