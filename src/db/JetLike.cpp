#include "db/JetLike.h"

#include "types/Utf8.h"

#include <stdexcept>

namespace tlx4r::db {

JetLike::JetLike(std::string_view pattern, char32_t escape) {
    std::u32string p = utf8::Decode(pattern);
    for (std::size_t i = 0; i < p.size(); ++i) {
        char32_t c = p[i];
        Element e;
        e.kind = Element::Kind::Literal;
        if (escape != 0 && c == escape && i + 1 < p.size()) {
            e.c = utf8::ToLower(p[++i]);
        } else if (c == '*') {
            if (!elements_.empty() && elements_.back().kind == Element::Kind::Star) continue;
            e.kind = Element::Kind::Star;
        } else if (c == '?') {
            e.kind = Element::Kind::AnyChar;
        } else if (c == '#') {
            e.kind = Element::Kind::Digit;
        } else if (c == '[') {
            std::size_t close = p.find(']', i + 1);
            if (close == std::u32string::npos)
                throw std::invalid_argument("invalid pattern: '[' without ']'");
            e.kind = Element::Kind::Set;
            std::size_t j = i + 1;
            if (j < close && p[j] == '!') {
                e.negated = true;
                ++j;
            }
            for (; j < close; ++j) {
                char32_t lo = utf8::ToLower(p[j]);
                char32_t hi = lo;
                if (j + 2 < close && p[j + 1] == '-') {
                    hi = utf8::ToLower(p[j + 2]);
                    j += 2;
                }
                if (hi < lo) throw std::invalid_argument("invalid pattern: range out of order");
                e.ranges.emplace_back(lo, hi);
            }
            // "[]" matches nothing in the old engine's patterns: an empty list never holds a
            // character.
            i = close;
        } else {
            e.c = utf8::ToLower(c);
        }
        elements_.push_back(std::move(e));
    }
}

bool JetLike::One(const Element& e, char32_t c) const {
    switch (e.kind) {
        case Element::Kind::Literal:
            return utf8::ToLower(c) == e.c;
        case Element::Kind::AnyChar:
            return true;
        case Element::Kind::Digit:
            return c >= '0' && c <= '9';
        case Element::Kind::Set: {
            char32_t lower = utf8::ToLower(c);
            char32_t base = utf8::BaseLetter(c);
            bool in = false;
            for (const auto& [lo, hi] : e.ranges) {
                if (lo == hi ? lower == lo
                             : ((lower >= lo && lower <= hi) || (base >= lo && base <= hi))) {
                    in = true;
                    break;
                }
            }
            return in != e.negated;
        }
        case Element::Kind::Star:
            return false;
    }
    return false;
}

// Every element but '*' takes exactly one character, so on a mismatch it is enough to let the
// most recent '*' take one more character: earlier stars can never do better.
bool JetLike::Matches(std::string_view text) const {
    std::u32string t = utf8::Decode(text);
    std::size_t ti = 0, pi = 0;
    std::size_t star = std::string::npos, star_ti = 0;
    while (ti < t.size()) {
        if (pi < elements_.size() && elements_[pi].kind == Element::Kind::Star) {
            star = pi++;
            star_ti = ti;
        } else if (pi < elements_.size() && One(elements_[pi], t[ti])) {
            ++pi;
            ++ti;
        } else if (star != std::string::npos) {
            pi = star + 1;
            ti = ++star_ti;
        } else {
            return false;
        }
    }
    while (pi < elements_.size() && elements_[pi].kind == Element::Kind::Star) ++pi;
    return pi == elements_.size();
}

}  // namespace tlx4r::db
