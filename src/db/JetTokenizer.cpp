#include "db/JetTokenizer.h"

#include "db/DbError.h"
#include "types/Utf8.h"

#include <cctype>

namespace tlx4r::db {

namespace {

bool IsNameStart(unsigned char c) { return std::isalpha(c) || c == '_' || c >= 0x80; }
bool IsNameChar(unsigned char c) { return std::isalnum(c) || c == '_' || c >= 0x80; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

bool JetToken::Is(Kind k, std::string_view t) const { return kind == k && text == t; }

bool JetToken::IsWord(std::string_view word) const {
    return kind == Kind::Name && EqualNoCase(text, word);
}

std::string JetErrorText(std::string_view statement, std::size_t byte_pos,
                         const std::string& what) {
    std::size_t chars = utf8::Length(statement.substr(0, std::min(byte_pos, statement.size())));
    return "Syntax error in SQL statement: " + what + " at position " + std::to_string(chars + 1) +
           " in \"" + std::string(statement) + "\"";
}

void JetTokenizer::Fail(std::size_t pos, const std::string& what) const {
    throw DbError(3000, JetErrorText(sql_, pos, what));
}

std::vector<JetToken> JetTokenizer::Tokenize() {
    std::vector<JetToken> tokens;
    for (;;) {
        tokens.push_back(Next());
        if (tokens.back().kind == JetToken::Kind::End) return tokens;
    }
}

JetToken JetTokenizer::Next() {
    while (i_ < sql_.size() && std::isspace(static_cast<unsigned char>(sql_[i_]))) ++i_;
    if (i_ >= sql_.size()) return {JetToken::Kind::End, "", sql_.size()};

    const std::size_t start = i_;
    const char c = sql_[i_];
    if (c == '[') return Quoted(']', JetToken::Kind::QuotedName, "name in brackets");
    if (c == '"') return Quoted('"', JetToken::Kind::Text, "text literal");
    if (c == '\'') return Quoted('\'', JetToken::Kind::Text, "text literal");
    if (c == '#') return DateAt();
    if (IsDigit(c) || (c == '.' && i_ + 1 < sql_.size() && IsDigit(sql_[i_ + 1])))
        return NumberAt();
    if (IsNameStart(static_cast<unsigned char>(c))) {
        while (i_ < sql_.size() && IsNameChar(static_cast<unsigned char>(sql_[i_]))) ++i_;
        return {JetToken::Kind::Name, std::string(sql_.substr(start, i_ - start)), start};
    }
    if (c == '(' || c == ')' || c == ',' || c == ';' || c == '.') {
        ++i_;
        return {JetToken::Kind::Punct, std::string(1, c), start};
    }
    if (c == '<' || c == '>' || c == '!') {
        ++i_;
        if (i_ < sql_.size() && (sql_[i_] == '=' || (c == '<' && sql_[i_] == '>'))) ++i_;
        std::string op(sql_.substr(start, i_ - start));
        if (op == "!") Fail(start, "unexpected character '!'");
        return {JetToken::Kind::Operator, op, start};
    }
    if (c == '=' || c == '+' || c == '-' || c == '*' || c == '/' || c == '\\' || c == '&' ||
        c == '^') {
        ++i_;
        return {JetToken::Kind::Operator, std::string(1, c), start};
    }
    Fail(start, std::string("unexpected character '") + c + "'");
}

JetToken JetTokenizer::Quoted(char close, JetToken::Kind kind, const char* what) {
    const std::size_t start = i_++;
    std::string text;
    for (;;) {
        if (i_ >= sql_.size()) Fail(start, std::string("unterminated ") + what);
        char c = sql_[i_++];
        if (c == close) {
            // A doubled quote stands for one, and so does a doubled closing bracket: the old
            // dialect had no way to write "]" in a name, but a file path may hold one.
            if (i_ < sql_.size() && sql_[i_] == close) {
                text += close;
                ++i_;
                continue;
            }
            break;
        }
        text += c;
    }
    if (kind == JetToken::Kind::QuotedName && text.empty()) Fail(start, "empty name in brackets");
    return {kind, std::move(text), start};
}

JetToken JetTokenizer::NumberAt() {
    const std::size_t start = i_;
    while (i_ < sql_.size() && IsDigit(sql_[i_])) ++i_;
    if (i_ < sql_.size() && sql_[i_] == '.') {
        ++i_;
        while (i_ < sql_.size() && IsDigit(sql_[i_])) ++i_;
    }
    if (i_ < sql_.size() && (sql_[i_] == 'e' || sql_[i_] == 'E')) {
        std::size_t j = i_ + 1;
        if (j < sql_.size() && (sql_[j] == '+' || sql_[j] == '-')) ++j;
        if (j < sql_.size() && IsDigit(sql_[j])) {
            i_ = j;
            while (i_ < sql_.size() && IsDigit(sql_[i_])) ++i_;
        }
    }
    if (i_ < sql_.size() && IsNameStart(static_cast<unsigned char>(sql_[i_])))
        Fail(start, "malformed number");
    return {JetToken::Kind::Number, std::string(sql_.substr(start, i_ - start)), start};
}

JetToken JetTokenizer::DateAt() {
    const std::size_t start = i_++;
    std::size_t end = sql_.find('#', i_);
    if (end == std::string_view::npos) Fail(start, "unterminated date literal");
    std::string text(sql_.substr(i_, end - i_));
    i_ = end + 1;
    return {JetToken::Kind::DateLiteral, std::move(text), start};
}

}  // namespace tlx4r::db
