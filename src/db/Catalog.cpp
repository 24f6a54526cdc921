#include "Catalog.h"

#include "types/Utf8.h"

namespace tlx4r::db {

namespace {

constexpr const char* kFields = "MSysTlxFields";
constexpr const char* kRelations = "MSysTlxRelations";
constexpr const char* kQueries = "MSysTlxQueries";
constexpr const char* kLinks = "MSysTlxLinks";

std::vector<Field> Layout(std::string_view table) {
    auto text = [](const char* name) { return Field(name, FieldType::Text, 255); };
    if (table == kFields) {
        return {text("TableName"), text("FieldName"), Field("DefaultValue", FieldType::Memo),
                Field("ValidationRule", FieldType::Memo)};
    }
    if (table == kRelations) {
        return {text("Name"), text("TableName"), text("ForeignTable"), Field("Attributes", FieldType::Long),
                Field("FieldPairs", FieldType::Memo)};
    }
    if (table == kQueries) return {text("Name"), Field("SQL", FieldType::Memo)};
    return {text("Name"), Field("Path", FieldType::Memo), text("SourceTable")};
}

// Field pairs are kept as "ID=ProjectID;A=B"; names never hold ";" or "=".
std::string PairsText(const Relation& r) {
    std::string out;
    for (const auto& [a, b] : r.Fields()) out += (out.empty() ? "" : ";") + a + "=" + b;
    return out;
}

}  // namespace

bool Catalog::Has(const char* table) {
    return engine_.FindTable(table).has_value();
}

void Catalog::Ensure(const char* table) {
    if (!Has(table)) engine_.CreateTable(table, Layout(table));
}

void Catalog::SaveField(const std::string& table, const std::string& field, const FieldNote& note) {
    if (note.default_value.empty() && note.validation_rule.empty()) return;
    Ensure(kFields);
    auto del = engine_.Cached("DELETE FROM MSysTlxFields WHERE TableName = ?1 AND FieldName = ?2");
    del.Bind(1, Value(table));
    del.Bind(2, Value(field));
    del.Step();
    auto ins = engine_.Cached(
        "INSERT INTO MSysTlxFields (TableName, FieldName, DefaultValue, ValidationRule) VALUES (?1, ?2, ?3, ?4)");
    ins.Bind(1, Value(table));
    ins.Bind(2, Value(field));
    ins.Bind(3, Value(note.default_value));
    ins.Bind(4, Value(note.validation_rule));
    ins.Step();
}

std::map<std::string, Catalog::FieldNote> Catalog::FieldNotes(const std::string& table) {
    std::map<std::string, FieldNote> notes;
    if (!Has(kFields)) return notes;
    auto sel = engine_.Cached("SELECT FieldName, DefaultValue, ValidationRule FROM MSysTlxFields WHERE TableName = ?1");
    sel.Bind(1, Value(table));
    while (sel.Step()) notes[utf8::Lower(sel.Get(0).ToText())] = {sel.Get(1).ToText(), sel.Get(2).ToText()};
    return notes;
}

void Catalog::ForgetTable(const std::string& table) {
    if (!Has(kFields)) return;
    auto del = engine_.Cached("DELETE FROM MSysTlxFields WHERE TableName = ?1");
    del.Bind(1, Value(table));
    del.Step();
}

void Catalog::SaveRelation(const Relation& relation) {
    Ensure(kRelations);
    auto ins = engine_.Cached(
        "INSERT INTO MSysTlxRelations (Name, TableName, ForeignTable, Attributes, FieldPairs) "
        "VALUES (?1, ?2, ?3, ?4, ?5)");
    ins.Bind(1, Value(relation.Name()));
    ins.Bind(2, Value(relation.Table()));
    ins.Bind(3, Value(relation.ForeignTable()));
    ins.Bind(4, Value(static_cast<std::int32_t>(relation.Attributes())));
    ins.Bind(5, Value(PairsText(relation)));
    ins.Step();
}

void Catalog::DeleteRelation(const std::string& name) {
    if (!Has(kRelations)) return;
    auto del = engine_.Cached("DELETE FROM MSysTlxRelations WHERE Name = ?1");
    del.Bind(1, Value(name));
    del.Step();
}

std::vector<Relation> Catalog::Relations() {
    std::vector<Relation> out;
    if (!Has(kRelations)) return out;
    auto sel = engine_.Cached(
        "SELECT Name, TableName, ForeignTable, Attributes, FieldPairs FROM MSysTlxRelations ORDER BY rowid");
    while (sel.Step()) {
        Relation r(sel.Get(0).ToText(), sel.Get(1).ToText(), sel.Get(2).ToText(), sel.GetInt64(3));
        std::string pairs = sel.Get(4).ToText();
        std::size_t start = 0;
        while (start < pairs.size()) {
            auto end = pairs.find(';', start);
            if (end == std::string::npos) end = pairs.size();
            std::string pair = pairs.substr(start, end - start);
            auto eq = pair.find('=');
            if (eq != std::string::npos) r.AddField(pair.substr(0, eq), pair.substr(eq + 1));
            start = end + 1;
        }
        out.push_back(std::move(r));
    }
    return out;
}

void Catalog::SaveQuery(const QueryDef& query) {
    Ensure(kQueries);
    DeleteQuery(query.Name());
    auto ins = engine_.Cached("INSERT INTO MSysTlxQueries (Name, SQL) VALUES (?1, ?2)");
    ins.Bind(1, Value(query.Name()));
    ins.Bind(2, Value(query.SQL()));
    ins.Step();
}

void Catalog::DeleteQuery(const std::string& name) {
    if (!Has(kQueries)) return;
    auto del = engine_.Cached("DELETE FROM MSysTlxQueries WHERE Name = ?1");
    del.Bind(1, Value(name));
    del.Step();
}

std::vector<QueryDef> Catalog::Queries() {
    std::vector<QueryDef> out;
    if (!Has(kQueries)) return out;
    auto sel = engine_.Cached("SELECT Name, SQL FROM MSysTlxQueries ORDER BY rowid");
    while (sel.Step()) out.emplace_back(sel.Get(0).ToText(), sel.Get(1).ToText());
    return out;
}

void Catalog::SaveLink(const Link& link) {
    Ensure(kLinks);
    DeleteLink(link.name);
    auto ins = engine_.Cached("INSERT INTO MSysTlxLinks (Name, Path, SourceTable) VALUES (?1, ?2, ?3)");
    ins.Bind(1, Value(link.name));
    ins.Bind(2, Value(link.path));
    ins.Bind(3, Value(link.source_table));
    ins.Step();
}

void Catalog::DeleteLink(const std::string& name) {
    if (!Has(kLinks)) return;
    auto del = engine_.Cached("DELETE FROM MSysTlxLinks WHERE Name = ?1");
    del.Bind(1, Value(name));
    del.Step();
}

std::vector<Catalog::Link> Catalog::Links() {
    std::vector<Link> out;
    if (!Has(kLinks)) return out;
    auto sel = engine_.Cached("SELECT Name, Path, SourceTable FROM MSysTlxLinks ORDER BY rowid");
    while (sel.Step()) out.push_back({sel.Get(0).ToText(), sel.Get(1).ToText(), sel.Get(2).ToText()});
    return out;
}

}  // namespace tlx4r::db
