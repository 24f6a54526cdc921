#pragma once

#include "db/TableDef.h"

#include <optional>
#include <string>
#include <string_view>

namespace tlx4r::db {

// The dialect's data definition "CREATE TABLE Name (Field Type[(size)] [NOT NULL], …)" as a
// table definition of the layer, so that each engine makes the table its own way (with the
// field types the layer knows). Types: Long/Integer/Int/Counter, Short/SmallInt, Text/Char/
// VarChar(n), Memo/LongText, Currency/Money, Double/Float/Real, Date/DateTime/Time,
// Bit/Boolean/YesNo. nullopt for any other statement; DbError 3000 for one that starts so but
// cannot be read.
std::optional<TableDef> ParseCreateTable(std::string_view statement);

// "CREATE [UNIQUE] INDEX Name ON Table (Field [ASC|DESC], …)": the table and the index.
struct IndexDefinition {
    std::string table;
    Index index;
};
std::optional<IndexDefinition> ParseCreateIndex(std::string_view statement);

}  // namespace tlx4r::db
