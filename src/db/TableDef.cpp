#include "TableDef.h"

#include "db/Catalog.h"
#include "db/DbError.h"
#include "db/Engine.h"
#include "types/Utf8.h"

namespace tlx4r::db {

namespace {

bool SameName(std::string_view a, std::string_view b) { return utf8::Lower(a) == utf8::Lower(b); }

}  // namespace

TableDef::TableDef(std::string name) : name_(std::move(name)) {}

TableDef::TableDef(std::string name, std::shared_ptr<Engine> engine)
    : name_(std::move(name)), engine_(std::move(engine)) {}

const Field* TableDef::FindField(std::string_view name) const {
    for (const auto& f : fields_) {
        if (SameName(f.Name(), name)) return &f;
    }
    return nullptr;
}

const Index* TableDef::FindIndex(std::string_view name) const {
    for (const auto& i : indexes_) {
        if (SameName(i.Name(), name)) return &i;
    }
    return nullptr;
}

void TableDef::AppendField(const Field& field) {
    if (field.Name().empty()) throw DbError(3264, "A field of table '" + name_ + "' has no name.");
    if (FindField(field.Name())) {
        throw DbError(3191, "The field '" + field.Name() + "' already exists in table '" + name_ + "'.");
    }
    if (engine_) {
        if (IsLinked()) throw DbError(3027, "The linked table '" + name_ + "' cannot be changed here.");
        engine_->AddColumn(name_, field);
        Catalog(*engine_).SaveField(name_, field.Name(), {field.DefaultValue(), field.ValidationRule()});
    }
    fields_.push_back(field);
}

void TableDef::AppendIndex(const Index& index) {
    if (FindIndex(index.Name())) {
        throw DbError(3284, "The index '" + index.Name() + "' already exists on table '" + name_ + "'.");
    }
    for (const auto& f : index.Fields()) {
        std::string_view plain = f;
        if (!plain.empty() && (plain[0] == '-' || plain[0] == '+')) plain.remove_prefix(1);
        if (!FindField(plain)) {
            throw DbError(3265, "The index '" + index.Name() + "' names the field '" + std::string(plain) +
                                    "', which table '" + name_ + "' does not have.");
        }
    }
    if (engine_) engine_->CreateIndex(name_, index);
    indexes_.push_back(index);
}

void TableDef::DeleteIndex(std::string_view name) {
    if (!FindIndex(name)) {
        throw DbError(3265, "The index '" + std::string(name) + "' of table '" + name_ + "' does not exist.");
    }
    if (engine_) engine_->DropIndex(name_, name);
    std::erase_if(indexes_, [&](const Index& i) { return SameName(i.Name(), name); });
}

void TableDef::SetLink(std::string connect, std::string source_table) {
    connect_ = std::move(connect);
    source_table_ = std::move(source_table);
}

std::string TableDef::LinkedPath() const {
    const std::string key = "DATABASE=";
    auto upper = utf8::Upper(connect_);
    auto at = upper.find(key);
    if (at == std::string::npos) return {};
    // The path is the last part of a connect string and runs to its end: a path may hold ";".
    return connect_.substr(at + key.size());
}

long long TableDef::RecordCount() const {
    if (!engine_) return 0;
    auto count = engine_->Cached("SELECT count(*) FROM " + engine_->Quote(name_));
    count.Step();
    return count.GetInt64(0);
}

}  // namespace tlx4r::db
