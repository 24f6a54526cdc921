#pragma once

#include "db/JetExpression.h"
#include "db/JetSql.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tlx4r::db {

// Translates one statement of the dialect (see JetSql). Not reusable: one object per statement.
class JetStatement {
public:
    JetStatement(std::string_view statement, const SchemaLookup& schema,
                 const JetSql::AttachFn& attach, SqlTarget target = SqlTarget::Sqlite);

    Translation Translate();

private:
    // A table of a FROM clause (or of an UPDATE or DELETE): how it is named in the statement
    // and where its columns come from.
    struct Source {
        std::string alias;                 // as written, or the table's name
        std::string table;                 // empty for a sub-query
        std::string schema;                // the attached database, empty for the main one
        std::vector<std::string> columns;  // of a sub-query
        bool derived = false;
    };
    struct TableRef {
        std::string sql;
        Source source;
        std::size_t pos = 0;
    };
    // One column of a select list.
    struct SelectItem {
        std::string sql;
        std::string name;       // the result name
        std::string column;     // the column it shows, when it is a plain column
        std::string qualifier;  // the alias written before the column, or found for it
        bool explicit_alias = false;
        bool from_star = false;
    };
    struct SelectResult {
        std::string sql;
        std::vector<SelectItem> items;
    };

    std::vector<JetNode> BuildTree(const std::vector<JetToken>& tokens);

    std::string Select(JetNodes nodes, bool named, std::vector<SelectItem>* items_out = nullptr,
                       bool only_table_columns = false,
                       const std::vector<std::string>* keep = nullptr);
    std::string Tail(JetNodes tail);
    std::string Update(JetNodes nodes);
    std::string Delete(JetNodes nodes);
    std::string Insert(JetNodes nodes);

    std::string FromClause(JetNodes nodes, std::vector<Source>& sources);
    TableRef ParseTableRef(JetNodes nodes, std::size_t& i, std::vector<Source>& sources);
    // Table refs joined by INNER JOINs (also in brackets), with their ON conditions.
    void FlattenJoins(JetNodes nodes, std::vector<TableRef>& refs,
                      std::vector<std::string>& conditions, std::vector<Source>& sources);

    std::vector<SelectItem> SelectItems(JetNodes list, const std::vector<Source>& sources);
    void ExpandStar(const Source& source, std::vector<SelectItem>& items, std::size_t pos);
    std::vector<std::string> ColumnsOf(const Source& source, std::size_t pos);
    void NameItems(std::vector<SelectItem>& items, const std::vector<Source>& sources);

    [[noreturn]] void Fail(std::size_t pos, const std::string& what) const;
    std::string Name(std::string_view name) const { return jet::QuoteName(name, target_); }

    std::string sql_;
    const SchemaLookup& schema_;
    const JetSql::AttachFn& attach_;
    SqlTarget target_;
    JetExpression expr_;
    int next_expr_ = 1000;
    int select_depth_ = 0;
};

}  // namespace tlx4r::db
