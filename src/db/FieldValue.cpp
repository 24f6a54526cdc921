#include "FieldValue.h"

#include "db/DbError.h"
#include "db/EngineStatement.h"
#include "types/Utf8.h"

#include <cstdint>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace tlx4r::db::FieldValue {

namespace {

const char* KindName(Value::Kind kind) {
    switch (kind) {
        case Value::Kind::Null: return "Null";
        case Value::Kind::Boolean: return "Boolean";
        case Value::Kind::Long: return "Long";
        case Value::Kind::Double: return "Double";
        case Value::Kind::Currency: return "Currency";
        case Value::Kind::Date: return "Date";
        case Value::Kind::Text: return "Text";
    }
    return "?";
}

[[noreturn]] void WrongType(const Field& field, const Value& value, const std::string& owner) {
    std::string shown = value.kind() == Value::Kind::Text ? " \"" + value.ToText() + "\"" : "";
    throw DbError(3421, "The field '" + owner + field.Name() + "' (" + FieldTypeName(field.Type()) +
                            ") cannot take the " + KindName(value.kind()) + " value" + shown + ".");
}

bool IsNumber(const Value& v) {
    auto k = v.kind();
    return k == Value::Kind::Boolean || k == Value::Kind::Long || k == Value::Kind::Double ||
           k == Value::Kind::Currency;
}

std::int32_t Whole(const Field& field, const Value& value, const std::string& owner) {
    std::int32_t n = 0;
    try {
        n = value.ToLong();
    } catch (const DbError&) {
        throw DbError(6, "Overflow: " + value.ToText() + " does not fit the field '" + owner + field.Name() + "'.");
    }
    if (field.Type() == FieldType::Integer && (n < -32768 || n > 32767)) {
        throw DbError(6, "Overflow: " + value.ToText() + " does not fit the Integer field '" + owner + field.Name() +
                             "'.");
    }
    return n;
}

}  // namespace

Value ToStored(const Field& field, const Value& value, const std::string& owner) {
    Value stored;
    Store(field, value, owner, stored);
    return stored;
}

void Store(const Field& field, const Value& value, const std::string& owner, Value& out) {
    if (value.IsNull()) {
        out.Assign(std::monostate{});
        return;
    }
    switch (field.Type()) {
        case FieldType::Text:
        case FieldType::Memo: {
            // A text needs no conversion: copied once (into out's room), not converted and copied
            const std::string* held = value.HeldText();
            std::string converted;
            if (!held) {
                converted = value.ToText();
                held = &converted;
            }
            const std::string& text = *held;
            if (field.Type() == FieldType::Text && text.size() > static_cast<std::size_t>(field.Size())) {
                const std::size_t length = utf8::Length(text);  // bytes >= characters: only then count
                if (length > static_cast<std::size_t>(field.Size())) {
                    throw DbError(3163, "The text for field '" + owner + field.Name() + "' is " +
                                            std::to_string(length) + " characters long; the field holds " +
                                            std::to_string(field.Size()) + ".");
                }
            }
            if (held == &converted) {
                out = Value(std::move(converted));
            } else {
                out.SetText(text);
            }
            return;
        }
        case FieldType::Boolean:
            if (!IsNumber(value)) WrongType(field, value, owner);
            out.Assign(value.ToBool());
            return;
        case FieldType::Integer:
        case FieldType::Long:
            if (!IsNumber(value)) WrongType(field, value, owner);
            out.Assign(Whole(field, value, owner));
            return;
        case FieldType::Currency: {
            if (!IsNumber(value)) WrongType(field, value, owner);
            tlx4r::Currency amount;
            try {
                amount = value.ToCurrency();
            } catch (const DbError&) {
                throw DbError(6, "Overflow: the amount does not fit the field '" + owner + field.Name() + "'.");
            }
            out.Assign(amount);
            return;
        }
        case FieldType::Double:
            if (!IsNumber(value)) WrongType(field, value, owner);
            out.Assign(value.ToDouble());
            return;
        case FieldType::Date: {
            auto k = value.kind();
            if (k != Value::Kind::Date && k != Value::Kind::Long && k != Value::Kind::Double) WrongType(field, value, owner);
            tlx4r::Date d = value.ToDate();
            if (d.IsNull()) {
                out.Assign(std::monostate{});  // the date 0 means "no date"
            } else {
                out.Assign(d);
            }
            return;
        }
    }
    WrongType(field, value, owner);
}

Value FromStored(const Field& field, bool typed, Value stored) {
    if (stored.IsNull() || !typed) return stored;
    try {
        switch (field.Type()) {
            case FieldType::Text:
            case FieldType::Memo:
                if (stored.kind() == Value::Kind::Text) return stored;
                return Value(stored.ToText());
            case FieldType::Boolean:
                return Value(stored.ToDouble() != 0);
            case FieldType::Integer:
            case FieldType::Long:
                return stored.kind() == Value::Kind::Long ? stored : Value(stored.ToLong());
            case FieldType::Currency: {
                if (stored.kind() == Value::Kind::Long) return Value(tlx4r::Currency::FromInt(stored.ToLong()));
                double d = stored.ToDouble();
                tlx4r::Currency amount;
                return Value(ExactAmount(d, amount) ? amount : tlx4r::Currency::FromDouble(d));
            }
            case FieldType::Double:
                return Value(stored.ToDouble());
            case FieldType::Date: {
                double serial = stored.ToDouble();
                return serial == 0 ? Value() : Value(tlx4r::Date(serial));
            }
        }
    } catch (const std::exception&) {
        // a value another program stored that the type cannot read: shown as it is
    }
    return stored;
}

Value DefaultOf(const Field& field) {
    const std::string& d = field.DefaultValue();
    if (d.empty()) return Value();
    std::string lower = utf8::Lower(d);
    if (lower == "true" || lower == "yes") return FromStored(field, true, Value(1));
    if (lower == "false" || lower == "no") return FromStored(field, true, Value(0));
    if (d.size() >= 2 && d.front() == '"' && d.back() == '"') {
        std::string inner;
        for (std::size_t i = 1; i + 1 < d.size(); ++i) {
            inner += d[i];
            if (d[i] == '"' && d[i + 1] == '"') ++i;
        }
        return FromStored(field, true, Value(inner));
    }
    char* end = nullptr;
    double number = std::strtod(d.c_str(), &end);
    if (end && *end == '\0') {
        if (number == std::nearbyint(number) && std::fabs(number) < 2e9) {
            return FromStored(field, true, Value(static_cast<std::int32_t>(number)));
        }
        return FromStored(field, true, Value(number));
    }
    return Value();
}

Value Key(std::int64_t key) {
    if (key >= INT32_MIN && key <= INT32_MAX) return Value(static_cast<std::int32_t>(key));
    return Value(static_cast<double>(key));  // past 32 bits: SQLite still finds the row by its number
}

}  // namespace tlx4r::db::FieldValue
