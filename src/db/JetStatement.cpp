#include "db/JetStatement.h"

#include "db/DbError.h"
#include "types/Utf8.h"

#include <algorithm>

namespace tlx4r::db {

using namespace jet;
using Kind = JetToken::Kind;

JetStatement::JetStatement(std::string_view statement, const SchemaLookup& schema,
                           const JetSql::AttachFn& attach, SqlTarget target)
    : sql_(statement),
      schema_(schema),
      attach_(attach),
      target_(target),
      expr_(sql_, [this](JetNodes sub) { return Select(sub, false); }, target) {}

void JetStatement::Fail(std::size_t pos, const std::string& what) const {
    throw DbError(3000, JetErrorText(sql_, pos, what));
}

std::vector<JetNode> JetStatement::BuildTree(const std::vector<JetToken>& tokens) {
    std::vector<std::vector<JetNode>> stack(1);
    std::vector<JetToken> opens;
    for (const auto& t : tokens) {
        if (t.kind == Kind::End) break;
        if (t.IsPunct('(')) {
            // The rewrites recurse per bracket: bound the depth instead of the stack.
            if (opens.size() >= 200) Fail(t.pos, "brackets nested too deeply");
            opens.push_back(t);
            stack.emplace_back();
        } else if (t.IsPunct(')')) {
            if (opens.empty()) Fail(t.pos, "')' without '('");
            JetNode g{opens.back(), std::move(stack.back()), true};
            stack.pop_back();
            opens.pop_back();
            stack.back().push_back(std::move(g));
        } else {
            stack.back().push_back(JetNode{t, {}, false});
        }
    }
    if (!opens.empty()) Fail(opens.back().pos, "'(' without ')'");
    return std::move(stack[0]);
}

Translation JetStatement::Translate() {
    JetTokenizer tokenizer(sql_);
    std::vector<JetNode> tree = BuildTree(tokenizer.Tokenize());
    JetNodes nodes = expr_.StripSemicolons(tree, true);
    if (nodes.empty()) Fail(0, "empty statement");

    const JetNode& first = nodes[0];
    Translation t;
    if (IsWord(first, "SELECT")) {
        t.sql = Select(nodes, true);
        t.returns_rows = true;
    } else if (IsWord(first, "UPDATE")) {
        t.sql = Update(nodes);
    } else if (IsWord(first, "DELETE")) {
        t.sql = Delete(nodes);
    } else if (IsWord(first, "INSERT")) {
        t.sql = Insert(nodes);
    } else if (IsWord(first, "TRANSFORM") || IsWord(first, "PARAMETERS")) {
        Fail(first.tok.pos, "'" + first.tok.text + "' is not supported");
    } else {
        // Data definition and anything else: only the generic rewrites.
        t.sql = expr_.Expr(nodes);
    }
    return t;
}

// ---------------------------------------------------------------------------------------------
// SELECT

std::string JetStatement::Select(JetNodes nodes, bool named, std::vector<SelectItem>* items_out,
                                 bool only_table_columns, const std::vector<std::string>* keep) {
    // Only the statement's own result keeps the spelling of its column names; the columns of a
    // sub-query are names the statement refers to, written as every other name.
    struct Depth {
        int& depth;
        explicit Depth(int& d) : depth(++d) {}
        ~Depth() { --depth; }
    } depth(select_depth_);
    std::size_t i = 1;
    bool distinct = false;
    std::string limit;
    for (; i < nodes.size(); ++i) {
        const JetNode& n = nodes[i];
        // DISTINCTROW differs from no predicate only when a joined table shows none of its
        // columns; the component's statements select from one table where they use it.
        if (IsWord(n, "DISTINCTROW") || IsWord(n, "ALL")) continue;
        if (IsWord(n, "DISTINCT")) {
            distinct = true;
        } else if (IsWord(n, "TOP")) {
            if (i + 1 >= nodes.size() || nodes[i + 1].group ||
                nodes[i + 1].tok.kind != Kind::Number ||
                nodes[i + 1].tok.text.find_first_not_of("0123456789") != std::string::npos)
                Fail(n.tok.pos, "TOP needs a whole number");
            limit = nodes[++i].tok.text;
            if (i + 1 < nodes.size() && IsWord(nodes[i + 1], "PERCENT"))
                Fail(nodes[i + 1].tok.pos, "TOP … PERCENT is not supported");
        } else {
            break;
        }
    }

    // Top-level clause positions.
    std::size_t from = nodes.size(), rest = nodes.size(), union_at = nodes.size();
    for (std::size_t j = i; j < nodes.size(); ++j) {
        const JetNode& n = nodes[j];
        if (IsWord(n, "UNION")) {
            union_at = j;
            break;
        }
        if (from == nodes.size() && rest == nodes.size() && IsWord(n, "FROM"))
            from = j;
        else if (IsWord(n, "INTO") && from == nodes.size())
            Fail(n.tok.pos, "SELECT … INTO is not supported");
        else if (rest == nodes.size() && (IsWord(n, "WHERE") || IsWord(n, "GROUP") ||
                                          IsWord(n, "HAVING") || IsWord(n, "ORDER")))
            rest = j;
    }
    if (rest > union_at) rest = union_at;
    const std::size_t list_end = std::min(from, rest);
    if (list_end == i)
        Fail(i < nodes.size() ? nodes[i].tok.pos : sql_.size(), "SELECT without columns");

    std::vector<Source> sources;
    std::string from_sql;
    if (from < nodes.size()) {
        JetNodes from_nodes = nodes.subspan(from + 1, rest - from - 1);
        if (from_nodes.empty()) Fail(nodes[from].tok.pos, "FROM without a table");
        from_sql = FromClause(from_nodes, sources);
    }

    Writer w;
    w.Add("SELECT");
    if (distinct) w.Add("DISTINCT");
    JetNodes list = nodes.subspan(i, list_end - i);
    if (named) {
        std::vector<SelectItem> items = SelectItems(list, sources);
        NameItems(items, sources);
        if (keep) {
            std::vector<SelectItem> kept;
            for (auto& item : items)
                if (std::find(keep->begin(), keep->end(), utf8::Lower(item.column)) != keep->end())
                    kept.push_back(std::move(item));
            items = std::move(kept);
            if (items.empty())
                Fail(nodes[0].tok.pos, "no column of the source is a column of the target");
        }
        std::string cols;
        for (const auto& item : items) {
            if (!cols.empty()) cols += ", ";
            cols += only_table_columns ? item.sql : item.sql + " AS " + (select_depth_ == 1 ? QuoteIdentifier(item.name) : Name(item.name));
        }
        w.Add(cols);
        if (items_out) *items_out = std::move(items);
    } else {
        w.Add(expr_.Expr(list));
    }
    if (from < nodes.size()) {
        w.Add("FROM");
        w.Add(from_sql);
    }
    if (rest < union_at) w.Add(Tail(nodes.subspan(rest, union_at - rest)));
    if (!limit.empty()) {
        w.Add("LIMIT");
        w.Add(limit);
    }
    if (union_at < nodes.size()) {
        std::size_t k = union_at + 1;
        w.Add("UNION");
        if (k < nodes.size() && IsWord(nodes[k], "ALL")) {
            w.Add("ALL");
            ++k;
        }
        if (k >= nodes.size() || !IsWord(nodes[k], "SELECT"))
            Fail(nodes[union_at].tok.pos, "UNION without SELECT");
        w.Add(Select(nodes.subspan(k), false));
    }
    return w.Take();
}

// WHERE … GROUP BY … HAVING … ORDER BY …: the dialect sorts Null before every value, the
// server after, unless told.
// WHERE … GROUP BY … HAVING … ORDER BY …: the dialect sorts Null before every value, the
// server after, unless told; and the dialect's groups come sorted by their keys, the server's in
// any order, unless told.
std::string JetStatement::Tail(JetNodes tail) {
    std::size_t order = tail.size(), group = tail.size(), group_end = tail.size();
    for (std::size_t j = 0; j + 1 < tail.size(); ++j) {
        if (IsWord(tail[j], "ORDER") && IsWord(tail[j + 1], "BY")) {
            order = j;
            break;
        }
        if (IsWord(tail[j], "GROUP") && IsWord(tail[j + 1], "BY")) group = j;
        if (group < tail.size() && group_end == tail.size() && IsWord(tail[j], "HAVING")) group_end = j;
    }
    if (group_end > order) group_end = order;
    if (target_ != SqlTarget::Postgres || (order == tail.size() && group == tail.size())) return expr_.Expr(tail);
    Writer w;
    if (order > 0) w.Add(expr_.Expr(tail.first(order)));
    w.Add("ORDER BY");
    JetNodes items = order < tail.size() ? tail.subspan(order + 2) : tail.subspan(group + 2, group_end - group - 2);
    std::string list;
    std::size_t start = 0;
    for (std::size_t j = 0; j <= items.size(); ++j) {
        if (j < items.size() && !IsPunct(items[j], ',')) continue;
        JetNodes item = items.subspan(start, j - start);
        if (item.empty()) Fail(j < items.size() ? items[j].tok.pos : tail.back().tok.pos, "a sort key is missing");
        bool desc = false;
        if (IsWord(item.back(), "DESC") || IsWord(item.back(), "ASC")) {
            desc = IsWord(item.back(), "DESC");
            item = item.first(item.size() - 1);
        }
        list += (list.empty() ? "" : ", ") + expr_.Expr(item) + (desc ? " DESC NULLS LAST" : " NULLS FIRST");
        start = j + 1;
    }
    w.Add(list);
    return w.Take();
}

std::vector<JetStatement::SelectItem> JetStatement::SelectItems(
    JetNodes list, const std::vector<Source>& sources) {
    std::vector<SelectItem> items;
    std::size_t start = 0;
    for (std::size_t j = 0; j <= list.size(); ++j) {
        if (j < list.size() && !IsPunct(list[j], ',')) continue;
        JetNodes item = list.subspan(start, j - start);
        const std::size_t pos = start < list.size() ? list[start].tok.pos : sql_.size();
        start = j + 1;
        if (item.empty()) Fail(pos, "empty column in the select list");

        if (item.size() == 1 && IsOp(item[0], "*")) {
            if (sources.empty()) Fail(pos, "'*' without a table");
            for (const auto& s : sources) ExpandStar(s, items, pos);
            continue;
        }
        if (item.size() == 3 && IsName(item[0]) && IsPunct(item[1], '.') && IsOp(item[2], "*")) {
            const std::string& alias = item[0].tok.text;
            auto s = std::find_if(sources.begin(), sources.end(),
                                  [&](const Source& src) { return EqualNoCase(src.alias, alias); });
            if (s == sources.end()) Fail(pos, "unknown table '" + alias + "'");
            ExpandStar(*s, items, pos);
            continue;
        }
        SelectItem si;
        if (item.size() >= 3 && IsWord(item[item.size() - 2], "AS") && IsName(item.back())) {
            si.sql = expr_.Expr(item.first(item.size() - 2));
            si.name = item.back().tok.text;
            si.explicit_alias = true;
        } else {
            std::size_t k = 0;
            std::vector<std::string> parts;
            bool plain = IsName(item[0]) && !IsWord(item[0], "True") && !IsWord(item[0], "False") &&
                         !IsWord(item[0], "Null") && !(item.size() > 1 && item[1].group);
            if (plain) {
                std::string chain = expr_.NameChain(item, k, &parts);
                plain = k == item.size() && parts.size() <= 2;
                if (plain) {
                    si.sql = chain;
                    si.column = parts.back();
                    si.name = parts.back();
                    if (parts.size() == 2) si.qualifier = parts[0];
                }
            }
            if (!plain) {
                si.sql = expr_.Expr(item);
                si.name = "Expr" + std::to_string(next_expr_++);
            }
        }
        items.push_back(std::move(si));
    }
    return items;
}

std::vector<std::string> JetStatement::ColumnsOf(const Source& source, std::size_t pos) {
    if (source.derived) return source.columns;
    std::string key = source.schema.empty() ? source.table : source.schema + "." + source.table;
    auto cols = schema_.ColumnsOf(key);
    if (!cols) Fail(pos, "the table or query '" + source.table + "' does not exist");
    return *cols;
}

void JetStatement::ExpandStar(const Source& source, std::vector<SelectItem>& items,
                              std::size_t pos) {
    for (const auto& c : ColumnsOf(source, pos)) {
        SelectItem si;
        si.sql = Name(source.alias) + "." + Name(c);
        si.name = c;
        si.column = c;
        si.qualifier = source.alias;
        si.from_star = true;
        items.push_back(std::move(si));
    }
}

// A name shown by several columns becomes "Alias.Field" for each column that is not named
// explicitly, so that every result name is stable and, where it can be, unique.
void JetStatement::NameItems(std::vector<SelectItem>& items, const std::vector<Source>& sources) {
    std::vector<std::string> lower;
    for (const auto& item : items) lower.push_back(utf8::Lower(item.name));
    for (std::size_t k = 0; k < items.size(); ++k) {
        SelectItem& item = items[k];
        if (item.explicit_alias || item.column.empty()) continue;
        if (std::count(lower.begin(), lower.end(), lower[k]) < 2) continue;
        if (item.qualifier.empty()) {
            for (const auto& s : sources) {
                std::vector<std::string> cols;
                if (s.derived)
                    cols = s.columns;
                else if (auto c = schema_.ColumnsOf(s.schema.empty() ? s.table
                                                                     : s.schema + "." + s.table))
                    cols = *c;
                if (std::any_of(cols.begin(), cols.end(), [&](const std::string& c) {
                        return EqualNoCase(c, item.column);
                    })) {
                    item.qualifier = s.alias;
                    break;
                }
            }
        }
        if (!item.qualifier.empty()) item.name = item.qualifier + "." + item.name;
    }
}

// ---------------------------------------------------------------------------------------------
// FROM

// "A RIGHT JOIN B ON c" is written as "B LEFT JOIN A ON c": the same rows, but SQLite plans a
// right join as a pass over the left side plus a full scan of the right side for its rows
// without a partner, so a condition on the right side (the entries of a year) could not use an
// index. Columns keep their order: '*' is expanded in the order the tables are named.
std::string JetStatement::FromClause(JetNodes nodes, std::vector<Source>& sources) {
    std::size_t i = 0;
    std::string left = ParseTableRef(nodes, i, sources).sql;
    bool chain = false;         // left holds more than one table: as a right operand it needs brackets
    std::string words;          // the join's words before JOIN
    bool right_join = false;
    std::string right;          // a right join's right side, waiting for its ON
    bool right_after_chain = false;  // left was a chain when that right side came
    const auto append = [&left](const std::string& part) { left += " " + part; };
    // join words must be followed by JOIN
    const auto words_done = [&](std::size_t pos) {
        if (!words.empty() || (right_join && right.empty())) Fail(pos, "JOIN is missing in the FROM clause");
    };
    while (i < nodes.size()) {
        const JetNode& n = nodes[i];
        if (!IsWord(n, "JOIN") && !IsWord(n, "RIGHT") && !IsWord(n, "INNER") && !IsWord(n, "LEFT") &&
            !IsWord(n, "FULL") && !IsWord(n, "CROSS") && !IsWord(n, "OUTER"))
            words_done(n.tok.pos);
        if (!right.empty() && !IsWord(n, "ON")) {
            // a right join without ON: kept as written
            append("RIGHT JOIN " + right);
            right.clear();
            right_join = false;
        }
        if (IsPunct(n, ',')) {
            left += ",";
            ++i;
            append(ParseTableRef(nodes, i, sources).sql);
            chain = true;
        } else if (IsWord(n, "RIGHT")) {
            right_join = true;
            ++i;
        } else if (IsWord(n, "INNER") || IsWord(n, "LEFT") || IsWord(n, "FULL") || IsWord(n, "CROSS") ||
                   IsWord(n, "OUTER")) {
            if (!(right_join && IsWord(n, "OUTER"))) words += (words.empty() ? "" : " ") + n.tok.text;
            ++i;
        } else if (IsWord(n, "JOIN")) {
            ++i;
            std::string table = ParseTableRef(nodes, i, sources).sql;
            if (right_join && words.empty()) {
                right = std::move(table);
                right_after_chain = chain;
            } else {
                if (right_join) words = "RIGHT " + words;
                append(words + (words.empty() ? "" : " ") + "JOIN " + table);
                right_join = false;
            }
            words.clear();
            chain = true;
        } else if (IsWord(n, "ON")) {
            std::size_t j = ++i;
            while (j < nodes.size() && !IsPunct(nodes[j], ',') && !IsWord(nodes[j], "JOIN") &&
                   !IsWord(nodes[j], "INNER") && !IsWord(nodes[j], "CROSS") &&
                   !IsWord(nodes[j], "FULL") &&
                   !((IsWord(nodes[j], "LEFT") || IsWord(nodes[j], "RIGHT")) &&
                     j + 1 < nodes.size() &&
                     (IsWord(nodes[j + 1], "JOIN") || IsWord(nodes[j + 1], "OUTER"))))
                ++j;
            if (j == i) Fail(n.tok.pos, "ON without a condition");
            const std::string condition = expr_.Expr(nodes.subspan(i, j - i));
            if (!right.empty()) {
                left = right + " LEFT JOIN " + (right_after_chain ? "(" + left + ")" : left) + " ON " + condition;
                right.clear();
                right_join = false;
            } else {
                append("ON " + condition);
            }
            i = j;
        } else {
            Fail(n.tok.pos, "syntax error in the FROM clause near '" + n.tok.text + "'");
        }
    }
    words_done(sql_.size());
    if (!right.empty()) append("RIGHT JOIN " + right);
    return left;
}

JetStatement::TableRef JetStatement::ParseTableRef(JetNodes nodes, std::size_t& i,
                                                   std::vector<Source>& sources) {
    TableRef ref;
    if (i >= nodes.size())
        Fail(nodes.empty() ? sql_.size() : nodes.back().tok.pos, "a table name is missing");
    const JetNode& n = nodes[i];
    ref.pos = n.tok.pos;
    if (n.group) {
        ++i;
        if (StartsSelect(n)) {
            std::vector<SelectItem> items;
            std::string sub = Select(expr_.StripSemicolons(n.kids, false), true, &items);
            Source src;
            src.derived = true;
            for (const auto& item : items) src.columns.push_back(item.name);
            if (i < nodes.size() && IsWord(nodes[i], "AS")) ++i;
            if (i >= nodes.size() || !IsName(nodes[i]))
                Fail(n.tok.pos, "a sub-query in FROM needs a name");
            src.alias = nodes[i++].tok.text;
            ref.sql = "(" + sub + ") AS " + Name(src.alias);
            ref.source = src;
            sources.push_back(std::move(src));
        } else {
            ref.sql = "(" + FromClause(expr_.StripSemicolons(n.kids, false), sources) + ")";
        }
        return ref;
    }
    if (!IsName(n)) Fail(n.tok.pos, "a table name is missing");
    Source src;
    src.table = n.tok.text;
    ++i;
    std::string path;
    // In a table position a qualified name is a table of another database file.
    if (i + 1 < nodes.size() && IsPunct(nodes[i], '.') && IsName(nodes[i + 1])) {
        path = src.table;
        src.table = nodes[i + 1].tok.text;
        i += 2;
    }
    // "T IN "file"" and "T AS A IN "file"": the dialect takes the database either side of the
    // alias.
    auto in_file = [&]() {
        if (i + 1 < nodes.size() && IsWord(nodes[i], "IN") && !nodes[i + 1].group &&
            nodes[i + 1].tok.kind == Kind::Text) {
            if (!path.empty()) Fail(nodes[i].tok.pos, "two database files for one table");
            path = nodes[i + 1].tok.text;
            i += 2;
        }
    };
    in_file();
    if (i + 1 < nodes.size() && IsWord(nodes[i], "AS") && IsName(nodes[i + 1])) {
        src.alias = nodes[i + 1].tok.text;
        i += 2;
    } else if (i < nodes.size() && IsName(nodes[i])) {
        src.alias = nodes[i++].tok.text;
    }
    in_file();
    if (!path.empty()) {
        if (!attach_) Fail(ref.pos, "no other database file can be opened here");
        src.schema = attach_(path);
        if (src.schema.empty()) Fail(ref.pos, "cannot open the database file '" + path + "'");
    }
    std::string sql = src.schema.empty()
                          ? Name(src.table)
                          : Name(src.schema) + "." + Name(src.table);
    if (!src.alias.empty())
        sql += " AS " + Name(src.alias);
    else if (!src.schema.empty())
        sql += " AS " + Name(src.table);
    if (src.alias.empty()) src.alias = src.table;
    ref.sql = std::move(sql);
    ref.source = src;
    sources.push_back(std::move(src));
    return ref;
}

void JetStatement::FlattenJoins(JetNodes nodes, std::vector<TableRef>& refs,
                                std::vector<std::string>& conditions,
                                std::vector<Source>& sources) {
    std::size_t i = 0;
    auto one = [&]() {
        const JetNode& n = nodes[i];
        if (n.group && !StartsSelect(n)) {
            ++i;
            FlattenJoins(expr_.StripSemicolons(n.kids, false), refs, conditions, sources);
        } else {
            refs.push_back(ParseTableRef(nodes, i, sources));
        }
    };
    if (nodes.empty()) Fail(sql_.size(), "a table name is missing");
    one();
    while (i < nodes.size()) {
        const JetNode& n = nodes[i];
        if (IsWord(n, "INNER") && i + 1 < nodes.size() && IsWord(nodes[i + 1], "JOIN")) {
            i += 2;
            if (i >= nodes.size()) Fail(n.tok.pos, "JOIN without a table");
            one();
            if (i >= nodes.size() || !IsWord(nodes[i], "ON")) Fail(n.tok.pos, "JOIN without ON");
            std::size_t j = ++i;
            while (j < nodes.size() && !IsWord(nodes[j], "INNER") && !IsWord(nodes[j], "LEFT") &&
                   !IsWord(nodes[j], "RIGHT") && !IsWord(nodes[j], "JOIN"))
                ++j;
            if (j == i) Fail(nodes[i - 1].tok.pos, "ON without a condition");
            conditions.push_back(expr_.Expr(nodes.subspan(i, j - i)));
            i = j;
        } else if (IsWord(n, "LEFT") || IsWord(n, "RIGHT") || IsWord(n, "FULL") ||
                   IsPunct(n, ',')) {
            Fail(n.tok.pos, "only INNER JOIN is supported here");
        } else {
            Fail(n.tok.pos, "syntax error near '" + n.tok.text + "'");
        }
    }
}

// ---------------------------------------------------------------------------------------------
// UPDATE, DELETE, INSERT

std::string JetStatement::Update(JetNodes nodes) {
    std::size_t set = 0, where = nodes.size();
    for (std::size_t j = 1; j < nodes.size(); ++j) {
        if (!set && IsWord(nodes[j], "SET"))
            set = j;
        else if (set && IsWord(nodes[j], "WHERE")) {
            where = j;
            break;
        }
    }
    if (!set) Fail(nodes[0].tok.pos, "UPDATE without SET");
    std::vector<TableRef> refs;
    std::vector<std::string> conditions;
    std::vector<Source> sources;
    FlattenJoins(nodes.subspan(1, set - 1), refs, conditions, sources);

    // Assignments: the targets lose their qualifier, which SQLite does not accept.
    std::string assignments, target_alias;
    JetNodes list = nodes.subspan(set + 1, where - set - 1);
    if (list.empty()) Fail(nodes[set].tok.pos, "SET without an assignment");
    std::size_t start = 0;
    for (std::size_t j = 0; j <= list.size(); ++j) {
        if (j < list.size() && !IsPunct(list[j], ',')) continue;
        JetNodes a = list.subspan(start, j - start);
        std::size_t pos = start < list.size() ? list[start].tok.pos : sql_.size();
        start = j + 1;
        std::size_t k = 0;
        std::vector<std::string> parts;
        if (a.empty() || !IsName(a[0])) Fail(pos, "SET needs a column");
        expr_.NameChain(a, k, &parts);
        if (k >= a.size() || !IsOp(a[k], "=") || k + 1 >= a.size())
            Fail(pos, "SET needs 'column = value'");
        if (parts.size() > 2) Fail(pos, "a column of another database cannot be set");
        if (parts.size() == 2 && target_alias.empty()) target_alias = parts[0];
        if (!assignments.empty()) assignments += ", ";
        assignments += Name(parts.back()) + " = " + expr_.Expr(a.subspan(k + 1));
    }

    std::size_t target = 0;
    for (std::size_t r = 0; r < refs.size() && !target_alias.empty(); ++r)
        if (EqualNoCase(refs[r].source.alias, target_alias)) target = r;

    std::string sql = "UPDATE " + refs[target].sql + " SET " + assignments;
    if (refs.size() > 1) {
        sql += " FROM ";
        bool first = true;
        for (std::size_t r = 0; r < refs.size(); ++r) {
            if (r == target) continue;
            if (!first) sql += ", ";
            sql += refs[r].sql;
            first = false;
        }
    }
    std::string cond;
    for (const auto& c : conditions) cond += (cond.empty() ? "(" : " AND (") + c + ")";
    if (where < nodes.size()) {
        if (where + 1 >= nodes.size()) Fail(nodes[where].tok.pos, "WHERE without a condition");
        std::string w = expr_.Expr(nodes.subspan(where + 1));
        cond += cond.empty() ? w : " AND (" + w + ")";
    }
    if (!cond.empty()) sql += " WHERE " + cond;
    return sql;
}

std::string JetStatement::Delete(JetNodes nodes) {
    std::size_t from = 0, where = nodes.size();
    std::string target_alias;
    for (std::size_t j = 1; j < nodes.size(); ++j) {
        if (IsWord(nodes[j], "FROM")) {
            from = j;
            break;
        }
    }
    if (!from) Fail(nodes[0].tok.pos, "DELETE without FROM");
    // Between DELETE and FROM the dialect allows '*', 'T.*' and DISTINCTROW.
    for (std::size_t j = 1; j < from; ++j) {
        const JetNode& n = nodes[j];
        if (IsOp(n, "*") || IsWord(n, "DISTINCTROW") || IsPunct(n, '.')) continue;
        if (IsName(n))
            target_alias = n.tok.text;
        else
            Fail(n.tok.pos, "syntax error near '" + n.tok.text + "'");
    }
    for (std::size_t j = from + 1; j < nodes.size(); ++j)
        if (IsWord(nodes[j], "WHERE")) {
            where = j;
            break;
        }
    JetNodes tables = nodes.subspan(from + 1, where - from - 1);
    std::vector<TableRef> refs;
    std::vector<std::string> conditions;
    std::vector<Source> sources;
    std::string where_sql;
    if (where < nodes.size()) {
        if (where + 1 >= nodes.size()) Fail(nodes[where].tok.pos, "WHERE without a condition");
        where_sql = expr_.Expr(nodes.subspan(where + 1));
    }
    bool single = tables.size() >= 1 && !tables[0].group;
    for (const auto& n : tables)
        if (IsWord(n, "JOIN") || IsPunct(n, ',')) single = false;
    if (single) {
        std::size_t i = 0;
        TableRef ref = ParseTableRef(tables, i, sources);
        if (i != tables.size())
            Fail(tables[i].tok.pos, "syntax error near '" + tables[i].tok.text + "'");
        return "DELETE FROM " + ref.sql + (where_sql.empty() ? "" : " WHERE " + where_sql);
    }
    // Deleting through a join: the rows of the target table that the join selects.
    std::string from_sql = FromClause(tables, sources);
    auto t = std::find_if(sources.begin(), sources.end(), [&](const Source& s) {
        return !s.derived && (target_alias.empty() || EqualNoCase(s.alias, target_alias));
    });
    if (t == sources.end())
        Fail(nodes[0].tok.pos, "DELETE through a join needs the table to delete from");
    std::string table = t->schema.empty()
                            ? Name(t->table)
                            : Name(t->schema) + "." + Name(t->table);
    return "DELETE FROM " + table + " WHERE rowid IN (SELECT " + Name(t->alias) +
           ".rowid FROM " + from_sql + (where_sql.empty() ? "" : " WHERE " + where_sql) + ")";
}

std::string JetStatement::Insert(JetNodes nodes) {
    if (nodes.size() < 3 || !IsWord(nodes[1], "INTO"))
        Fail(nodes[0].tok.pos, "INSERT without INTO");
    std::size_t i = 2;
    std::vector<Source> sources;
    TableRef target = ParseTableRef(nodes, i, sources);
    std::string sql = "INSERT INTO " + target.sql;
    bool has_columns = false;
    if (i < nodes.size() && nodes[i].group && !StartsSelect(nodes[i])) {
        std::string cols;
        for (const auto& c : nodes[i].kids) {
            if (IsPunct(c, ',')) continue;
            if (!IsName(c)) Fail(c.tok.pos, "a column name is expected");
            cols += (cols.empty() ? "" : ", ") + Name(c.tok.text);
        }
        sql += " (" + cols + ")";
        has_columns = true;
        ++i;
    }
    if (i >= nodes.size()) Fail(nodes.back().tok.pos, "INSERT without values");
    JetNodes rest = nodes.subspan(i);
    // The server's tables may hold columns the dialect does not see (the hidden row number,
    // between fields added later): values by position go to the columns named.
    std::string all_columns;
    if (!has_columns && target_ == SqlTarget::Postgres && !target.source.derived) {
        for (const auto& c : ColumnsOf(target.source, target.pos)) all_columns += (all_columns.empty() ? "" : ", ") + Name(c);
        all_columns = " (" + all_columns + ")";
    }
    if (IsWord(rest[0], "VALUES")) return sql + all_columns + " " + expr_.Expr(rest);
    if (rest.size() == 1 && StartsSelect(rest[0]))
        rest = expr_.StripSemicolons(rest[0].kids, false);
    if (!IsWord(rest[0], "SELECT")) Fail(rest[0].tok.pos, "SELECT or VALUES expected");

    if (!has_columns) {
        // The dialect appends "SELECT *" by column name, SQLite by position: name the columns
        // both have, so that tables whose columns were added in another order copy correctly.
        std::vector<SelectItem> items;
        std::string probe = Select(rest, true, &items);
        bool all_star =
            !items.empty() && std::all_of(items.begin(), items.end(),
                                          [](const SelectItem& s) { return s.from_star; });
        auto target_cols = ColumnsOf(target.source, target.pos);
        if (all_star) {
            std::vector<std::string> keep;
            for (const auto& c : target_cols) keep.push_back(utf8::Lower(c));
            next_expr_ = 1000;
            std::string select = Select(rest, true, &items, true, &keep);
            std::string cols;
            for (const auto& item : items)
                cols += (cols.empty() ? "" : ", ") + Name(item.column);
            return sql + " (" + cols + ") " + select;
        }
        return sql + all_columns + " " + probe;
    }
    return sql + " " + Select(rest, false);
}

}  // namespace tlx4r::db
