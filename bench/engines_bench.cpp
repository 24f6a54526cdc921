// The same work through the database layer on both engines: a database file, and a schema on a
// PostgreSQL server (named by TLX4R_TEST_PG, reached as its libpq settings say, e.g. PGHOST).
// Argument 0 is the file, 1 the server; without a server the server runs are skipped.
//
//   keyed look-up: Seek "=" on the row key of a 20-field table, every field read
//   append: one 20-field row, inside a transaction
//   entries selection: the selection dialog's default statement over 10,000 working-time
//     entries, walked forward-only with every field read
#include "core/DBReporting.h"
#include "db/Database.h"
#include "db/Transaction.h"
#include "reporting/frmEntriesSelect.h"

#include "QuietUi.h"
#include "WorkEntries.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

using namespace tlx4r;

constexpr int kRows = 10000;
constexpr int kFields = 20;

// A new database on the engine asked for; removed again at the end.
class Place {
public:
    explicit Place(bool server, const std::string& base) {
        if (server) {
            const char* name = std::getenv("TLX4R_TEST_PG");
            if (!name || !*name) return;
            name_ = std::string(name) + "/bench" + std::to_string(::getpid()) + "_" + base;
        } else {
            std::string pattern = (std::filesystem::temp_directory_path() / "tlx4r-engines-bench-XXXXXX").string();
            if (!::mkdtemp(pattern.data())) std::abort();
            dir_ = pattern;
            name_ = dir_ + "/" + base;
        }
    }
    ~Place() {
        if (name_.empty()) return;
        try {
            db::Database::Remove(name_);
        } catch (...) {
        }
        if (!dir_.empty()) std::filesystem::remove_all(dir_);
    }
    Place(const Place&) = delete;
    Place& operator=(const Place&) = delete;

    bool Available() const { return !name_.empty(); }
    const std::string& Name() const { return name_; }

private:
    std::string dir_;
    std::string name_;
};

// Labels the run with its engine; false, the benchmark skipped, when the server is not there.
bool Ready(benchmark::State& state, const Place& place) {
    state.SetLabel(state.range(0) == 0 ? "file" : "server");
    if (place.Available()) return true;
    state.SkipWithError("no server (TLX4R_TEST_PG)");
    return false;
}

db::Database WideTable(const Place& place) {
    db::Database db = db::Database::Create(place.Name());
    db::Transaction t(db);
    db::TableDef wide("Wide");
    wide.AppendField(db::Field("ID", db::FieldType::Long));
    for (int i = 1; i < kFields; ++i) {
        auto type = i % 4 == 0   ? db::FieldType::Currency
                    : i % 4 == 1 ? db::FieldType::Long
                    : i % 4 == 2 ? db::FieldType::Text
                                 : db::FieldType::Date;
        wide.AppendField(db::Field("F" + std::to_string(i), type, 50));
    }
    wide.AppendIndex(db::Index("PrimaryKey", {"ID"}, true, true));
    db.TableDefs().Append(wide);
    t.Commit();
    return db;
}

void SetRow(db::Recordset& rs, int id) {
    rs.Set("ID", db::Value(id));
    for (int i = 1; i < kFields; ++i) {
        const std::string name = "F" + std::to_string(i);
        switch (i % 4) {
            case 0: rs.Set(name, db::Value(Currency::FromInt(id % 1000))); break;
            case 1: rs.Set(name, db::Value(id + i)); break;
            case 2: rs.Set(name, db::Value("Text " + std::to_string(id))); break;
            default: rs.Set(name, db::Value(Date::FromYmd(2024, 1 + id % 12, 1 + id % 28))); break;
        }
    }
}

void BM_Lookup(benchmark::State& state) {
    Place place(state.range(0) != 0, "lookup.tdb4r");
    if (!Ready(state, place)) return;
    db::Database db = WideTable(place);
    {
        db::Transaction t(db);
        auto rs = db.OpenRecordset("Wide");
        for (int id = 1; id <= kRows; ++id) {
            rs.AddNew();
            SetRow(rs, id);
            rs.Update();
        }
        t.Commit();
    }
    auto rs = db.OpenRecordset("Wide");
    rs.SetIndex("PrimaryKey");
    int id = 0;
    for (auto _ : state) {
        id = id % kRows + 1;
        rs.Seek("=", db::Value(id));
        for (int i = 0; i < kFields; ++i) benchmark::DoNotOptimize(rs.Get(i));
    }
}
BENCHMARK(BM_Lookup)->Arg(0)->Arg(1);

void BM_Append(benchmark::State& state) {
    Place place(state.range(0) != 0, "append.tdb4r");
    if (!Ready(state, place)) return;
    db::Database db = WideTable(place);
    db::Transaction t(db);
    auto rs = db.OpenRecordset("Wide");
    int id = 0;
    for (auto _ : state) {
        rs.AddNew();
        SetRow(rs, ++id);
        rs.Update();
    }
    t.Commit();
}
BENCHMARK(BM_Append)->Arg(0)->Arg(1);

void BM_EntriesSelection(benchmark::State& state) {
    Place place(state.range(0) != 0, "selection.tdb4r");
    if (!Ready(state, place)) return;
    bench::QuietUi quiet;
    ui::ScopedUi installed(quiet);
    DBReporting layer;
    layer.DBNew(place.Name());
    bench::FillWorkEntries(*layer.Database(), kRows);
    frmEntriesSelect selection;
    selection.SetTypeStd();
    const std::string sql = selection.SQL();
    long long rows = 0;
    for (auto _ : state) {
        auto rs = layer.Database()->OpenRecordset(sql, db::RecordsetType::ForwardOnly);
        const int width = static_cast<int>(rs.Fields().size());
        for (rows = 0; !rs.Eof(); rs.MoveNext(), ++rows)
            for (int i = 0; i < width; ++i) benchmark::DoNotOptimize(rs.Get(i));
    }
    state.counters["rows"] = static_cast<double>(rows);
    layer.DBClose();
}
BENCHMARK(BM_EntriesSelection)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
