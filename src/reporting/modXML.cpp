#include "modXML.h"

#include "types/Utf8.h"

namespace tlx4r {

std::string XmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t c : utf8::Decode(text)) {
        int code = utf8::ToCp1252(c);
        if (code < 0) code = static_cast<int>(c);
        bool plain = code >= 32 && code <= 126 && c != U'"' && c != U'&' && c != U'\'' && c != U'<' && c != U'>';
        if (plain) {
            out += static_cast<char>(code);
        } else {
            out += "&#" + std::to_string(code) + ";";
        }
    }
    return out;
}

std::string XmlIndent(int level) { return std::string(static_cast<std::size_t>(level) * 3, ' '); }

}  // namespace tlx4r
