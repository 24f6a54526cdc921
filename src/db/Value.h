#pragma once

#include "types/Currency.h"
#include "types/Date.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace tlx4r::db {

// One database value as the component sees a field: Null or one of the old engine's types.
// Conversions between the kinds follow the old platform: a Boolean is -1/0 as a number, a date
// is its day number, a text converts when it reads as a number or date. A conversion that is
// not possible throws DbError 13 ("Type mismatch"); Null converts only through the Null
// helpers (NullToString, NullToLong, …), which read it as "" or 0.
class Value {
public:
    enum class Kind { Null, Boolean, Long, Double, Currency, Date, Text };

    Value() = default;
    Value(std::nullptr_t) {}
    Value(bool b) : v_(b) {}
    Value(std::int32_t n) : v_(n) {}
    Value(double d) : v_(d) {}
    Value(tlx4r::Currency c) : v_(c) {}
    Value(tlx4r::Date d) : v_(d) {}
    Value(std::string s) : v_(std::move(s)) {}
    Value(const char* s) : v_(std::string(s)) {}

    Kind kind() const { return static_cast<Kind>(v_.index()); }
    bool IsNull() const { return kind() == Kind::Null; }

    bool ToBool() const;
    std::int32_t ToLong() const;  // rounds half-to-even; throws DbError 6 ("Overflow") past 32 bits
    double ToDouble() const;
    tlx4r::Currency ToCurrency() const;
    tlx4r::Date ToDate() const;
    // The value's default text: numbers without grouping, amounts with their decimals,
    // dates "dd.mm.yyyy" (and " hh:mm:ss" when they carry a time), Booleans "True"/"False".
    std::string ToText() const;
    // The text a Text value holds, read in place; nullptr for any other kind.
    const std::string* HeldText() const { return std::get_if<std::string>(&v_); }
    // Makes the value that text, in the room of the text it held: rows read one after another
    // into the same values allocate only when a text outgrows the one before.
    void SetText(std::string_view text) {
        if (auto* held = std::get_if<std::string>(&v_)) {
            held->assign(text.data(), text.size());
        } else {
            v_.emplace<std::string>(text);
        }
    }

    // Makes the value x (bool, std::int32_t, double, Currency, Date, or std::monostate for Null)
    // in place: rows read one after another keep their kinds, so mostly only the number changes.
    template <class T>
    void Assign(T x) {
        if (auto* held = std::get_if<T>(&v_)) {
            *held = x;
        } else {
            v_.template emplace<T>(x);
        }
    }

    bool operator==(const Value& o) const = default;

private:
    std::variant<std::monostate, bool, std::int32_t, double, tlx4r::Currency, tlx4r::Date, std::string>
        v_;
};

}  // namespace tlx4r::db
