#pragma once

#include "db/JetTokenizer.h"
#include "db/SqlTarget.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tlx4r::db {

// A token, or a parenthesised group of nodes: the statement as a tree of brackets, so that
// every rewrite knows the extent of a sub-query or an argument list without counting.
struct JetNode {
    JetToken tok;               // for a group, the '(' token
    std::vector<JetNode> kids;  // the group's content, without its brackets
    bool group = false;
};

using JetNodes = std::span<const JetNode>;

// Questions the rewrite rules ask of a node.
namespace jet {

bool EqualNoCase(std::string_view a, std::string_view b);
// A clause or logical keyword: it ends an operand. Any other word is a name.
bool IsKeyword(const JetNode& n);
bool IsWord(const JetNode& n, std::string_view w);
bool IsPunct(const JetNode& n, char c);
bool IsOp(const JetNode& n, std::string_view op);
bool IsName(const JetNode& n);
bool StartsSelect(const JetNode& n);
bool IsFunctionCall(JetNodes nodes, std::size_t i);
bool IsComparison(const JetNode& n);
bool IsBoundary(const JetNode& n);
bool IsOperand(const JetNode& n);

std::string QuoteIdentifier(std::string_view name);
// A name of the schema (table, column, alias, attached database) as the target writes it. The
// dialect's names are case-insensitive: SQLite compares them so itself, while a server keeps
// every name of the schema in lower case, so each one is quoted in lower case there.
std::string QuoteName(std::string_view name, SqlTarget target);
std::string QuoteText(std::string_view text);

// Joins pieces of SQL with single blanks, except around '.' and before ',' and ')'.
class Writer {
public:
    void Add(std::string_view piece);
    std::string Take() { return std::move(out_); }

private:
    std::string out_;
};

}  // namespace jet
}  // namespace tlx4r::db
