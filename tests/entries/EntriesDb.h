#pragma once

#include "core/DBReporting.h"
#include "db/Database.h"
#include "db/TempDb.h"
#include "entries/Entries.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <string>

namespace tlx4r::test {

// A new reporting database on a real file, with every catalogue open, and a scripted Ui.
class EntriesDb : public ::testing::Test {
protected:
    void SetUp() override { layer.DBNew(Path()); }

    std::string Path() const { return dir.File("Kanzlei.tdb4r"); }
    db::Database& Db() { return *layer.Database(); }
    tlx4r::Entries& Entries() { return *layer.Entries(); }

    // The first column of the first row of a statement.
    db::Value Scalar(const std::string& sql) {
        auto rs = Db().OpenRecordset(sql, db::RecordsetType::Snapshot);
        return rs.Eof() ? db::Value() : rs.Get(0);
    }

    ScriptedUi ui;
    db::test::TempDir dir;
    DBReporting layer;
};

inline Currency C(const char* text) { return *Currency::Parse(text); }
inline Date T(int hour, int minute) { return Date::FromTime(hour, minute); }

}  // namespace tlx4r::test
