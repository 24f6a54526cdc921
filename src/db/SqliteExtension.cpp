// The loadable SQLite extension: registers on any connection the collation JETTEXT of the text
// columns and the dialect's functions that stored queries use, so that the sqlite3 shell,
// Python and other SQLite tools open, query and check the files after ".load tlx4r".
//
// The functions call SQLite directly: the extension links the same shared SQLite library the
// loading program uses.
#include "db/JetSql.h"

#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

#include <exception>

extern "C" __attribute__((visibility("default"))) int sqlite3_extension_init(sqlite3* connection, char** error,
                                                                             const sqlite3_api_routines* api) {
    SQLITE_EXTENSION_INIT2(api);
    try {
        tlx4r::db::RegisterJetFunctions(connection);
    } catch (const std::exception& e) {
        if (error != nullptr) *error = sqlite3_mprintf("tlx4r: %s", e.what());
        return SQLITE_ERROR;
    }
    return SQLITE_OK;
}
