#pragma once

#include "db/Relation.h"

#include <memory>
#include <string>
#include <vector>

namespace tlx4r::db {

class Engine;

// The relations of a database, kept in the layer's own table. Appending an enforced relation
// checks the rows already there: a child row that refers to a missing parent makes the append
// fail (DbError 3201) and nothing is stored.
class Relations {
public:
    explicit Relations(std::shared_ptr<Engine> engine);

    std::size_t Count() const { return relations_.size(); }
    const std::vector<Relation>& All() const { return relations_; }
    bool Exists(std::string_view name) const;
    // Throws DbError 3265 when there is no such relation.
    const Relation& Item(std::string_view name) const;
    // Throws DbError 3012 when a relation of that name exists, 3265 for a missing table or field.
    void Append(const Relation& relation);
    void Delete(std::string_view name);
    void Refresh();

private:
    std::shared_ptr<Engine> engine_;
    std::vector<Relation> relations_;
};

}  // namespace tlx4r::db
