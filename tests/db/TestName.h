#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace tlx4r::db::test {

// A test name for ctest made from a case's own text: stable from run to run (no addresses),
// readable, and unique through the case's number in front. GoogleTest allows only letters,
// digits and '_': umlauts are spelt out, the dialect's wildcards get words, anything else
// becomes '_'.
inline std::string TestName(std::size_t index, std::string_view text, std::size_t max_length = 60) {
    char number[16];
    std::snprintf(number, sizeof number, "%02zu", index);
    std::string out = std::string("c") + number + "_";
    auto add = [&](std::string_view piece) {
        for (char c : piece) {
            if (c == '_' && !out.empty() && out.back() == '_') continue;
            out += c;
        }
    };
    for (std::size_t i = 0; i < text.size() && out.size() < max_length; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::string_view rest = text.substr(i);
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
            out += static_cast<char>(c);
        } else if (c == 0xC3 && i + 1 < text.size()) {
            static constexpr struct {
                unsigned char second;
                const char* spelt;
            } kLetters[] = {{0xA4, "ae"}, {0xB6, "oe"}, {0xBC, "ue"}, {0x84, "Ae"}, {0x96, "Oe"}, {0x9C, "Ue"},
                            {0x9F, "ss"}, {0xA9, "e"},  {0xA8, "e"},  {0xAB, "e"}};
            const char* spelt = "_";
            for (const auto& l : kLetters) {
                if (static_cast<unsigned char>(text[i + 1]) == l.second) spelt = l.spelt;
            }
            add(spelt);
            ++i;
        } else if (c == '*') {
            add("_Star_");
        } else if (c == '?') {
            add("_Any_");
        } else if (c == '#') {
            add("_Digit_");
        } else if (rest.substr(0, 2) == "[!") {
            add("_NotIn_");
            ++i;
        } else if (c == '[') {
            add("_In_");
        } else if (c == '%') {
            add("_Percent_");
        } else {
            add("_");
        }
    }
    while (out.back() == '_') out.pop_back();
    return out;
}

}  // namespace tlx4r::db::test
