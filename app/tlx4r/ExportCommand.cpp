// tlx4r export: the project export of a reporting database, as the host's menu runs it.
#include "Command.h"
#include "HostSession.h"

#include "masterdata/Projects.h"
#include "reporting/Tags.h"
#include "types/Utf8.h"

#include <chrono>
#include <filesystem>
#include <iostream>

namespace tlx4r::cli {

namespace {

constexpr const char* kUsage =
    "usage: tlx4r export REPORTING [--formats XML;CSV;...] [--one-file] [--clear] [--dir DIR] [--finance FINANCE]";

struct ExportArgs {
    DatabaseArgs database;
    std::string formats = "XML;MDB;CSV;TXT;DBF";
    bool one_file = false;
    bool clear = false;
    std::string dir;
};

std::optional<ExportArgs> Parse(const std::vector<std::string>& args) {
    ExportArgs out;
    std::vector<std::string> database_args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--formats" || a == "--dir") {
            if (i + 1 == args.size() || args[i + 1].empty()) {
                std::cerr << "tlx4r export: " << a << " needs a value\n" << kUsage << '\n';
                return std::nullopt;
            }
            (a == "--dir" ? out.dir : out.formats) = args[++i];
        } else if (a == "--one-file") {
            out.one_file = true;
        } else if (a == "--clear") {
            out.clear = true;
        } else {
            database_args.push_back(a);
        }
    }
    auto database = ParseDatabaseArgs("export", database_args, true, false);
    if (!database) {
        std::cerr << kUsage << '\n';
        return std::nullopt;
    }
    out.database = *database;

    Tags tags;
    tags.Add(out.formats);
    for (long i = 1; i <= tags.Count(); ++i) {
        const std::string tag = utf8::Upper(tags.Item(i));
        if (tag != "XML" && tag != "MDB" && tag != "CSV" && tag != "TXT" && tag != "DBF") {
            std::cerr << "tlx4r export: unknown format '" << tag << "' (XML, MDB, CSV, TXT, DBF)\n";
            return std::nullopt;
        }
    }
    if (tags.Count() == 0) {
        std::cerr << "tlx4r export: --formats names no format (XML, MDB, CSV, TXT, DBF)\n";
        return std::nullopt;
    }
    if (!out.dir.empty()) {
        std::error_code ec;
        out.dir = std::filesystem::absolute(out.dir, ec).lexically_normal().string();
    }
    return out;
}

// A progress line on stderr, rewritten in place, once a run has lasted a second; short runs
// stay silent.
class ProgressLine {
public:
    void operator()(long done, long total) {
        const auto now = std::chrono::steady_clock::now();
        if (now - start_ < std::chrono::seconds(1) && done < total) return;
        if (!shown_ && done == total) return;  // finished before the first line was due
        if (done < total && now - last_ < std::chrono::milliseconds(200)) return;
        last_ = now;
        shown_ = true;
        std::cerr << "\rexporting project " << done << " of " << total << std::flush;
    }
    void Finish() const {
        if (shown_) std::cerr << '\n';
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point last_{};
    bool shown_ = false;
};

}  // namespace

// Writes all projects with their person, project type, department and client into the chosen
// formats and prints the number of projects written.
int RunExport(const std::vector<std::string>& args) {
    auto parsed = Parse(args);
    if (!parsed) return 2;
    HostSession session;
    if (!session.Open(parsed->database)) return 1;
    Projects* projects = session.Root().Projects();
    if (projects == nullptr) return 1;

    ProgressLine progress;
    projects->SetExportProgress([&progress](long done, long total) { progress(done, total); });
    std::int32_t written = 0;
    try {
        written = projects->ExportAll(parsed->one_file, parsed->clear, parsed->formats, parsed->dir);
    } catch (...) {
        progress.Finish();
        projects->SetExportProgress(nullptr);
        throw;
    }
    progress.Finish();
    projects->SetExportProgress(nullptr);
    std::cout << written << '\n';
    return 0;
}

}  // namespace tlx4r::cli
