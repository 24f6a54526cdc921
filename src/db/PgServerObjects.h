#pragma once

#include <string>

namespace tlx4r::db {

// What a server database needs for the component's dialect, in the schema "tlx4r": the text
// collation (case-insensitive, umlauts beside their letters), the domains that keep Boolean,
// Currency and Date apart from other numbers, the dialect's functions under the names the
// translator writes, its First()/Last() aggregates, and LIKE with the dialect's wildcards
// (operators found before the server's own, since "tlx4r" comes before pg_catalog in the path).
class PgServerObjects {
public:
    // Counts up with every change of Sql(): a server database with an older version gets the new
    // objects when it is next opened.
    static constexpr int kVersion = 1;
    static const std::string& Sql();
};

}  // namespace tlx4r::db
