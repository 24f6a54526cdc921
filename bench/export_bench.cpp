// The project export of 5,000 projects, each with its person, project type, department and
// client, into all five formats: as one file set per run (which must take under five seconds)
// and as one file set per project.
#include "core/Reporting.h"
#include "db/Database.h"
#include "db/Transaction.h"
#include "masterdata/Projects.h"
#include "platform/MemoryStore.h"
#include "ui/Ui.h"

#include "QuietUi.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using namespace tlx4r;

constexpr int kProjects = 5000;
constexpr int kClients = 500;
constexpr const char* kAllFormats = "XML;MDB;CSV;TXT;DBF";

// A user interface without windows.
// An office's master data: every project refers to a person, a project type, a department and
// (most of them) a client with a full address; texts carry umlauts and the XML specials.
void Fill(db::Database& db) {
    db::Transaction tx(db);
    for (int i = 1; i <= 10; ++i)
        db.Execute("INSERT INTO Person (ID, PersonNameFull, PersonNameShort, PersonRate) VALUES (" + std::to_string(i) +
                   ", \"Person Müller " + std::to_string(i) + "\", \"P" + std::to_string(i) + "\", 180)");
    for (int i = 1; i <= 5; ++i)
        db.Execute("INSERT INTO ProjectType (ID, ProjectTypeNameFull, ProjectTypeRate) VALUES (" + std::to_string(i) +
                   ", \"Geschäftsart " + std::to_string(i) + "\", 200)");
    for (int i = 1; i <= 4; ++i)
        db.Execute("INSERT INTO Department (ID, DepartmentNameFull, DepartmentRate) VALUES (" + std::to_string(i) +
                   ", \"Abteilung " + std::to_string(i) + "\", 0)");
    auto clients = db.OpenRecordset("Client", db::RecordsetType::Table);
    for (int i = 1; i <= kClients; ++i) {
        clients.AddNew();
        clients.Set("ID", db::Value(i));
        clients.Set("KeyName", db::Value("Klient " + std::to_string(i)));
        clients.Set("Company", db::Value("Bühler & Söhne <" + std::to_string(i) + "> AG"));
        clients.Set("FirstName", db::Value("Regula"));
        clients.Set("LastName", db::Value("Frei-Lüthi"));
        clients.Set("Address1", db::Value("Marktgasse " + std::to_string(i)));
        clients.Set("ZipCode", db::Value("3011"));
        clients.Set("City", db::Value("Bern"));
        clients.Set("Country", db::Value("Schweiz"));
        clients.Set("Email", db::Value("info@example.ch"));
        clients.Update();
    }
    clients.Close();
    auto projects = db.OpenRecordset("Project", db::RecordsetType::Table);
    for (int i = 1; i <= kProjects; ++i) {
        projects.AddNew();
        projects.Set("ID", db::Value(i));
        projects.Set("ClientID", db::Value(i % 10 == 0 ? 0 : 1 + i % kClients));
        projects.Set("PersonID", db::Value(1 + i % 10));
        projects.Set("ProjectTypeID", db::Value(1 + i % 5));
        projects.Set("DepartmentID", db::Value(1 + i % 4));
        projects.Set("AccountCode", db::Value("1100." + std::to_string(10000 + i)));
        projects.Set("AccountName", db::Value("Mandat \"Erbteilung\" " + std::to_string(i)));
        projects.Set("DateBegin", db::Value(Date::FromYmd(2017, 1, 31)));
        projects.Set("Text", db::Value("Vertrag & Vollmacht gemäss Besprechung vom 31.01.2017"));
        projects.Set("Rate", db::Value(Currency::FromInt(250)));
        projects.Set("PaymentLimit", db::Value(30));
        projects.Update();
    }
    projects.Close();
    tx.Commit();
}

void BM_ExportAll(benchmark::State& state) {
    const bool one_file = state.range(0) == 1;
    std::string folder = (std::filesystem::temp_directory_path() / "tlx4r-export-bench-XXXXXX").string();
    if (!::mkdtemp(folder.data())) std::abort();
    bench::QuietUi quiet;
    ui::ScopedUi installed(quiet);
    platform::MemoryStore user, machine;
    {
        Reporting root(user, machine);
        root.DatabaseNew(folder + "/bench.tdb4r");
        if (root.Database() == nullptr) std::abort();
        Fill(*root.Database());
        root.Projects()->Refresh();
        std::int32_t written = 0;
        for (auto _ : state) written = root.Projects()->ExportAll(one_file, true, kAllFormats);
        if (written != kProjects) state.SkipWithError("not every project was exported");
        state.counters["projects/s"] = benchmark::Counter(
            static_cast<double>(kProjects) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ExportAll)->ArgName("one_file")->Arg(1)->Arg(0)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
