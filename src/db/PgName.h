#pragma once

#include <string>
#include <string_view>

namespace tlx4r::db {

// A database on a PostgreSQL server, named wherever a file name is taken:
//   postgresql://[user@]host[:port]/dbname[/schema][?parameters]   (or postgres://…)
// The schema is the database the component sees; one office keeps its reporting and its
// finance database as two schemas of one server database, so that statements join them. Without
// a schema the server's "public" one is meant. Passwords never appear here: libpq takes them from
// the user's ~/.pgpass or PGPASSWORD, and a service from ~/.pg_service.conf (…?service=name).
class PgName {
public:
    static bool IsServerName(std::string_view name);
    // Throws DbError 3024 when name is not a usable server name.
    explicit PgName(std::string_view name);

    const std::string& Name() const { return name_; }
    // What libpq connects with: the name without the schema.
    const std::string& ConnInfo() const { return conninfo_; }
    // The schema, in lower case (the server's names are kept in lower case).
    const std::string& Schema() const { return schema_; }
    // The server database as one folder name ("host_5432_kanzlei"), for the folders that stand in
    // for the one a database file has (backups, exports).
    std::string FolderName() const;

private:
    std::string name_;
    std::string conninfo_;
    std::string schema_;
};

}  // namespace tlx4r::db
