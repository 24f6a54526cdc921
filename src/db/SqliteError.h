#pragma once

#include <string>
#include <string_view>

struct sqlite3;

namespace tlx4r::db {

// The one way the SQLite engine reports a failure: turns a result code and the connection's
// message into a DbError with the old engine's number and a description a user can act on.
// statement, when given, is named in the description; file names the database.
[[noreturn]] void RaiseSqlite(sqlite3* connection, int rc, std::string_view statement,
                              const std::string& file);
// Returns when rc is SQLITE_OK (or ROW/DONE), raises otherwise.
void CheckSqlite(sqlite3* connection, int rc, std::string_view statement, const std::string& file);

}  // namespace tlx4r::db
