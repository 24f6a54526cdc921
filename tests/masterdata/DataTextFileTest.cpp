#include "masterdata/DataTextFile.h"

#include "MasterDataFixture.h"
#include "platform/Folders.h"
#include "masterdata/Datas.h"
#include "db/DbError.h"
#include "support/Mutator.h"
#include "types/AppError.h"

#include <filesystem>
#include <fstream>
#include <tuple>

namespace tlx4r {
namespace {

using test::MasterDataTest;

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<Datas*> AllTables(Reporting& root) {
    return {root.Departments(), root.ProjectTypes(), root.Persons(), root.Templates()};
}

// Every value of every row, for comparing a table before and after a round trip.
std::vector<std::string> Rows(Datas& table) {
    std::vector<std::string> rows;
    for (std::int32_t id = 1; id <= 12; ++id) {
        Data d = table.Item(id);
        if (d.ID == 0) continue;
        rows.push_back(std::to_string(d.ID) + "|" + d.NameFull + "|" + d.NameShort + "|" + d.Rate.Format(4, false) +
                       "|" + d.Charges.Format(4, false) + "|" + d.Expenses.Format(4, false) + "|" +
                       std::to_string(d.TypeCharges) + "|" + std::to_string(d.TypeExpenses));
    }
    return rows;
}

using Format = std::tuple<std::string, std::string, bool>;  // separator, delimiter, header

class DataTextRoundTrip : public MasterDataTest, public ::testing::WithParamInterface<Format> {};

TEST_P(DataTextRoundTrip, ExportThenImportGivesEveryTableBackExactly) {
    DataTextSettings settings;
    std::tie(settings.Separator, settings.Delimiter, settings.Header) = GetParam();
    settings.Extension = ".txt";
    // names carry umlauts and the other quote; with a delimiter also that one and the separator
    const std::string tricky = settings.Delimiter.empty()
                                   ? std::string("Müller \"Sohn\" & O'Brien")
                                   : "Müller " + settings.Delimiter + "Sohn" + settings.Delimiter + settings.Separator +
                                         " O'Brien \"Ärzte\"";
    Db().Execute("INSERT INTO Department VALUES (1, \"Grundbuch Zürich\", 95.5)");
    Db().Execute("INSERT INTO Department (ID, DepartmentNameFull) VALUES (3, \"Erbschaften\")");
    Db().Execute("INSERT INTO ProjectType VALUES (1, \"x\", 0)");
    Db().Execute("INSERT INTO ProjectType VALUES (2, \"Beurkundung\", 0)");
    Db().Execute("INSERT INTO Person VALUES (1, \"Jürg Bühler\", 210.1234, \"JB\")");
    Db().Execute("INSERT INTO Person (ID, PersonNameFull) VALUES (4, \"Zoë Lüthi\")");
    Db().Execute("INSERT INTO Template VALUES (1, \"Beglaubigung\", 40.5, 12.35, 4, 1)");
    Db().Execute("INSERT INTO Template (ID, TemplateNameFull, TemplateExpenses) VALUES (7, \"Kopien\", 0.05)");
    for (Datas* t : AllTables(root)) {
        auto& rs = t->Cursor().Get();
        rs.Seek("=", db::Value(std::int32_t{1}));
        rs.Edit();
        rs.Set(t->Flavor() + "NameFull", db::Value(tricky));
        rs.Update();
    }

    for (Datas* t : AllTables(root)) {
        SCOPED_TRACE(t->Flavor());
        const std::vector<std::string> before = Rows(*t);
        const std::string file = dir.File(t->Flavor() + ".txt");
        ui.ExpectMessage(file + "\r\n" + std::to_string(before.size()) + " " + t->FlavorTextAll() + " exportiert!",
                         ui::Answer::Ok, t->FlavorTextAll() + " exportieren", ui::Icon::Information);
        EXPECT_EQ(t->Export(file, settings), static_cast<long>(before.size()));

        ui.ExpectMessage("Alle " + t->FlavorTextAll() + " löschen?", ui::Answer::Yes,
                         "Alle " + t->FlavorTextAll() + " löschen?", ui::Icon::Question);
        ui.ExpectMessage(file + "\r\n" + std::to_string(before.size()) + " " + t->FlavorTextAll() + " importiert!",
                         ui::Answer::Ok, t->FlavorTextAll() + " importieren", ui::Icon::Information);
        Db().Execute("UPDATE " + t->Flavor() + " SET " + t->Flavor() + "NameFull = \"verändert\"");
        EXPECT_EQ(t->Import(file, settings), static_cast<long>(before.size()));
        EXPECT_EQ(Rows(*t), before);

        // an amount of 0 comes back as Null, written as an empty field: from the second round on
        // the file stays the same, byte for byte
        const std::string again = dir.File("again.txt");
        const std::string third = dir.File("third.txt");
        ui.ExpectMessageContaining(" exportiert!");
        t->Export(again, settings);
        ui.ExpectMessageContaining(" löschen?", ui::Answer::Yes);
        ui.ExpectMessageContaining(" importiert!");
        t->Import(again, settings);
        EXPECT_EQ(Rows(*t), before);
        ui.ExpectMessageContaining(" exportiert!");
        t->Export(third, settings);
        EXPECT_EQ(db::test::FileBytes(third), db::test::FileBytes(again));
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, DataTextRoundTrip,
                         ::testing::Combine(::testing::Values(";", ",", "\t"), ::testing::Values("", "\"", "'"),
                                            ::testing::Bool()));

TEST(DataTextFileTest, LinesSplitAndJoinAsTheSettingsSay) {
    const auto settings = [](std::string separator, std::string delimiter) {
        DataTextSettings s;
        s.Separator = std::move(separator);
        s.Delimiter = std::move(delimiter);
        return s;
    };
    DataTextFile quoted(settings(";", "\""));
    EXPECT_EQ(quoted.Line({"1", "Ein \"Test\"", ""}), "\"1\";\"Ein \"\"Test\"\"\";\"\"");
    EXPECT_EQ(quoted.Split("\"1\";\"Ein \"\"Test\"\"\";\"\""), (std::vector<std::string>{"1", "Ein \"Test\"", ""}));
    EXPECT_EQ(quoted.Split(" \"7\" ; \"a;b\" ;5"), (std::vector<std::string>{"7", "a;b", "5"}));
    EXPECT_EQ(quoted.Split("1;;"), (std::vector<std::string>{"1", "", ""}));
    DataTextFile plain(settings("\t", ""));
    EXPECT_EQ(plain.Split("1\tA \"B\"\t\t"), (std::vector<std::string>{"1", "A \"B\"", "", ""}));
    EXPECT_TRUE(plain.Unwritable("a\tb"));
    EXPECT_TRUE(quoted.Unwritable("a\r\nb"));
    EXPECT_FALSE(quoted.Unwritable("a;b"));

    for (auto [sep, del] : {std::pair{"", ""}, {";;", ""}, {";", ";"}, {";", "ab"}, {"\n", ""}}) {
        DataTextSettings bad;
        bad.Separator = sep;
        bad.Delimiter = del;
        EXPECT_THROW(DataTextFile{bad}, AppError) << sep << del;
    }
    EXPECT_THROW(DataTextFile::ReadLines("/nonexistent/x.csv"), AppError);
}

TEST_F(MasterDataTest, AFailingLineStopsTheImportAtItsLineAndLeavesTheTableAsItWas) {
    Datas& templates = *root.Templates();
    Db().Execute("INSERT INTO Template (ID, TemplateNameFull) VALUES (7, \"Bisher\")");
    const std::string file = dir.File("Standardtexte.csv");
    WriteBytes(file, "ID;TemplateNameFull;a;b;c;d\r\n\r\n1;Brief;10;0;2;1\r\n  2;Vollmacht;20,5;5;;1\r\n3;Kaputt;1;2;3\r\n"
                     "4;Nie;1;2;3;4\r\n");
    DataTextSettings settings;
    settings.Header = true;
    for (bool delete_all : {true, false}) {
        SCOPED_TRACE(delete_all);
        settings.DeleteAllFirst = delete_all;
        if (delete_all) ui.ExpectMessage("Alle Standardtexte löschen?", ui::Answer::Yes);
        ui.ExpectMessage("Fehler beim importieren in Zeile 5!\r\nStandardtext: Felder erwartet 6, Felder gefunden 5",
                         ui::Answer::Ok, "Standardtexte importieren", ui::Icon::Critical);
        EXPECT_EQ(templates.Import(file, settings), 0);
        EXPECT_EQ(templates.ImportError(),
                  "Fehler beim importieren in Zeile 5!\r\nStandardtext: Felder erwartet 6, Felder gefunden 5");
        EXPECT_EQ(Scalar("SELECT Count(*) FROM Template").ToLong(), 1);
        EXPECT_EQ(templates.Item(7).NameFull, "Bisher");
    }
    // the same file without its broken lines goes in whole
    WriteBytes(file, "1;Brief;10;0;2;1\r\n  2;Vollmacht;20,5;5;;1\r\n");
    settings.Header = false;
    ui.ExpectMessageContaining("2 Standardtexte importiert!");
    EXPECT_EQ(templates.Import(file, settings), 2);
    EXPECT_EQ(templates.Item(1).NameFull, "Brief");
    EXPECT_EQ(templates.Item(2).Charges, Currency::Parse("20.5"));  // a decimal comma is understood
    EXPECT_EQ(templates.Item(2).TypeCharges, 0);

    try {
        templates.ImportOneLine(DataTextFile(DataTextSettings()), "3;Kaputt;1;2;3");
        ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.Number(), 900);
        EXPECT_EQ(e.Source(), "ImportOneLine");
        EXPECT_EQ(e.Description(), "Standardtext: Felder erwartet 6, Felder gefunden 5");
    }
    try {
        templates.ImportOneLine(DataTextFile(DataTextSettings()), "x;Kaputt;1;2;3;4");
        ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.Number(), 13);
    }
    EXPECT_THROW(templates.ImportOneLine(DataTextFile(DataTextSettings()), "5;Kaputt;zehn;2;3;4"), AppError);
    EXPECT_EQ(templates.Item(5).ID, 0);  // nothing half-written
}

// Mutated lines of every lookup table: a line goes in whole, or is refused with the import's
// own error and leaves the table exactly as it was; nothing else may come out of it.
TEST_F(MasterDataTest, AMutatedLineGoesInWholeOrIsRefusedAndChangesNothing) {
    struct Table {
        Datas* data;
        const char* sql;  // what a refused line must leave unchanged
        std::vector<std::string> seeds;
    };
    const Table tables[] = {
        {root.Templates(), "SELECT Count(*) & '|' & Sum(ID) & '|' & Sum(TemplateCharges) & '|' & Max(TemplateNameFull) FROM Template",
         {"1;Brief;10;0;2;1", "2;\"Meier; Partner\";20,5;5;;1", "3;Vollmacht;1'234.50;-0.05;0;0"}},
        {root.Persons(), "SELECT Count(*) & '|' & Sum(ID) & '|' & Sum(PersonRate) & '|' & Max(PersonNameFull) FROM Person",
         {"1;Anna Muster;180;AM", "2;\"Bühler, Martin\";290.00;MB"}},
        {root.Departments(), "SELECT Count(*) & '|' & Sum(ID) & '|' & Max(DepartmentNameFull) FROM Department",
         {"1;Notariat", "2;\"Recht; Steuern\""}},
    };
    DataTextSettings settings;
    settings.Delimiter = "\"";
    const DataTextFile format(settings);
    test::Mutator mutator(20261205, {";", "\"", "\"\"", "'", ",", ".", "-", " ", "\t", "0", "9", "1e9", "2147483648",
                                     "-2147483649", "99999999999999999999", "1'000.50", "0,125", "\xC3\xA4", "\xFF",
                                     "\xC3", "NaN", "inf"});
    const long lines = test::Mutator::Budget(1000);
    long taken = 0;
    long refused = 0;
    for (long i = 0; i < lines; ++i) {
        const Table& table = tables[mutator.Pick(std::size(tables))];
        const std::string line = mutator.MutateOneOf(table.seeds);
        const std::string before = Scalar(table.sql).ToText();
        try {
            table.data->ImportOneLine(format, line);
            ++taken;
        } catch (const AppError&) {
            ++refused;
            EXPECT_EQ(Scalar(table.sql).ToText(), before) << "refused, yet changed: " << line;
        } catch (const db::DbError&) {
            ++refused;
            EXPECT_EQ(Scalar(table.sql).ToText(), before) << "refused, yet changed: " << line;
        } catch (const std::exception& e) {
            ADD_FAILURE() << "neither taken nor refused with the import's error: " << e.what() << "\nline: " << line;
        }
    }
    EXPECT_GT(taken, lines / 10);
    EXPECT_GT(refused, lines / 10);
}

TEST_F(MasterDataTest, AnAmountIsReadOneWayOnlyOrRefusedWithItsLineAndField) {
    struct Case {
        const char* text;
        const char* amount;  // nullptr: refused
    };
    const Case cases[] = {
        {"0,125", "0.125"}, {"-0,125", "-0.125"}, {"12,50", "12.5"},   {"1,5", "1.5"},
        {"1.125", "1.125"}, {"1,125.50", "1125.5"}, {"1'125.5", "1125.5"}, {"1,125,000", "1125000"},
        {"1,125", nullptr}, {"-2,500", nullptr},   {"1.125,50", nullptr}, {"1,12,5", nullptr},
    };
    Datas& departments = *root.Departments();
    const std::string file = dir.File("betraege.csv");
    DataTextSettings settings;
    settings.DeleteAllFirst = false;
    settings.Overwrite = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        WriteBytes(file, "1;Bern;5\r\n2;Thun;\"" + std::string(c.text) + "\"\r\n");
        settings.Delimiter = "\"";
        if (c.amount != nullptr) {
            ui.ExpectMessageContaining("2 Abteilungen importiert!");
            EXPECT_EQ(departments.Import(file, settings), 2);
            EXPECT_EQ(departments.Item(2).Rate, Currency::Parse(c.amount));
        } else {
            ui.ExpectMessageContaining("Zeile 2!");
            EXPECT_EQ(departments.Import(file, settings), 0);
            EXPECT_NE(departments.ImportError().find("DepartmentRate"), std::string::npos) << departments.ImportError();
            EXPECT_NE(departments.ImportError().find(c.text), std::string::npos) << departments.ImportError();
        }
    }
}

TEST_F(MasterDataTest, OlderFilesImportWithTheirUmlautsAndOptionsDecideAboutExistingRows) {
    Datas& departments = *root.Departments();
    const std::string file = dir.File("alt.csv");
    // Windows-1252, as older installations wrote it: ü = FC, è = E8, € = 80
    WriteBytes(file, "1;Z\xFCrich B\xFCro;95\r\n0;Gen\xE8ve \x80;\r\n");
    DataTextSettings settings;
    settings.DeleteAllFirst = false;
    ui.ExpectMessageContaining("2 Abteilungen importiert!");
    EXPECT_EQ(departments.Import(file, settings), 2);
    EXPECT_EQ(departments.ImportError(), "");
    EXPECT_EQ(departments.Item(1).NameFull, "Zürich Büro");
    EXPECT_EQ(departments.Item(2).NameFull, "Genève €");  // ID 0 takes the next free one
    EXPECT_TRUE(Scalar("SELECT DepartmentRate FROM Department WHERE ID = 2").IsNull());

    // UTF-8 with a byte-order mark; without overwrite the existing row 1 stays
    WriteBytes(file, "\xEF\xBB\xBF" "1;Bern;10\r\n5;Thun Süd;20");
    ui.ExpectMessageContaining("2 Abteilungen importiert!");
    EXPECT_EQ(departments.Import(file, settings), 2);
    EXPECT_EQ(departments.Item(1).NameFull, "Zürich Büro");
    EXPECT_EQ(departments.Item(5).NameFull, "Thun Süd");
    settings.Overwrite = true;
    ui.ExpectMessageContaining("importiert!");
    departments.Import(file, settings);
    EXPECT_EQ(departments.Item(1).NameFull, "Bern");
    EXPECT_EQ(departments.Item(1).Rate, Currency::FromInt(10));

    // deleting all first is asked; anything but Yes imports nothing
    settings.DeleteAllFirst = true;
    for (ui::Answer answer : {ui::Answer::No, ui::Answer::Cancel}) {
        ui.ExpectMessage("Alle Abteilungen löschen?", answer);
        EXPECT_EQ(departments.Import(file, settings), 0);
    }
    EXPECT_EQ(departments.Item(2).NameFull, "Genève €");

    // no file name: the user chooses one, or cancels
    ui.ExpectFileDialog(std::nullopt);
    EXPECT_EQ(departments.Export("", settings), 0);
    ASSERT_EQ(ui.FileDialogs().size(), 1u);
    EXPECT_EQ(ui.FileDialogs()[0].title, "Abteilungen Export");
    EXPECT_EQ(ui.FileDialogs()[0].file_name, "Abteilungen.csv");
    // beside the database; on a server, in the user's documents
    EXPECT_EQ(ui.FileDialogs()[0].initial_dir, place_ ? platform::XdgDocumentsDir().value_or("") : dir.File(""));

    // a separator inside a name cannot be written without a delimiter: refused before writing
    Db().Execute("UPDATE Department SET DepartmentNameFull = \"Bern; Thun\" WHERE ID = 1");
    const std::string out = dir.File("neu.csv");
    EXPECT_THROW(departments.Export(out, settings), AppError);
    EXPECT_FALSE(std::filesystem::exists(out));
    // a missing file is an error before anything is deleted
    EXPECT_THROW(departments.Import(dir.File("fehlt.csv"), settings), AppError);
    EXPECT_EQ(departments.Item(1).NameFull, "Bern; Thun");
}

}  // namespace
}  // namespace tlx4r
