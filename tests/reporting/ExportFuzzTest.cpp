// Mutated values through the export writers, read back by readers that share no code with them:
// Python's XML and CSV parsers, a line-and-tab split, an independent dBase reader and a plain
// SQLite connection. Every file parses, has one row per item, and gives each value back as the
// format can hold it.
#include "reporting/DbfTable.h"
#include "reporting/Exporter.h"

#include "db/TempDb.h"
#include "support/Mutator.h"
#include "support/RunProgram.h"
#include "types/Utf8.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <map>
#include <memory>
#include <sstream>

namespace tlx4r {
namespace {

using db::test::TempDir;

std::string Unhex(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

// The value as an XML parser reads it back: characters XML cannot hold at all become blanks.
std::string AsXmlReadsIt(const std::string& value) {
    std::u32string chars = utf8::Decode(value);
    for (char32_t& c : chars) {
        const bool allowed = c == U'\t' || c == U'\n' || c == U'\r' || (c >= 0x20 && c <= 0xD7FF) ||
                             (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
        if (!allowed) c = U' ';
    }
    return utf8::Encode(chars);
}

// The value on one line of a delimited file: tabs and line ends become blanks, bytes that are
// no UTF-8 their Windows-1252 characters.
std::string OnOneLine(const std::string& value) {
    std::string text = utf8::Encode(utf8::Decode(value));
    for (char& c : text)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return text;
}

TEST(ExportFuzz, MutatedValuesComeBackFromEveryFormatThroughForeignReaders) {
    TempDir dir;
    test::Mutator mutator(4711, {"&", "<", ">", "\"", "'", ";", ",", "\t", "\r\n", "\n", "\r", std::string(1, '\0'),
                                 "\x01", "\x1f", "\x7f", "]]>", "&#", "&amp;", "\xE2\x82\xAC", "\xF0\x9F\x98\x80",
                                 "\xFF", "\xC3", "\xED\xA0\x80", "\xEF\xBF\xBE", "<!--", "\\"});
    const std::vector<std::string> seeds = {"Müller & Co <AG>", "Er sagte \"Ja\" & ging's an € 5", "1'234.50",
                                            "Zeile 1\r\nZeile 2", "", "Grüezi & <Adé> Grüezi & <Adé> Grüezi"};
    const long items = test::Mutator::Budget(300);
    const char* const fields[] = {"Project_Name", "Project_Text", "Client_City"};
    std::vector<std::vector<std::string>> written;

    Exporter ex;
    ex.SetTypeAll();
    ex.TypeDBF = false;  // the dBase tables have fields of their own; DbfTable is fed below
    ex.Path = dir.File("");
    ex.FileName = "Fuzz";
    ex.SetFileNameNone();
    ex.WorkStart();
    for (long i = 0; i < items; ++i) {
        written.emplace_back();
        for (const char* field : fields) {
            written.back().push_back(mutator.MutateOneOf(seeds));
            ex.ItemAdd(field, written.back().back());
        }
        ex.ItemWrite();
    }
    ex.WorkStop();

    const test::Outcome exports = test::RunProgram("python3", {TLX4R_TEST_DATA "/read_exports.py", dir.File("Fuzz")}, dir);
    ASSERT_EQ(exports.exit_code, 0) << exports.err;
    std::map<std::string, std::vector<std::vector<std::string>>> read;
    std::istringstream lines(exports.out);
    for (std::string line; std::getline(lines, line);) {
        const std::string format = line.substr(0, 3);
        std::vector<std::string> row;
        std::istringstream hexes(line.substr(4));
        for (std::string hex; std::getline(hexes, hex, ',');) row.push_back(Unhex(hex));
        if (line.size() > 4 && line.back() == ',') row.emplace_back();
        if (line.size() == 4) row.emplace_back();
        read[format].push_back(row);
    }
    for (const std::string format : {"xml", "csv", "txt"}) {
        SCOPED_TRACE(format);
        ASSERT_EQ(read[format].size(), written.size());
        for (std::size_t i = 0; i < written.size(); ++i) {
            ASSERT_EQ(read[format][i].size(), 3u) << "item " << i;
            for (std::size_t f = 0; f < 3; ++f) {
                const std::string& value = written[i][f];
                const std::string expected = format == "xml" ? AsXmlReadsIt(value) : OnOneLine(value);
                EXPECT_EQ(read[format][i][f], expected) << "item " << i << " field " << f;
            }
        }
    }

    sqlite3* plain = nullptr;
    ASSERT_EQ(sqlite3_open_v2(dir.File("Fuzz.mdb").c_str(), &plain, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> closer(plain, sqlite3_close);
    sqlite3_stmt* query = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(plain, "SELECT Project_Name, Project_Text, Client_City FROM ProjectData ORDER BY rowid",
                                 -1, &query, nullptr),
              SQLITE_OK)
        << sqlite3_errmsg(plain);
    std::size_t row = 0;
    for (; sqlite3_step(query) == SQLITE_ROW && row < written.size(); ++row) {
        for (int f = 0; f < 3; ++f) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(query, f));
            const std::string got = text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(query, f))) : "";
            EXPECT_EQ(got, written[row][static_cast<std::size_t>(f)]) << "mdb item " << row << " field " << f;
        }
    }
    sqlite3_finalize(query);
    EXPECT_EQ(row, written.size());

    // dBase: any value makes a table the independent reader accepts, one record each.
    const std::string dbf = dir.File("Fuzz.dbf");
    DbfTable::Create(dbf, {{"NAME", 30}, {"TEXT", 254}});
    DbfTable table;
    table.Open(dbf);
    for (const auto& values : written) {
        table.AddNew();
        table.SetField("NAME", values[0]);
        table.SetField("TEXT", values[1]);
        table.Update();
    }
    table.Close();
    const test::Outcome tables = test::RunProgram("python3", {TLX4R_TEST_DATA "/read_dbf.py", dbf}, dir);
    ASSERT_EQ(tables.exit_code, 0) << tables.err;
    EXPECT_NE(tables.out.find("records=" + std::to_string(written.size()) + " "), std::string::npos)
        << tables.out.substr(0, 200);
}

}  // namespace
}  // namespace tlx4r
