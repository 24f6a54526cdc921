#pragma once

#include <string_view>

struct sqlite3;

namespace tlx4r::db {

// The order and equality of texts as the old engine's general sort order had them: letters
// compare without regard to case (umlauts too), an accented letter sorts right after its base
// letter and before the next one ("Apfel" < "Äpfel" < "Birne"), and trailing blanks do not
// count ("A  " = "a"). Registered on a connection as the collation "JETTEXT", which the engine
// declares on Text and Memo columns.
class JetTextCollation {
public:
    static constexpr const char* kName = "JETTEXT";

    // < 0, 0 or > 0 as a sorts before, with or after b.
    static int Compare(std::string_view a, std::string_view b);
    static void Register(sqlite3* connection);
};

}  // namespace tlx4r::db
