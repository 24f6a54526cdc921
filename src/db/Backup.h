#pragma once

#include <string>
#include <vector>

namespace tlx4r::db {

class Database;

// Automatic backups of a database file: consistent copies taken through the engine's online
// backup into the folder "backups" beside the file, named by the file, the moment and the
// operation that follows ("Kanzlei-20241205-143012-compact.tdb4r"). The newest `keep` of each
// database are kept.
class Backup {
public:
    static constexpr int kKeepDefault = 10;
    static constexpr const char* kFolder = "backups";

    struct Item {
        std::string name;       // the file name in the backups folder
        std::string path;       // its full path
        std::string stamp;      // "yyyymmdd-hhnnss"
        std::string operation;  // what it was taken before
    };

    // The backups folder of a database file.
    static std::string Folder(const std::string& database_path);
    // Takes a backup of the open database before operation (a short word such as "compact")
    // and drops the oldest beyond keep (keep < 1 keeps them all). Returns the backup's path.
    // Throws DbError when it cannot be taken; the caller's operation must then not start.
    static std::string Take(Database& db, const std::string& operation, int keep = kKeepDefault);
    // The same for a database file that is not open.
    static std::string TakeOfFile(const std::string& database_path, const std::string& operation,
                                  int keep = kKeepDefault);
    // The backups of a database, newest first.
    static std::vector<Item> List(const std::string& database_path);
    // Gives the database the content of its backup name (a name from List) in one step, after
    // taking a backup of its current state ("restore"), which is returned. Throws DbError 3024
    // for an unknown name.
    static std::string Restore(const std::string& database_path, const std::string& name, int keep = kKeepDefault);

private:
    static std::string NewPath(const std::string& database_path, const std::string& operation);
    static void Prune(const std::string& database_path, int keep) noexcept;
};

}  // namespace tlx4r::db
