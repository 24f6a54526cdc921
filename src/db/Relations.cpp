#include "Relations.h"

#include "db/Catalog.h"
#include "db/DbError.h"
#include "db/Engine.h"
#include "types/Utf8.h"

#include <algorithm>

namespace tlx4r::db {

namespace {

bool SameName(std::string_view a, std::string_view b) { return utf8::Lower(a) == utf8::Lower(b); }

void RequireField(Engine& engine, const std::string& table, const std::string& field) {
    auto columns = engine.Columns(table);
    if (columns.empty()) throw DbError(3265, "The table '" + table + "' of the relation does not exist.");
    if (std::none_of(columns.begin(), columns.end(), [&](const ColumnInfo& c) { return SameName(c.field.Name(), field); })) {
        throw DbError(3265, "The field '" + table + "." + field + "' of the relation does not exist.");
    }
}

}  // namespace

Relations::Relations(std::shared_ptr<Engine> engine) : engine_(std::move(engine)) { Refresh(); }

void Relations::Refresh() { relations_ = Catalog(*engine_).Relations(); }

bool Relations::Exists(std::string_view name) const {
    return std::any_of(relations_.begin(), relations_.end(), [&](const Relation& r) { return SameName(r.Name(), name); });
}

const Relation& Relations::Item(std::string_view name) const {
    for (const auto& r : relations_) {
        if (SameName(r.Name(), name)) return r;
    }
    throw DbError(3265, "The relation '" + std::string(name) + "' does not exist.");
}

void Relations::Append(const Relation& relation) {
    if (relation.Name().empty()) throw DbError(3264, "The relation has no name.");
    if (Exists(relation.Name())) throw DbError(3012, "The relation '" + relation.Name() + "' already exists.");
    if (relation.Fields().empty()) throw DbError(3367, "The relation '" + relation.Name() + "' has no fields.");
    for (const auto& [field, foreign] : relation.Fields()) {
        RequireField(*engine_, relation.Table(), field);
        RequireField(*engine_, relation.ForeignTable(), foreign);
    }
    if (relation.Enforced()) {
        const std::string parent = engine_->Quote(relation.Table()), child = engine_->Quote(relation.ForeignTable());
        std::string refers, match, zero;
        for (std::size_t i = 0; i < relation.Fields().size(); ++i) {
            const auto& [pf, cf] = relation.Fields()[i];
            const char* sep = i ? " AND " : "";
            refers += sep + child + "." + engine_->Quote(cf) + " IS NOT NULL";
            zero += sep + child + "." + engine_->Quote(cf) + " = 0";
            match += sep + parent + "." + engine_->Quote(pf) + " = " + child + "." + engine_->Quote(cf);
        }
        auto orphans = engine_->Prepare("SELECT 1 FROM " + child + " WHERE " + refers + " AND NOT (" + zero +
                                        ") AND NOT EXISTS (SELECT 1 FROM " + parent + " WHERE " + match + ")");
        if (orphans->Step()) {
            throw DbError(3201, "The relation '" + relation.Name() + "' cannot be enforced: table '" +
                                    relation.ForeignTable() + "' has records without a related record in table '" +
                                    relation.Table() + "'.");
        }
    }
    engine_->Begin();
    try {
        engine_->CreateRelation(relation);
        Catalog(*engine_).SaveRelation(relation);
        engine_->Commit();
    } catch (...) {
        engine_->Rollback();
        throw;
    }
    relations_.push_back(relation);
}

void Relations::Delete(std::string_view name) {
    Relation r = Item(name);
    engine_->Begin();
    try {
        engine_->DropRelation(r);
        Catalog(*engine_).DeleteRelation(r.Name());
        engine_->Commit();
    } catch (...) {
        engine_->Rollback();
        throw;
    }
    std::erase_if(relations_, [&](const Relation& x) { return SameName(x.Name(), r.Name()); });
}

}  // namespace tlx4r::db
