#pragma once

#include "core/Reporting.h"
#include "db/Database.h"
#include "db/TempDb.h"
#include "support/TestPlace.h"
#include "host/HostAccounts.h"
#include "host/HostDocuments.h"
#include "host/HostInterface.h"
#include "host/HostOptions.h"
#include "host/HostTrace.h"
#include "masterdata/Projects.h"
#include "platform/MemoryStore.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tlx4r::test {

// The substitute host with a new finance database and the component with the reporting database
// linked to it, both on real files or, in the program's run on the server
// (TLX4R_TEST_ENGINE=server), in a server database of their own; client accounts get their
// projects through the host's account events, and entries are written as rows.
class AccountingFixture : public ::testing::Test {
protected:
    AccountingFixture() {
        std::string folder = dir.File("");
        if (db::test::TestPlace::ServerRun() && !db::test::TestPlace::Server().empty()) {
            place_ = std::make_unique<db::test::TestPlace>(db::test::EngineKind::Server);
            folder = place_->ServerDatabase();
        }
        root.SetInterface(&host);
        host.DatabaseNew(folder + "Kanzlei 2024.tdb4f");
        root.DatabaseNew(folder + "Kanzlei Data.tdb4r");
        // Accounts are made by the dozen here: their projects without the project editor.
        root.Projects()->SetAccountEventsQuiet(true);
    }
    ~AccountingFixture() override {
        root.Tini();
        host.DatabaseClose();
    }
    void SetUp() override { TLX4R_SKIP_WITHOUT_SERVER(ServerRun() ? db::test::EngineKind::Server : db::test::EngineKind::File); }
    static bool ServerRun() { return db::test::TestPlace::ServerRun(); }

    db::Database& Reporting() { return *root.Database(); }
    db::Database& Finance() { return *host.FinanceDatabase(); }

    // A client account (with its project) or a ledger account (without one).
    void Account(const std::string& code, bool ledger = false, bool delete_on_cloture = false) {
        AccountData a;
        a.code = code;
        a.name = "Konto " + code;
        a.level = 2;
        a.general_ledger = ledger;
        a.delete_on_cloture = delete_on_cloture;
        host.Accounts()->Create(a);
    }
    // A project for a code the accounting does not have as a client account.
    std::int32_t ProjectWithoutAccount(const std::string& code) {
        Project p;
        p.AccountCode = code;
        p.AccountName = "ohne Konto " + code;
        return root.Projects()->Add(p);
    }
    std::int32_t ProjectID(const std::string& code) { return root.Projects()->ID(code); }

    // One entry row; amounts as texts ("0.10").
    void AddEntry(std::int32_t id, const std::string& code, int rec_type, Date book_date, const std::string& charges,
               const std::string& expenses = "0", const std::string& billed = "0", bool archived = false,
               const std::string& adapted = "0") {
        Reporting().Execute("INSERT INTO Entry (ID, ProjectID, PersonID, RecType, Archive, BookDate, Charges, Expenses, "
                            "Adapted, Billed, VAT) VALUES (" +
                            std::to_string(id) + ", " + std::to_string(ProjectID(code)) + ", 0, " +
                            std::to_string(rec_type) + ", " + (archived ? "True" : "False") + ", " +
                            std::to_string(book_date.DayNumber()) + ", " + charges + ", " + expenses + ", " + adapted +
                            ", " + billed + ", 1.00)");
    }

    // Column values of the finance accounts by code.
    std::map<std::string, Currency> Balances() {
        std::map<std::string, Currency> out;
        auto rs = Finance().OpenRecordset("SELECT Code, WorkedBalance FROM Accounts", db::RecordsetType::Snapshot);
        for (; !rs.Eof(); rs.MoveNext()) out[rs.Get(0).ToText()] = rs.Get(1).ToCurrency();
        return out;
    }
    // The IDs of the entries whose flag Archive is set, in order.
    std::vector<std::int32_t> Archived() {
        std::vector<std::int32_t> out;
        auto rs = Reporting().OpenRecordset("SELECT ID FROM Entry WHERE Archive <> 0 ORDER BY ID",
                                            db::RecordsetType::Snapshot);
        for (; !rs.Eof(); rs.MoveNext()) out.push_back(rs.Get(0).ToLong());
        return out;
    }
    std::vector<std::int32_t> EntryIDs() {
        std::vector<std::int32_t> out;
        auto rs = Reporting().OpenRecordset("SELECT ID FROM Entry ORDER BY ID", db::RecordsetType::Snapshot);
        for (; !rs.Eof(); rs.MoveNext()) out.push_back(rs.Get(0).ToLong());
        return out;
    }

    db::test::TempDir dir;
    std::unique_ptr<db::test::TestPlace> place_;
    ScriptedUi ui;
    platform::MemoryStore user;
    platform::MemoryStore machine;
    HostOptions options{user, machine};
    HostTrace trace{dir.File("trace.log")};
    HostDocuments documents;
    HostInterface host{options, trace, documents};
    tlx4r::Reporting root{user, machine};
};

inline Date D(int day, int month, int year) { return Date::FromYmd(year, month, day); }
inline Currency C(const char* text) { return *Currency::Parse(text); }

// A caption as the user reads it: without the access-key marker.
inline std::string Shown(std::string caption) {
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        out += caption[i];
    }
    return out;
}

}  // namespace tlx4r::test
