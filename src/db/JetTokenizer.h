#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tlx4r::db {

// One lexical unit of the dialect. `text` is what the unit means, not how it was written:
// a name without its brackets, a text literal without quotes and with doubled quotes undone,
// a date literal without its '#' signs. `pos` is the byte offset of the unit in the statement.
struct JetToken {
    enum class Kind {
        Name,         // identifier or keyword: SELECT, Entry, PersonID
        QuotedName,   // [Bracketed Name]
        Text,         // "text" or 'text'
        DateLiteral,  // #03/01/2024#
        Number,       // 12, 0.5, 1E3
        Operator,     // = <> < > <= >= + - * / \ & ^ !=
        Punct,        // ( ) , ; .
        End,
    };

    Kind kind = Kind::End;
    std::string text;
    std::size_t pos = 0;

    bool Is(Kind k, std::string_view t) const;
    // A keyword or name, compared without regard to case.
    bool IsWord(std::string_view word) const;
    bool IsPunct(char c) const { return kind == Kind::Punct && text.size() == 1 && text[0] == c; }
};

// Splits a statement of the dialect into tokens. Throws DbError 3000 naming the position of
// an unterminated literal or bracket, or of a character the dialect does not know.
class JetTokenizer {
public:
    explicit JetTokenizer(std::string_view statement) : sql_(statement) {}

    // All tokens of the statement, ending with one token of kind End.
    std::vector<JetToken> Tokenize();

private:
    JetToken Next();
    JetToken Quoted(char close, JetToken::Kind kind, const char* what);
    JetToken NumberAt();
    JetToken DateAt();
    [[noreturn]] void Fail(std::size_t pos, const std::string& what) const;

    std::string_view sql_;
    std::size_t i_ = 0;
};

// The description of a syntax error: what is wrong, the 1-based character position and the
// statement, so that a message box shows where the problem lies.
std::string JetErrorText(std::string_view statement, std::size_t byte_pos, const std::string& what);

}  // namespace tlx4r::db
