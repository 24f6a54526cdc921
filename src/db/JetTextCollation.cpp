#include "db/JetTextCollation.h"

#include "db/DbError.h"
#include "types/Utf8.h"

#include <sqlite3.h>

#include <string>

namespace tlx4r::db {

namespace {

std::u32string Trimmed(std::string_view s) {
    std::u32string t = utf8::Decode(s);
    while (!t.empty() && t.back() == U' ') t.pop_back();
    return t;
}

int Collate(void*, int na, const void* a, int nb, const void* b) {
    return JetTextCollation::Compare(
        std::string_view(static_cast<const char*>(a), static_cast<std::size_t>(na)),
        std::string_view(static_cast<const char*>(b), static_cast<std::size_t>(nb)));
}

}  // namespace

int JetTextCollation::Compare(std::string_view a, std::string_view b) {
    const std::u32string x = Trimmed(a), y = Trimmed(b);
    const std::size_t n = std::min(x.size(), y.size());
    // Base letters first, over the whole text; accents only decide between texts that are
    // otherwise the same, so that accented words stay beside their plain forms.
    for (std::size_t i = 0; i < n; ++i) {
        char32_t p = utf8::BaseLetter(x[i]), q = utf8::BaseLetter(y[i]);
        if (p != q) return p < q ? -1 : 1;
    }
    if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
    for (std::size_t i = 0; i < n; ++i) {
        char32_t p = utf8::ToLower(x[i]), q = utf8::ToLower(y[i]);
        if (p != q) return p < q ? -1 : 1;
    }
    return 0;
}

void JetTextCollation::Register(sqlite3* connection) {
    if (sqlite3_create_collation_v2(connection, kName, SQLITE_UTF8, nullptr, Collate, nullptr) !=
        SQLITE_OK)
        throw DbError(
            3000, std::string("Cannot register the text collation: ") + sqlite3_errmsg(connection));
}

}  // namespace tlx4r::db
