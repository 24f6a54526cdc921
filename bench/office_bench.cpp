// The component on the office of a large practice after twenty years: 1,000,000 entries,
// 20,000 projects on as many client accounts, 5,000 clients, 50 persons. Each statement is
// measured through the layer and, where the comparison means something, as the same translated
// statement run with direct SQLite calls on a connection of its own.
//
// TLX4R_OFFICE=DIR uses the office in DIR (made by `tlx4r demo --size large DIR`); without it the
// office is made in a temporary folder first (about half a minute) and removed at the end.
#include "core/Reporting.h"
#include "core/frmTransfer.h"
#include "db/Database.h"
#include "db/JetSql.h"
#include "entries/Entries.h"
#include "host/DemoLargeOffice.h"
#include "host/HostDocuments.h"
#include "host/HostInterface.h"
#include "host/HostOptions.h"
#include "host/HostTrace.h"
#include "platform/MemoryStore.h"
#include "reporting/ProjectView.h"
#include "reporting/frmEntriesSelect.h"
#include "reporting/frmProjectView.h"
#include "ui/Ui.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

namespace {

using namespace tlx4r;
namespace fs = std::filesystem;

// A user who agrees to every question; the event pump has nothing to run.
class AgreeingUi : public ui::Ui {
public:
    ui::Answer MsgBox(const ui::Message& m) override {
        return m.buttons == ui::Buttons::YesNo || m.buttons == ui::Buttons::YesNoCancel ? ui::Answer::Yes
                                                                                        : ui::Answer::Ok;
    }
    std::optional<std::string> InputBox(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> FileDialog(const ui::FileDialogRequest&) override { return std::nullopt; }
    void SetBusy(bool) override {}
    void DoEvents() override {}
    void Beep() override {}
    std::string ClipboardText() override { return {}; }
    void SetClipboardText(const std::string&) override {}
    void ShowModal(ui::Form&) override {}
};

// Resident memory of this process in kB: now, and the peak since the last ResetPeak.
long StatusKb(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0) return std::stol(line.substr(std::string(key).size()));
    return 0;
}
long RssKb() { return StatusKb("VmRSS:"); }
long PeakKb() { return StatusKb("VmHWM:"); }
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

class Office {
public:
    Office() {
        installed_ = std::make_unique<ui::ScopedUi>(agreeing_);
        root_.SetInterface(&host_);
        const char* given = std::getenv("TLX4R_OFFICE");
        if (given != nullptr && fs::exists(fs::path(given) / "Kanzlei Gross Data.tdb4r")) {
            folder_ = given;
        } else {
            folder_ = given != nullptr ? std::string(given) : MakeFolder();
            temporary_ = given == nullptr;
            std::cerr << "making the large office in " << folder_ << " ...\n";
            DemoCreateLarge(folder_, host_, root_);
            root_.DatabaseClose();
            host_.DatabaseClose();
        }
        finance_ = (fs::path(folder_) / ("Kanzlei Gross 2026" + std::string(FinanceDatabase::kExtension))).string();
        reporting_ = (fs::path(folder_) / "Kanzlei Gross Data.tdb4r").string();
        host_.DatabaseOpen(finance_);
        root_.DatabaseOpen(reporting_);
        if (root_.Database() == nullptr) std::abort();
        sqlite3_open_v2(reporting_.c_str(), &raw_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
        db::RegisterJetFunctions(raw_);
        const std::string attach = "ATTACH DATABASE '" + finance_ + "' AS fin";
        sqlite3_exec(raw_, attach.c_str(), nullptr, nullptr, nullptr);
    }
    ~Office() {
        sqlite3_close(raw_);
        root_.Tini();
        host_.DatabaseClose();
        if (temporary_) fs::remove_all(folder_);
    }
    Office(const Office&) = delete;
    Office& operator=(const Office&) = delete;

    Reporting& Root() { return root_; }
    db::Database& Db() { return *root_.Database(); }
    const std::string& ReportingPath() const { return reporting_; }
    sqlite3* Raw() { return raw_; }

private:
    static std::string MakeFolder() {
        std::string pattern = (fs::temp_directory_path() / "tlx4r-office-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        return pattern;
    }

    AgreeingUi agreeing_;
    std::unique_ptr<ui::ScopedUi> installed_;
    std::string folder_, finance_, reporting_;
    bool temporary_ = false;
    platform::MemoryStore user_;
    platform::MemoryStore machine_;
    HostOptions options_{user_, machine_};
    HostTrace trace_{(fs::temp_directory_path() / "tlx4r-office-bench-trace.log").string()};
    HostDocuments documents_;
    HostInterface host_{options_, trace_, documents_};
    Reporting root_{user_, machine_};
    sqlite3* raw_ = nullptr;
};

Office& Shared() {
    static Office office;
    return office;
}

// Every column of a row into a value of its own, as a caller that reads the row does.
void ReadRow(sqlite3_stmt* s) {
    const int n = sqlite3_column_count(s);
    for (int i = 0; i < n; ++i) {
        switch (sqlite3_column_type(s, i)) {
            case SQLITE_INTEGER: benchmark::DoNotOptimize(sqlite3_column_int64(s, i)); break;
            case SQLITE_FLOAT: benchmark::DoNotOptimize(sqlite3_column_double(s, i)); break;
            case SQLITE_TEXT: {
                std::string text(reinterpret_cast<const char*>(sqlite3_column_text(s, i)),
                                 static_cast<std::size_t>(sqlite3_column_bytes(s, i)));
                benchmark::DoNotOptimize(text);
                break;
            }
            default: break;
        }
    }
}

long long WalkLayer(db::Database& db, const std::string& sql, db::RecordsetType type) {
    auto rs = db.OpenRecordset(sql, type);
    const int n = static_cast<int>(rs.Fields().size());
    long long rows = 0;
    for (; !rs.Eof(); rs.MoveNext(), ++rows)
        for (int i = 0; i < n; ++i) benchmark::DoNotOptimize(rs.Get(i));
    return rows;
}

long long WalkRaw(sqlite3* raw, const std::string& engine_sql) {
    // The component reaches the finance database's accounts through a temporary view of its own
    // connection; the direct connection gets the same view over its attached copy.
    const auto temp = engine_sql.find("\"_temp_");
    if (temp != std::string::npos) {
        const std::string name = engine_sql.substr(temp, engine_sql.find('"', temp + 1) - temp + 1);
        const std::string view = "CREATE TEMP VIEW IF NOT EXISTS " + name + " AS SELECT * FROM fin.Accounts";
        sqlite3_exec(raw, view.c_str(), nullptr, nullptr, nullptr);
    }
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(raw, engine_sql.c_str(), -1, &s, nullptr) != SQLITE_OK) {
        std::cerr << sqlite3_errmsg(raw) << "\n" << engine_sql << "\n";
        std::abort();
    }
    long long rows = 0;
    while (sqlite3_step(s) == SQLITE_ROW) {
        ReadRow(s);
        ++rows;
    }
    sqlite3_finalize(s);
    return rows;
}

// The entries selection's statement: all record types, both archive states.
std::string Selection(std::optional<int> year, std::int32_t project) {
    Shared();  // the form needs the office's user interface, also when this benchmark runs alone
    frmEntriesSelect form;
    form.Show(false);
    form.tabSelect.UserSelect(3);
    form.SetTypeAll();
    for (int i = 0; i < 3 && form.ArchiveState() != 2; ++i) form.cbArchive.UserClick();
    if (year) form.DateRange.SetFromTo(Date::FromYmd(*year, 1, 1), Date::FromYmd(*year, 12, 31));
    if (project != 0) form.SetProject(project);
    const std::string sql = form.SQL();
    form.Hide();
    return sql;
}

std::string OverviewByPerson(Reporting& root) {
    frmProjectView& form = root.ProjectView()->Form();
    form.Show(false);
    form.optGroup[1].UserClick();
    const std::string sql = form.SQL();
    form.Hide();
    return sql;
}

// Layer (forward-only walk, or the snapshot that holds every row) and direct SQLite.
enum Way { kForwardOnly, kSnapshot, kDirect };
const char* const kWayNames[] = {"forward-only", "snapshot", "direct"};

void RunStatement(benchmark::State& state, const std::string& sql) {
    Office& office = Shared();
    const Way way = static_cast<Way>(state.range(0));
    const std::string engine_sql = office.Db().GetEngine().Translate(sql).sql;
    long long rows = 0;
    for (auto _ : state) {
        rows = way == kDirect ? WalkRaw(office.Raw(), engine_sql)
                              : WalkLayer(office.Db(), sql,
                                          way == kSnapshot ? db::RecordsetType::Snapshot : db::RecordsetType::ForwardOnly);
    }
    state.SetLabel(kWayNames[way]);
    state.counters["rows"] = static_cast<double>(rows);
}

void BM_Open(benchmark::State& state) {
    Office& office = Shared();
    for (auto _ : state) {
        state.PauseTiming();
        office.Root().DatabaseClose();
        state.ResumeTiming();
        office.Root().DatabaseOpen(office.ReportingPath());
        if (office.Root().Database() == nullptr) std::abort();
    }
}
BENCHMARK(BM_Open)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SelectYear(benchmark::State& state) { RunStatement(state, Selection(2025, 0)); }
BENCHMARK(BM_SelectYear)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SelectProject(benchmark::State& state) { RunStatement(state, Selection(std::nullopt, 1)); }
BENCHMARK(BM_SelectProject)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OverviewByPerson(benchmark::State& state) { RunStatement(state, OverviewByPerson(Shared().Root())); }
BENCHMARK(BM_OverviewByPerson)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every entry with its project and person, as a report over everything reads them; the counter
// is the peak of resident memory above what the process held before the walk.
void BM_WalkEverything(benchmark::State& state) {
    Office& office = Shared();
    const Way way = static_cast<Way>(state.range(0));
    const std::string sql = Selection(std::nullopt, 0);
    const std::string engine_sql = office.Db().GetEngine().Translate(sql).sql;
    long long rows = 0;
    const long before = RssKb();
    ResetPeak();
    for (auto _ : state) {
        rows = way == kDirect ? WalkRaw(office.Raw(), engine_sql)
                              : WalkLayer(office.Db(), sql, db::RecordsetType::ForwardOnly);
    }
    state.SetLabel(kWayNames[way]);
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["peak_MB_above"] = static_cast<double>(PeakKb() - before) / 1024.0;
}
BENCHMARK(BM_WalkEverything)->Arg(kForwardOnly)->Arg(kDirect)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void BM_Transfer(benchmark::State& state) {
    Office& office = Shared();
    (void)office;
    frmTransfer form;
    for (auto _ : state) {
        form.Run(true);
        if (form.Failed()) {
            std::cerr << form.Summary() << '\n';
            std::abort();
        }
    }
}
BENCHMARK(BM_Transfer)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The counter is the process's peak resident memory during the run (database cache included).
void BM_Verify(benchmark::State& state) {
    Office& office = Shared();
    ResetPeak();
    for (auto _ : state) office.Root().Entries()->Verify();
    state.counters["peak_MB"] = static_cast<double>(PeakKb()) / 1024.0;
}
BENCHMARK(BM_Verify)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
