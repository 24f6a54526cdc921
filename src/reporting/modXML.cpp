#include "modXML.h"

#include "types/Utf8.h"

#include <cstdint>

namespace tlx4r {

std::string XmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t c : utf8::Decode(text)) {
        // Characters XML does not allow at all, not even as a reference, become a blank.
        const bool allowed = c == U'\t' || c == U'\n' || c == U'\r' || (c >= 0x20 && c <= 0xD7FF) ||
                             (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
        if (!allowed) c = U' ';
        const bool plain = c >= 32 && c <= 126 && c != U'"' && c != U'&' && c != U'\'' && c != U'<' && c != U'>';
        if (plain) {
            out += static_cast<char>(c);
        } else {
            out += "&#" + std::to_string(static_cast<std::uint32_t>(c)) + ";";
        }
    }
    return out;
}

std::string XmlIndent(int level) { return std::string(static_cast<std::size_t>(level) * 3, ' '); }

}  // namespace tlx4r
