#pragma once

#include "db/Field.h"

#include <string>
#include <string_view>

namespace tlx4r::db {

// A default in the old dialect as an SQL constant; "" when no engine can hold it as one (then it
// is kept in the layer's field table only).
std::string NativeDefault(const std::string& value);
// The reverse of NativeDefault for a field of type.
std::string DialectDefault(const std::string& native, FieldType type);
// A validation rule that only compares the field with numbers ("> 0", ">= 1 And <= 37",
// "Between 1 And 9", "Is Not Null") as an SQL condition on column; "" for any other rule.
std::string NativeRule(const std::string& rule, const std::string& column);

}  // namespace tlx4r::db
