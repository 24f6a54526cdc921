// The entries list (frmEntriesShow) filled from a selection on a real file: 1,000 matching
// entries must fill in under 50 ms, 10,000 (of which the list shows the first 999 and its
// marker row) in under 300 ms.
#include "core/DBReporting.h"
#include "db/Database.h"
#include "reporting/frmEntriesShow.h"

#include "QuietUi.h"
#include "WorkEntries.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using namespace tlx4r;

void BM_EntriesShowFill(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    std::string pattern = (std::filesystem::temp_directory_path() / "tlx4r-reports-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    bench::QuietUi quiet;
    ui::ScopedUi installed(quiet);
    {
        DBReporting layer;
        layer.DBNew(pattern + "/bench.tdb4r");
        bench::FillWorkEntries(*layer.Database(), rows);
        frmEntriesShow show;
        show.Selection().SetTypeStd();
        for (auto _ : state) show.FillList(layer.Database());
        state.counters["entries"] = rows;
        state.counters["list rows"] = show.ListView1.Count();
    }
    std::filesystem::remove_all(pattern);
}
BENCHMARK(BM_EntriesShowFill)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
