// The schema half of PgEngine: how tables, fields, indexes, relations, views and linked tables
// take shape in a schema of a server database.
#include "PgEngine.h"

#include "db/DbError.h"
#include "db/JetNode.h"
#include "db/NativeSchema.h"
#include "db/SqliteEngine.h"
#include "types/Utf8.h"

#include <libpq-fe.h>

#include <cstdlib>
#include <sstream>

namespace tlx4r::db {

namespace {

bool SameName(std::string_view a, std::string_view b) { return utf8::Lower(a) == utf8::Lower(b); }

// The field type a column of the server's type stands for, as the declared type the layer reads.
std::string Declared(const std::string& type, const std::string& formatted) {
    if (type == "jet_boolean" || type == "bool") return "BOOLEAN";
    if (type == "jet_currency") return "CURRENCY";
    if (type == "jet_date") return "DATETIME";
    if (type == "int2") return "SMALLINT";
    if (type == "int4" || type == "int8") return "INTEGER";
    if (type == "float4" || type == "float8" || type == "numeric") return "DOUBLE";
    if (type == "varchar" || type == "bpchar") {
        const auto open = formatted.find('(');
        if (open != std::string::npos) return "TEXT(" + std::to_string(std::atoi(formatted.c_str() + open + 1)) + ")";
    }
    return "LONGTEXT";
}

// The server writes a default back as "'text'::character varying" or "(-1)": the constant alone.
std::string PlainDefault(std::string expr) {
    if (!expr.empty() && expr[0] != '\'') {
        if (auto cast = expr.find("::"); cast != std::string::npos) expr.erase(cast);
    } else if (auto end = expr.rfind("'::"); end != std::string::npos) {
        expr.erase(end + 1);
    }
    while (expr.size() >= 2 && expr.front() == '(' && expr.back() == ')') expr = expr.substr(1, expr.size() - 2);
    return expr;
}

}  // namespace

const PgEngine::TableInfo* PgEngine::TableByOid(unsigned oid) {
    if (auto it = tables_.find(oid); it != tables_.end()) return &it->second;
    auto q = Cached(
        "SELECT n.nspname, c.relname, coalesce(obj_description(c.oid, 'pg_class'), c.relname), c.relkind, a.attnum, "
        "a.attname, coalesce(col_description(c.oid, a.attnum), a.attname), t.typname, "
        "format_type(a.atttypid, a.atttypmod), a.attnotnull, coalesce(pg_get_expr(d.adbin, d.adrelid), ''), "
        "a.attidentity <> '', EXISTS (SELECT 1 FROM pg_index i WHERE i.indrelid = c.oid AND i.indisprimary "
        "AND i.indnatts = 1 AND i.indkey[0] = a.attnum) "
        "FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
        "JOIN pg_attribute a ON a.attrelid = c.oid AND a.attnum > 0 AND NOT a.attisdropped "
        "JOIN pg_type t ON t.oid = a.atttypid LEFT JOIN pg_attrdef d ON d.adrelid = c.oid AND d.adnum = a.attnum "
        "WHERE c.oid = ?1::oid ORDER BY a.attnum");
    q.Bind(1, Value(static_cast<double>(oid)));
    TableInfo info;
    info.oid = oid;
    bool found = false;
    while (q.Step()) {
        found = true;
        info.schema = q.Get(0).ToText();
        info.relname = q.Get(1).ToText();
        info.spelling = q.Get(2).ToText();
        info.view = q.Get(3).ToText() == "v";
        const std::string attname = q.Get(5).ToText();
        const bool identity = q.GetInt64(11) != 0;
        if (attname == "rowid" && identity) continue;  // the hidden row number
        ColumnInfo c;
        const std::string type = q.Get(7).ToText();
        c.field = SqliteEngine::FieldFromDeclared(q.Get(6).ToText(), Declared(type, q.Get(8).ToText()));
        c.field.SetRequired(q.GetInt64(9) != 0);
        c.row_key = q.GetInt64(12) != 0 && (type == "int4" || type == "int8") && attname == "id";
        if (c.row_key && q.GetInt64(9) != 0) c.field.SetRequired(false);  // a key is never asked for
        if (identity) c.field.SetAutoIncrement(true);
        if (!identity) c.field.SetDefaultValue(DialectDefault(PlainDefault(q.Get(10).ToText()), c.field.Type()));
        info.columns.push_back(std::move(c));
        info.attnums.push_back(static_cast<int>(q.GetInt64(4)));
        info.types.push_back(type);
    }
    if (!found) return nullptr;
    return &tables_.emplace(oid, std::move(info)).first->second;
}

const PgEngine::TableInfo* PgEngine::Table(std::string_view name) {
    std::string schema = name_.Schema(), table = utf8::Lower(name);
    bool temporary_first = true;
    if (auto dot = table.find('.'); dot != std::string::npos && attached_.count(table.substr(0, dot))) {
        schema = table.substr(0, dot);
        table = table.substr(dot + 1);
        temporary_first = false;
    }
    auto q = Cached(
        "SELECT c.oid FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace WHERE c.relname = ?1 "
        "AND c.relkind IN ('r', 'v') AND (n.nspname = ?2 OR (?3 = 1 AND n.oid = pg_my_temp_schema())) "
        "ORDER BY n.oid = pg_my_temp_schema() DESC LIMIT 1");
    q.Bind(1, Value(table));
    q.Bind(2, Value(schema));
    q.Bind(3, Value(static_cast<std::int32_t>(temporary_first ? 1 : 0)));
    if (!q.Step()) return nullptr;
    const auto oid = static_cast<unsigned>(q.GetInt64(0));
    return TableByOid(oid);
}

std::string PgEngine::SpelledColumn(const TableInfo& table, int attnum) const {
    for (std::size_t i = 0; i < table.attnums.size(); ++i)
        if (table.attnums[i] == attnum) return table.columns[i].field.Name();
    return {};
}

const PgEngine::Origin* PgEngine::OriginOf(unsigned table_oid, int column) {
    const auto key = std::make_pair(table_oid, column);
    if (auto it = origins_.find(key); it != origins_.end()) return &it->second;
    const TableInfo* table = TableByOid(table_oid);
    if (!table) return nullptr;
    for (std::size_t i = 0; i < table->attnums.size(); ++i) {
        if (table->attnums[i] != column) continue;
        const Field& f = table->columns[i].field;
        Origin origin{table->schema == name_.Schema() ? "main" : table->schema, table->spelling, f.Name(),
                      SqliteEngine::DeclaredType(f.Type(), f.Size())};
        return &origins_.emplace(key, std::move(origin)).first->second;
    }
    return nullptr;
}

// The schema's tables ('r', the layer's own left out) or views ('v'), in the order made.
std::vector<std::string> PgEngine::NamesOf(const char* kind) {
    auto q = Cached(
        "SELECT coalesce(obj_description(c.oid, 'pg_class'), c.relname) FROM pg_class c "
        "JOIN pg_namespace n ON n.oid = c.relnamespace WHERE n.nspname = ?1 AND c.relkind = ?2 "
        "AND left(c.relname, 4) <> 'msys' ORDER BY c.oid");
    q.Bind(1, Value(name_.Schema()));
    q.Bind(2, Value(kind));
    std::vector<std::string> names;
    while (q.Step()) names.push_back(q.Get(0).ToText());
    return names;
}

std::vector<std::string> PgEngine::TableNames() { return NamesOf("r"); }

std::vector<std::string> PgEngine::ViewNames() { return NamesOf("v"); }

std::optional<std::string> PgEngine::FindTable(std::string_view name) {
    const TableInfo* t = Table(name);
    if (!t) return std::nullopt;
    return t->spelling;
}

std::vector<ColumnInfo> PgEngine::Columns(std::string_view table) {
    const TableInfo* t = Table(table);
    return t ? t->columns : std::vector<ColumnInfo>{};
}

std::optional<std::vector<std::string>> PgEngine::ColumnsOf(std::string_view table) const {
    if (!conn_) return std::nullopt;
    auto* self = const_cast<PgEngine*>(this);  // the table cache is not part of the state
    const TableInfo* t = self->Table(table);
    if (!t || t->columns.empty()) return std::nullopt;
    std::vector<std::string> names;
    for (const auto& c : t->columns) names.push_back(c.field.Name());
    return names;
}

std::vector<Index> PgEngine::Indexes(std::string_view table) {
    const TableInfo* t = Table(table);
    if (!t) return {};
    const TableInfo info = *t;  // the cache may change while the indexes are read
    auto q = Cached(
        "SELECT coalesce(obj_description(ic.oid, 'pg_class'), ic.relname), i.indisunique, i.indisprimary, "
        "i.indkey::text, i.indoption::text FROM pg_index i JOIN pg_class ic ON ic.oid = i.indexrelid "
        "WHERE i.indrelid = ?1::oid ORDER BY i.indisprimary DESC, ic.oid");
    q.Bind(1, Value(static_cast<double>(info.oid)));
    std::vector<Index> indexes;
    while (q.Step()) {
        std::vector<int> attnums, options;
        std::istringstream keys(q.Get(3).ToText()), opts(q.Get(4).ToText());
        for (int n; keys >> n;) attnums.push_back(n);
        for (int n; opts >> n;) options.push_back(n);
        std::vector<std::string> fields;
        for (std::size_t k = 0; k < attnums.size(); ++k) {
            std::string column = SpelledColumn(info, attnums[k]);
            if (column.empty()) break;  // the hidden row number's own index
            fields.push_back((k < options.size() && (options[k] & 1)) ? "-" + column : column);
        }
        if (fields.size() != attnums.size() || fields.empty()) continue;
        const bool primary = q.GetInt64(2) != 0;
        std::string shown = primary ? "PrimaryKey" : q.Get(0).ToText();
        Index index(shown, fields, q.GetInt64(1) != 0, primary || shown == "PrimaryKey");
        indexes.push_back(std::move(index));
    }
    return indexes;
}

std::string PgEngine::ColumnDefinition(std::string_view table, const Field& field, bool creating) const {
    std::string def = Quote(field.Name()) + " ";
    const bool row_key = creating && field.Type() == FieldType::Long && SameName(field.Name(), "ID");
    switch (field.Type()) {
        case FieldType::Boolean: def += "tlx4r.jet_boolean"; break;
        case FieldType::Integer: def += "smallint"; break;
        case FieldType::Long: def += "integer"; break;
        case FieldType::Currency: def += "tlx4r.jet_currency"; break;
        case FieldType::Double: def += "double precision"; break;
        case FieldType::Date: def += "tlx4r.jet_date"; break;
        case FieldType::Text:
            def += "varchar(" + std::to_string(field.Size() > 0 ? field.Size() : 255) + ") COLLATE tlx4r.jettext";
            break;
        case FieldType::Memo: def += "text COLLATE tlx4r.jettext"; break;
    }
    if (row_key) def += " PRIMARY KEY";
    if (field.AutoIncrement()) def += " GENERATED BY DEFAULT AS IDENTITY";
    if (creating && field.Required() && !row_key) def += " NOT NULL";
    if (!field.AutoIncrement()) {
        const std::string dflt = NativeDefault(field.DefaultValue());
        if (!dflt.empty()) def += " DEFAULT " + dflt;
    }
    const std::string rule = NativeRule(field.ValidationRule(), Quote(field.Name()));
    if (!rule.empty()) {
        def += " CONSTRAINT " + jet::QuoteIdentifier(std::string(table) + "." + field.Name()) + " CHECK (" + Quote(field.Name()) + " IS NULL OR (" + rule + "))";
    }
    return def;
}

void PgEngine::Comment(const std::string& what, std::string_view spelling) {
    Run("COMMENT ON " + what + " IS " + jet::QuoteText(spelling));
}

void PgEngine::CreateTable(std::string_view table, const std::vector<Field>& fields) {
    if (fields.empty()) throw DbError(3264, "The table '" + std::string(table) + "' has no fields.");
    std::string sql = "CREATE TABLE " + Quote(table) + " (";
    for (const auto& f : fields) sql += ColumnDefinition(table, f, true) + ", ";
    Exec(sql + "rowid bigint GENERATED BY DEFAULT AS IDENTITY UNIQUE)");
    Comment("TABLE " + Quote(table), table);
    for (const auto& f : fields) Comment("COLUMN " + Quote(table) + "." + Quote(f.Name()), f.Name());
    BumpSchemaVersion();
}

void PgEngine::AddColumn(std::string_view table, const Field& field) {
    Exec("ALTER TABLE " + Quote(table) + " ADD COLUMN " + ColumnDefinition(table, field, false));
    Comment("COLUMN " + Quote(table) + "." + Quote(field.Name()), field.Name());
    BumpSchemaVersion();
}

void PgEngine::DropTable(std::string_view table) {
    Exec("DROP TABLE " + Quote(table));
    BumpSchemaVersion();
}

void PgEngine::CreateIndex(std::string_view table, const Index& index) {
    if (index.Fields().empty()) throw DbError(3264, "The index '" + index.Name() + "' has no fields.");
    const auto columns = Columns(table);
    if (index.Primary() && index.Fields().size() == 1) {
        for (const auto& c : columns)
            if (c.row_key && SameName(c.field.Name(), index.Fields()[0])) return;  // the key's own index
    }
    for (const auto& existing : Indexes(table)) {
        if (SameName(existing.Name(), index.Name())) {
            throw DbError(3284, "The index '" + index.Name() + "' already exists on table '" + std::string(table) + "'.");
        }
    }
    const std::string name = Quote(std::string(table) + "$" + index.Name());
    std::string sql = std::string("CREATE ") + (index.Unique() || index.Primary() ? "UNIQUE " : "") + "INDEX " + name +
                      " ON " + Quote(table) + " (";
    for (std::size_t i = 0; i < index.Fields().size(); ++i) {
        std::string f = index.Fields()[i];
        const bool desc = !f.empty() && f[0] == '-';
        if (desc || (!f.empty() && f[0] == '+')) f.erase(0, 1);
        sql += (i ? ", " : "") + Quote(f) + (desc ? " DESC" : "");
    }
    Exec(sql + ")");
    Comment("INDEX " + name, index.Name());
    SchemaChanged();
}

void PgEngine::DropIndex(std::string_view table, std::string_view index) {
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
            SchemaChanged();
            return;
        }
    }
    throw DbError(3265, "The index '" + std::string(index) + "' of table '" + std::string(table) + "' does not exist.");
}

// Enforced relations are triggers, as on the file engine: a foreign key of the server could not
// let 0 stand for "no row", which the component writes.
void PgEngine::CreateRelation(const Relation& r) {
    if (r.Fields().empty()) throw DbError(3367, "The relation '" + r.Name() + "' has no fields.");
    if (!r.Enforced()) return;  // kept as metadata only
    const std::string schema = Quote(name_.Schema());
    const std::string parent = schema + "." + Quote(r.Table()), child = schema + "." + Quote(r.ForeignTable());
    auto fn = [&](const char* what) { return schema + "." + Quote("rel$" + r.Name() + "$" + what); };
    auto raise = [](long number, const std::string& text) {
        return "RAISE EXCEPTION USING MESSAGE = " + jet::QuoteText("[" + std::to_string(number) + "] " + text) + ";";
    };
    std::string match_new, match_old, any_null, all_zero, child_cols, parent_cols, changed, set_new;
    for (std::size_t i = 0; i < r.Fields().size(); ++i) {
        const std::string pf = Quote(r.Fields()[i].first), cf = Quote(r.Fields()[i].second);
        const char* sep = i ? " AND " : "";
        match_new += sep + std::string("p.") + pf + " = NEW." + cf;
        match_old += sep + std::string("c.") + cf + " = OLD." + pf;
        any_null += (i ? " OR NEW." : "NEW.") + cf + " IS NULL";
        all_zero += sep + std::string("NEW.") + cf + " = 0";
        child_cols += (i ? ", " : "") + cf;
        parent_cols += (i ? ", " : "") + pf;
        changed += (i ? " OR OLD." : "OLD.") + pf + " IS DISTINCT FROM NEW." + pf;
        set_new += (i ? ", " : "") + cf + " = NEW." + pf;
    }
    const std::string missing = raise(3201, "The record cannot be saved: table '" + r.ForeignTable() +
                                                "' may only refer to an existing record of table '" + r.Table() +
                                                "' (relation '" + r.Name() + "').");
    const std::string related = raise(3200, "The record cannot be deleted or changed: table '" + r.ForeignTable() +
                                                "' has records related to it (relation '" + r.Name() + "').");
    const std::string children = "EXISTS (SELECT 1 FROM " + child + " c WHERE " + match_old + ")";
    auto function = [&](const char* what, const std::string& body, const char* result) {
        return "CREATE FUNCTION " + fn(what) + "() RETURNS trigger LANGUAGE plpgsql AS $tlx$ BEGIN " + body +
               " RETURN " + result + "; END $tlx$;\n";
    };
    const bool cascade_delete = r.Attributes() & Relation::kDeleteCascade;
    const bool cascade_update = r.Attributes() & Relation::kUpdateCascade;
    std::string sql;
    sql += function("child", "IF NOT (" + any_null + ") AND NOT (" + all_zero + ") AND NOT EXISTS (SELECT 1 FROM " +
                                 parent + " p WHERE " + match_new + ") THEN " + missing + " END IF;",
                    "NEW");
    sql += "CREATE TRIGGER " + Quote("rel$" + r.Name() + "$child") + " BEFORE INSERT OR UPDATE OF " + child_cols +
           " ON " + child + " FOR EACH ROW EXECUTE FUNCTION " + fn("child") + "();\n";
    sql += function("parent_delete",
                    cascade_delete ? "DELETE FROM " + child + " c WHERE " + match_old + ";"
                                   : "IF " + children + " THEN " + related + " END IF;",
                    "OLD");
    sql += "CREATE TRIGGER " + Quote("rel$" + r.Name() + "$parent_delete") +
           (cascade_delete ? " AFTER" : " BEFORE") + " DELETE ON " + parent + " FOR EACH ROW EXECUTE FUNCTION " +
           fn("parent_delete") + "();\n";
    sql += function("parent_update",
                    cascade_update ? "IF " + changed + " THEN UPDATE " + child + " c SET " + set_new + " WHERE " +
                                         match_old + "; END IF;"
                                   : "IF (" + changed + ") AND " + children + " THEN " + related + " END IF;",
                    "NEW");
    sql += "CREATE TRIGGER " + Quote("rel$" + r.Name() + "$parent_update") +
           (cascade_update ? " AFTER" : " BEFORE") + " UPDATE OF " + parent_cols + " ON " + parent +
           " FOR EACH ROW EXECUTE FUNCTION " + fn("parent_update") + "();\n";
    Exec(sql);
}

void PgEngine::DropRelation(const Relation& r) {
    const std::string schema = Quote(name_.Schema());
    for (const char* what : {"child", "parent_delete", "parent_update"}) {
        Exec("DROP FUNCTION IF EXISTS " + schema + "." + Quote("rel$" + r.Name() + "$" + what) + "() CASCADE");
    }
}

void PgEngine::CreateView(std::string_view name, std::string_view sql, bool temporary) {
    // The view's columns are named in lower case like every other name; their spelling, the
    // result names of the statement, is kept in the comments.
    std::vector<std::string> spelled;
    {
        PgStatement probe(*this, sql);
        for (int i = 0; i < probe.ColumnCount(); ++i) spelled.push_back(probe.Column(i).name);
    }
    std::string columns;
    for (const auto& c : spelled) columns += (columns.empty() ? "" : ", ") + Quote(c);
    Exec(std::string("CREATE ") + (temporary ? "TEMP " : "") + "VIEW " + Quote(name) + " (" + columns + ") AS " +
         std::string(sql));
    Comment("VIEW " + Quote(name), name);
    for (const auto& c : spelled) Comment("COLUMN " + Quote(name) + "." + Quote(c), c);
    if (temporary) {
        SchemaChanged();
    } else {
        BumpSchemaVersion();
    }
}

void PgEngine::DropView(std::string_view name) {
    Exec("DROP VIEW " + Quote(name));
    BumpSchemaVersion();
}

void PgEngine::CreateLink(std::string_view name, const std::string& path, std::string_view source_table) {
    const std::string schema = Attach(path);
    const TableInfo* source = Table(schema + "." + std::string(source_table));
    if (!source) {
        throw DbError(3078, "The table '" + std::string(source_table) + "' does not exist in '" + path + "'.");
    }
    std::string columns;
    for (const auto& c : source->columns) {
        columns += (columns.empty() ? "" : ", ") + Quote(c.field.Name()) + " AS " + jet::QuoteIdentifier(c.field.Name());
    }
    CreateView(name, "SELECT " + columns + " FROM " + Quote(schema) + "." + Quote(source->relname), true);
}

}  // namespace tlx4r::db
