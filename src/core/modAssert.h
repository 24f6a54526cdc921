#pragma once

#include "core/ReportingSchema.h"

#include <string>

namespace tlx4r::db {
class Database;
}

// The routines that make a database's schema match its declaration (ReportingSchema). They add
// what is missing and never alter or drop what exists. Each single step swallows its own
// failure and the walk goes on: an old or damaged file must still open, with as much of the
// schema as could be made. Only a failing disk (DbError 3043) stops the walk, since nothing
// after it could be written either.
namespace tlx4r {

// Creates the table when it is missing, with its key ID (Long, default 0, rule "> 0"; with
// auto_increment a counter without default or rule), then makes sure of the primary index
// "PrimaryKey" and the unique index "ID" on it. True iff the table was created.
bool TableAssert(db::Database& db, const std::string& table, bool auto_increment = false);
// Adds the field when the table lacks it, with its size and default, and its index (named
// like the field) when it is marked indexed. An existing field is left as it is.
void FieldAssert(db::Database& db, const std::string& table, const schema::FieldDecl& field);
// Creates the index when the table has none of that name.
void IndexAssert(db::Database& db, const std::string& table, const std::string& name,
                 const std::string& field, bool unique = false, bool primary = false);
// The same for an index over several fields.
void IndexAssert(db::Database& db, const std::string& table, const schema::IndexDecl& index);
// The table, then each of its fields in declaration order, then its indexes of several fields.
// True iff the table was created.
bool TableDeclAssert(db::Database& db, const schema::TableDecl& table);

// Creates the relation unless one of its name exists.
void RelationAssert(db::Database& db, const schema::RelationDecl& relation);
// Deletes every relation whose name starts with prefix ("" deletes all of them).
void RelationsDelete(db::Database& db, const std::string& prefix);

// Creates the stored query when it is missing; with force it is replaced by a new one in one
// step, so that a failure keeps the old one.
void QueryAssert(db::Database& db, const schema::QueryDecl& query, bool force = false);

}  // namespace tlx4r
