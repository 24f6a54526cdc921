#include "reporting/dBase3.h"

#include "support/RunProgram.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tlx4r {
namespace {

namespace fs = std::filesystem;

class DBase3Test : public ::testing::Test {
protected:
    std::string P(const std::string& name) const { return dir_.File(name); }
    static std::string Bytes(const std::string& path) { return test::FileBytes(path); }
    static unsigned U16(const std::string& b, std::size_t at) {
        return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
    }

    test::TempDir dir_;
};

TEST_F(DBase3Test, WritesTheFieldDictionaryLayoutByteForByte) {
    {
        dBase3 dbf;
        dbf.dBaseCreate(P("DB00001A.DBF"));
        EXPECT_EQ(dbf.Table(), "DB00001A");
        EXPECT_EQ(dbf.Fullpath(), P("DB00001A.dbf"));
        dbf.FieldCreate("FLDSHORT", dBase3::kText, 8);
        dbf.FieldCreate("FLDFULL", dBase3::kText, 254);
        dbf.TableDefSave();
        dbf.RecordsetOpen();
        auto& rs = dbf.Recordset();
        rs.AddNew();
        rs.SetField("FLDSHORT", "FLD00006");
        rs.SetField("fldfull", "Client_Name Müller & Söhne");
        rs.Update();
        rs.AddNew();
        rs.SetField("FLDSHORT", "FLD00007");
        rs.SetField("FLDFULL", "Zeichen ohne Codepage: ł");
        rs.Update();
        EXPECT_THROW(rs.SetField("FLDSHORT", "x"), std::logic_error) << "no AddNew";
        rs.AddNew();
        EXPECT_THROW(rs.SetField("NOPE", "x"), std::out_of_range);
    }  // closing fixes the header

    const std::string b = Bytes(P("DB00001A.dbf"));
    ASSERT_EQ(b.size(), 97u + 2 * 263u + 1u);
    EXPECT_EQ(b[0], 3);
    EXPECT_EQ(b[1], 10);
    EXPECT_EQ(U16(b, 4), 2u) << "record count";
    EXPECT_EQ(U16(b, 8), 97u) << "32 + 2 × 32 + 1";
    EXPECT_EQ(U16(b, 10), 263u) << "1 + 8 + 254";
    EXPECT_EQ(b.substr(12, 20), std::string(20, '\0'));
    EXPECT_EQ(b.substr(32, 11), std::string("FLDSHORT\0\0\0", 11));
    EXPECT_EQ(b[32 + 11], 'C');
    EXPECT_EQ(static_cast<unsigned char>(b[32 + 16]), 8u);
    EXPECT_EQ(b[32 + 17], 0);
    EXPECT_EQ(static_cast<unsigned char>(b[64 + 16]), 254u);
    EXPECT_EQ(b[96], 0x0D);
    EXPECT_EQ(b.substr(97, 9), " FLD00006");
    EXPECT_EQ(b.substr(106, 26), "Client_Name M\xFCller & S\xF6hne") << "Windows-1252";
    EXPECT_EQ(b[132], ' ') << "padded with blanks";
    EXPECT_EQ(b.substr(97 + 263 + 9, 24), "Zeichen ohne Codepage: ?");
    EXPECT_EQ(b.back(), 0x1A);

    // an independent reader sees the same table
    const test::Outcome read = test::RunProgram("python3", {TLX4R_TEST_DATA "/read_dbf.py", P("DB00001A.dbf")}, dir_);
    ASSERT_EQ(read.exit_code, 0) << read.err;
    EXPECT_EQ(read.out,
              "version=3 records=2 fields=FLDSHORT:C8,FLDFULL:C254\n"
              "FLDSHORT=FLD00006|FLDFULL=Client_Name Müller & Söhne\n"
              "FLDSHORT=FLD00007|FLDFULL=Zeichen ohne Codepage: ?\n");
}

TEST_F(DBase3Test, CutsNamesAndValuesAndSavesOnlyNewDefinitions) {
    dBase3 dbf;
    dbf.dBaseCreate(P("VERYLONGNAME.DBF"));
    EXPECT_EQ(dbf.Table(), "VERYLONG");
    dbf.FieldCreate("FLD00001", dBase3::kText, 5);
    dbf.TableDefSave();
    dbf.RecordsetOpen();
    dbf.Recordset().AddNew();
    dbf.Recordset().SetField("FLD00001", "Grüezi mitenand");
    dbf.Recordset().Update();
    dbf.RecordsetClose();
    auto before = fs::last_write_time(P("VERYLONG.dbf"));
    auto size = fs::file_size(P("VERYLONG.dbf"));
    dbf.TableDefSave();  // nothing new: the file keeps its record
    EXPECT_EQ(fs::file_size(P("VERYLONG.dbf")), size);
    EXPECT_EQ(fs::last_write_time(P("VERYLONG.dbf")), before);
    dbf.dBaseClose();
    EXPECT_EQ(Bytes(P("VERYLONG.dbf")).substr(32 + 32 + 1 + 1, 5), "Gr\xFC" "ez");

    // an existing table opens again for appending
    dbf.dBaseOpen(P("VERYLONG.DBF"));
    dbf.RecordsetOpen();
    dbf.Recordset().AddNew();
    dbf.Recordset().SetField("FLD00001", "zwei");
    dbf.Recordset().Update();
    EXPECT_EQ(dbf.Recordset().RecordCount(), 2u);
    dbf.dBaseClose();
    EXPECT_TRUE(dbf.Table().empty());

    EXPECT_THROW(dbf.dBaseOpen(P("FEHLT.DBF")), std::runtime_error);
    dbf.dBaseCreate(P("X.DBF"));
    EXPECT_THROW(dbf.FieldCreate("ZU_LANGER_NAME", dBase3::kText, 5), std::invalid_argument);
    EXPECT_THROW(dbf.FieldCreate("N", 4, 5), std::invalid_argument);
    EXPECT_THROW(dbf.FieldCreate("N", dBase3::kText, 255), std::invalid_argument);
}

TEST_F(DBase3Test, FixesOnlyTheTwoSignatureBytes) {
    std::ofstream(P("fremd.dbf"), std::ios::binary) << std::string("\x83\x7E" "abc", 5);
    dBase3::dBaseFixSignature(P("fremd.dbf"));
    EXPECT_EQ(Bytes(P("fremd.dbf")), std::string("\x03\x0A" "abc", 5));
    dBase3::dBaseFixSignature(P("fehlt.dbf"));  // nothing to fix, no error
    EXPECT_FALSE(fs::exists(P("fehlt.dbf")));
}

}  // namespace
}  // namespace tlx4r
