#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tlx4r::db {

// The dialect's LIKE patterns: '*' any run of characters, '?' one character, '#' one digit,
// [abc], [a-z] and [!abc] one character of (not of) a list. Letters compare without regard to
// case, umlauts included; a range also takes the accented forms of its letters ([a-c] holds
// "ä"). Matching takes time proportional to text × pattern at worst, never exponential.
class JetLike {
public:
    // Throws std::invalid_argument for a '[' without ']'. An escape character, when given,
    // makes the character after it literal.
    explicit JetLike(std::string_view pattern, char32_t escape = 0);

    bool Matches(std::string_view text) const;

private:
    struct Element {
        enum class Kind { Literal, AnyChar, Digit, Set, Star } kind = Kind::Literal;
        char32_t c = 0;                                     // Literal, folded
        std::vector<std::pair<char32_t, char32_t>> ranges;  // Set, folded
        bool negated = false;
    };
    bool One(const Element& e, char32_t c) const;

    std::vector<Element> elements_;
};

}  // namespace tlx4r::db
