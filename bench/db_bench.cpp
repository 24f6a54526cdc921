// The database layer against direct SQLite calls doing the same work on the same file, in the
// same run: keyed look-ups, appends and updates (inside a transaction), a walk in index order
// and a join over 100,000 rows.
#include "db/Database.h"
#include "db/Transaction.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace tlx4r;

constexpr int kRows = 100000;
constexpr int kWideRows = 20000;
constexpr int kWideFields = 40;

struct Bench {
    std::string dir;
    std::string path;
    db::Database db;
    sqlite3* raw = nullptr;
    int next_id = 0;

    Bench() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tlx4r-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        dir = pattern;
        path = dir + "/bench.tdb4r";
        db = db::Database::Create(path);
        db::Transaction t(db);
        // Wide: ID and 39 fields of every type, as the entry table has them.
        db::TableDef wide("Wide");
        wide.AppendField(db::Field("ID", db::FieldType::Long));
        for (int i = 1; i < kWideFields; ++i) {
            auto type = i % 4 == 0 ? db::FieldType::Currency
                        : i % 4 == 1 ? db::FieldType::Long
                        : i % 4 == 2 ? db::FieldType::Text
                                     : db::FieldType::Date;
            wide.AppendField(db::Field("F" + std::to_string(i), type, 50));
        }
        wide.AppendIndex(db::Index("PrimaryKey", {"ID"}, true, true));
        wide.AppendIndex(db::Index("F2", {"F2"}));
        db.TableDefs().Append(wide);
        db::TableDef person("Person");
        person.AppendField(db::Field("ID", db::FieldType::Long));
        person.AppendField(db::Field("PersonNameFull", db::FieldType::Text, 255));
        db.TableDefs().Append(person);
        db::TableDef entry("Entry");
        entry.AppendField(db::Field("ID", db::FieldType::Long));
        entry.AppendField(db::Field("PersonID", db::FieldType::Long));
        entry.AppendField(db::Field("BookDate", db::FieldType::Date));
        entry.AppendField(db::Field("Text", db::FieldType::Text, 255));
        entry.AppendField(db::Field("Charges", db::FieldType::Currency));
        entry.AppendIndex(db::Index("PersonID", {"PersonID"}));
        db.TableDefs().Append(entry);
        t.Commit();
        // the layer's connection settings: no per-call mutex
        sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
        db::RegisterJetFunctions(raw);  // the collation of the text columns
        Exec("BEGIN");
        Exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100) "
             "INSERT INTO Person SELECT i, 'Person ' || i FROM n");
        Exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(kRows) +
             ") INSERT INTO Entry SELECT i, 1 + i % 100, 45000 + i % 365, 'Eintrag ' || i, (i % 1000) / 10.0 FROM n");
        std::string columns = "ID", values = "i";
        for (int i = 1; i < kWideFields; ++i) {
            columns += ", F" + std::to_string(i);
            values += i % 4 == 2 ? ", 'Text ' || (i * 7919 % 10007)" : i % 4 == 3 ? ", 45000.5" : ", i % 1000";
        }
        Exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(kWideRows) +
             ") INSERT INTO Wide (" + columns + ") SELECT " + values + " FROM n");
        Exec("COMMIT");
        next_id = kWideRows + 1;
    }
    ~Bench() {
        sqlite3_close(raw);
        db.Close();
        std::filesystem::remove_all(dir);
    }
    void Exec(const std::string& sql) {
        if (sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
            std::fprintf(stderr, "%s: %s\n", sql.c_str(), sqlite3_errmsg(raw));
            std::abort();
        }
    }
    sqlite3_stmt* Prepare(const std::string& sql) {
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(raw, sql.c_str(), -1, &s, nullptr) != SQLITE_OK) std::abort();
        return s;
    }
};

Bench& Shared() {
    static Bench bench;
    return bench;
}

// What a caller does with a row it read: every column into a value of its own.
void ReadRow(sqlite3_stmt* s, benchmark::State&) {
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

void ReadRow(const db::Recordset& rs, int fields) {
    for (int i = 0; i < fields; ++i) benchmark::DoNotOptimize(rs.Get(i));
}

void BM_Lookup_Layer(benchmark::State& state) {
    auto& b = Shared();
    auto rs = b.db.OpenRecordset("Wide");
    rs.SetIndex("PrimaryKey");
    int id = 0;
    for (auto _ : state) {
        id = id % kWideRows + 1;
        rs.Seek("=", db::Value(id));
        ReadRow(rs, kWideFields);
    }
}
BENCHMARK(BM_Lookup_Layer);

void BM_Lookup_Direct(benchmark::State& state) {
    auto& b = Shared();
    sqlite3_stmt* s = b.Prepare("SELECT * FROM Wide WHERE ID = ?1");
    int id = 0;
    for (auto _ : state) {
        id = id % kWideRows + 1;
        sqlite3_bind_int(s, 1, id);
        if (sqlite3_step(s) == SQLITE_ROW) ReadRow(s, state);
        sqlite3_reset(s);
    }
    sqlite3_finalize(s);
}
BENCHMARK(BM_Lookup_Direct);

void BM_Append_Layer(benchmark::State& state) {
    auto& b = Shared();
    auto rs = b.db.OpenRecordset("Wide");
    std::vector<std::string> names;
    for (int i = 1; i < kWideFields; ++i) names.push_back("F" + std::to_string(i));
    db::Transaction t(b.db);
    for (auto _ : state) {
        rs.AddNew();
        rs.Set("ID", db::Value(b.next_id++));
        for (int i = 1; i < kWideFields; ++i) {
            const auto& name = names[static_cast<std::size_t>(i - 1)];
            if (i % 4 == 0) rs.Set(name, db::Value(Currency::FromUnits(123450)));
            else if (i % 4 == 1) rs.Set(name, db::Value(i));
            else if (i % 4 == 2) rs.Set(name, db::Value("Text"));
            else rs.Set(name, db::Value(Date(45000.5)));
        }
        rs.Update();
    }
    t.Rollback();
}
BENCHMARK(BM_Append_Layer);

void BM_Append_Direct(benchmark::State& state) {
    auto& b = Shared();
    std::string columns = "ID", marks = "?1";
    for (int i = 1; i < kWideFields; ++i) {
        columns += ", F" + std::to_string(i);
        marks += ", ?" + std::to_string(i + 1);
    }
    sqlite3_stmt* s = b.Prepare("INSERT INTO Wide (" + columns + ") VALUES (" + marks + ")");
    b.Exec("BEGIN");
    for (auto _ : state) {
        sqlite3_bind_int(s, 1, b.next_id++);
        for (int i = 1; i < kWideFields; ++i) {
            if (i % 4 == 0) sqlite3_bind_double(s, i + 1, 12.345);
            else if (i % 4 == 1) sqlite3_bind_int(s, i + 1, i);
            else if (i % 4 == 2) sqlite3_bind_text(s, i + 1, "Text", 4, SQLITE_STATIC);
            else sqlite3_bind_double(s, i + 1, 45000.5);
        }
        sqlite3_step(s);
        sqlite3_reset(s);
    }
    b.Exec("ROLLBACK");
    sqlite3_finalize(s);
}
BENCHMARK(BM_Append_Direct);

void BM_Update_Layer(benchmark::State& state) {
    auto& b = Shared();
    auto rs = b.db.OpenRecordset("Wide");
    rs.SetIndex("PrimaryKey");
    db::Transaction t(b.db);
    int id = 0;
    for (auto _ : state) {
        id = id % kWideRows + 1;
        rs.Seek("=", db::Value(id));
        rs.Edit();
        rs.Set("F1", db::Value(id));
        rs.Set("F4", db::Value(Currency::FromUnits(id)));
        rs.Set("F6", db::Value("Geändert"));
        rs.Update();
    }
    t.Rollback();
}
BENCHMARK(BM_Update_Layer);

void BM_Update_Direct(benchmark::State& state) {
    auto& b = Shared();
    sqlite3_stmt* s = b.Prepare("UPDATE Wide SET F1 = ?1, F4 = ?2, F6 = ?3 WHERE ID = ?4");
    b.Exec("BEGIN");
    int id = 0;
    for (auto _ : state) {
        id = id % kWideRows + 1;
        sqlite3_bind_int(s, 1, id);
        sqlite3_bind_double(s, 2, id / 10000.0);
        sqlite3_bind_text(s, 3, "Geändert", -1, SQLITE_STATIC);
        sqlite3_bind_int(s, 4, id);
        sqlite3_step(s);
        sqlite3_reset(s);
    }
    b.Exec("ROLLBACK");
    sqlite3_finalize(s);
}
BENCHMARK(BM_Update_Direct);

void BM_WalkIndex_Layer(benchmark::State& state) {
    auto& b = Shared();
    for (auto _ : state) {
        auto rs = b.db.OpenRecordset("Wide");
        rs.SetIndex("F2");
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
            benchmark::DoNotOptimize(rs.Get(0));
            benchmark::DoNotOptimize(rs.Get(2));
        }
    }
    state.SetItemsProcessed(state.iterations() * kWideRows);
}
BENCHMARK(BM_WalkIndex_Layer)->Unit(benchmark::kMillisecond);

void BM_WalkIndex_Direct(benchmark::State& state) {
    auto& b = Shared();
    sqlite3_stmt* s = b.Prepare("SELECT * FROM Wide ORDER BY F2, ID");
    for (auto _ : state) {
        while (sqlite3_step(s) == SQLITE_ROW) {
            benchmark::DoNotOptimize(sqlite3_column_int64(s, 0));
            benchmark::DoNotOptimize(std::string(reinterpret_cast<const char*>(sqlite3_column_text(s, 2))));
        }
        sqlite3_reset(s);
    }
    sqlite3_finalize(s);
    state.SetItemsProcessed(state.iterations() * kWideRows);
}
BENCHMARK(BM_WalkIndex_Direct)->Unit(benchmark::kMillisecond);

const char* const kJoin =
    "SELECT Entry.*, Person.PersonNameFull FROM Person RIGHT JOIN Entry ON Person.ID = Entry.PersonID "
    "WHERE Entry.Charges >= 0;";

void BM_Join_Layer(benchmark::State& state) {
    auto& b = Shared();
    for (auto _ : state) {
        auto rs = b.db.OpenRecordset(kJoin, db::RecordsetType::Snapshot);
        const int n = static_cast<int>(rs.Fields().size());
        for (; !rs.Eof(); rs.MoveNext()) ReadRow(rs, n);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_Join_Layer)->Unit(benchmark::kMillisecond);

// The same walk read as it goes: no copy of the rows.
void BM_Join_LayerForwardOnly(benchmark::State& state) {
    auto& b = Shared();
    for (auto _ : state) {
        auto rs = b.db.OpenRecordset(kJoin, db::RecordsetType::ForwardOnly);
        const int n = static_cast<int>(rs.Fields().size());
        for (; !rs.Eof(); rs.MoveNext()) ReadRow(rs, n);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_Join_LayerForwardOnly)->Unit(benchmark::kMillisecond);

void BM_Join_Direct(benchmark::State& state) {
    auto& b = Shared();
    // the same SQLite statement the layer runs
    sqlite3_stmt* s = b.Prepare(b.db.GetEngine().Translate(kJoin).sql);
    for (auto _ : state) {
        while (sqlite3_step(s) == SQLITE_ROW) ReadRow(s, state);
        sqlite3_reset(s);
    }
    sqlite3_finalize(s);
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_Join_Direct)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
