#pragma once

#include "db/Engine.h"
#include "db/QueryDef.h"
#include "db/Relation.h"

#include <map>
#include <string>
#include <vector>

namespace tlx4r::db {

// The layer's own tables inside a database: what the engine's schema cannot say by itself —
// relations with their attributes, the dialect text of stored queries, validation rules and
// defaults as written, linked tables. The tables are made on the first write, so opening a file
// never writes to it.
class Catalog {
public:
    struct FieldNote {
        std::string default_value;
        std::string validation_rule;
    };
    struct Link {
        std::string name;
        std::string path;
        std::string source_table;
    };

    explicit Catalog(Engine& engine) : engine_(engine) {}

    void SaveField(const std::string& table, const std::string& field, const FieldNote& note);
    // Keyed by field name in lower case.
    std::map<std::string, FieldNote> FieldNotes(const std::string& table);
    void ForgetTable(const std::string& table);

    void SaveRelation(const Relation& relation);
    void DeleteRelation(const std::string& name);
    std::vector<Relation> Relations();

    void SaveQuery(const QueryDef& query);
    void DeleteQuery(const std::string& name);
    std::vector<QueryDef> Queries();

    void SaveLink(const Link& link);
    void DeleteLink(const std::string& name);
    std::vector<Link> Links();

private:
    bool Has(const char* table);
    void Ensure(const char* table);

    Engine& engine_;
};

}  // namespace tlx4r::db
