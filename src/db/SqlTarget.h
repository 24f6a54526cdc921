#pragma once

namespace tlx4r::db {

// The engine a dialect statement is translated for: the same rewrite rules, written for the
// one or the other.
enum class SqlTarget { Sqlite, Postgres };

}  // namespace tlx4r::db
