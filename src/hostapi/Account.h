#pragma once

#include "db/Value.h"

#include <string>
#include <string_view>

namespace tlx4r::hostapi {

// One account of the host's accounting, as the component sees it: a code that identifies it
// (a project is tied to exactly one account by this code), a name, and the three marks that decide
// whether it is a client account the component keeps a project for.
class Account {
public:
    virtual ~Account();

    // A property by its name, case-insensitive: at least "Code" and "Name" (both text). Null for a
    // name the account does not know.
    virtual db::Value Property(std::string_view name) const = 0;
    // True for an account of the general ledger; the component keeps projects only for the
    // others (the client accounts).
    virtual bool IsGeneralLedger() const = 0;
    // The account's depth in the chart of accounts; client accounts are at level 1 or deeper.
    virtual int Level() const = 0;
    virtual bool IsClosed() const = 0;

    // Shorthands for the two properties every caller reads; "" when the account has none.
    std::string Code() const;
    std::string Name() const;
};

}  // namespace tlx4r::hostapi
