#pragma once

#include "db/EngineStatement.h"
#include "db/Field.h"
#include "db/Value.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace tlx4r::db {

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
// The same straight from a cell of a statement's current row into out, reusing out's room. Every
// value a walk reads passes here, so the common cases are inline and build no value in between;
// engines call it from their ReadField with the cell read in place.
[[gnu::always_inline]] inline void ReadCell(const Field& field, bool typed, const EngineStatement::Cell& cell,
                                            Value& out);

// The field's default value (in the dialect's form, e.g. 0, False, "text") as a value of the
// field's type; Null when there is none or it is an expression.
Value DefaultOf(const Field& field);
// A row key as statements bind it: an integer, so that the look-up stays a direct one.
Value Key(std::int64_t key);

// An amount the layer wrote is the double nearest to its four decimals: taken back directly.
// Anything else (a computed value) is rounded by its decimal text.
inline bool ExactAmount(double d, tlx4r::Currency& amount) {
    const double units = std::nearbyint(d * 10000.0);
    if (!(std::fabs(units) < 9e15) || units / 10000.0 != d) return false;
    amount = tlx4r::Currency::FromUnits(static_cast<std::int64_t>(units));
    return true;
}

inline void ReadCell(const Field& field, bool typed, const EngineStatement::Cell& cell, Value& out) {
    using Stored = EngineStatement::Stored;
    const FieldType type = field.Type();
    switch (cell.stored) {
        case Stored::Null:
            out.Assign(std::monostate{});
            return;
        case Stored::Text:
            if (!typed || type == FieldType::Text || type == FieldType::Memo) {
                out.SetText(cell.text);
            } else {
                out = FromStored(field, typed, Value(std::string(cell.text)));
            }
            return;
        case Stored::Integer: {
            const bool fits = cell.integer >= std::numeric_limits<std::int32_t>::min() &&
                              cell.integer <= std::numeric_limits<std::int32_t>::max();
            if (typed && type == FieldType::Boolean) {
                out.Assign(cell.integer != 0);
            } else if (fits && (!typed || type == FieldType::Long || type == FieldType::Integer)) {
                out.Assign(static_cast<std::int32_t>(cell.integer));
            } else {
                out = FromStored(field, typed, fits ? Value(static_cast<std::int32_t>(cell.integer))
                                                    : Value(static_cast<double>(cell.integer)));
            }
            return;
        }
        case Stored::Real: {
            tlx4r::Currency amount;
            if (!typed || type == FieldType::Double) {
                out.Assign(cell.real);
            } else if (type == FieldType::Date) {
                if (cell.real == 0) {
                    out.Assign(std::monostate{});  // the date 0 is no date
                } else {
                    out.Assign(tlx4r::Date(cell.real));
                }
            } else if (type == FieldType::Currency && ExactAmount(cell.real, amount)) {
                out.Assign(amount);
            } else {
                out = FromStored(field, typed, Value(cell.real));
            }
            return;
        }
    }
}

}  // namespace FieldValue

}  // namespace tlx4r::db
