// How a field's default and validation rule of the old dialect become SQL the engines hold.
#include "NativeSchema.h"

#include "db/JetNode.h"

#include "types/Utf8.h"

#include <cctype>
#include <vector>

namespace tlx4r::db {

namespace {

bool IsNumber(std::string_view text) {
    if (text.empty()) return false;
    std::size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    bool digits = false, dot = false;
    for (; i < text.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(text[i]))) {
            digits = true;
        } else if (text[i] == '.' && !dot) {
            dot = true;
        } else {
            return false;
        }
    }
    return digits;
}

}  // namespace

// A default in the old dialect as an SQLite constant; "" when SQLite cannot hold it as one
// (then it is kept in the layer's field table only).
std::string NativeDefault(const std::string& value) {
    std::string u = utf8::Upper(value);
    if (u == "TRUE" || u == "YES") return "1";
    if (u == "FALSE" || u == "NO") return "0";
    if (IsNumber(value)) return value;
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        std::string inner;
        for (std::size_t i = 1; i + 1 < value.size(); ++i) {
            inner += value[i];
            if (value[i] == '"' && value[i + 1] == '"') ++i;
        }
        return jet::QuoteText(inner);
    }
    return {};
}

std::string DialectDefault(const std::string& native, FieldType type) {
    if (native.empty() || native == "NULL") return {};
    if (type == FieldType::Boolean) return native == "0" ? "False" : "True";
    if (native.size() >= 2 && native.front() == '\'') {
        std::string out = "\"";
        for (std::size_t i = 1; i + 1 < native.size(); ++i) {
            if (native[i] == '\'' && native[i + 1] == '\'') ++i;  // '' is one quote
            if (native[i] == '"') out += '"';                      // " is written ""
            out += native[i];
        }
        return out + "\"";
    }
    return native;
}

// A validation rule that only compares the field with numbers ("> 0", ">= 1 And <= 37",
// "Between 1 And 9", "Is Not Null") as an SQLite condition on column; "" for any other rule.
std::string NativeRule(const std::string& rule, const std::string& column) {
    std::vector<std::string> tokens;
    for (std::size_t i = 0; i < rule.size();) {
        char c = rule[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
        } else if (c == '<' || c == '>' || c == '=') {
            std::size_t j = i + 1;
            while (j < rule.size() && (rule[j] == '<' || rule[j] == '>' || rule[j] == '=')) ++j;
            tokens.push_back(rule.substr(i, j - i));
            i = j;
        } else {
            std::size_t j = i;
            while (j < rule.size() && !std::isspace(static_cast<unsigned char>(rule[j])) && rule[j] != '<' &&
                   rule[j] != '>' && rule[j] != '=') {
                ++j;
            }
            tokens.push_back(rule.substr(i, j - i));
            i = j;
        }
    }
    std::string out;
    for (std::size_t i = 0; i < tokens.size();) {
        const std::string t = utf8::Upper(tokens[i]);
        if (t == "<" || t == ">" || t == "=" || t == "<=" || t == ">=" || t == "<>") {
            if (i + 1 >= tokens.size() || !IsNumber(tokens[i + 1])) return {};
            out += column + " " + t + " " + tokens[i + 1];
            i += 2;
        } else if (t == "AND" || t == "OR" || t == "NOT") {
            out += " " + t + " ";
            ++i;
        } else if (t == "BETWEEN") {
            if (i + 3 >= tokens.size() || !IsNumber(tokens[i + 1]) || utf8::Upper(tokens[i + 2]) != "AND" ||
                !IsNumber(tokens[i + 3])) {
                return {};
            }
            out += column + " BETWEEN " + tokens[i + 1] + " AND " + tokens[i + 3];
            i += 4;
        } else if (t == "IS") {
            bool negated = i + 1 < tokens.size() && utf8::Upper(tokens[i + 1]) == "NOT";
            std::size_t n = i + (negated ? 2 : 1);
            if (n >= tokens.size() || utf8::Upper(tokens[n]) != "NULL") return {};
            out += column + (negated ? " IS NOT NULL" : " IS NULL");
            i = n + 1;
        } else {
            return {};
        }
    }
    return out;
}

}  // namespace tlx4r::db
