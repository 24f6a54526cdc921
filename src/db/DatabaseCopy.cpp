#include "DatabaseCopy.h"

#include "db/Transaction.h"

namespace tlx4r::db {

namespace {

std::string Bracketed(const std::string& name) { return "[" + name + "]"; }

}  // namespace

void DatabaseCopy::Copy(Database& source, Database& target, const Relink& relink, const Progress& progress) {
    Transaction transaction(target);
    std::vector<TableDef> tables, links;
    long long total = 0;
    for (const auto& name : source.TableDefs().Names()) {
        TableDef table = source.TableDefs().Item(name);
        if (table.IsLinked()) {
            links.push_back(std::move(table));
        } else {
            total += table.RecordCount();
            tables.push_back(std::move(table));
        }
    }
    Engine& engine = target.GetEngine();
    long long done = 0;
    for (const auto& table : tables) {
        TableDef copy(table.Name());
        for (const auto& field : table.Fields()) copy.AppendField(field);
        for (const auto& index : table.Indexes()) copy.AppendIndex(index);
        target.TableDefs().Append(copy);

        std::string columns, marks;
        for (std::size_t i = 0; i < table.Fields().size(); ++i) {
            columns += (i ? ", " : "") + engine.Quote(table.Fields()[i].Name());
            marks += (i ? ", ?" : "?") + std::to_string(i + 1);
        }
        auto insert = engine.Prepare("INSERT INTO " + engine.Quote(table.Name()) + " (" + columns + ") VALUES (" + marks +
                                     ")");
        auto rows = source.OpenRecordset("SELECT * FROM " + Bracketed(table.Name()), RecordsetType::ForwardOnly);
        for (; !rows.Eof(); rows.MoveNext()) {
            for (std::size_t i = 0; i < table.Fields().size(); ++i) {
                insert->Bind(static_cast<int>(i + 1), rows.Get(table.Fields()[i].Name()));
            }
            insert->Step();
            insert->Reset();
            if (progress && ++done % 1000 == 0) progress(done, total);
        }
    }
    for (const auto& link : links) {
        TableDef copy(link.Name());
        copy.SetLink(";DATABASE=" + relink(link.LinkedPath()), link.SourceTableName());
        target.TableDefs().Append(copy);
    }
    for (const auto& relation : source.Relations().All()) target.Relations().Append(relation);
    for (const auto& query : source.QueryDefs().All()) target.QueryDefs().Append(query);
    transaction.Commit();
    if (progress) progress(total, total);
}

std::vector<DatabaseCopy::TableTotals> DatabaseCopy::Totals(Database& db) {
    std::vector<TableTotals> totals;
    for (const auto& name : db.TableDefs().Names()) {
        TableDef table = db.TableDefs().Item(name);
        if (table.IsLinked()) continue;
        TableTotals t;
        t.table = name;
        std::string sql = "SELECT Count(*)";
        for (const auto& field : table.Fields()) {
            if (field.Type() == FieldType::Currency) {
                sql += ", Sum(" + Bracketed(field.Name()) + ")";
                t.sums.emplace_back(field.Name(), Currency());
            }
        }
        auto rs = db.OpenRecordset(sql + " FROM " + Bracketed(name), RecordsetType::Snapshot);
        t.rows = rs.Get(0).IsNull() ? 0 : static_cast<long long>(rs.Get(0).ToDouble());
        for (std::size_t i = 0; i < t.sums.size(); ++i) {
            const Value sum = rs.Get(static_cast<int>(i + 1));
            // the engines' sums are exact to the rappen; Null for a table without rows
            t.sums[i].second = sum.IsNull() ? Currency() : Currency::FromDouble(sum.ToDouble());
        }
        totals.push_back(std::move(t));
    }
    return totals;
}

}  // namespace tlx4r::db
