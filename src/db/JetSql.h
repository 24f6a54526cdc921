#pragma once

#include "db/SqlTarget.h"

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct sqlite3;

namespace tlx4r::db {

// What the translator needs to know of the schema: the columns of a table or view, in order,
// for expanding "*" and "T.*" and for naming result columns. nullopt when there is no such
// table or view. A table of another database file is asked for as "schema.Table", with the
// schema name the attach callback returned for that file. Translate may call it from several
// threads at once when several threads translate.
class SchemaLookup {
public:
    virtual ~SchemaLookup() = default;
    virtual std::optional<std::vector<std::string>> ColumnsOf(std::string_view table) const = 0;
};

// The SQLite form of one statement of the component's dialect.
struct Translation {
    std::string sql;
    bool returns_rows = false;  // a SELECT (or a row-returning statement)
};

// Translates the component's SQL dialect to SQLite: a tokenizer plus rewrite rules, never
// regular expressions over raw text. Every selected column gets an explicit alias, the plain
// name when it is unique in the result and "Table.Field" (the table's alias) when several
// columns share it, so that result names are the same on every run.
//
// Another database file named in a statement ("[path].Table", "Table IN \"path\"") is handed to
// attach, which attaches the file once and returns the schema name to use for it.
//
// Translations are cached by statement text; call ClearCache after the schema changed.
// Errors throw DbError 3000 with a description that names the statement and the position.
class JetSql {
public:
    using AttachFn = std::function<std::string(const std::string& path)>;

    JetSql(const SchemaLookup& schema, AttachFn attach, SqlTarget target = SqlTarget::Sqlite);

    Translation Translate(std::string_view statement);
    void ClearCache();

private:
    Translation TranslateUncached(std::string_view statement);

    const SchemaLookup& schema_;
    AttachFn attach_;
    SqlTarget target_;
    std::mutex mutex_;
    std::unordered_map<std::string, Translation> cache_;
};

// Registers on a connection the functions the dialect's statements rely on: like() with the
// wildcards *, ?, #, [list], [!list] (case-insensitive for every letter, umlauts included; no
// exponential backtracking), the aggregate First(), and the dialect's scalar functions the
// component uses.
// Also registered: the collation "JETTEXT" (case-insensitive, umlauts beside their letters,
// trailing blanks ignored; for Text and Memo columns), an exact sum() for amounts in place of
// SQLite's, and the jet_… functions the translations call. Views created from translations
// need them on every connection that reads the views. Throws DbError 3000 when SQLite refuses
// a registration.
void RegisterJetFunctions(sqlite3* connection);

}  // namespace tlx4r::db
