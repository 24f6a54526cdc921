#pragma once

#include "core/Reporting.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "db/TempDb.h"
#include "db/Transaction.h"
#include "platform/MemoryStore.h"
#include "support/ScriptedUi.h"
#include "support/TestPlace.h"
#include "types/Currency.h"
#include "types/Date.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tlx4r::test {

// One entry row as the tests write it and read the criteria on it.
struct EntryRow {
    std::int32_t id = 0;
    std::int32_t project = 0;
    std::int32_t person = 0;
    std::string rec_type_text;  // three characters, as entries store it
    bool archive = false;
    Date book_date;
    std::string text;
    Currency charges;
    Currency vat;
    Currency billed;
    double time_from = 0;  // fractions of a day, 0 = none
    double time_to = 0;
};

// A root object on a new reporting database (real file) with two persons, three projects and
// whatever entries a test writes; the scripted Ui plays the user.
class ReportsDb : public ::testing::Test {
protected:
    void SetUp() override {
        if (db::test::TestPlace::ServerRun()) {
            TLX4R_SKIP_WITHOUT_SERVER(db::test::EngineKind::Server);
            place_ = std::make_unique<db::test::TestPlace>(db::test::EngineKind::Server);
        }
        root.DatabaseNew(File());
        ASSERT_NE(root.Database(), nullptr);
        Insert("Person", {{"ID", 1}, {"PersonNameFull", "Max Sutter"}, {"PersonNameShort", "MS"}});
        Insert("Person", {{"ID", 2}, {"PersonNameFull", "Anna Keller"}, {"PersonNameShort", "AK"}});
        Insert("Project", {{"ID", 1}, {"AccountCode", "1100.001"}, {"AccountName", "Bachmann Immobilien AG"}});
        Insert("Project", {{"ID", 2}, {"AccountCode", "1100.002"}, {"AccountName", "Erbengemeinschaft Huber"}});
        Insert("Project", {{"ID", 3}, {"AccountCode", "1100.003"}, {"AccountName", "Frei-Lüthi Regula"}});
    }

    db::Database& Db() { return *root.Database(); }

    void Insert(const std::string& table, const std::vector<std::pair<std::string, db::Value>>& values) {
        auto rs = Db().OpenRecordset(table, db::RecordsetType::Table);
        rs.AddNew();
        for (const auto& [field, value] : values) rs.Set(field, value);
        rs.Update();
    }

    void InsertEntries(const std::vector<EntryRow>& rows) {
        db::Transaction tx(Db());
        auto rs = Db().OpenRecordset("Entry", db::RecordsetType::Table);
        for (const EntryRow& e : rows) {
            rs.AddNew();
            rs.Set("ID", db::Value(e.id));
            rs.Set("ProjectID", db::Value(e.project));
            rs.Set("PersonID", db::Value(e.person));
            rs.Set("RecTypeText", db::Value(e.rec_type_text));
            rs.Set("Archive", db::Value(e.archive));
            rs.Set("BookDate", e.book_date.IsNull() ? db::Value() : db::Value(e.book_date));
            rs.Set("Text", e.text.empty() ? db::Value() : db::Value(e.text));
            rs.Set("Charges", db::Value(e.charges));
            rs.Set("Expenses", db::Value(Currency()));
            rs.Set("Adapted", db::Value(Currency()));
            rs.Set("Billed", db::Value(e.billed));
            rs.Set("VAT", db::Value(e.vat));
            rs.Set("TimeFrom", e.time_from == 0 ? db::Value() : db::Value(Date(e.time_from)));
            rs.Set("TimeTo", e.time_to == 0 ? db::Value() : db::Value(Date(e.time_to)));
            rs.Update();
        }
        tx.Commit();
    }

    // The integers of one column of a statement's rows, in their order.
    std::vector<std::int32_t> Column(const std::string& sql, const std::string& column) {
        std::vector<std::int32_t> out;
        for (auto rs = Db().OpenRecordset(sql, db::RecordsetType::Snapshot); !rs.Eof(); rs.MoveNext())
            out.push_back(rs.Get(column).ToLong());
        return out;
    }

    // The reporting database: a file, or in the program's run on the server a schema there.
    std::string File() {
        if (file_.empty()) file_ = place_ ? place_->Name("Kanzlei.tdb4r") : dir.File("Kanzlei.tdb4r");
        return file_;
    }

    ScriptedUi ui;
    db::test::TempDir dir;
    std::unique_ptr<db::test::TestPlace> place_;
    std::string file_;
    platform::MemoryStore user;
    platform::MemoryStore machine;
    Reporting root{user, machine};
};

}  // namespace tlx4r::test
