// The transfer of 5,000 projects with 100,000 entries into the finance database, and an archive
// run over 100,000 entries, each on real files and through the dialogs' own code: both must
// finish in under two seconds.
#include "core/Reporting.h"
#include "core/frmArchive.h"
#include "core/frmTransfer.h"
#include "db/Database.h"
#include "db/Transaction.h"
#include "entries/Entries.h"
#include "host/HostDocuments.h"
#include "host/HostInterface.h"
#include "host/HostOptions.h"
#include "host/HostTrace.h"
#include "masterdata/Projects.h"
#include "platform/MemoryStore.h"
#include "ui/Ui.h"

#include "QuietUi.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

namespace {

using namespace tlx4r;

constexpr int kProjects = 5000;
constexpr int kEntries = 100000;

// The host with its finance database and the component with the reporting database linked to
// it, in a temporary folder: 5,000 client accounts (and a few ledger accounts), a project for
// each, and 20 entries of every record type per project, some archived, over two years.
class Office {
public:
    Office() : folder_(MakeFolder()) {
        root_.SetInterface(&host_);
        host_.DatabaseNew(folder_ + "/bench.tdb4f");
        root_.DatabaseNew(folder_ + "/bench.tdb4r");
        Fill();
    }
    ~Office() {
        root_.Tini();
        host_.DatabaseClose();
        std::filesystem::remove_all(folder_);
    }
    Office(const Office&) = delete;
    Office& operator=(const Office&) = delete;

private:
    static std::string MakeFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tlx4r-transfer-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        return pattern;
    }
    static std::string Code(int i) { return "1100." + std::to_string(10000 + i); }

    void Fill() {
        db::Database& finance = *host_.FinanceDatabase();
        {
            db::Transaction tx(finance);
            auto rs = finance.OpenRecordset("Accounts", db::RecordsetType::Table);
            for (int i = 1; i <= kProjects + 20; ++i) {
                rs.AddNew();
                rs.Set("ID", db::Value(i));
                rs.Set("Code", db::Value(i <= kProjects ? Code(i) : std::to_string(1000 + i)));
                rs.Set("Name", db::Value("Klient " + std::to_string(i)));
                rs.Set("IsGeneralLedger", db::Value(i > kProjects));
                rs.Set("Level", db::Value(2));
                rs.Update();
            }
            tx.Commit();
        }
        db::Database& reporting = *root_.Database();
        db::Transaction tx(reporting);
        auto projects = reporting.OpenRecordset("Project", db::RecordsetType::Table);
        for (int i = 1; i <= kProjects; ++i) {
            projects.AddNew();
            projects.Set("ID", db::Value(i));
            projects.Set("AccountCode", db::Value(Code(i)));
            projects.Set("AccountName", db::Value("Klient " + std::to_string(i)));
            projects.Update();
        }
        projects.Close();
        auto entries = reporting.OpenRecordset("Entry", db::RecordsetType::Table);
        const Date first = Date::FromYmd(2023, 1, 2);
        for (int i = 1; i <= kEntries; ++i) {
            entries.AddNew();
            entries.Set("ID", db::Value(i));
            entries.Set("ProjectID", db::Value(1 + i % kProjects));
            entries.Set("PersonID", db::Value(0));
            entries.Set("RecType", db::Value(1 + i % 7));
            entries.Set("Archive", db::Value(i % 10 == 0));
            entries.Set("BookDate", db::Value(first.AddDays(i % 700)));
            entries.Set("Charges", db::Value(Currency::FromUnits(1000 * (i % 997))));
            entries.Set("Expenses", db::Value(Currency::FromUnits(500 * (i % 13))));
            entries.Set("Billed", db::Value(Currency::FromUnits(i % 17 == 0 ? 5000000 : 0)));
            entries.Update();
        }
        entries.Close();
        tx.Commit();
        root_.Entries()->Refresh();
        root_.Projects()->Refresh();
    }

    std::string folder_;
    platform::MemoryStore user_;
    platform::MemoryStore machine_;
    HostOptions options_{user_, machine_};
    HostTrace trace_{folder_ + "/trace.log"};
    HostDocuments documents_;
    HostInterface host_{options_, trace_, documents_};
    Reporting root_{user_, machine_};
};

void BM_Transfer(benchmark::State& state) {
    bench::QuietUi agreeing{true};
    ui::ScopedUi installed(agreeing);
    Office office;
    frmTransfer form;
    for (auto _ : state) {
        form.Run(true);
        if (form.Failed()) {
            std::cerr << form.Summary() << '\n';
            std::abort();
        }
    }
    state.counters["projects"] = kProjects;
    state.counters["entries"] = kEntries;
}
BENCHMARK(BM_Transfer)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_Archive(benchmark::State& state) {
    bench::QuietUi agreeing{true};
    ui::ScopedUi installed(agreeing);
    Office office;
    frmArchive form;
    // All record types over a range that holds every entry: each run sets all 100,000 rows.
    form.DateTo(Date::FromYmd(2024, 12, 31));
    bool archive = true;
    for (auto _ : state) {
        // Archiving and reactivating by turns, so that every run changes the rows it selects.
        form.optArchive[archive ? 0 : 1].SetValue(true);
        archive = !archive;
        auto changed = form.Execute();
        if (!changed || *changed == 0) std::abort();
        state.counters["entries changed"] = static_cast<double>(*changed);
    }
}
BENCHMARK(BM_Archive)->Unit(benchmark::kMillisecond)->Iterations(4)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
