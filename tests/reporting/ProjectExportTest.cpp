#include "masterdata/Clients.h"
#include "masterdata/Projects.h"

#include "core/Reporting.h"
#include "core/modPathGet.h"
#include "db/Database.h"
#include "masterdata/MasterDataFixture.h"
#include "types/AppError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <regex>
#include <set>

namespace tlx4r {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// One CSV line of the exporter ("a";"b""c") split into its values.
std::vector<std::string> CsvValues(const std::string& line) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < line.size()) {
        EXPECT_EQ(line[i], '"') << line;
        std::string value;
        for (++i; i < line.size(); ++i) {
            if (line[i] == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                value += '"';
                ++i;
            } else if (line[i] == '"') {
                break;
            } else {
                value += line[i];
            }
        }
        out.push_back(value);
        i += 2;  // the closing quote and the ";"
    }
    return out;
}

// The items of the first data row of an export CSV, by field name (a repeated name keeps its
// first value), and the field names in order.
struct CsvItem {
    std::vector<std::string> fields;
    std::map<std::string, std::string> values;
    std::size_t rows = 0;
};

CsvItem ReadCsv(const fs::path& p) {
    const std::string text = Read(p);
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    CsvItem item;
    if (lines.size() < 2) return item;
    item.fields = CsvValues(lines[0]);
    const auto values = CsvValues(lines[1]);
    EXPECT_EQ(values.size(), item.fields.size());
    for (std::size_t i = 0; i < item.fields.size() && i < values.size(); ++i) item.values.emplace(item.fields[i], values[i]);
    item.rows = lines.size() - 1;
    return item;
}

class ProjectExportTest : public test::MasterDataTest {
protected:
    void TearDown() override { ::unsetenv("KELVORA_DEBUG"); }
    fs::path Folder() const { return fs::path(DatabaseFolderGet(path)); }

    // The files of a folder whose names match pattern.
    static std::vector<fs::path> Matching(const fs::path& folder, const std::string& pattern) {
        std::vector<fs::path> out;
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            if (it->path().filename().string().front() == '.') continue;  // the exporter's list of its files
            if (std::regex_match(it->path().filename().string(), std::regex(pattern))) out.push_back(it->path());
        }
        std::sort(out.begin(), out.end());
        return out;
    }

    std::int32_t NewProject(const std::string& code, const std::string& name, std::int32_t client = 0) {
        Project p(*root.Projects());
        p.AccountCode = code;
        p.AccountName = name;
        p.ClientID = client;
        p.PersonID = 1;
        p.DateBegin = Date::FromYmd(2017, 1, 31);
        p.Rate = Currency::FromInt(1250);
        p.Update();
        return p.ID();
    }

    std::int32_t NewClient() {
        Client c(*root.Clients());
        c.KeyName = "Bühler";
        c.Company = "Bühler & Söhne AG";
        c.City = "Bern";
        c.Update();
        return c.ID();
    }

    void SetUp() override {
        MasterDataTest::SetUp();
        if (IsSkipped()) return;
        // where a server database's exports go: a folder of the documents folder, here the test's
        ::setenv("KELVORA_DEBUG", dir.Path().c_str(), 1);
        Db().Execute("INSERT INTO Person (ID, PersonNameFull, PersonNameShort, PersonRate) "
                     "VALUES (1, \"Anna Muster\", \"AM\", 180)");
    }
};

TEST_F(ProjectExportTest, SavingAProjectExportsItAsCreatedThenUpdated) {
    const fs::path events = Folder() / "events";
    const std::string stamp = R"(\d{8}-\d{6}-)";
    // without the host's option nothing is exported
    const std::int32_t client = NewClient();
    NewProject("0815", "Ohne Export");
    EXPECT_FALSE(fs::exists(events));

    host.options["ProjectExportFormats"] = "CSV;XML";
    const std::int32_t id = NewProject("1020", "Bühler & Söhne", client);
    const auto created = Matching(events, stamp + "ID00001020-project-created\\.csv");
    ASSERT_EQ(created.size(), 1u);
    EXPECT_EQ(Matching(events, stamp + "ID00001020-project-created\\.xml").size(), 1u);
    EXPECT_EQ(Projects::CreatedProjectID(), 0);

    const CsvItem item = ReadCsv(created[0]);
    EXPECT_EQ(item.rows, 1u);
    ASSERT_GE(item.fields.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(item.fields.begin(), item.fields.begin() + 6),
              (std::vector<std::string>{"Info_TimeStamp", "Info_Event", "Info_UserName", "Info_FinanceDatabase",
                                        "Info_ReportingDatabase", "Project_ID"}));
    EXPECT_TRUE(std::regex_match(item.values.at("Info_TimeStamp"), std::regex(R"(\d{8}-\d{6})")));
    EXPECT_EQ(item.values.at("Info_Event"), "created");
    EXPECT_EQ(item.values.at("Info_ReportingDatabase"), path);
    EXPECT_EQ(item.values.at("Project_ID"), std::to_string(id));
    EXPECT_EQ(item.values.at("Project_AccountName"), "Bühler & Söhne");
    EXPECT_EQ(item.values.at("Project_DateBegin"), "20170131");
    EXPECT_EQ(item.values.at("Project_Rate"), "1,250.00");
    EXPECT_EQ(item.values.at("Person_NameFull"), "Anna Muster");
    EXPECT_EQ(item.values.at("Client_Company"), "Bühler & Söhne AG");
    EXPECT_EQ(item.values.at("Client_Address1"), "") << "the raw line comes first";
    EXPECT_EQ(item.fields.back(), "Client_Address6");

    // a change is exported as "updated"; saving it unchanged exports nothing
    Project p = root.Projects()->Item(id);
    p.Text = "Erbteilung";
    p.Update();
    const auto updated = Matching(events, stamp + "ID00001020-project-updated\\.csv");
    ASSERT_EQ(updated.size(), 1u);
    EXPECT_EQ(ReadCsv(updated[0]).values.at("Project_Text"), "Erbteilung");
    fs::remove_all(events);
    p.Update();
    EXPECT_FALSE(fs::exists(events));

    // updating a client exports each of its projects as "updated"
    NewProject("1021", "Bühler Liegenschaften", client);
    fs::remove_all(events);
    Client c = root.Clients()->Item(client);
    c.City = "Thun";
    c.Update();
    const auto by_client = Matching(events, stamp + "ID0000102[01]-project-updated\\.csv");
    ASSERT_EQ(by_client.size(), 2u);
    for (const auto& f : by_client) EXPECT_EQ(ReadCsv(f).values.at("Client_City"), "Thun") << f;
    EXPECT_EQ(Matching(events, ".*\\.xml").size(), 2u);
    EXPECT_TRUE(Matching(events, ".*ID00000815.*").empty()) << "a project of no client";
}

TEST_F(ProjectExportTest, ExportAllWritesEveryProjectInEveryFormat) {
    const std::int32_t client = NewClient();
    NewProject("KONTO-123456789", "Lange Nummer");
    NewProject("7", "Kurze Nummer");
    NewProject("1100.2", "Müller & Co <AG>", client);
    Projects& projects = *root.Projects();
    std::vector<std::pair<long, long>> progress;
    projects.SetExportProgress([&progress](long done, long total) { progress.emplace_back(done, total); });

    EXPECT_EQ(projects.ExportAll(true, false, "XML;MDB;CSV;TXT;DBF"), 3);
    EXPECT_EQ(progress, (std::vector<std::pair<long, long>>{{1, 3}, {2, 3}, {3, 3}}));
    projects.SetExportProgress(nullptr);
    const fs::path out = Folder() / "export";
    // one file set, named after the first project in account-code order
    const std::string base = R"(\d{8}-\d{6}-ID001100\.2-project-export)";
    for (const char* ext : {"xml", "mdb", "csv", "txt", "db3"})
        EXPECT_EQ(Matching(out, base + "\\." + ext).size(), 1u) << ext;
    EXPECT_EQ(Matching(out, ".*").size(), 7u) << "and the two dBase tables";
    EXPECT_EQ(ReadCsv(Matching(out, base + "\\.csv")[0]).rows, 3u);

    {
        db::Database mdb = db::Database::Open(Matching(out, base + "\\.mdb")[0].string());
        auto rs = mdb.OpenRecordset("SELECT * FROM ProjectData ORDER BY ID", db::RecordsetType::Snapshot);
        std::vector<std::string> codes;
        for (long expected = 1; !rs.Eof(); rs.MoveNext(), ++expected) {
            EXPECT_EQ(rs.Get("ID").ToLong(), expected);
            EXPECT_EQ(rs.Get("Info_Event").ToText(), "export");
            codes.push_back(rs.Get("Project_AccountCode").ToText());
        }
        EXPECT_EQ(codes, (std::vector<std::string>{"1100.2", "7", "KONTO-123456789"}));
    }

    // an independent reader finds the data fields numbered after the five "Info_" items
    std::string cmd = "python3 " TLX4R_TEST_DATA "/read_dbf.py '" + (out / "DB00001A.dbf").string() + "'";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(cmd.c_str(), "r"), ::pclose);
    ASSERT_TRUE(pipe);
    std::string dictionary;
    std::array<char, 512> buf{};
    while (std::fgets(buf.data(), buf.size(), pipe.get())) dictionary += buf.data();
    EXPECT_EQ(dictionary.substr(0, dictionary.find('\n') + 1), "version=3 records=" +
                                                                   std::to_string(ReadCsv(Matching(out, base + "\\.csv")[0]).fields.size() - 5) +
                                                                   " fields=FLDSHORT:C8,FLDFULL:C254\n");
    EXPECT_NE(dictionary.find("\nFLDSHORT=FLD00006|FLDFULL=Project_ID\n"), std::string::npos) << dictionary;

    // one file per project, the older CSV files cleared first; the ID text is the account code
    // brought to eight characters
    EXPECT_EQ(projects.ExportAll(false, true, "CSV"), 3);
    const auto csv = Matching(out, ".*\\.csv");
    ASSERT_EQ(csv.size(), 3u);
    EXPECT_EQ(Matching(out, R"(\d{8}-\d{6}-ID00000007-project-export\.csv)").size(), 1u);
    EXPECT_EQ(Matching(out, R"(\d{8}-\d{6}-ID23456789-project-export\.csv)").size(), 1u);
    EXPECT_EQ(Matching(out, ".*\\.xml").size(), 1u) << "only the formats written are cleared";

    // no formats: the projects are counted, nothing is written
    fs::remove_all(out);
    EXPECT_EQ(projects.ExportAll(true, false, ""), 3);
    EXPECT_TRUE(Matching(out, ".*").empty());

    // one project, and the projects of one client, into "events" by default
    EXPECT_EQ(projects.ExportProject("", projects.ID("7"), "", false, "TXT"), 1);
    EXPECT_EQ(Matching(Folder() / "events", R"(\d{8}-\d{6}-ID00000007-project-export\.txt)").size(), 1u);
    EXPECT_EQ(projects.ExportClient("updated", client, "", false, "TXT"), 1);
    EXPECT_EQ(projects.ExportClient("updated", 999, "", false, "TXT"), 0);
    EXPECT_EQ(Matching(Folder() / "events", ".*").size(), 2u);
}

TEST_F(ProjectExportTest, AnUnwritableTargetFolderIsNamed) {
    NewProject("1020", "Keller");
    std::ofstream(Folder() / "akten") << "a file, not a folder";
    const fs::path target = Folder() / "akten" / "export";
    const auto before = Matching(Folder(), ".*");
    try {
        root.Projects()->ExportAll(true, false, "XML;MDB;CSV;TXT;DBF", target.string());
        ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
        EXPECT_NE(e.Description().find(target.string()), std::string::npos) << e.Description();
    }
    EXPECT_EQ(Matching(Folder(), ".*"), before);
}

TEST_F(ProjectExportTest, AwkwardCodesAndValuesNeitherLoseFilesNorStopTheRunUnnamed) {
    // codes that share their last eight characters, and one a file name cannot hold
    NewProject("1000/12345678", "Erstes");
    NewProject("2000/12345678", "Zweites");
    host.options["ProjectExportFormats"] = "CSV";
    EXPECT_NO_THROW(NewProject("Akte:7/24", "Gespeichert")) << "the change export on saving";
    EXPECT_EQ(Matching(Folder() / "events", ".*\\.csv").size(), 1u);

    Projects& projects = *root.Projects();
    ASSERT_EQ(projects.ExportAll(false, false, "CSV;XML"), 3);
    const auto csv = Matching(Folder() / "export", ".*\\.csv");
    ASSERT_EQ(csv.size(), 3u) << "one file per project";
    std::set<std::string> codes;
    for (const auto& file : csv) codes.insert(ReadCsv(file).values["Project_AccountCode"]);
    EXPECT_EQ(codes, (std::set<std::string>{"1000/12345678", "2000/12345678", "Akte:7/24"}));

    // a person ID beyond 32 bits, written by another program (a server's column refuses it itself)
    if (place_) return;
    Db().Execute("UPDATE Project SET PersonID = 5000000000 WHERE AccountCode = \"2000/12345678\"");
    try {
        projects.ExportAll(true, false, "CSV");
        ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
        EXPECT_NE(e.Description().find("2000/12345678"), std::string::npos) << e.Description();
        EXPECT_NE(e.Description().find("PersonID"), std::string::npos) << e.Description();
    }
}

}  // namespace
}  // namespace tlx4r
