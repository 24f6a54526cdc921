#pragma once

#include "db/JetNode.h"

#include <cstddef>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tlx4r::db {

// The rewrites inside expressions: literals (text, #dates#, True/False), [names], the
// operators SQLite lacks or ranks differently (&, \, Mod), the dialect's functions, and the
// record-type letter comparison. Sub-queries are handed back to the statement.
class JetExpression {
public:
    using SubQueryFn = std::function<std::string(JetNodes)>;

    JetExpression(std::string_view statement, SubQueryFn sub_query, SqlTarget target = SqlTarget::Sqlite);

    std::string Expr(JetNodes nodes);
    // name(.name)*, bracketed parts quoted; `i` moves past the chain; `parts` gets the names.
    std::string NameChain(JetNodes nodes, std::size_t& i,
                          std::vector<std::string>* parts = nullptr) const;
    // The dialect ends statements, sub-queries included, with ';', which SQLite accepts nowhere
    // inside a statement.
    JetNodes StripSemicolons(JetNodes nodes, bool top_level) const;

    [[noreturn]] void Fail(std::size_t pos, const std::string& what) const;

private:
    std::string ServerOperand(JetNodes operand, const JetNode* before, const JetNode* after) const;
    std::string OperatorRuns(JetNodes nodes, int level);
    std::string Atoms(JetNodes nodes);
    bool FirstLetterComparison(JetNodes nodes, std::size_t i) const;
    std::string DateLiteral(const JetToken& tok) const;

    std::string_view sql_;
    SubQueryFn sub_query_;
    SqlTarget target_;
    std::set<const JetNode*> first_letter_;  // record-type columns compared by their letter
};

}  // namespace tlx4r::db
