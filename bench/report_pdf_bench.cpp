// The entries report of 10,000 entries written as an A4 PDF: built from the selection's
// statement on a real file and painted, in under 3 s.
#include "core/DBReporting.h"
#include "db/Database.h"
#include "host/report/EntriesReport.h"
#include "host/report/ReportPainter.h"
#include "reporting/frmEntriesSelect.h"

#include "QuietUi.h"
#include "WorkEntries.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using namespace tlx4r;

void BM_EntriesReportPdf(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    std::string pattern = (std::filesystem::temp_directory_path() / "tlx4r-report-pdf-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    bench::QuietUi quiet;
    ui::ScopedUi installed(quiet);
    int pages = 0;
    {
        DBReporting layer;
        layer.DBNew(pattern + "/bench.tdb4r");
        bench::FillWorkEntries(*layer.Database(), rows);
        frmEntriesSelect select;
        select.SetTypeStd();
        const std::string sql = select.SQL();
        for (auto _ : state) {
            report::ReportDocument doc = report::EntriesReport::Build(*layer.Database(), sql, "Alle Einträge");
            doc.office = "Kanzlei Muster";
            doc.printed = "05.12.2026";
            pages = report::ReportPainter::WritePdf(doc, pattern + "/report.pdf");
        }
        state.counters["entries"] = rows;
        state.counters["pages"] = pages;
        state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(pattern + "/report.pdf"));
    }
    std::filesystem::remove_all(pattern);
}
BENCHMARK(BM_EntriesReportPdf)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
