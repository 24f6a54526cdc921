#include "hostapi/Accounts.h"
#include "hostapi/Event.h"
#include "hostapi/Interface.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace tlx4r::hostapi {
namespace {

// A subscriber as the component writes them: it keeps its token as a member.
struct Listener {
    Listener(Event<int>& event, std::vector<std::string>& log, std::string name)
        : log_(log),
          name_(std::move(name)),
          token(event.Subscribe([this](int n) { log_.push_back(name_ + std::to_string(n)); })) {}
    std::vector<std::string>& log_;
    std::string name_;
    Subscription token;
};

TEST(Event, ASubscriberThatGoesAwayIsNeverCalledAgain) {
    Event<int> event;
    std::vector<std::string> log;
    auto a = std::make_unique<Listener>(event, log, "a");
    {
        Listener b(event, log, "b");
        event.Raise(1);
    }
    event.Raise(2);
    a.reset();
    event.Raise(3);
    EXPECT_EQ(log, (std::vector<std::string>{"a1", "b1", "a2"}));
    EXPECT_EQ(event.SubscriberCount(), 0u);
}

TEST(Event, HandlersMayUnsubscribeOthersAndThemselvesWhileItIsRaised) {
    Event<int> event;
    std::vector<std::string> log;
    std::unique_ptr<Listener> victim;
    Subscription self;
    Subscription killer = event.Subscribe([&](int) {
        log.push_back("killer");
        victim.reset();  // the next subscriber goes away in the middle of the dispatch
        self.Reset();
        killer.Reset();  // and this one ends its own subscription
    });
    victim = std::make_unique<Listener>(event, log, "victim");
    self = event.Subscribe([&](int) { log.push_back("self"); });
    Subscription late;
    Subscription adder = event.Subscribe([&](int n) {
        log.push_back("adder");
        if (n == 1) late = event.Subscribe([&](int) { log.push_back("late"); });
    });

    event.Raise(1);
    EXPECT_EQ(log, (std::vector<std::string>{"killer", "adder"}));
    log.clear();
    event.Raise(2);
    EXPECT_EQ(log, (std::vector<std::string>{"adder", "late"}));
}

TEST(Event, TokensOutliveTheirEventHarmlesslyAndMoveWithTheirOwner) {
    Subscription token;
    int calls = 0;
    {
        Event<> event;
        token = event.Subscribe([&] { ++calls; });
        Subscription moved = std::move(token);
        EXPECT_FALSE(token.Active());
        event.Raise();
        token = std::move(moved);
        event.Raise();
    }
    EXPECT_TRUE(token.Active());
    token.Reset();  // the event is gone: nothing to do, nothing to crash
    EXPECT_FALSE(token.Active());
    EXPECT_EQ(calls, 2);

    Event<> event;
    EXPECT_THROW((void)event.Subscribe({}), std::invalid_argument);
}

TEST(Event, AHandlersErrorReachesTheRaiser) {
    Event<> event;
    int after = 0;
    Subscription failing = event.Subscribe([] { throw std::runtime_error("handler failed"); });
    Subscription next = event.Subscribe([&] { ++after; });
    EXPECT_THROW(event.Raise(), std::runtime_error);
    EXPECT_EQ(after, 0);
}

// A minimal host: the component subscribes through the public members, the host raises.
class TestAccount : public Account {
public:
    TestAccount(std::string code, std::string name)
        : code_(std::move(code)), name_(std::move(name)) {}
    db::Value Property(std::string_view name) const override {
        if (name == "Code") return db::Value(code_);
        if (name == "Name") return db::Value(name_);
        return db::Value();
    }
    bool IsGeneralLedger() const override { return false; }
    int Level() const override { return 1; }
    bool IsClosed() const override { return false; }

private:
    std::string code_, name_;
};

class TestAccounts : public Accounts {
public:
    std::shared_ptr<const Account> Item(const std::string& code) const override {
        auto it = accounts.find(code);
        return it == accounts.end() ? nullptr : it->second;
    }
    void Create(const std::string& code, const std::string& name) {
        accounts[code] = std::make_shared<TestAccount>(code, name);
        RaiseCreated(*accounts[code]);
    }
    std::map<std::string, std::shared_ptr<const Account>> accounts;
};

TEST(Accounts, CreatedReachesTheSubscriberWithTheAccount) {
    auto accounts = std::make_unique<TestAccounts>();
    std::vector<std::string> seen;
    Subscription token =
        accounts->Created([&](const Account& a) { seen.push_back(a.Code() + " " + a.Name()); });
    accounts->Create("1020", "Müller AG");
    EXPECT_EQ(seen, (std::vector<std::string>{"1020 Müller AG"}));
    EXPECT_EQ(accounts->Item("1020")->Name(), "Müller AG");
    EXPECT_EQ(accounts->Item("9999"), nullptr);
    accounts.reset();  // the host closes its database before the component lets go
    token.Reset();
}

}  // namespace
}  // namespace tlx4r::hostapi
