#pragma once

#include "core/Reporting.h"
#include "db/Database.h"
#include "db/TempDb.h"
#include "hostapi/Interface.h"
#include "platform/MemoryStore.h"
#include "support/ScriptedUi.h"
#include "support/TestPlace.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

namespace tlx4r::test {

class FakeAccount : public hostapi::Account {
public:
    FakeAccount(std::string code, std::string name, bool closed = false)
        : code_(std::move(code)), name_(std::move(name)), closed_(closed) {}
    db::Value Property(std::string_view name) const override {
        if (name == "Code") return db::Value(code_);
        if (name == "Name") return db::Value(name_);
        return {};
    }
    bool IsGeneralLedger() const override { return false; }
    int Level() const override { return 1; }
    bool IsClosed() const override { return closed_; }

private:
    std::string code_, name_;
    bool closed_;
};

class FakeAccounts : public hostapi::Accounts {
public:
    std::shared_ptr<const hostapi::Account> Item(const std::string& code) const override {
        auto it = items.find(code);
        return it == items.end() ? nullptr : it->second;
    }
    using hostapi::Accounts::RaiseCreated;
    using hostapi::Accounts::RaiseUpdated;
    std::map<std::string, std::shared_ptr<const hostapi::Account>> items;
};

// A host with a finance database path, accounts and text options; nothing else.
class FakeHost : public hostapi::Interface {
public:
    std::string FinanceDatabasePath() const override { return finance_path; }
    db::Database* FinanceDatabase() override { return nullptr; }
    std::string FinanceSettingGet(const std::string&) const override { return ""; }
    void FinanceSettingSet(const std::string&, const std::string&) override {}
    hostapi::Accounts* FinanceAccounts() override { return &accounts; }
    std::shared_ptr<const hostapi::Account> AccountChoose(const std::string&, const std::string&, std::optional<int>,
                                                          std::optional<int>) override {
        return nullptr;
    }
    bool OptionBoolean(const std::string&) const override { return false; }
    std::string OptionText(const std::string& name) const override {
        auto it = options.find(name);
        return it == options.end() ? "" : it->second;
    }
    void Trace(const std::string&, const hostapi::TraceValues&) override {}
    void DocumentOpen(const std::string&, const hostapi::DocumentValues&) override {}

    std::string finance_path;
    std::map<std::string, std::string> options;
    FakeAccounts accounts;
};

// A root object with a fresh reporting database file in a temporary folder, or in the program's
// run on the server (TLX4R_TEST_ENGINE=server) a schema there.
class MasterDataTest : public ::testing::Test {
protected:
    MasterDataTest() {
        if (db::test::TestPlace::ServerRun() && !db::test::TestPlace::Server().empty()) {
            place_ = std::make_unique<db::test::TestPlace>(db::test::EngineKind::Server);
            path = place_->Name("Kanzlei.tdb4r");
        }
        root.SetInterface(&host);
        root.DatabaseNew(path);
    }
    void SetUp() override {
        TLX4R_SKIP_WITHOUT_SERVER(db::test::TestPlace::ServerRun() ? db::test::EngineKind::Server
                                                                   : db::test::EngineKind::File);
    }
    ~MasterDataTest() override { root.SetInterface(nullptr); }

    db::Database& Db() { return *root.Database(); }
    // The first column of the first row of a statement.
    db::Value Scalar(const std::string& sql) {
        auto rs = Db().OpenRecordset(sql, db::RecordsetType::Snapshot);
        return rs.Eof() ? db::Value() : rs.Get(0);
    }

    db::test::TempDir dir;
    std::unique_ptr<db::test::TestPlace> place_;
    std::string path = dir.File("Kanzlei.tdb4r");
    ScriptedUi ui;
    platform::MemoryStore user;
    platform::MemoryStore machine;
    FakeHost host;
    Reporting root{user, machine};
};

}  // namespace tlx4r::test
