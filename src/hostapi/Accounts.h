#pragma once

#include "hostapi/Account.h"
#include "hostapi/Event.h"

#include <functional>
#include <memory>
#include <string>

namespace tlx4r::hostapi {

// The accounts of the host's open finance database, with the events the component follows to keep
// its projects in step with them.
class Accounts {
public:
    virtual ~Accounts() = default;

    // The account with that code (codes compare as the host compares them), or nullptr when there
    // is none. The account stays valid as long as the caller holds it, even after the finance
    // database has been closed; it then no longer follows changes.
    virtual std::shared_ptr<const Account> Item(const std::string& code) const = 0;

    // Raised after the host has created an account, with that account.
    [[nodiscard]] Subscription Created(std::function<void(const Account&)> handler) {
        return created_.Subscribe(std::move(handler));
    }
    // Raised after the host has changed an account (name, closed state, …), with that account.
    [[nodiscard]] Subscription Updated(std::function<void(const Account&)> handler) {
        return updated_.Subscribe(std::move(handler));
    }

protected:
    // For the host: errors of a handler pass to the caller (the component's handlers run without
    // a catch of their own).
    void RaiseCreated(const Account& account) const { created_.Raise(account); }
    void RaiseUpdated(const Account& account) const { updated_.Raise(account); }

private:
    Event<const Account&> created_;
    Event<const Account&> updated_;
};

}  // namespace tlx4r::hostapi
