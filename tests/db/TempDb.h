#pragma once

#include "db/Database.h"
#include "support/TempDir.h"

#include <filesystem>
#include <functional>
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

using tlx4r::test::FileBytes;
using tlx4r::test::TempDir;

// The number of the DbError that action raises (0 when it raises none); its description goes to
// description when given.
long ErrorNumber(const std::function<void()>& action, std::string* description = nullptr);

// Creates the tables Person, Project and Entry (a few fields each, keys on ID) in db.
void CreateSampleSchema(Database& db);

}  // namespace tlx4r::db::test
