#include "reporting/Exporter.h"

#include "reporting/ExportLedger.h"

#include "core/modStringLibrary.h"
#include "entries/modDateTime.h"
#include "db/Database.h"
#include "types/AppError.h"
#include "types/Utf8.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>

#include <sqlite3.h>

namespace tlx4r {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& p) { return test::FileBytes(p.string()); }

class ExporterTest : public ::testing::Test {
protected:
    // The exporter writing these formats into the test's folder as name.ext, without stamp, ID
    // or data name in the file name.
    void Aim(Exporter& ex, const std::string& formats, const std::string& name) const {
        ex.SetFormats(formats);
        ex.Path = dir_.string();
        ex.FileName = name;
        ex.SetFileNameNone();
    }

    // 300 characters, beyond every field size of the formats that have one.
    static std::string LongText() {
        std::string text;
        for (int i = 0; i < 20; ++i) text += "Grüezi & <Adé> ";
        return text;
    }

    // Two projects with the awkward characters users type, an empty and a long value.
    static void WriteSample(Exporter& ex) {
        ex.WorkStart();
        ex.ItemAdd("Info_Program", "Kelvora");
        ex.ItemAdd("Project_Name", "Müller & Co <AG>");
        ex.ItemAdd("Project_Text", "Er sagte \"Ja\" & ging's an € 5");
        ex.ItemAdd("Project_Empty", "");
        ex.ItemWrite();
        ex.ItemAdd("Info_Program", "Kelvora");
        ex.ItemAdd("Project_Name", "Zweites Geschäft");
        ex.ItemAdd("Project_Text", LongText());
        ex.ItemAdd("Project_Empty", "");
        ex.ItemAdd("Project_Later", "dropped: names are fixed by the first item");
        ex.ItemWrite();
        ex.WorkStop();
    }

    std::vector<fs::path> Files() const {
        std::vector<fs::path> out;
        for (auto& e : fs::recursive_directory_iterator(dir_)) {
            if (e.is_regular_file()) out.push_back(e.path());
        }
        std::sort(out.begin(), out.end());
        return out;
    }

    test::TempDir temp_;
    const fs::path& dir_ = temp_.Path();
};

TEST_F(ExporterTest, WritesTheGoldenXmlCsvAndTxt) {
    Exporter ex;
    Aim(ex, "XML;CSV;TXT", "Projekt");
    ex.DataName = "Project";
    WriteSample(ex);
    EXPECT_EQ(ex.ItemsCount(), 2);
    EXPECT_EQ(ex.FieldsCount(), 4);

    std::string xml = Read(dir_ / "Projekt.xml");
    xml = std::regex_replace(xml, std::regex("\\(c\\) \\d{4}"), "(c) YEAR");
    xml = std::regex_replace(xml, std::regex("date=\"[0-9.]+\" time=\"[0-9:]+\""), "date=\"DATE\" time=\"TIME\"");
    EXPECT_EQ(xml, Read(TLX4R_TEST_DATA "/export/golden.xml"));
    EXPECT_EQ(Read(dir_ / "Projekt.csv"), Read(TLX4R_TEST_DATA "/export/golden.csv"));
    EXPECT_EQ(Read(dir_ / "Projekt.txt"), Read(TLX4R_TEST_DATA "/export/golden.txt"));
    for (const auto& f : Files()) EXPECT_NE(f.extension(), ".part") << f;
}

// The month and day of the last change (header bytes 2 and 3) are the day's; the rest of a
// table is fixed, including bytes 0 and 1 (3 and 10 after closing, whatever the year).
std::string DbfWithoutDay(std::string bytes) {
    if (bytes.size() > 3) bytes[2] = bytes[3] = 0;
    return bytes;
}

TEST_F(ExporterTest, WritesTheGoldenDbfTables) {
    Exporter ex;
    Aim(ex, "DBF", "Projekt");
    WriteSample(ex);
    EXPECT_EQ(Read(dir_ / "Projekt.db3"), "Info_Program=Kelvora\r\nFields=" + (dir_ / "DB00001A.dbf").string() +
                                              "\r\nValues=" + (dir_ / "DB00001B.dbf").string() + "\r\n");
    EXPECT_EQ(DbfWithoutDay(Read(dir_ / "DB00001A.dbf")), DbfWithoutDay(Read(TLX4R_TEST_DATA "/export/golden_a.dbf")));
    EXPECT_EQ(DbfWithoutDay(Read(dir_ / "DB00001B.dbf")), DbfWithoutDay(Read(TLX4R_TEST_DATA "/export/golden_b.dbf")));
}

TEST_F(ExporterTest, NamesFilesByStampIdDataNameAndEvent) {
    Exporter ex;
    ex.FileName = "Projekt";
    const double moment = Date::FromYmdHms(2024, 3, 5, 7, 4, 9).Serial();
    EXPECT_EQ(ex.BuildFileName(moment), "Projekt-20240305-070409-ID00000000-Data");
    ex.EventDesc = "created";
    ex.IDtext = "00000042";
    EXPECT_EQ(ex.BuildFileName(moment), "Projekt-20240305-070409-ID00000042-Data-created");
    ex.FileName.clear();
    ex.FileWithTimeStamp = false;
    EXPECT_EQ(ex.BuildFileName(moment), "ID00000042-Data-created");
    ex.SetFileNameNone();
    ex.EventDesc.clear();
    EXPECT_EQ(ex.BuildFileName(moment), "");

    // one file per item: the sixth value (the record ID after five "Info_" fields) names it
    ex.SetFileNameNone();
    ex.FileWithFieldID = true;
    ex.IDtext.clear();
    ex.MakeOneFile = false;
    ex.Path = dir_.string();
    ex.SubDir = "events";
    ex.SetFormats("CSV");
    ex.WorkStart();
    for (int id : {7, 123}) {
        for (int i = 1; i <= 5; ++i) ex.ItemAdd("Info_" + std::to_string(i), "i");
        ex.ItemAdd("Project_ID", std::to_string(id));
        ex.ItemWrite();
    }
    ex.WorkStop();
    EXPECT_TRUE(fs::exists(dir_ / "events" / "ID00000007.csv"));
    EXPECT_TRUE(fs::exists(dir_ / "events" / "ID00000123.csv"));
    EXPECT_EQ(ex.Formats(), "CSV");
    ex.SetFormats(" dbf;xml ");
    EXPECT_EQ(ex.Formats(), "XML;DBF");
}

TEST_F(ExporterTest, WritesDbfTablesWithTheirSideFile) {
    std::ofstream(dir_ / "DB00001B.DBF") << "taken";  // the number 1 is in use
    Exporter ex;
    Aim(ex, "DBF", "Projekte");
    ex.WorkStart();
    for (int i = 1; i <= 5; ++i) ex.ItemAdd("Info_" + std::to_string(i), "Wert " + std::to_string(i));
    ex.ItemAdd("Project_ID", "42");
    ex.ItemAdd("Project_Name", "  Müller  ");
    ex.ItemAdd("Project_Text", std::string(60, 'x'));
    ex.ItemWrite();
    ex.WorkStop();

    const std::string side = Read(dir_ / "Projekte.db3");
    const std::string a = (dir_ / "DB00002A.dbf").string(), b = (dir_ / "DB00002B.dbf").string();
    EXPECT_EQ(side, "Info_1=Wert 1\r\nInfo_2=Wert 2\r\nInfo_3=Wert 3\r\nInfo_4=Wert 4\r\nInfo_5=Wert 5\r\n"
                    "Fields=" + a + "\r\nValues=" + b + "\r\n");

    const std::string dict = Read(a);
    EXPECT_EQ(dict.substr(97, 9 + 254).substr(1, 8), "FLD00006");
    EXPECT_EQ(dict.substr(97 + 263 + 1, 8), "FLD00007");
    EXPECT_EQ(dict.substr(97 + 2 * 263 + 1, 8), "FLD00008");
    EXPECT_EQ(dict.substr(97 + 2 * 263 + 9, 12), "Project_Text");

    const std::string data = Read(b);
    ASSERT_EQ(data.size(), 32u + 3 * 32 + 1 + (1 + 3 * 50) + 1);
    EXPECT_EQ(data.substr(32, 8), "FLD00006");
    const std::string record = data.substr(32 + 96 + 1, 151);
    EXPECT_EQ(record.substr(1, 2), "42");
    EXPECT_EQ(record.substr(51, 7), "M\xFCller ") << "trimmed, Windows-1252";
    EXPECT_EQ(record.substr(101, 50), std::string(50, 'x')) << "cut to 50";

    // ClearBefore removes the earlier tables and side files
    ex.ClearBefore = true;
    ex.SetFormats("CSV;DBF");
    ex.WorkStart();
    ex.ItemAdd("Project_ID", "1");
    ex.ItemWrite();
    ex.WorkStop();
    EXPECT_TRUE(fs::exists(dir_ / "DB00001B.DBF")) << "no export wrote it: kept";
    EXPECT_FALSE(fs::exists(dir_ / "DB00001A.dbf"));
    EXPECT_NE(Read(dir_ / "Projekte.db3").find("DB00002A.dbf"), std::string::npos) << "the cleared number is free";
}

TEST_F(ExporterTest, WritesTheMdbAsADatabaseWithTheTableProjectData) {
    Exporter ex;
    Aim(ex, "MDB", "Projekt");
    WriteSample(ex);
    ASSERT_TRUE(fs::exists(dir_ / "Projekt.mdb"));

    db::Database db = db::Database::Open((dir_ / "Projekt.mdb").string());
    const db::TableDef table = db.TableDefs().Item("ProjectData");
    std::vector<std::string> names;
    for (const auto& f : table.Fields()) {
        names.push_back(f.Name());
        if (f.Name() == "ID") {
            EXPECT_EQ(f.Type(), db::FieldType::Long);
        } else {
            EXPECT_EQ(f.Type(), db::FieldType::Text) << f.Name();
            EXPECT_EQ(f.Size(), 255) << f.Name();
        }
    }
    EXPECT_EQ(names, (std::vector<std::string>{"ID", "Info_Program", "Project_Name", "Project_Text", "Project_Empty"}));

    auto rs = db.OpenRecordset("SELECT * FROM ProjectData ORDER BY ID", db::RecordsetType::Snapshot);
    ASSERT_FALSE(rs.Eof());
    EXPECT_EQ(rs.Get("ID").ToLong(), 1);
    EXPECT_EQ(rs.Get("Project_Name").ToText(), "Müller & Co <AG>");
    EXPECT_EQ(rs.Get("Project_Text").ToText(), "Er sagte \"Ja\" & ging's an € 5");
    EXPECT_TRUE(rs.Get("Project_Empty").IsNull()) << "an empty value is stored as Null";
    rs.MoveNext();
    EXPECT_EQ(rs.Get("ID").ToLong(), 2);
    EXPECT_EQ(rs.Get("Project_Text").ToText(), StrMidSafe(LongText(), 1, 255)) << "cut to the field size";
    rs.MoveNext();
    EXPECT_TRUE(rs.Eof());
    EXPECT_THROW(db.Execute("INSERT INTO ProjectData (ID) VALUES (0)"), std::exception) << "ID must be above 0";
    rs.Close();
    db.Close();

    // one file per item: each file holds its item, numbered by the run's item counter
    ex.MakeOneFile = false;
    ex.SubDir = "einzeln";
    ex.FileWithFieldID = true;
    ex.WorkStart();
    for (int id : {7, 8}) {
        for (int i = 1; i <= 5; ++i) ex.ItemAdd("Info_" + std::to_string(i), "i");
        ex.ItemAdd("Project_ID", std::to_string(id));
        ex.ItemWrite();
    }
    ex.WorkStop();
    db::Database second = db::Database::Open((dir_ / "einzeln" / "Projekt-ID00000008.mdb").string());
    auto row = second.OpenRecordset("ProjectData", db::RecordsetType::Snapshot);
    EXPECT_EQ(row.Get("ID").ToLong(), 2);
    EXPECT_EQ(row.Get("Project_ID").ToText(), "8");
    EXPECT_EQ(row.RecordCount(), 1);
    row.Close();
    // the second file is a copy of the empty database the first one started as: it keeps the
    // key's rule, and the first file keeps its own record only
    EXPECT_THROW(second.Execute("INSERT INTO ProjectData (ID) VALUES (0)"), std::exception) << "ID must be above 0";
    second.Close();
    db::Database first = db::Database::Open((dir_ / "einzeln" / "Projekt-ID00000007.mdb").string());
    auto only = first.OpenRecordset("SELECT ID, Project_ID FROM ProjectData", db::RecordsetType::Snapshot);
    only.MoveLast();
    EXPECT_EQ(only.RecordCount(), 1);
    EXPECT_EQ(only.Get("ID").ToLong(), 1);
    EXPECT_EQ(only.Get("Project_ID").ToText(), "7");
    only.Close();
    first.Close();

    // ClearBefore removes the earlier databases
    ex.ClearBefore = true;
    ex.WorkStart();
    for (int i = 1; i <= 5; ++i) ex.ItemAdd("Info_" + std::to_string(i), "i");
    ex.ItemAdd("Project_ID", "9");
    ex.ItemWrite();
    ex.WorkStop();
    EXPECT_FALSE(fs::exists(dir_ / "einzeln" / "Projekt-ID00000008.mdb"));
    EXPECT_TRUE(fs::exists(dir_ / "einzeln" / "Projekt-ID00000009.mdb"));
    for (const auto& f : Files()) EXPECT_NE(f.extension(), ".part") << f;
}

TEST_F(ExporterTest, AnUnwritableFolderIsNamedAndNothingLooksComplete) {
    // a folder that cannot exist: its parent is a file (root may write anywhere else)
    std::ofstream(dir_ / "akten") << "a file, not a folder";
    const fs::path target = dir_ / "akten" / "export";
    for (const char* format : {"XML", "MDB", "CSV", "TXT", "DBF", "XML;MDB;CSV;TXT;DBF"}) {
        SCOPED_TRACE(format);
        Exporter ex;
        ex.Path = target.string();
        ex.SetFormats(format);
        ex.WorkStart();
        ex.ItemAdd("Project_ID", "1");
        try {
            ex.ItemWrite();
            ADD_FAILURE() << "no error";
        } catch (const AppError& e) {
            EXPECT_EQ(e.Number(), 75);
            EXPECT_NE(e.Description().find(target.string()), std::string::npos) << e.Description();
        }
        EXPECT_EQ(Files(), std::vector<fs::path>{dir_ / "akten"});
    }
}

TEST_F(ExporterTest, AFailedRunLeavesNoFileUnderItsRealName) {
    Exporter ex;
    Aim(ex, "XML;MDB;CSV;TXT;DBF", "halb");
    ex.WorkStart();
    ex.ItemAdd("Info_Event", "export");
    ex.ItemAdd("Project_ID", "1");
    ex.ItemWrite();
    for (const char* ext : {".xml", ".mdb", ".csv", ".txt", ".db3"})
        EXPECT_FALSE(fs::exists(dir_ / ("halb" + std::string(ext)))) << ext << " still being written";
    ex.Clear();  // the run is abandoned
    EXPECT_TRUE(Files().empty()) << "the dBase tables of an abandoned run go with it";
}

TEST_F(ExporterTest, ClearingRemovesOnlyFilesOfEarlierExports) {
    // the users' own files and the open database share the folder with the exports
    for (const char* own : {"Notizen.txt", "Kanzlei.mdb", "Brief.xml", "LISTEA.DBF"}) std::ofstream(dir_ / own) << own;
    fs::create_directories(dir_ / "daneben");
    std::ofstream(dir_ / "daneben" / "fremd.csv") << "outside the export folder";
    const std::string database = (dir_ / "Kanzlei.mdb").string();
    const auto run = [&](bool clear, const char* name) {
        Exporter ex;
        Aim(ex, "XML;MDB;CSV;TXT;DBF", name);
        ex.MakeOneFile = false;
        ex.ClearBefore = clear;
        ex.Keep = {database};
        ex.WorkStart();
        for (int id : {1, 2}) {
            ex.ItemAdd("Info_Event", "export");
            ex.ItemAdd("Project_ID", std::to_string(id));
            ex.ItemWrite();
        }
        ex.WorkStop();
    };
    run(false, "Kanzlei");  // the database's own name: the export must not take it
    const std::vector<std::string> first = ExportLedger(dir_.string()).Names();
    EXPECT_EQ(first.size(), 2u * 7u) << "xml, mdb, csv, txt, db3 and two dBase tables per item";
    EXPECT_EQ(Read(database), "Kanzlei.mdb") << "never replaced";
    // a list edited by hand must not reach beyond the folder or the kept files
    std::ofstream(dir_ / ExportLedger::kFileName, std::ios::app) << "../daneben/fremd.csv\nKanzlei.mdb\n";

    run(true, "Neu");
    // the dBase tables' numbers are free again and taken by the new run: 2 tables per item
    long tables = 0;
    for (const auto& name : first) {
        if (name.rfind("DB0", 0) == 0)
            tables += fs::exists(dir_ / name);
        else
            EXPECT_FALSE(fs::exists(dir_ / name)) << name << " of the earlier run";
    }
    EXPECT_EQ(tables, 4);
    for (const char* own : {"Notizen.txt", "Kanzlei.mdb", "Brief.xml", "LISTEA.DBF"})
        EXPECT_EQ(Read(dir_ / own), own) << own;
    EXPECT_TRUE(fs::exists(dir_ / "daneben" / "fremd.csv"));
    EXPECT_EQ(ExportLedger(dir_.string()).Names().size(), 1u + 2u * 7u) << "the kept name and the new run";
}

TEST_F(ExporterTest, EveryFileOfARunGetsItsOwnSafeName) {
    // account codes as users type them; the last two share their last eight characters
    const std::vector<std::string> codes = {"A/B", "C\\D", "E:F*G?", "\"<>|", "x\ty\x01", "100012345678",
                                            "200012345678"};
    Exporter ex;
    ex.SetFormats("XML;CSV");
    ex.Path = dir_.string();
    ex.SubDir = "events";
    ex.SetFileNameNone();
    ex.FileWithFieldID = true;
    ex.MakeOneFile = false;
    ex.WorkStart();
    for (const auto& code : codes) {
        ex.IDtext = StrPadLeft(code, 8, U'0');
        ex.ItemAdd("Project_AccountCode", code);
        ex.ItemWrite();
    }
    ex.WorkStop();
    EXPECT_EQ(ex.ItemsCount(), static_cast<long>(codes.size()));
    std::set<std::string> written;
    for (const auto& f : Files()) {
        const std::string name = f.filename().string();
        if (f.extension() != ".csv") continue;
        EXPECT_EQ(name.find_first_of("/\\:*?\"<>|\t\x01"), std::string::npos) << name;
        const std::string csv = Read(f);
        written.insert(csv.substr(csv.find("\r\n") + 2));
    }
    EXPECT_EQ(written.size(), codes.size()) << "no file replaced another";
    EXPECT_EQ(written.count("\"A/B\"\r\n"), 1u) << "the data keep the code";
}

TEST_F(ExporterTest, NoValueBreaksTheStructureOfAFile) {
    Exporter ex;
    Aim(ex, "XML;MDB;CSV;TXT", "Werte");
    ex.WorkStart();
    ex.ItemAdd("Project_Text", "Zeile 1\r\nZeile\t2\x01\x1f Ende");
    ex.ItemAdd("Project_Name", "B\u00e4r \u20ac \U0001F600");
    ex.ItemWrite();
    ex.WorkStop();

    const std::string xml = Read(dir_ / "Werte.xml");
    EXPECT_NE(xml.find("<Project_Name>B&#228;r &#8364; &#128512;</Project_Name>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("<Project_Text>Zeile 1&#13;&#10;Zeile&#9;2   Ende</Project_Text>"), std::string::npos) << xml;
    for (char c : xml) EXPECT_TRUE(c == '\r' || c == '\n' || (c >= 32 && c < 127)) << static_cast<int>(c);

    // any SQLite program reads the database: it needs no collation of ours
    sqlite3* plain = nullptr;
    ASSERT_EQ(sqlite3_open_v2((dir_ / "Werte.mdb").c_str(), &plain, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* query = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(plain, "SELECT Project_Name FROM ProjectData ORDER BY Project_Text, Project_Name", -1,
                                 &query, nullptr),
              SQLITE_OK)
        << sqlite3_errmsg(plain);
    EXPECT_EQ(sqlite3_step(query), SQLITE_ROW) << sqlite3_errmsg(plain);
    sqlite3_finalize(query);
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(plain, "PRAGMA integrity_check", nullptr, nullptr, &error), SQLITE_OK) << error;
    sqlite3_free(error);
    sqlite3_close(plain);
}

}  // namespace
}  // namespace tlx4r
