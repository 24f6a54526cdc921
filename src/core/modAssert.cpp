#include "core/modAssert.h"

#include "db/Database.h"
#include "db/DbError.h"
#include "db/Transaction.h"

#include <exception>

namespace tlx4r {

namespace {

// The layer's number for a disk or network error (full disk, failing device).
constexpr long kDiskError = 3043;

// One step of an assert: its failure must not stop the next one (a query over a table that is
// not there yet is made on a later run). A failing disk is different: nothing after it can be
// written either, and the user must hear of it.
template <class Step>
void Try(Step&& step) {
    try {
        step();
    } catch (const db::DbError& e) {
        if (e.Number() == kDiskError) throw;
    } catch (const std::exception&) {
    }
}

}  // namespace

bool TableAssert(db::Database& db, const std::string& table, bool auto_increment) {
    bool created = false;
    Try([&] {
        if (db.TableDefs().Exists(table)) return;
        db::TableDef def(table);
        db::Field id("ID", db::FieldType::Long);
        if (auto_increment)
            id.SetAutoIncrement(true);
        else
            id.SetDefaultValue("0").SetValidationRule("> 0");
        def.AppendField(id);
        def.AppendIndex(db::Index("PrimaryKey", {"ID"}, true, true));
        db.TableDefs().Append(def);
        created = true;
    });
    IndexAssert(db, table, "PrimaryKey", "ID", true, true);
    IndexAssert(db, table, "ID", "ID", true);
    return created;
}

void FieldAssert(db::Database& db, const std::string& table, const schema::FieldDecl& field) {
    Try([&] {
        db::TableDef def = db.TableDefs().Item(table);
        if (def.FindField(field.name) != nullptr) return;
        db::Field f(field.name, field.type, field.size);
        if (!field.default_value.empty()) f.SetDefaultValue(field.default_value);
        def.AppendField(f);
    });
    if (field.index != schema::IndexKind::None)
        IndexAssert(db, table, field.name, field.name, field.index == schema::IndexKind::Unique);
}

void IndexAssert(db::Database& db, const std::string& table, const std::string& name, const std::string& field,
                 bool unique, bool primary) {
    Try([&] {
        db::TableDef def = db.TableDefs().Item(table);
        if (def.FindIndex(name) != nullptr) return;
        def.AppendIndex(db::Index(name, {field}, unique, primary));
    });
}

void IndexAssert(db::Database& db, const std::string& table, const schema::IndexDecl& index) {
    Try([&] {
        db::TableDef def = db.TableDefs().Item(table);
        if (def.FindIndex(index.name) != nullptr) return;
        def.AppendIndex(db::Index(index.name, index.fields));
    });
}

bool TableDeclAssert(db::Database& db, const schema::TableDecl& table) {
    bool created = TableAssert(db, table.name);
    for (const auto& field : table.fields) FieldAssert(db, table.name, field);
    for (const auto& index : table.indexes) IndexAssert(db, table.name, index);
    return created;
}

void RelationAssert(db::Database& db, const schema::RelationDecl& relation) {
    Try([&] {
        auto& relations = db.Relations();
        const std::string name = relation.Name();
        if (relations.Exists(name)) return;
        relations.Append(db::Relation(name, relation.table, relation.foreign_table, relation.Attributes())
                             .AddField(relation.field, relation.foreign_field));
    });
}

void RelationsDelete(db::Database& db, const std::string& prefix) {
    Try([&] {
        auto& relations = db.Relations();
        std::vector<std::string> names;
        for (const auto& r : relations.All())
            if (r.Name().compare(0, prefix.size(), prefix) == 0) names.push_back(r.Name());
        for (const auto& name : names) Try([&] { relations.Delete(name); });
        relations.Refresh();
    });
}

void QueryAssert(db::Database& db, const schema::QueryDecl& query, bool force) {
    Try([&] {
        auto& queries = db.QueryDefs();
        if (queries.Exists(query.name)) {
            if (!force) return;
            // Replaced in one step, so that a failure keeps the query there was.
            db::Transaction tx(db);
            queries.Delete(query.name);
            queries.Append(db::QueryDef(query.name, query.sql));
            tx.Commit();
            return;
        }
        queries.Append(db::QueryDef(query.name, query.sql));
    });
}

}  // namespace tlx4r
