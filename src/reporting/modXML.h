#pragma once

#include <string>
#include <string_view>

// Writing the 7-bit XML of the project export.
namespace tlx4r {

// Every character below 32 or above 126, and each of " & ' < >, becomes "&#" + its Unicode code
// point in decimal + ";" (€ is &#8364;, and every Latin-1 character keeps its code), so that any
// XML parser reads it. A character XML does not allow (a control character other than tab and
// line ends) is written as a blank.
std::string XmlEscape(std::string_view text);
// Three blanks per level.
std::string XmlIndent(int level);

}  // namespace tlx4r
