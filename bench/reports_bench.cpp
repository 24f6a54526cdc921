// The entries list (frmEntriesShow) filled from a selection on a real file: 1,000 matching
// entries must fill in under 50 ms, 10,000 (of which the list shows the first 999 and its
// marker row) in under 300 ms.
#include "core/DBReporting.h"
#include "db/Database.h"
#include "db/Transaction.h"
#include "reporting/frmEntriesShow.h"
#include "ui/Ui.h"

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

void BM_EntriesShowFill(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    std::string pattern = (std::filesystem::temp_directory_path() / "tlx4r-reports-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    QuietUi quiet;
    ui::ScopedUi installed(quiet);
    {
        DBReporting layer;
        layer.DBNew(pattern + "/bench.tdb4r");
        Fill(*layer.Database(), rows);
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
