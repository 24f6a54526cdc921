#include "db/JetExpression.h"

#include "db/DbError.h"
#include "types/Date.h"
#include "types/Utf8.h"

#include <array>
#include <charconv>
#include <stdexcept>

namespace tlx4r::db {

using namespace jet;

namespace {

using Kind = JetToken::Kind;

// The dialect's scalar and aggregate functions and the names they are registered under
// (RegisterJetFunctions); other functions (Count, Sum, Min, Max, Avg, Abs, Trim…) are SQLite's
// or ours under the same name.
struct FunctionName {
    const char* jet;
    const char* sqlite;
};
constexpr std::array kFunctions{
    FunctionName{"CBool", "jet_cbool"},     FunctionName{"CCur", "jet_ccur"},
    FunctionName{"CDbl", "jet_cdbl"},       FunctionName{"CInt", "jet_cint"},
    FunctionName{"CLng", "jet_clng"},       FunctionName{"CStr", "jet_cstr"},
    FunctionName{"Date", "jet_date"},       FunctionName{"DateSerial", "jet_dateserial"},
    FunctionName{"Day", "jet_day"},         FunctionName{"First", "jet_first"},
    FunctionName{"Fix", "jet_fix"},         FunctionName{"Format", "jet_format"},
    FunctionName{"Hour", "jet_hour"},       FunctionName{"InStr", "jet_instr"},
    FunctionName{"Int", "jet_int"},         FunctionName{"IsNull", "jet_isnull"},
    FunctionName{"Last", "jet_last"},       FunctionName{"LCase", "jet_lcase"},
    FunctionName{"Left", "jet_left"},       FunctionName{"Len", "jet_len"},
    FunctionName{"Mid", "jet_mid"},         FunctionName{"Minute", "jet_minute"},
    FunctionName{"Month", "jet_month"},     FunctionName{"Now", "jet_now"},
    FunctionName{"Nz", "jet_nz"},           FunctionName{"Right", "jet_right"},
    FunctionName{"Round", "jet_round"},     FunctionName{"Second", "jet_second"},
    FunctionName{"Sgn", "jet_sgn"},         FunctionName{"Str", "jet_str"},
    FunctionName{"UCase", "jet_ucase"},     FunctionName{"Val", "jet_val"},
    FunctionName{"Weekday", "jet_weekday"}, FunctionName{"Year", "jet_year"},
};

std::string FunctionFor(const std::string& name) {
    for (const auto& f : kFunctions)
        if (EqualNoCase(name, f.jet)) return f.sqlite;
    return name;
}

std::string FormatNumber(double v) {
    std::array<char, 64> buf{};
    auto r = std::to_chars(buf.data(), buf.data() + buf.size(), v);
    return std::string(buf.data(), r.ptr);
}

}  // namespace

JetExpression::JetExpression(std::string_view statement, SubQueryFn sub_query, SqlTarget target)
    : sql_(statement), sub_query_(std::move(sub_query)), target_(target) {}

void JetExpression::Fail(std::size_t pos, const std::string& what) const {
    throw DbError(3000, JetErrorText(sql_, pos, what));
}

JetNodes JetExpression::StripSemicolons(JetNodes nodes, bool top_level) const {
    while (!nodes.empty() && IsPunct(nodes.back(), ';')) nodes = nodes.first(nodes.size() - 1);
    for (const auto& n : nodes)
        if (IsPunct(n, ';'))
            Fail(n.tok.pos, top_level ? "characters found after the end of the statement"
                                      : "';' inside brackets");
    return nodes;
}

std::string JetExpression::Expr(JetNodes nodes) {
    // Comparisons span operand boundaries, so they are found here, before the split.
    for (std::size_t j = 0; j < nodes.size(); ++j)
        if (IsName(nodes[j]) && (j == 0 || !IsPunct(nodes[j - 1], '.')) &&
            FirstLetterComparison(nodes, j))
            first_letter_.insert(&nodes[j]);
    Writer w;
    std::size_t start = 0;
    for (std::size_t j = 0; j <= nodes.size(); ++j) {
        if (j < nodes.size() && (!IsBoundary(nodes[j]) || IsFunctionCall(nodes, j))) continue;
        if (j > start) {
            const JetNode* before = start > 0 ? &nodes[start - 1] : nullptr;
            const JetNode* after = j < nodes.size() ? &nodes[j] : nullptr;
            const std::string server = ServerOperand(nodes.subspan(start, j - start), before, after);
            w.Add(server.empty() ? OperatorRuns(nodes.subspan(start, j - start), 0) : server);
        }
        if (j < nodes.size()) w.Add(Atoms(nodes.subspan(j, 1)));
        start = j + 1;
    }
    return w.Take();
}

// Single operands the server reads otherwise than the dialect, by what stands beside them: a
// text compared with loses its trailing blanks (the dialect ignores them, the server's collation
// does not), and True or False beside AND, OR or NOT is a condition, not the number stored.
// "" when the operand needs nothing of the kind.
std::string JetExpression::ServerOperand(JetNodes operand, const JetNode* before, const JetNode* after) const {
    if (target_ != SqlTarget::Postgres || operand.size() != 1 || operand[0].group) return {};
    const JetToken& tok = operand[0].tok;
    auto beside = [&](bool (*test)(const JetNode&)) { return (before && test(*before)) || (after && test(*after)); };
    if (tok.kind == Kind::Text && beside([](const JetNode& m) { return IsComparison(m); })) {
        std::string text = tok.text;
        while (!text.empty() && text.back() == ' ') text.pop_back();
        return QuoteText(text);
    }
    // A condition of its own: AND, OR or NOT beside it and no comparison ("Archive = False AND …"
    // compares with the number stored).
    auto logical = [](const JetNode& m) { return IsWord(m, "AND") || IsWord(m, "OR") || IsWord(m, "NOT"); };
    if (tok.kind == Kind::Name && (tok.IsWord("True") || tok.IsWord("False")) && beside(logical) &&
        !beside([](const JetNode& m) { return IsComparison(m); })) {
        return tok.IsWord("True") ? "TRUE" : "FALSE";
    }
    return {};
}

// The arithmetic operators SQLite lacks or ranks differently, lowest precedence first:
// '&' (concatenation, Null as ""), binary '+'/'-', Mod, '\' (integer division).
std::string JetExpression::OperatorRuns(JetNodes nodes, int level) {
    if (level > 3) return Atoms(nodes);
    auto is_split = [&](std::size_t j) {
        const JetNode& n = nodes[j];
        switch (level) {
            case 0:
                return IsOp(n, "&");
            case 1:
                return (IsOp(n, "+") || IsOp(n, "-")) && j > 0 && IsOperand(nodes[j - 1]);
            case 2:
                return IsWord(n, "Mod");
            default:
                return IsOp(n, "\\");
        }
    };
    bool needed = false;
    for (const auto& n : nodes)
        if (IsOp(n, "&") || IsOp(n, "\\") || IsWord(n, "Mod")) needed = true;
    if (!needed) return Atoms(nodes);

    std::vector<std::string> parts;
    std::vector<std::string> ops;
    std::size_t start = 0;
    for (std::size_t j = 0; j <= nodes.size(); ++j) {
        if (j < nodes.size() && !is_split(j)) continue;
        if (j == start)
            Fail(j < nodes.size() ? nodes[j].tok.pos : nodes.back().tok.pos,
                 "an operand is missing");
        parts.push_back(OperatorRuns(nodes.subspan(start, j - start), level + 1));
        if (j < nodes.size()) ops.push_back(nodes[j].tok.text);
        start = j + 1;
    }
    if (parts.size() == 1) return parts[0];
    switch (level) {
        case 0: {
            // The server's functions take one type per argument: every part becomes text first,
            // formatted as the dialect formats numbers.
            const bool server = target_ == SqlTarget::Postgres;
            std::string s = "jet_concat(";
            for (std::size_t k = 0; k < parts.size(); ++k)
                s += (k ? ", " : "") + (server ? "jet_cstr(" + parts[k] + ")" : parts[k]);
            return s + ")";
        }
        case 1: {
            std::string s = parts[0];
            for (std::size_t k = 1; k < parts.size(); ++k) s += " " + ops[k - 1] + " " + parts[k];
            return s;
        }
        default: {
            const char* fn = level == 2 ? "jet_mod(" : "jet_idiv(";
            std::string s = parts[0];
            for (std::size_t k = 1; k < parts.size(); ++k) s = fn + s + ", " + parts[k] + ")";
            return s;
        }
    }
}

std::string JetExpression::Atoms(JetNodes nodes) {
    Writer w;
    for (std::size_t i = 0; i < nodes.size();) {
        const JetNode& n = nodes[i];
        if (n.group) {
            if (StartsSelect(n))
                w.Add("(" + sub_query_(StripSemicolons(n.kids, false)) + ")");
            else
                w.Add("(" + Expr(StripSemicolons(n.kids, false)) + ")");
            ++i;
            continue;
        }
        switch (n.tok.kind) {
            case Kind::Text:
                w.Add(QuoteText(n.tok.text));
                ++i;
                break;
            case Kind::DateLiteral:
                w.Add(DateLiteral(n.tok));
                ++i;
                break;
            case Kind::Number:
                w.Add(n.tok.text);
                ++i;
                break;
            case Kind::Operator:
                if (n.tok.text == "^") Fail(n.tok.pos, "the operator '^' is not supported");
                w.Add(n.tok.text);
                ++i;
                break;
            case Kind::Punct:
                if (n.tok.text == ";")
                    Fail(n.tok.pos, "characters found after the end of the statement");
                w.Add(n.tok.text);
                ++i;
                break;
            case Kind::Name:
            case Kind::QuotedName:
                if (IsFunctionCall(nodes, i)) {
                    // A function call; its arguments are expressions of their own.
                    w.Add(FunctionFor(n.tok.text) + "(" + Expr(nodes[i + 1].kids) + ")");
                    i += 2;
                } else if (n.tok.kind == Kind::Name && IsKeyword(n)) {
                    w.Add(n.tok.text);
                    ++i;
                } else if (n.tok.kind == Kind::Name &&
                           (n.tok.IsWord("True") || n.tok.IsWord("False")) &&
                           !(i + 1 < nodes.size() && IsPunct(nodes[i + 1], '.'))) {
                    // Booleans are stored as 1/0, and conditions and assignments use what is
                    // stored; in arithmetic True keeps the dialect's value -1.
                    auto arithmetic = [](const JetNode& m) {
                        return IsOp(m, "+") || IsOp(m, "-") || IsOp(m, "*") || IsOp(m, "/");
                    };
                    bool in_arithmetic = (i > 0 && arithmetic(nodes[i - 1])) ||
                                         (i + 1 < nodes.size() && arithmetic(nodes[i + 1]));
                    w.Add(n.tok.IsWord("True") ? (in_arithmetic ? "(-1)" : "1") : "0");
                    ++i;
                } else {
                    const std::size_t at = i;
                    std::string chain = NameChain(nodes, i);
                    if (first_letter_.count(&nodes[at]))
                        chain = "substr(" + chain + ", 1, 1) COLLATE JETTEXT";
                    w.Add(chain);
                }
                break;
            case Kind::End:
                ++i;
                break;
        }
    }
    return w.Take();
}

std::string JetExpression::NameChain(JetNodes nodes, std::size_t& i,
                                     std::vector<std::string>* parts) const {
    std::string out;
    for (;;) {
        const JetNode& n = nodes[i];
        if (n.tok.kind == Kind::Name && EqualNoCase(n.tok.text, "NULL"))
            out += "NULL";  // a value, not a name, wherever it stands
        else if (n.tok.kind == Kind::QuotedName || target_ == SqlTarget::Postgres)
            out += QuoteName(n.tok.text, target_);
        else
            out += n.tok.text;
        if (parts) parts->push_back(n.tok.text);
        ++i;
        if (i + 1 < nodes.size() && IsPunct(nodes[i], '.') && IsName(nodes[i + 1])) {
            out += ".";
            ++i;
            continue;
        }
        if (i + 1 < nodes.size() && IsPunct(nodes[i], '.') && IsOp(nodes[i + 1], "*")) {
            out += ".*";
            i += 2;
        }
        return out;
    }
}

// A record-type column compared with one-letter codes selects by the record-type letter, so
// that the category codes stored after it never hide an entry.
bool JetExpression::FirstLetterComparison(JetNodes nodes, std::size_t i) const {
    std::size_t k = i;
    std::string last;
    for (;;) {
        last = nodes[k].tok.text;
        ++k;
        if (k + 1 < nodes.size() && IsPunct(nodes[k], '.') && IsName(nodes[k + 1])) {
            ++k;
            continue;
        }
        break;
    }
    if (!EqualNoCase(last, "RecTypeText") || k >= nodes.size()) return false;
    auto one_letter = [](const JetNode& n) {
        return !n.group && n.tok.kind == Kind::Text && utf8::Length(n.tok.text) == 1;
    };
    if ((IsOp(nodes[k], "=") || IsOp(nodes[k], "<>")) && k + 1 < nodes.size())
        return one_letter(nodes[k + 1]);
    if (IsWord(nodes[k], "NOT")) ++k;
    if (k + 1 < nodes.size() && IsWord(nodes[k], "IN") && nodes[k + 1].group &&
        !StartsSelect(nodes[k + 1])) {
        const auto& kids = nodes[k + 1].kids;
        if (kids.empty()) return false;
        for (std::size_t j = 0; j < kids.size(); ++j)
            if (j % 2 == 0 ? !one_letter(kids[j]) : !IsPunct(kids[j], ',')) return false;
        return true;
    }
    return false;
}

// #mm/dd/yyyy#, #yyyy-mm-dd#, each with an optional time "hh:mm[:ss] [AM|PM]", or a time alone:
// the day number the column stores.
std::string JetExpression::DateLiteral(const JetToken& tok) const {
    std::string_view s = tok.text;
    auto fail = [&]() { Fail(tok.pos, "invalid date literal #" + tok.text + "#"); };
    auto number = [&](std::size_t& p, int max_digits) {
        std::size_t b = p;
        int v = 0;
        while (p < s.size() && s[p] >= '0' && s[p] <= '9' && static_cast<int>(p - b) < max_digits)
            v = v * 10 + (s[p++] - '0');
        if (p == b) fail();
        return v;
    };
    auto skip_blanks = [&](std::size_t& p) {
        while (p < s.size() && s[p] == ' ') ++p;
    };
    std::size_t p = 0;
    skip_blanks(p);
    int y = 1899, m = 12, d = 30;
    [[maybe_unused]] bool has_date = false;
    std::size_t q = p;
    int first = number(q, 4);
    if (q < s.size() && (s[q] == '/' || s[q] == '-')) {
        const bool year_first = q - p == 4;
        char sep = s[q];
        p = q + 1;
        int second = number(p, 2);
        if (p >= s.size() || s[p] != sep) fail();
        ++p;
        const std::size_t third_at = p;
        int third = number(p, 4);
        if (year_first)
            y = first, m = second, d = third;
        else
            m = first, d = second, y = third;
        if (!year_first && p - third_at <= 2)
            y += y < 30 ? 2000 : 1900;  // #1/2/24#: the old cut-off
        has_date = true;
        skip_blanks(p);
    }
    int hh = 0, mm = 0, ss = 0;
    if (p < s.size()) {
        hh = number(p, 2);
        if (p >= s.size() || s[p] != ':') fail();
        ++p;
        mm = number(p, 2);
        if (p < s.size() && s[p] == ':') {
            ++p;
            ss = number(p, 2);
        }
        skip_blanks(p);
        if (p < s.size()) {
            std::string ampm = utf8::Upper(s.substr(p));
            if (ampm != "AM" && ampm != "PM") fail();
            if (hh < 1 || hh > 12) fail();
            if (ampm == "PM" && hh != 12) hh += 12;
            if (ampm == "AM" && hh == 12) hh = 0;
            p = s.size();
        }
    }
    if (hh > 23 || mm > 59 || ss > 59) fail();
    double serial = 0;
    try {
        serial = Date::FromYmdHms(y, m, d, hh, mm, ss).Serial();
    } catch (const std::invalid_argument&) {
        fail();
    }
    return FormatNumber(serial);
}

}  // namespace tlx4r::db
