#include "entries/modTypeBase.h"

namespace tlx4r {

std::string TypeCode(std::int32_t number) {
    if (number >= 2 && number <= 11) return std::string(1, static_cast<char>('0' + number - 2));
    if (number >= 12 && number <= kTypeMax) return std::string(1, static_cast<char>('A' + number - 12));
    return " ";
}

std::int32_t TypeNumber(std::string_view code) {
    if (code.empty()) return 0;
    const char c = code.front();
    if (c == ' ') return 1;
    if (c >= '0' && c <= '9') return 2 + (c - '0');
    if (c >= 'A' && c <= 'Z') return 12 + (c - 'A');
    return 0;
}

}  // namespace tlx4r
