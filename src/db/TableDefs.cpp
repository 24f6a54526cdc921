#include "TableDefs.h"

#include "db/Catalog.h"
#include "db/DbError.h"
#include "db/Engine.h"
#include "types/Utf8.h"

#include <algorithm>

namespace tlx4r::db {

namespace {

bool SameName(std::string_view a, std::string_view b) { return utf8::Lower(a) == utf8::Lower(b); }

}  // namespace

TableDefs::TableDefs(std::shared_ptr<Engine> engine) : engine_(std::move(engine)) { Refresh(); }

void TableDefs::Refresh() {
    names_ = engine_->TableNames();
    for (const auto& link : Catalog(*engine_).Links()) names_.push_back(link.name);
}

bool TableDefs::Exists(std::string_view name) const {
    return std::any_of(names_.begin(), names_.end(), [&](const std::string& n) { return SameName(n, name); });
}

TableDef TableDefs::Item(std::string_view name) const {
    auto it = std::find_if(names_.begin(), names_.end(), [&](const std::string& n) { return SameName(n, name); });
    if (it == names_.end()) throw DbError(3265, "The table '" + std::string(name) + "' does not exist.");
    TableDef def(*it, engine_);
    Catalog catalog(*engine_);
    for (const auto& link : catalog.Links()) {
        if (SameName(link.name, *it)) def.SetLink(";DATABASE=" + link.path, link.source_table);
    }
    auto notes = catalog.FieldNotes(*it);
    for (auto& column : engine_->Columns(*it)) {
        Field f = column.field;
        if (auto n = notes.find(utf8::Lower(f.Name())); n != notes.end()) {
            if (!n->second.default_value.empty()) f.SetDefaultValue(n->second.default_value);
            f.SetValidationRule(n->second.validation_rule);
        }
        def.fields_.push_back(std::move(f));
    }
    if (!def.IsLinked()) def.indexes_ = engine_->Indexes(*it);
    return def;
}

void TableDefs::Append(const TableDef& table) {
    if (table.Name().empty()) throw DbError(3264, "The table has no name.");
    if (engine_->FindTable(table.Name())) {
        throw DbError(3010, "A table or query named '" + table.Name() + "' already exists.");
    }
    Catalog catalog(*engine_);
    if (table.IsLinked()) {
        std::string path = table.LinkedPath();
        std::string source = table.SourceTableName().empty() ? table.Name() : table.SourceTableName();
        engine_->CreateLink(table.Name(), path, source);
        catalog.SaveLink({table.Name(), path, source});
    } else {
        engine_->Begin();
        try {
            engine_->CreateTable(table.Name(), table.Fields());
            for (const auto& f : table.Fields()) {
                catalog.SaveField(table.Name(), f.Name(), {f.DefaultValue(), f.ValidationRule()});
            }
            for (const auto& i : table.Indexes()) engine_->CreateIndex(table.Name(), i);
            engine_->Commit();
        } catch (...) {
            engine_->Rollback();
            engine_->SchemaChanged();
            throw;
        }
    }
    names_.push_back(table.Name());
}

void TableDefs::Delete(std::string_view name) {
    auto it = std::find_if(names_.begin(), names_.end(), [&](const std::string& n) { return SameName(n, name); });
    if (it == names_.end()) throw DbError(3265, "The table '" + std::string(name) + "' does not exist.");
    Catalog catalog(*engine_);
    for (const auto& r : catalog.Relations()) {
        if (SameName(r.Table(), *it) || SameName(r.ForeignTable(), *it)) {
            throw DbError(3303, "The table '" + *it + "' cannot be deleted: it takes part in relation '" + r.Name() +
                                    "'.");
        }
    }
    bool linked = false;
    for (const auto& link : catalog.Links()) linked = linked || SameName(link.name, *it);
    if (linked) {
        engine_->DropView(*it);
        catalog.DeleteLink(*it);
    } else {
        engine_->DropTable(*it);
        catalog.ForgetTable(*it);
    }
    names_.erase(it);
}

}  // namespace tlx4r::db
