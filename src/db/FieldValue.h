#pragma once

#include "db/Field.h"
#include "db/Value.h"

#include <cstdint>
#include <string>

namespace tlx4r::db {

class EngineStatement;

// How the component's values meet a field's storage: what a field of a type accepts and how a
// stored value reads back as the field's type.
namespace FieldValue {

// The value as field stores it. A text into a number, Boolean or date field, or any other value
// of the wrong type, throws DbError 3421 naming the field (owner is "Table." or ""); a text
// longer than a Text field throws DbError 3163 (the field writers cut texts, the engine does
// not); a number past an Integer or Long field throws DbError 6.
Value ToStored(const Field& field, const Value& value, const std::string& owner);
// The same into out, reusing its room (an edit buffer written row after row); out is left as it
// was when the value is refused.
void Store(const Field& field, const Value& value, const std::string& owner, Value& out);

// A stored value (Null, Long, Double, Text) as the field's type: amounts rounded to four
// decimals, Booleans true/false, dates as Date. Values of untyped (computed) columns stay as
// they are.
Value FromStored(const Field& field, bool typed, Value stored);
// The same in place, for values read in bulk.
void Normalize(const Field& field, bool typed, Value& stored);
// The same straight from column of the statement's current row into out, reusing out's room:
// the common cases build no value in between.
void Read(const Field& field, bool typed, const EngineStatement& statement, int column, Value& out);

// The field's default value (in the dialect's form, e.g. 0, False, "text") as a value of the
// field's type; Null when there is none or it is an expression.
Value DefaultOf(const Field& field);
// A row key as statements bind it: an integer, so that the look-up stays a direct one.
Value Key(std::int64_t key);

}  // namespace FieldValue

}  // namespace tlx4r::db
