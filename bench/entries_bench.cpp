// Entries.Verify over 100,000 entries of every record type on a real file: the check a user
// runs on a grown database must finish in well under ten seconds.
#include "core/DBReporting.h"
#include "db/Database.h"
#include "db/Transaction.h"
#include "entries/Entries.h"
#include "ui/Ui.h"

#include "QuietUi.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using namespace tlx4r;

constexpr int kRows = 100000;

// A user interface without windows: the event pump has nothing to run.
// Rows as years of work leave them: every record type, with display texts and codes that
// Verify has to rewrite.
void Fill(db::Database& db) {
    db::Transaction tx(db);
    db.Execute("INSERT INTO Person (ID, PersonNameFull, PersonNameShort, PersonRate) VALUES (1, \"Anna Muster\", \"AM\", 180)");
    db.Execute("INSERT INTO Project (ID, AccountCode, AccountName) VALUES (1, \"1100.01\", \"Muster AG\")");
    auto rs = db.OpenRecordset("Entry", db::RecordsetType::Table);
    const Date first = Date::FromYmd(2023, 1, 2);
    for (int i = 1; i <= kRows; ++i) {
        const int type = 1 + i % 7;
        rs.AddNew();
        rs.Set("ID", db::Value(i));
        rs.Set("ProjectID", db::Value(1));
        rs.Set("PersonID", db::Value(i % 50 == 0 ? 7 : 1));
        rs.Set("RecType", db::Value(type));
        rs.Set("RecTypeText", db::Value("?"));
        rs.Set("BookDate", db::Value(first.AddDays(i % 700)));
        rs.Set("Text", db::Value("Besprechung mit Klient, Entwurf Vertrag " + std::to_string(i)));
        rs.Set("Charges", db::Value(Currency::FromUnits(1000000 + i)));
        rs.Set("Expenses", db::Value(Currency::FromUnits(i % 1000 * 100)));
        rs.Set("TimeFrom", db::Value(Date::FromTime(8, i % 60)));
        rs.Set("TimeTo", db::Value(Date::FromTime(10, i % 45)));
        rs.Set("Rate", db::Value(Currency::FromInt(180)));
        rs.Set("CalcValue1", db::Value(Currency::FromUnits(810)));
        rs.Set("CalcValue2", db::Value(Currency::FromInt(2000 + i % 100)));
        if (type == 5) rs.Set("DocLink", db::Value("C:\\Akten\\" + std::to_string(i) + ".doc"));
        rs.Set("TypeCharges", db::Value(1 + i % 37));
        rs.Set("TypeExpenses", db::Value(1 + i % 11));
        rs.Update();
    }
    rs.Close();
    tx.Commit();
}

void BM_EntriesVerify(benchmark::State& state) {
    std::string pattern = (std::filesystem::temp_directory_path() / "tlx4r-entries-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    bench::QuietUi quiet;
    ui::ScopedUi installed(quiet);
    {
        DBReporting layer;
        layer.DBNew(pattern + "/bench.tdb4r");
        Fill(*layer.Database());
        layer.Entries()->Refresh();
        for (auto _ : state) layer.Entries()->Verify();
        state.counters["rows"] = kRows;
        state.counters["rows/s"] = benchmark::Counter(static_cast<double>(kRows) * static_cast<double>(state.iterations()),
                                                      benchmark::Counter::kIsRate);
    }
    std::filesystem::remove_all(pattern);
}
BENCHMARK(BM_EntriesVerify)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
