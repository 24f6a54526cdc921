#pragma once

#include <string>

namespace tlx4r::db {
class Database;
}

namespace tlx4r {

// The option that says how many automatic backups are kept per database.
inline constexpr const char* kOptionBackupsKept = "BackupsKept";

// The number of automatic backups kept per database: the user's option "BackupsKept" in the
// section "Options" (10 when unset; 0 keeps every backup).
int BackupsKept();

// Takes the automatic backup of the open database before an operation that deletes or rewrites
// many rows (compact, convert, verify full, import with delete-all, archive deletion, transfer)
// and returns its path. When it cannot be taken, throws AppError 75 naming the backups folder:
// the operation must not start without it.
std::string BackupBefore(db::Database& db, const std::string& operation);

}  // namespace tlx4r
