#include "db/JetNode.h"

#include "types/Utf8.h"

#include <array>

namespace tlx4r::db::jet {

namespace {

using Kind = JetToken::Kind;

// Words that end an operand. A name outside this list is a column, table or function name.
constexpr std::array kKeywords{
    "ALL",   "AND",      "AS",          "ASC",    "BETWEEN", "BY",     "CASE",   "CROSS",  "DELETE",
    "DESC",  "DISTINCT", "DISTINCTROW", "ELSE",   "END",     "ESCAPE", "EXISTS", "FROM",   "FULL",
    "GROUP", "HAVING",   "IN",          "INNER",  "INSERT",  "INTO",   "IS",     "JOIN",   "LEFT",
    "LIKE",  "NOT",      "ON",          "OR",     "ORDER",   "OUTER",  "RIGHT",  "SELECT", "SET",
    "THEN",  "TOP",      "UNION",       "UPDATE", "VALUES",  "WHEN",   "WHERE",  "XOR",
};

}  // namespace

bool EqualNoCase(std::string_view a, std::string_view b) {
    return utf8::Lower(a) == utf8::Lower(b);
}

bool IsKeyword(const JetNode& n) {
    if (n.group || n.tok.kind != Kind::Name) return false;
    for (const char* k : kKeywords)
        if (n.tok.IsWord(k)) return true;
    return false;
}

bool IsWord(const JetNode& n, std::string_view w) { return !n.group && n.tok.IsWord(w); }
bool IsPunct(const JetNode& n, char c) { return !n.group && n.tok.IsPunct(c); }
bool IsOp(const JetNode& n, std::string_view op) {
    return !n.group && n.tok.Is(Kind::Operator, op);
}
bool IsName(const JetNode& n) {
    return !n.group &&
           (n.tok.kind == Kind::QuotedName || (n.tok.kind == Kind::Name && !IsKeyword(n)));
}
bool StartsSelect(const JetNode& n) {
    return n.group && !n.kids.empty() && IsWord(n.kids[0], "SELECT");
}

// Left( and Right( are functions; every other keyword before a bracket is a keyword.
bool IsFunctionCall(JetNodes nodes, std::size_t i) {
    const JetNode& n = nodes[i];
    if (n.group || n.tok.kind != Kind::Name || i + 1 >= nodes.size() || !nodes[i + 1].group)
        return false;
    if (StartsSelect(nodes[i + 1])) return false;
    return !IsKeyword(n) || n.tok.IsWord("Left") || n.tok.IsWord("Right");
}

bool IsComparison(const JetNode& n) {
    if (n.group || n.tok.kind != Kind::Operator) return false;
    const std::string& t = n.tok.text;
    return t == "=" || t == "<>" || t == "<" || t == ">" || t == "<=" || t == ">=" || t == "!=";
}

// A node that ends an operand of the arithmetic operators.
bool IsBoundary(const JetNode& n) { return IsPunct(n, ',') || IsComparison(n) || IsKeyword(n); }

bool IsOperand(const JetNode& n) {
    if (n.group) return true;
    switch (n.tok.kind) {
        case Kind::Name:
            return !IsKeyword(n) && !n.tok.IsWord("Mod");
        case Kind::QuotedName:
        case Kind::Text:
        case Kind::DateLiteral:
        case Kind::Number:
            return true;
        default:
            return false;
    }
}

std::string QuoteIdentifier(std::string_view name) {
    std::string out = "\"";
    for (char c : name) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string QuoteName(std::string_view name, SqlTarget target) {
    return target == SqlTarget::Postgres ? QuoteIdentifier(utf8::Lower(name)) : QuoteIdentifier(name);
}

std::string QuoteText(std::string_view text) {
    std::string out = "'";
    for (char c : text) {
        if (c == '\'') out += '\'';
        out += c;
    }
    return out + "'";
}

void Writer::Add(std::string_view piece) {
    if (piece.empty()) return;
    bool glue = out_.empty() || out_.back() == '.' || out_.back() == '(' || piece == "," ||
                piece == "." || piece == ")";
    if (!glue) out_ += ' ';
    out_ += piece;
}

}  // namespace tlx4r::db::jet
