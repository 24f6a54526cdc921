#pragma once

#include "db/TableDef.h"

#include <memory>
#include <string>
#include <vector>

namespace tlx4r::db {

class Engine;

// The tables of a database, linked tables included (the layer's own tables are not shown).
// The names are read on construction and by Refresh; Append and Delete keep them current.
class TableDefs {
public:
    explicit TableDefs(std::shared_ptr<Engine> engine);

    std::size_t Count() const { return names_.size(); }
    const std::vector<std::string>& Names() const { return names_; }
    bool Exists(std::string_view name) const;
    // The table with its fields and indexes as the database has them now, bound to it.
    // Throws DbError 3265 when there is no such table.
    TableDef Item(std::string_view name) const;

    // Creates the table with the definition's fields and indexes, or the link. Throws DbError
    // 3010 when a table or query of that name exists.
    void Append(const TableDef& table);
    // Throws DbError 3303 while a relation refers to the table.
    void Delete(std::string_view name);
    void Refresh();

private:
    std::shared_ptr<Engine> engine_;
    std::vector<std::string> names_;
};

}  // namespace tlx4r::db
