#pragma once

#include <string>
#include <string_view>

struct pg_result;
struct pg_conn;

namespace tlx4r::db {

// The one way the PostgreSQL engine reports a failure: the server's SQLSTATE and message turned
// into a DbError with the old engine's number, as RaiseSqlite does for files. result may be
// null (then the connection's message is used); statement, when given, is named; name is the
// database as the user named it.
[[noreturn]] void RaisePg(const pg_result* result, const pg_conn* connection, std::string_view statement,
                          const std::string& name);
// The same for a result this call frees (also when the error is raised).
[[noreturn]] void RaisePgAndClear(pg_result* result, const pg_conn* connection, std::string_view statement,
                                  const std::string& name);

}  // namespace tlx4r::db
