#include "Utf8.h"

namespace tlx4r::utf8 {

namespace {

// Windows-1252 0x80..0x9F; 0 where the code page has no character.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The length of a valid sequence starting at i, or 0.
std::size_t SequenceAt(std::string_view t, std::size_t i, char32_t& out) {
    auto b = [&](std::size_t k) { return static_cast<unsigned char>(t[k]); };
    unsigned char c = b(i);
    if (c < 0x80) {
        out = c;
        return 1;
    }
    std::size_t n = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 0;
    if (n == 0 || i + n > t.size()) return 0;
    char32_t v = c & (0xFF >> (n + 1));
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return 0;
        v = (v << 6) | (b(i + k) & 0x3F);
    }
    // overlong forms, surrogates and values past U+10FFFF are not UTF-8
    if ((n == 3 && v < 0x800) || (n == 4 && (v < 0x10000 || v > 0x10FFFF)) ||
        (v >= 0xD800 && v <= 0xDFFF)) {
        return 0;
    }
    out = v;
    return n;
}

}  // namespace

void Append(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::u32string Decode(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = 0;
        std::size_t n = SequenceAt(text, i, c);
        if (n == 0) {
            c = FromCp1252(static_cast<unsigned char>(text[i]));
            n = 1;
        }
        out += c;
        i += n;
    }
    return out;
}

std::string Encode(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text) Append(out, c);
    return out;
}

bool IsValid(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = 0;
        std::size_t n = SequenceAt(text, i, c);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

std::size_t Length(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = 0;
        std::size_t n = SequenceAt(text, i, c);
        i += n == 0 ? 1 : n;
        ++count;
    }
    return count;
}

std::string Sub(std::string_view text, std::size_t start, std::size_t count) {
    std::size_t i = 0, index = 0, from = text.size();
    for (; i < text.size(); ++index) {
        if (index == start) from = i;
        if (index >= start && count != std::string::npos && index - start == count) break;
        char32_t c = 0;
        std::size_t n = SequenceAt(text, i, c);
        i += n == 0 ? 1 : n;
    }
    if (from >= text.size()) return {};
    std::string_view part = text.substr(from, i - from);
    return IsValid(part) ? std::string(part) : Encode(Decode(part));
}

char32_t ToLower(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c < 0xC0) return c;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
    if (c >= 0x100 && c <= 0x17F) {
        if (c == 0x130) return 'i';
        if (c == 0x178) return 0xFF;
        bool odd_is_lower = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
        if (odd_is_lower) return (c % 2 == 0) ? c + 1 : c;
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c % 2 == 1) ? c + 1 : c;
        return c;
    }
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32;
    if (c >= 0x410 && c <= 0x42F) return c + 32;
    if (c >= 0x400 && c <= 0x40F) return c + 80;
    return c;
}

char32_t ToUpper(char32_t c) {
    if (c >= 'a' && c <= 'z') return c - 32;
    if (c < 0xE0) return c;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
    if (c == 0xFF) return 0x178;
    if (c >= 0x100 && c <= 0x17F) {
        bool odd_is_lower = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
        if (odd_is_lower) return (c % 2 == 1) ? c - 1 : c;
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c % 2 == 0) ? c - 1 : c;
        return c;
    }
    if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) return c - 32;
    if (c >= 0x430 && c <= 0x44F) return c - 32;
    if (c >= 0x450 && c <= 0x45F) return c - 80;
    return c;
}

char32_t BaseLetter(char32_t c) {
    c = ToLower(c);
    if (c < 0xDF) return c;
    // Latin-1 lower-case letters 0xDF..0xFF, in order.
    static constexpr char kLatin1[] = "saaaaaaaceeeeiiiidnooooo/ouuuuyty";
    if (c <= 0xFF) return c == 0xF7 ? c : static_cast<char32_t>(kLatin1[c - 0xDF]);
    if (c <= 0x17F) {
        // Latin Extended-A in pairs of upper and lower case; the base letter of each pair.
        static constexpr char kExtA[] = "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiiiiijjkkklllllll"
                                        "lllnnnnnnnnnoooooooorrrrrrssssssssttttttuuuuuuuuuuuuwwyyyzzzzzzs";
        return static_cast<char32_t>(kExtA[c - 0x100]);
    }
    return c;
}

namespace {

bool IsAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

}  // namespace

std::string Lower(std::string_view text) {
    // ASCII (most names and keys) changes byte by byte: no decoding
    if (IsAscii(text)) {
        std::string s(text);
        for (char& c : s) {
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        }
        return s;
    }
    std::u32string s = Decode(text);
    for (auto& c : s) c = ToLower(c);
    return Encode(s);
}

std::string Upper(std::string_view text) {
    if (IsAscii(text)) {
        std::string s(text);
        for (char& c : s) {
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
        }
        return s;
    }
    std::u32string s = Decode(text);
    for (auto& c : s) c = ToUpper(c);
    return Encode(s);
}

char32_t FromCp1252(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        char32_t c = kCp1252High[byte - 0x80];
        return c == 0 ? byte : c;  // the five undefined bytes map to the C1 controls, as Windows does
    }
    return byte;
}

std::string FromCp1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char b : bytes) Append(out, FromCp1252(b));
    return out;
}

int ToCp1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (int i = 0; i < 32; ++i) {
        if (kCp1252High[i] == c) return 0x80 + i;
    }
    if (c >= 0x80 && c <= 0x9F) {
        for (int i : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
            if (static_cast<char32_t>(i) == c) return i;
        }
    }
    return -1;
}

}  // namespace tlx4r::utf8
