#include "QueryDefs.h"

#include "db/Catalog.h"
#include "db/DbError.h"
#include "db/Engine.h"
#include "types/Utf8.h"

#include <algorithm>

namespace tlx4r::db {

namespace {

bool SameName(std::string_view a, std::string_view b) { return utf8::Lower(a) == utf8::Lower(b); }

// A view body is one statement: the dialect's closing ";" goes.
std::string WithoutSemicolon(std::string sql) {
    while (!sql.empty() && (sql.back() == ';' || sql.back() == ' ' || sql.back() == '\n' || sql.back() == '\r' ||
                            sql.back() == '\t')) {
        sql.pop_back();
    }
    return sql;
}

}  // namespace

QueryDefs::QueryDefs(std::shared_ptr<Engine> engine) : engine_(std::move(engine)) { Refresh(); }

void QueryDefs::Refresh() {
    queries_.clear();
    auto views = engine_->ViewNames();
    for (auto& q : Catalog(*engine_).Queries()) {
        if (std::any_of(views.begin(), views.end(), [&](const std::string& v) { return SameName(v, q.Name()); })) {
            queries_.push_back(std::move(q));
        }
    }
}

bool QueryDefs::Exists(std::string_view name) const {
    return std::any_of(queries_.begin(), queries_.end(), [&](const QueryDef& q) { return SameName(q.Name(), name); });
}

const QueryDef& QueryDefs::Item(std::string_view name) const {
    for (const auto& q : queries_) {
        if (SameName(q.Name(), name)) return q;
    }
    throw DbError(3265, "The query '" + std::string(name) + "' does not exist.");
}

void QueryDefs::Append(const QueryDef& query) {
    if (query.Name().empty()) throw DbError(3264, "The query has no name.");
    if (engine_->FindTable(query.Name())) {
        throw DbError(3012, "A query or table named '" + query.Name() + "' already exists.");
    }
    auto translation = engine_->Translate(query.SQL());
    if (!translation.returns_rows) {
        throw DbError(3000, "A stored query must select rows.\nStatement: " + query.SQL());
    }
    engine_->Begin();
    try {
        engine_->CreateView(query.Name(), WithoutSemicolon(translation.sql), false);
        Catalog(*engine_).SaveQuery(query);
        engine_->Commit();
    } catch (...) {
        engine_->Rollback();
        engine_->SchemaChanged();
        throw;
    }
    queries_.push_back(query);
}

void QueryDefs::Delete(std::string_view name) {
    const QueryDef& q = Item(name);
    std::string exact = q.Name();
    engine_->DropView(exact);
    Catalog(*engine_).DeleteQuery(exact);
    std::erase_if(queries_, [&](const QueryDef& d) { return SameName(d.Name(), exact); });
}

}  // namespace tlx4r::db
