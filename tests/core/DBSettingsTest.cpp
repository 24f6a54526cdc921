#include "core/DBSettings.h"

#include "core/DBReporting.h"
#include "core/TableCursor.h"
#include "db/Database.h"
#include "db/TempDb.h"
#include "support/TestPlace.h"

#include "types/AppError.h"

#include <gtest/gtest.h>

namespace tlx4r {
namespace {

class DBSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        TLX4R_SKIP_WITHOUT_SERVER(place.Kind());
        path = place.Name("s.tdb4r");
        layer.DBNew(path);
    }
    db::test::TestPlace place{db::test::TestPlace::RunKind()};
    std::string path;
    DBReporting layer;
};

TEST_F(DBSettingsTest, ValuesKeepTheirTypeColumn) {
    DBSettings& settings = *layer.DBSettings();
    EXPECT_TRUE(settings.Value("Missing").IsNull());

    struct Case {
        const char* name;
        db::Value value;
        long type;
        db::Value read_back;
    };
    const Case cases[] = {
        {"FinanceDatabase", db::Value("Firma 2017.tdb4f"), 0, db::Value("Firma 2017.tdb4f")},
        {"Count", db::Value(std::int32_t{42}), 1, db::Value(std::int32_t{42})},
        {"Flag", db::Value(true), 1, db::Value(std::int32_t{-1})},  // a Boolean reads back as a number
        {"Off", db::Value(false), 1, db::Value(std::int32_t{0})},
        {"Since", db::Value(Date::FromYmd(2017, 12, 16)), 2, db::Value(Date::FromYmd(2017, 12, 16))},
        {"Limit", db::Value(*Currency::Parse("1234.55")), 3, db::Value(*Currency::Parse("1234.55"))},
        {"Factor", db::Value(0.125), 4, db::Value(0.125)},
    };
    for (const Case& c : cases) settings.Value(c.name, c.value);
    for (const Case& c : cases) {
        EXPECT_EQ(settings.Value(c.name), c.read_back) << c.name;
        auto rs = layer.Database()->OpenRecordset(std::string("SELECT ValType FROM DBSettings WHERE Setting = \"") +
                                                  c.name + "\"", db::RecordsetType::Snapshot);
        EXPECT_EQ(rs.Get(0).ToLong(), c.type) << c.name;
    }
    // a new type replaces the old value, in the same row
    settings.Value("Count", db::Value("viele"));
    EXPECT_EQ(settings.Value("Count"), db::Value("viele"));
    auto all = layer.Database()->OpenRecordset("SELECT Count(*) FROM DBSettings", db::RecordsetType::Snapshot);
    EXPECT_EQ(all.Get(0).ToLong(), 7);
    // names compare as the database compares them; long texts are cut to the column
    EXPECT_EQ(settings.Value("financedatabase"), db::Value("Firma 2017.tdb4f"));
    settings.Value("Long", db::Value(std::string(300, 'x')));
    EXPECT_EQ(settings.Value("Long").ToText().size(), 255u);

    settings.Delete("Flag");
    settings.Delete("Flag");
    EXPECT_TRUE(settings.Value("Flag").IsNull());

    // kept in the file
    layer.DBClose();
    layer.DBOpen(path);
    EXPECT_EQ(layer.DBSettings()->Value("Since"), db::Value(Date::FromYmd(2017, 12, 16)));

    // without a database nothing passes for stored or for unset
    DBSettings detached;
    EXPECT_THROW(detached.Value("X", db::Value(1)), AppError);
    EXPECT_THROW(detached.Value("X"), AppError);
}

TEST_F(DBSettingsTest, NextIdFollowsTheHighestOrFillsTheFirstGap) {
    db::Database& db = *layer.Database();
    TableCursor cursor(db, "Department");
    cursor.Open();
    EXPECT_EQ(NextIDGet(cursor.Get()), 1);
    EXPECT_EQ(NextIDGet(cursor.Get(), true), 1);
    for (int id : {1, 2, 3, 5, 9}) db.Execute("INSERT INTO Department (ID) VALUES (" + std::to_string(id) + ")");
    cursor.Get().SetIndex("DepartmentNameFull");
    EXPECT_EQ(NextIDGet(cursor.Get()), 10);
    EXPECT_EQ(cursor.Get().Index(), "DepartmentNameFull");  // the cursor keeps its order
    EXPECT_EQ(NextIDGet(cursor.Get(), true), 4);
    db.Execute("INSERT INTO Department (ID) VALUES (4)");
    EXPECT_EQ(NextIDGet(cursor.Get(), true), 6);
}

}  // namespace
}  // namespace tlx4r
