#include "TempDb.h"

#include "core/modStringLibrary.h"
#include "db/Database.h"
#include "db/DbError.h"

#include <gtest/gtest.h>

namespace tlx4r {
namespace {

TEST(FieldWritersTest, TextIsCutToTheFieldInCharactersAndEmptyIsNull) {
    db::test::TempDir dir;
    db::Database db = db::Database::Create(dir.File("w.tdb4r"));
    db::test::CreateSampleSchema(db);
    auto rs = db.OpenRecordset("Person");
    rs.AddNew();
    FieldValueSet(rs, "ID", db::Value(1));
    FieldTextSet(rs, "PersonNameShort", "Müller-Lüdenscheid");  // 10 characters, 12 bytes kept
    FieldTextSet(rs, "PersonNameFull", "");
    rs.Update();
    rs.AddNew();
    FieldValueSet(rs, "ID", db::Value(2));
    FieldTextSet(rs, "PersonNameShort", "Abc");
    EXPECT_THROW(FieldValueSet(rs, "PersonRate", db::Value("12.50")), db::DbError);
    EXPECT_THROW(FieldTextSet(rs, "NoSuchField", "x"), db::DbError);
    rs.Update();

    auto back = db.OpenRecordset("SELECT * FROM Person ORDER BY ID", db::RecordsetType::Snapshot);
    EXPECT_EQ(back.Get("PersonNameShort").ToText(), "Müller-Lüd");
    EXPECT_TRUE(back.Get("PersonNameFull").IsNull());
    back.MoveNext();
    EXPECT_EQ(back.Get("PersonNameShort").ToText(), "Abc");  // shorter texts are not filled up
}

}  // namespace
}  // namespace tlx4r
