#pragma once

#include <cstdint>
#include <optional>

namespace tlx4r {

class TypeBase;

// The one place where the template editor lets the user pick a tariff category of catalogue
// (fee or disbursement categories), starting at current, with the chooser placed at x, y
// (twips). Returns the chosen category 1..37 (1 is "none"), or 0 when the user cancelled.
//
// Until the catalogues have their own list chooser, the category is asked for by its code in an
// input box (blank for none, "0".."9", "A".."Z"); a code that names no category beeps and keeps
// current.
std::int32_t DataTypeChoose(TypeBase& catalogue, std::int32_t current, std::optional<int> x = std::nullopt,
                            std::optional<int> y = std::nullopt);

}  // namespace tlx4r
