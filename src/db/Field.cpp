#include "Field.h"

namespace tlx4r::db {

const char* FieldTypeName(FieldType type) {
    switch (type) {
        case FieldType::Boolean: return "Boolean";
        case FieldType::Integer: return "Integer";
        case FieldType::Long: return "Long";
        case FieldType::Currency: return "Currency";
        case FieldType::Double: return "Double";
        case FieldType::Date: return "Date";
        case FieldType::Text: return "Text";
        case FieldType::Memo: return "Memo";
    }
    return "Unknown";
}

Field::Field(std::string name, FieldType type, int size)
    : name_(std::move(name)), type_(type), size_(type == FieldType::Text ? (size > 0 ? size : 255) : 0) {}

int Field::Size() const {
    switch (type_) {
        case FieldType::Boolean: return 1;
        case FieldType::Integer: return 2;
        case FieldType::Long: return 4;
        case FieldType::Currency:
        case FieldType::Double:
        case FieldType::Date: return 8;
        case FieldType::Text: return size_;
        case FieldType::Memo: return 0;
    }
    return 0;
}

Field& Field::SetDefaultValue(std::string value) {
    default_value_ = std::move(value);
    return *this;
}

Field& Field::SetValidationRule(std::string rule) {
    validation_rule_ = std::move(rule);
    return *this;
}

Field& Field::SetRequired(bool required) {
    required_ = required;
    return *this;
}

Field& Field::SetAutoIncrement(bool on) {
    auto_increment_ = on;
    return *this;
}

}  // namespace tlx4r::db
