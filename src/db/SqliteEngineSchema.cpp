// The schema half of SqliteEngine: how tables, fields, indexes, relations, views and linked
// tables take shape in an SQLite file.
#include "SqliteEngine.h"

#include "db/DbError.h"
#include "db/JetNode.h"
#include "db/NativeSchema.h"
#include "types/Utf8.h"

#include <cctype>
#include <cstdlib>

namespace tlx4r::db {

namespace {

std::string Upper(std::string_view text) {
    std::string out(text);
    for (auto& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool SameName(std::string_view a, std::string_view b) { return utf8::Lower(a) == utf8::Lower(b); }

}  // namespace

std::string SqliteEngine::DeclaredType(FieldType type, int size) {
    switch (type) {
        case FieldType::Boolean: return "BOOLEAN";
        case FieldType::Integer: return "SMALLINT";
        case FieldType::Long: return "INTEGER";
        // REAL affinity keeps amounts and dates floating point in SQL arithmetic (no integer
        // division on a whole amount); the first word keeps the original type.
        case FieldType::Currency: return "CURRENCY REAL";
        case FieldType::Double: return "DOUBLE";
        case FieldType::Date: return "DATETIME REAL";
        case FieldType::Text: return "TEXT(" + std::to_string(size > 0 ? size : 255) + ")";
        case FieldType::Memo: return "LONGTEXT";
    }
    return "LONGTEXT";
}

Field SqliteEngine::FieldFromDeclared(const std::string& name, const std::string& declared) {
    std::string u = Upper(declared);
    auto starts = [&](const char* prefix) { return u.rfind(prefix, 0) == 0; };
    if (starts("TEXT(") || starts("VARCHAR(") || starts("CHAR(")) {
        int size = std::atoi(u.c_str() + u.find('(') + 1);
        return Field(name, FieldType::Text, size);
    }
    if (starts("LONGTEXT") || starts("MEMO")) return Field(name, FieldType::Memo);
    if (starts("SMALLINT")) return Field(name, FieldType::Integer);
    if (starts("BOOLEAN") || starts("BIT")) return Field(name, FieldType::Boolean);
    if (starts("CURRENCY") || starts("MONEY")) return Field(name, FieldType::Currency);
    if (starts("DATETIME") || starts("DATE")) return Field(name, FieldType::Date);
    if (starts("DOUBLE") || starts("FLOAT") || starts("REAL")) return Field(name, FieldType::Double);
    // columns made outside the layer: by SQLite's affinity rules
    if (u.find("INT") != std::string::npos) return Field(name, FieldType::Long);
    if (u.find("CHAR") != std::string::npos || u.find("CLOB") != std::string::npos ||
        u.find("TEXT") != std::string::npos) {
        return Field(name, FieldType::Memo);
    }
    if (u.find("REAL") != std::string::npos || u.find("FLOA") != std::string::npos ||
        u.find("DOUB") != std::string::npos) {
        return Field(name, FieldType::Double);
    }
    return Field(name, FieldType::Memo);
}

std::string SqliteEngine::ColumnDefinition(std::string_view table, const Field& field, bool creating) const {
    std::string def = Quote(field.Name()) + " ";
    bool row_key = creating && field.Type() == FieldType::Long && SameName(field.Name(), "ID");
    if (row_key) {
        // the SQLite rowid: seeking a key is a direct B-tree look-up
        def += "INTEGER PRIMARY KEY";
        if (field.AutoIncrement()) def += " AUTOINCREMENT";
    } else {
        def += DeclaredType(field.Type(), field.Size());
    }
    if (field.Type() == FieldType::Text || field.Type() == FieldType::Memo)
        def += portable_text_ ? " COLLATE NOCASE" : " COLLATE JETTEXT";
    if (creating && field.Required()) def += " NOT NULL";
    if (!field.AutoIncrement()) {
        std::string dflt = NativeDefault(field.DefaultValue());
        if (!dflt.empty()) def += " DEFAULT " + dflt;
    }
    std::string rule = NativeRule(field.ValidationRule(), Quote(field.Name()));
    if (!rule.empty()) {
        def += " CONSTRAINT " + Quote(std::string(table) + "." + field.Name()) + " CHECK (" + Quote(field.Name()) +
               " IS NULL OR (" + rule + "))";
    }
    return def;
}

void SqliteEngine::CreateTable(std::string_view table, const std::vector<Field>& fields) {
    if (fields.empty()) throw DbError(3264, "The table '" + std::string(table) + "' has no fields.");
    std::string sql = "CREATE TABLE " + Quote(table) + " (";
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) sql += ", ";
        sql += ColumnDefinition(table, fields[i], true);
    }
    Exec(sql + ")");
    SchemaChanged();
}

void SqliteEngine::AddColumn(std::string_view table, const Field& field) {
    Exec("ALTER TABLE " + Quote(table) + " ADD COLUMN " + ColumnDefinition(table, field, false));
    SchemaChanged();
}

void SqliteEngine::DropTable(std::string_view table) {
    Exec("DROP TABLE " + Quote(table));
    SchemaChanged();
}

std::vector<std::string> SqliteEngine::NamesOf(const char* type) {
    auto list = Cached(
        "SELECT name FROM sqlite_schema WHERE type = ?1 AND substr(name, 1, 7) <> 'sqlite_' "
        "AND substr(name, 1, 4) <> 'MSys' ORDER BY rowid");
    list.Bind(1, Value(type));
    std::vector<std::string> names;
    while (list.Step()) names.push_back(list.Get(0).ToText());
    return names;
}

std::vector<std::string> SqliteEngine::TableNames() { return NamesOf("table"); }

std::vector<std::string> SqliteEngine::ViewNames() { return NamesOf("view"); }

std::optional<std::string> SqliteEngine::FindTable(std::string_view name) {
    auto find = Cached(
        "SELECT name FROM sqlite_temp_schema WHERE type IN ('table', 'view') AND name = ?1 COLLATE NOCASE "
        "UNION ALL SELECT name FROM sqlite_schema WHERE type IN ('table', 'view') AND name = ?1 COLLATE NOCASE");
    find.Bind(1, Value(std::string(name)));
    if (!find.Step()) return std::nullopt;
    return find.Get(0).ToText();
}

std::vector<ColumnInfo> SqliteEngine::Columns(std::string_view table) {
    auto info = Cached("SELECT name, type, \"notnull\", dflt_value, pk FROM pragma_table_info(?1)");
    info.Bind(1, Value(std::string(table)));
    std::vector<ColumnInfo> columns;
    int key_parts = 0;
    while (info.Step()) {
        ColumnInfo c;
        std::string type = info.Get(1).ToText();
        c.field = FieldFromDeclared(info.Get(0).ToText(), type);
        c.field.SetRequired(info.GetInt64(2) != 0);
        c.field.SetDefaultValue(DialectDefault(info.Get(3).ToText(), c.field.Type()));
        if (info.GetInt64(4) > 0) {
            ++key_parts;
            c.row_key = Upper(type) == "INTEGER";
        }
        columns.push_back(std::move(c));
    }
    if (key_parts > 1) {
        for (auto& c : columns) c.row_key = false;
    }
    for (auto& c : columns) {
        if (!c.row_key) continue;
        auto sql = Cached("SELECT sql FROM sqlite_schema WHERE type = 'table' AND name = ?1");
        sql.Bind(1, Value(std::string(table)));
        if (sql.Step() && Upper(sql.Get(0).ToText()).find("AUTOINCREMENT") != std::string::npos) {
            c.field.SetAutoIncrement(true);
        }
    }
    return columns;
}

std::vector<Index> SqliteEngine::Indexes(std::string_view table) {
    std::vector<Index> indexes;
    for (const auto& c : Columns(table)) {
        if (c.row_key) indexes.emplace_back("PrimaryKey", std::vector<std::string>{c.field.Name()}, true, true);
    }
    const std::string prefix = std::string(table) + "$";
    std::vector<std::pair<std::string, bool>> listed;
    {
        auto list = Cached("SELECT name, \"unique\" FROM pragma_index_list(?1) ORDER BY seq DESC");
        list.Bind(1, Value(std::string(table)));
        while (list.Step()) listed.emplace_back(list.Get(0).ToText(), list.GetInt64(1) != 0);
    }
    for (const auto& [engine_name, unique] : listed) {
        if (engine_name.rfind("sqlite_", 0) == 0) continue;
        std::string shown = engine_name.rfind(prefix, 0) == 0 ? engine_name.substr(prefix.size()) : engine_name;
        Index index(shown);
        index.SetUnique(unique);
        index.SetPrimary(shown == "PrimaryKey");
        auto cols = Cached("SELECT name, \"desc\" FROM pragma_index_xinfo(?1) WHERE key = 1 ORDER BY seqno");
        cols.Bind(1, Value(engine_name));
        while (cols.Step()) index.AddField((cols.GetInt64(1) ? "-" : "") + cols.Get(0).ToText());
        indexes.push_back(std::move(index));
    }
    return indexes;
}

void SqliteEngine::CreateIndex(std::string_view table, const Index& index) {
    if (index.Fields().empty()) throw DbError(3264, "The index '" + index.Name() + "' has no fields.");
    if (index.Primary() && index.Fields().size() == 1) {
        for (const auto& c : Columns(table)) {
            // the row key already is the primary index
            if (c.row_key && SameName(c.field.Name(), index.Fields()[0])) return;
        }
    }
    for (const auto& existing : Indexes(table)) {
        if (SameName(existing.Name(), index.Name())) {
            throw DbError(3284, "The index '" + index.Name() + "' already exists on table '" + std::string(table) + "'.");
        }
    }
    std::string sql = std::string("CREATE ") + (index.Unique() ? "UNIQUE " : "") + "INDEX " +
                      Quote(std::string(table) + "$" + index.Name()) + " ON " + Quote(table) + " (";
    for (std::size_t i = 0; i < index.Fields().size(); ++i) {
        std::string f = index.Fields()[i];
        bool desc = !f.empty() && f[0] == '-';
        if (desc || (!f.empty() && f[0] == '+')) f.erase(0, 1);
        sql += (i ? ", " : "") + Quote(f) + (desc ? " DESC" : "");
    }
    Exec(sql + ")");
}

void SqliteEngine::DropIndex(std::string_view table, std::string_view index) {
    if (SameName(index, "PrimaryKey")) {
        for (const auto& c : Columns(table)) {
            if (c.row_key) {
                throw DbError(3281, "The primary key of table '" + std::string(table) + "' is its row key and stays.");
            }
        }
    }
    for (const auto& existing : Indexes(table)) {
        if (SameName(existing.Name(), index)) {
            Exec("DROP INDEX " + Quote(std::string(table) + "$" + existing.Name()));
            return;
        }
    }
    throw DbError(3265, "The index '" + std::string(index) + "' of table '" + std::string(table) + "' does not exist.");
}

void SqliteEngine::CreateRelation(const Relation& r) {
    if (r.Fields().empty()) throw DbError(3367, "The relation '" + r.Name() + "' has no fields.");
    if (!r.Enforced()) return;  // kept as metadata only
    const std::string parent = Quote(r.Table()), child = Quote(r.ForeignTable());
    auto trigger = [&](const char* what) { return Quote("rel$" + r.Name() + "$" + what); };
    auto raise = [](long number, const std::string& text) {
        return "SELECT RAISE(ABORT, " + jet::QuoteText("[" + std::to_string(number) + "] " + text) + ");";
    };
    std::string match_new, match_old, any_null, all_zero, child_cols, parent_cols, changed, set_new;
    for (std::size_t i = 0; i < r.Fields().size(); ++i) {
        const std::string pf = Quote(r.Fields()[i].first), cf = Quote(r.Fields()[i].second);
        const char* sep = i ? " AND " : "";
        match_new += sep + parent + "." + pf + " = NEW." + cf;
        match_old += sep + child + "." + cf + " = OLD." + pf;
        any_null += (i ? " OR NEW." : "NEW.") + cf + " IS NULL";
        all_zero += sep + std::string("NEW.") + cf + " = 0";
        child_cols += (i ? ", " : "") + cf;
        parent_cols += (i ? ", " : "") + pf;
        changed += (i ? " OR OLD." : "OLD.") + pf + " IS NOT NEW." + pf;
        set_new += (i ? ", " : "") + cf + " = NEW." + pf;
    }
    // Null and 0 refer to no row: the component's "none".
    const std::string orphan = "NOT (" + any_null + ") AND NOT (" + all_zero + ") AND NOT EXISTS (SELECT 1 FROM " +
                               parent + " WHERE " + match_new + ")";
    const std::string missing = raise(3201, "The record cannot be saved: table '" + r.ForeignTable() +
                                                "' may only refer to an existing record of table '" + r.Table() +
                                                "' (relation '" + r.Name() + "').");
    const std::string related = raise(3200, "The record cannot be deleted or changed: table '" + r.ForeignTable() +
                                                "' has records related to it (relation '" + r.Name() + "').");
    const std::string children = "EXISTS (SELECT 1 FROM " + child + " WHERE " + match_old + ")";
    std::string sql;
    sql += "CREATE TRIGGER " + trigger("child_insert") + " BEFORE INSERT ON " + child + " WHEN " + orphan +
           " BEGIN " + missing + " END;\n";
    sql += "CREATE TRIGGER " + trigger("child_update") + " BEFORE UPDATE OF " + child_cols + " ON " + child +
           " WHEN " + orphan + " BEGIN " + missing + " END;\n";
    if (r.Attributes() & Relation::kDeleteCascade) {
        sql += "CREATE TRIGGER " + trigger("parent_delete") + " AFTER DELETE ON " + parent + " BEGIN DELETE FROM " +
               child + " WHERE " + match_old + "; END;\n";
    } else {
        sql += "CREATE TRIGGER " + trigger("parent_delete") + " BEFORE DELETE ON " + parent + " WHEN " + children +
               " BEGIN " + related + " END;\n";
    }
    if (r.Attributes() & Relation::kUpdateCascade) {
        sql += "CREATE TRIGGER " + trigger("parent_update") + " AFTER UPDATE OF " + parent_cols + " ON " + parent +
               " WHEN " + changed + " BEGIN UPDATE " + child + " SET " + set_new + " WHERE " + match_old + "; END;\n";
    } else {
        sql += "CREATE TRIGGER " + trigger("parent_update") + " BEFORE UPDATE OF " + parent_cols + " ON " + parent +
               " WHEN (" + changed + ") AND " + children + " BEGIN " + related + " END;\n";
    }
    Exec(sql);
}

void SqliteEngine::DropRelation(const Relation& r) {
    for (const char* what : {"child_insert", "child_update", "parent_delete", "parent_update"}) {
        Exec("DROP TRIGGER IF EXISTS " + Quote("rel$" + r.Name() + "$" + what));
    }
}

void SqliteEngine::CreateView(std::string_view name, std::string_view sql, bool temporary) {
    Exec(std::string("CREATE ") + (temporary ? "TEMP " : "") + "VIEW " + Quote(name) + " AS " + std::string(sql));
    SchemaChanged();
}

void SqliteEngine::DropView(std::string_view name) {
    Exec("DROP VIEW " + Quote(name));
    SchemaChanged();
}

void SqliteEngine::CreateLink(std::string_view name, const std::string& path, std::string_view source_table) {
    std::string schema = Attach(path);
    CreateView(name, "SELECT * FROM " + Quote(schema) + "." + Quote(source_table), true);
}

std::optional<std::vector<std::string>> SqliteEngine::ColumnsOf(std::string_view table) const {
    if (!db_) return std::nullopt;
    std::string schema, name(table);
    if (auto dot = name.find('.'); dot != std::string::npos) {
        std::string prefix = name.substr(0, dot);
        bool known = SameName(prefix, "main") || SameName(prefix, "temp");
        for (const auto& entry : attached_) known = known || SameName(entry.second, prefix);
        if (known) {
            schema = prefix;
            name = name.substr(dot + 1);
        }
    }
    auto* self = const_cast<SqliteEngine*>(this);  // the statement cache is not part of the state
    auto info = schema.empty() ? self->Cached("SELECT name FROM pragma_table_info(?1)")
                                : self->Cached("SELECT name FROM pragma_table_info(?1, ?2)");
    info.Bind(1, Value(name));
    if (!schema.empty()) info.Bind(2, Value(schema));
    std::vector<std::string> columns;
    while (info.Step()) columns.push_back(info.Get(0).ToText());
    if (columns.empty()) return std::nullopt;
    return columns;
}

}  // namespace tlx4r::db
