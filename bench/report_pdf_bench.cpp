// The entries report of 10,000 entries written as an A4 PDF: built from the selection's
// statement on a real file and painted, in under 3 s.
#include "core/DBReporting.h"
#include "db/Database.h"
#include "db/Transaction.h"
#include "host/report/EntriesReport.h"
#include "host/report/ReportPainter.h"
#include "reporting/frmEntriesSelect.h"
#include "ui/Ui.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using namespace tlx4r;

class QuietUi : public ui::Ui {
public:
    ui::Answer MsgBox(const ui::Message&) override { return ui::Answer::Ok; }
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

// Work entries of ten persons on fifty projects over two years, as a list shows them.
void Fill(db::Database& db, int rows) {
    db::Transaction tx(db);
    for (int p = 1; p <= 10; ++p)
        db.Execute("INSERT INTO Person (ID, PersonNameFull, PersonNameShort) VALUES (" + std::to_string(p) +
                   ", \"Person " + std::to_string(p) + "\", \"P" + std::to_string(p) + "\")");
    for (int p = 1; p <= 50; ++p)
        db.Execute("INSERT INTO Project (ID, AccountCode, AccountName) VALUES (" + std::to_string(p) + ", \"1100." +
                   std::to_string(100 + p) + "\", \"Klient " + std::to_string(p) + " AG\")");
    auto rs = db.OpenRecordset("Entry", db::RecordsetType::Table);
    const Date first = Date::FromYmd(2023, 1, 2);
    for (int i = 1; i <= rows; ++i) {
        rs.AddNew();
        rs.Set("ID", db::Value(i));
        rs.Set("ProjectID", db::Value(1 + i % 50));
        rs.Set("PersonID", db::Value(1 + i % 10));
        rs.Set("RecType", db::Value(3));
        rs.Set("RecTypeText", db::Value("A  "));
        rs.Set("Archive", db::Value(false));
        rs.Set("BookDate", db::Value(first.AddDays(i % 700)));
        rs.Set("Text", db::Value("Besprechung mit Klient, Entwurf Vertrag " + std::to_string(i)));
        rs.Set("Charges", db::Value(Currency::FromUnits(1000000 + i)));
        rs.Set("Expenses", db::Value(Currency()));
        rs.Set("Adapted", db::Value(Currency()));
        rs.Set("Billed", db::Value(Currency()));
        rs.Set("VAT", db::Value(Currency::FromUnits(81000)));
        rs.Set("TimeFrom", db::Value(Date::FromTime(8, i % 60)));
        rs.Set("TimeTo", db::Value(Date::FromTime(10, i % 45)));
        rs.Set("Rate", db::Value(Currency::FromInt(180)));
        rs.Update();
    }
    rs.Close();
    tx.Commit();
}

void BM_EntriesReportPdf(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    std::string pattern = (std::filesystem::temp_directory_path() / "tlx4r-report-pdf-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    QuietUi quiet;
    ui::ScopedUi installed(quiet);
    int pages = 0;
    {
        DBReporting layer;
        layer.DBNew(pattern + "/bench.tdb4r");
        Fill(*layer.Database(), rows);
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
