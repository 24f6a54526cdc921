#pragma once

#include "db/Database.h"

#include <filesystem>
#include <ostream>
#include <string>

namespace tlx4r::db {

// How test failures show a value.
inline void PrintTo(const Value& value, std::ostream* out) {
    *out << (value.IsNull() ? std::string("Null") : "\"" + value.ToText() + "\"") << " (kind "
         << static_cast<int>(value.kind()) << ")";
}

}  // namespace tlx4r::db

namespace tlx4r::db::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// The bytes of a file, for checking that a failed operation left it untouched.
std::string FileBytes(const std::string& path);

// Creates the tables Person, Project and Entry (a few fields each, keys on ID) in db.
void CreateSampleSchema(Database& db);

}  // namespace tlx4r::db::test
