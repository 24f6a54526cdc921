#pragma once

#include <string>

namespace tlx4r::db {

// The old engine's field types, with its numbers (they appear in exported schema descriptions).
enum class FieldType {
    Boolean = 1,
    Integer = 3,   // 16-bit
    Long = 4,      // 32-bit
    Currency = 5,  // fixed point, four decimals
    Double = 7,
    Date = 8,      // day serial, time as the fraction
    Text = 10,     // at most Size() characters
    Memo = 12,
};

// The type's name as the schema shows it: "Long", "Text", …
const char* FieldTypeName(FieldType type);

// The definition of one column: what a table keeps about it besides its values. A Field is a
// plain value; appending it to a table (TableDef::AppendField) is what changes a database.
class Field {
public:
    // The old engine's attribute bit for a counter field.
    static constexpr long kAutoIncrField = 16;

    Field() = default;
    // size counts characters and matters for Text only (0 takes 255, the old default).
    Field(std::string name, FieldType type, int size = 0);

    const std::string& Name() const { return name_; }
    FieldType Type() const { return type_; }
    // Characters for Text; the storage width of the other types (Long 4, Currency 8, …); 0 for
    // Memo.
    int Size() const;

    // The default as the old dialect writes it: 0, False, "text" (quoted). "" for none.
    const std::string& DefaultValue() const { return default_value_; }
    Field& SetDefaultValue(std::string value);
    // A condition on the field in the old dialect without the field name, e.g. "> 0". Only
    // comparisons with numbers joined by And/Or are enforced by the engine; any other rule is
    // kept and shown but not checked.
    const std::string& ValidationRule() const { return validation_rule_; }
    Field& SetValidationRule(std::string rule);
    bool Required() const { return required_; }
    Field& SetRequired(bool required);
    // Only a Long field named like the table's key can count by itself.
    bool AutoIncrement() const { return auto_increment_; }
    Field& SetAutoIncrement(bool on);
    long Attributes() const { return auto_increment_ ? kAutoIncrField : 0; }

private:
    std::string name_;
    FieldType type_ = FieldType::Text;
    int size_ = 0;
    std::string default_value_;
    std::string validation_rule_;
    bool required_ = false;
    bool auto_increment_ = false;
};

}  // namespace tlx4r::db
