#pragma once

#include "db/QueryDef.h"

#include <memory>
#include <string>
#include <vector>

namespace tlx4r::db {

class Engine;

// The stored queries of a database: each is a view made from the translation of its SQL, with
// the dialect text kept beside it, so QueryDef::SQL gives back exactly what was saved.
class QueryDefs {
public:
    explicit QueryDefs(std::shared_ptr<Engine> engine);

    std::size_t Count() const { return queries_.size(); }
    const std::vector<QueryDef>& All() const { return queries_; }
    bool Exists(std::string_view name) const;
    // Throws DbError 3265 when there is no such query.
    const QueryDef& Item(std::string_view name) const;
    // Creates the view; throws DbError 3012 when a query or table of that name exists, or the
    // translator's or engine's error when the SQL is wrong (nothing is stored then).
    void Append(const QueryDef& query);
    void Delete(std::string_view name);
    void Refresh();

private:
    std::shared_ptr<Engine> engine_;
    std::vector<QueryDef> queries_;
};

}  // namespace tlx4r::db
