#pragma once

#include "core/DBReporting.h"
#include "db/Database.h"
#include "db/TempDb.h"
#include "support/TestPlace.h"
#include "entries/Entries.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace tlx4r::test {

// A new reporting database with every catalogue open, and a scripted Ui: on a real file, or with
// TLX4R_TEST_ENGINE=server in the environment on the test server (the whole program runs a second
// time so).
class EntriesDb : public ::testing::Test {
protected:
    void SetUp() override {
        if (db::test::TestPlace::ServerRun()) {
            TLX4R_SKIP_WITHOUT_SERVER(db::test::EngineKind::Server);
            place_ = std::make_unique<db::test::TestPlace>(db::test::EngineKind::Server);
            path_ = place_->Name("Kanzlei.tdb4r");
        } else {
            path_ = dir.File("Kanzlei.tdb4r");
        }
        layer.DBNew(Path());
    }
    void TearDown() override { layer.DBClose(); }

    bool OnServer() const { return place_ != nullptr; }
    const std::string& Path() const { return path_; }
    db::Database& Db() { return *layer.Database(); }
    tlx4r::Entries& Entries() { return *layer.Entries(); }

    // The first column of the first row of a statement.
    db::Value Scalar(const std::string& sql) {
        auto rs = Db().OpenRecordset(sql, db::RecordsetType::Snapshot);
        return rs.Eof() ? db::Value() : rs.Get(0);
    }

    ScriptedUi ui;
    db::test::TempDir dir;
    std::unique_ptr<db::test::TestPlace> place_;
    std::string path_;
    DBReporting layer;
};

inline Currency C(const char* text) { return *Currency::Parse(text); }
inline Date T(int hour, int minute) { return Date::FromTime(hour, minute); }

}  // namespace tlx4r::test
