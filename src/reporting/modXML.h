#pragma once

#include <string>
#include <string_view>

// Writing the 7-bit XML of the project export.
namespace tlx4r {

// Every character whose Windows-1252 code is below 32 or above 126, and each of " & ' < >,
// becomes "&#" + decimal code + ";" (the Windows-1252 code, as the files' readers expect: € is
// &#128;). A character with no Windows-1252 code is written by its Unicode code point.
std::string XmlEscape(std::string_view text);
// Three blanks per level.
std::string XmlIndent(int level);

}  // namespace tlx4r
