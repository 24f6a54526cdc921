#pragma once

#include <string>
#include <vector>

namespace tlx4r::db {

// The server's own tools for what the file engine does page by page: a backup of one schema is a
// pg_dump archive, restored with pg_restore. Both take the connection from the same name the
// engine connects with (passwords from ~/.pgpass or the environment, as for the engine).
class PgTools {
public:
    // Writes schema of the server database conninfo into the new file path (custom format).
    // Throws DbError 3043 naming the tool's message; no file is left then.
    static void Dump(const std::string& conninfo, const std::string& schema, const std::string& path);
    // Makes the objects and rows of the archive path in the server database conninfo, in one
    // transaction. Throws DbError 3043 naming the tool's message.
    static void Restore(const std::string& conninfo, const std::string& path);
    // The schemas the archive path makes (from its table of contents). Throws DbError 3043 when
    // the file is no archive.
    static std::vector<std::string> SchemasOf(const std::string& path);

private:
    // Runs program with args, waits for it; its error output when it fails, "" on success. With
    // output, what it writes to its standard output goes there.
    static std::string Run(const std::vector<std::string>& args, std::string* output = nullptr);
};

}  // namespace tlx4r::db
