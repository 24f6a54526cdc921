#include "host/HostDocuments.h"
#include "host/HostOptions.h"
#include "host/HostTrace.h"

#include "platform/MemoryStore.h"
#include "types/AppError.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace tlx4r {
namespace {

namespace fs = std::filesystem;

using test::TempDir;

std::string ReadAll(const fs::path& p) { return test::FileBytes(p.string()); }

// --- Options.

const char kHostOptions[] = "Software\\Kelvora\\Finance\\V4\\Host\\Options";

TEST(HostOptions, UserBeatsMachineBeatsTheBuiltInDefault) {
    platform::MemoryStore user;
    platform::MemoryStore machine;
    HostOptions options(user, machine);
    EXPECT_TRUE(options.Boolean("EnableExporter"));
    EXPECT_EQ(options.Text("ProjectExportFormats"), "");
    EXPECT_FALSE(options.Boolean("NoSuchOption"));
    EXPECT_EQ(options.Text("NoSuchOption"), "");

    machine.KeyCreate(kHostOptions);
    machine.ValueSet(kHostOptions, "EnableExporter", std::int32_t{0});
    machine.ValueSet(kHostOptions, "ProjectExportFormats", std::string("XML;CSV"));
    EXPECT_FALSE(options.Boolean("enableexporter"));
    EXPECT_EQ(options.Text("PROJECTEXPORTFORMATS"), "XML;CSV");

    options.SetBoolean("EnableExporter", true);
    options.SetText("ProjectExportFormats", "DBF");
    EXPECT_EQ(user.ValueGet(kHostOptions, "EnableExporter"),
              platform::RegistryValue(std::int32_t{-1}));
    EXPECT_TRUE(options.Boolean("EnableExporter"));
    EXPECT_EQ(options.Text("ProjectExportFormats"), "DBF");

    options.Reset("EnableExporter");
    EXPECT_FALSE(options.Boolean("EnableExporter"));
}

TEST(HostOptions, ReadsHandEditedBooleansAndIgnoresNonsense) {
    platform::MemoryStore user;
    platform::MemoryStore machine;
    HostOptions options(user, machine);
    user.KeyCreate(kHostOptions);
    for (const char* yes : {"ja", " TRUE ", "1", "-1", "Wahr"}) {
        user.ValueSet(kHostOptions, "Flag", std::string(yes));
        EXPECT_TRUE(options.Boolean("Flag")) << yes;
    }
    for (const char* no : {"nein", "False", "0", ""}) {
        user.ValueSet(kHostOptions, "EnableExporter", std::string(no));
        EXPECT_FALSE(options.Boolean("EnableExporter")) << no;
    }
    user.ValueSet(kHostOptions, "EnableExporter", std::string("vielleicht"));
    EXPECT_TRUE(options.Boolean("EnableExporter"));  // the default, not a guess
}

// --- Trace.

TEST(HostTrace, KeepsRecordsAndLogsOneLineEach) {
    TempDir dir;
    HostTrace trace(dir.Path() / "state" / "trace.log", 3);
    trace.Write("Reporting", {"DBOpen", "1", "/daten/Büro Data.tdb4r"});
    trace.Write("Reporting", {"Initialize", "Version=\"4.0.0\""});
    trace.Write("Reporting", {"AnalyzeCount", db::Value(), "SQL=SELECT *\tFROM\r\nProject"});
    trace.Write("Reporting", {"DBClose", "1", "x"});

    ASSERT_EQ(trace.Records().size(), 3u);  // the oldest went
    EXPECT_EQ(trace.Records().front().Text(), "Reporting\tInitialize\tVersion=\"4.0.0\"");
    EXPECT_EQ(trace.Records()[1].Text(),
              "Reporting\tAnalyzeCount\t\tSQL=SELECT *\\tFROM\\r\\nProject");
    EXPECT_EQ(trace.LastError(), "");

    std::string log = ReadAll(trace.LogFile());
    std::istringstream lines(log);
    std::vector<std::string> texts;
    for (std::string line; std::getline(lines, line);) {
        ASSERT_GT(line.size(), 24u);
        EXPECT_EQ(line[4], '-');
        EXPECT_EQ(line[23], '\t') << line;  // "yyyy-mm-dd hh:mm:ss.mmm" then the record
        texts.push_back(line.substr(24));
    }
    ASSERT_EQ(texts.size(), 4u);  // the log keeps what memory let go
    EXPECT_EQ(texts[0], "Reporting\tDBOpen\t1\t/daten/Büro Data.tdb4r");
}

TEST(HostTrace, StartsANewLogPastItsSizeAndNeverFailsItsCaller) {
    TempDir dir;
    HostTrace small(dir.Path() / "trace.log", 10, 100);
    for (int i = 0; i < 6; ++i)
        small.Write("Reporting", {"Step", std::to_string(i), std::string(20, 'x')});
    EXPECT_TRUE(fs::exists(dir.Path() / "trace.log.1"));
    EXPECT_LE(fs::file_size(dir.Path() / "trace.log"), 200u);
    EXPECT_EQ(small.Records().size(), 6u);

    std::ofstream(dir.Path() / "plain-file") << "x";
    HostTrace broken(dir.Path() / "plain-file" / "trace.log");
    broken.Write("Reporting", {"DBOpen", "1", "a"});
    EXPECT_NE(broken.LastError(), "");
    EXPECT_EQ(broken.Records().size(), 1u);
}

// --- Documents.

class RecordingOpener : public platform::DocumentOpener {
public:
    int Open(const std::string& path, const std::string& dir) override {
        opened.push_back(path + "|" + dir);
        return result;
    }
    int result = 42;
    std::vector<std::string> opened;
};

TEST(HostDocuments, OpensInTheDocumentsFolderAndReportsFailures) {
    RecordingOpener opener;
    HostDocuments documents(opener);
    documents.Open("Reporting", {"open", "/daten/Kosten 2017.xlsx", ""});
    documents.Open("Reporting", {"OPEN", "/daten/b.xls"});
    documents.Open("Reporting", {db::Value(), "/daten/c.xls"});
    EXPECT_EQ(opener.opened,
              (std::vector<std::string>{"/daten/Kosten 2017.xlsx|/daten/", "/daten/b.xls|/daten/",
                                        "/daten/c.xls|/daten/"}));

    EXPECT_THROW(documents.Open("Reporting", {"print", "/daten/c.xls"}), AppError);
    EXPECT_THROW(documents.Open("Reporting", {"open", "  "}), AppError);
    EXPECT_EQ(opener.opened.size(), 3u);

    opener.result = 2;
    try {
        documents.Open("Reporting", {"open", "/daten/weg.xls"});
        FAIL() << "a failed open went unnoticed";
    } catch (const AppError& e) {
        EXPECT_EQ(e.Number(), 2);
        EXPECT_EQ(e.Description(),
                  "Kann Dokument nicht öffnen!\r\n/daten/weg.xls\r\nFile not found");
    }
}

}  // namespace
}  // namespace tlx4r
