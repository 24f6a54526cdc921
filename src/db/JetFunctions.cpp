// The scalar functions of the dialect that the translator maps to SQLite (JetStatement's
// function table), like() with the dialect's wildcards, and RegisterJetFunctions.
#include "db/JetAggregates.h"
#include "db/JetLike.h"
#include "db/JetSql.h"
#include "db/JetTextCollation.h"

#include "db/DbError.h"
#include "types/Currency.h"
#include "types/Date.h"
#include "types/Utf8.h"

#include <sqlite3.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

namespace tlx4r::db {

namespace {

std::string_view Text(sqlite3_value* v) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return p ? std::string_view(p, static_cast<std::size_t>(sqlite3_value_bytes(v)))
             : std::string_view();
}

bool IsNull(sqlite3_value* v) { return sqlite3_value_type(v) == SQLITE_NULL; }

void ResultText(sqlite3_context* ctx, const std::string& s) {
    sqlite3_result_text(ctx, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
}

// Numbers as the dialect shows them in text: no trailing ".0", the shortest exact digits.
std::string NumberText(double v) {
    if (v == std::floor(v) && std::fabs(v) < 1e15)
        return std::to_string(static_cast<std::int64_t>(v));
    std::array<char, 64> buf{};
    auto r = std::to_chars(buf.data(), buf.data() + buf.size(), v);
    return std::string(buf.data(), r.ptr);
}

std::string ValueText(sqlite3_value* v) {
    switch (sqlite3_value_type(v)) {
        case SQLITE_INTEGER:
            return std::to_string(sqlite3_value_int64(v));
        case SQLITE_FLOAT:
            return NumberText(sqlite3_value_double(v));
        case SQLITE_NULL:
            return {};
        default:
            return std::string(Text(v));
    }
}

// The number a value stands for; nullopt for Null or a text that is no number.
std::optional<double> Number(sqlite3_value* v) {
    switch (sqlite3_value_numeric_type(v)) {
        case SQLITE_INTEGER:
        case SQLITE_FLOAT:
            return sqlite3_value_double(v);
        default:
            return std::nullopt;
    }
}

// A date argument: a day number, or a text the date parser reads.
std::optional<Date> DateArg(sqlite3_value* v) {
    if (auto n = Number(v)) return Date(*n);
    if (IsNull(v)) return std::nullopt;
    return Date::Parse(Text(v));
}

double RoundHalfEven(double v, int decimals) {
    double scale = std::pow(10.0, decimals);
    return std::nearbyint(v * scale) /
           scale;  // the default rounding mode is to nearest, ties to even
}

void ResultNumber(sqlite3_context* ctx, double v) {
    if (v == std::floor(v) && std::fabs(v) < 9.0e15)
        sqlite3_result_int64(ctx, static_cast<std::int64_t>(v));
    else
        sqlite3_result_double(ctx, v);
}

// Runs a body that may throw and turns the exception into an SQL error.
template <class F>
void Guard(sqlite3_context* ctx, F&& body) {
    try {
        body();
    } catch (const std::exception& e) {
        sqlite3_result_error(ctx, e.what(), -1);
    }
}

[[noreturn]] void InvalidCall(const char* fn) {
    throw std::invalid_argument(std::string("Invalid procedure call or argument (") + fn + ")");
}

// --- like ---------------------------------------------------------------------------------

void Like(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    // SQLite passes the pattern first: "a LIKE b" is like(b, a).
    if (IsNull(argv[0]) || IsNull(argv[1])) return sqlite3_result_null(ctx);
    Guard(ctx, [&] {
        // The compiled pattern is kept with the (usually constant) pattern argument.
        if (auto* cached = static_cast<JetLike*>(sqlite3_get_auxdata(ctx, 0)))
            return sqlite3_result_int(ctx, cached->Matches(ValueText(argv[1])) ? 1 : 0);
        char32_t escape = 0;
        if (argc == 3) {
            std::u32string e = utf8::Decode(Text(argv[2]));
            if (e.size() != 1)
                throw std::invalid_argument("ESCAPE expression must be a single character");
            escape = e[0];
        }
        auto matcher = std::make_unique<JetLike>(Text(argv[0]), escape);
        sqlite3_result_int(ctx, matcher->Matches(ValueText(argv[1])) ? 1 : 0);
        sqlite3_set_auxdata(ctx, 0, matcher.release(),
                            [](void* p) { delete static_cast<JetLike*>(p); });
    });
}

// --- text ---------------------------------------------------------------------------------

void Concat(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    // '&' treats Null as an empty text; only Null & Null is Null.
    std::string out;
    bool any = false;
    for (int i = 0; i < argc; ++i) {
        if (IsNull(argv[i])) continue;
        any = true;
        out += ValueText(argv[i]);
    }
    if (any)
        ResultText(ctx, out);
    else
        sqlite3_result_null(ctx);
}

void Nz(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (!IsNull(argv[0]))
        sqlite3_result_value(ctx, argv[0]);
    else if (argc > 1)
        sqlite3_result_value(ctx, argv[1]);
    else
        sqlite3_result_text(ctx, "", 0, SQLITE_STATIC);
}

std::size_t CountArg(sqlite3_value* v, const char* fn) {
    auto n = Number(v);
    if (!n || *n < 0) InvalidCall(fn);
    return static_cast<std::size_t>(RoundHalfEven(*n, 0));
}

void Len(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (IsNull(argv[0])) return sqlite3_result_null(ctx);
    sqlite3_result_int64(ctx, static_cast<std::int64_t>(utf8::Length(ValueText(argv[0]))));
}

void Left(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (IsNull(argv[0])) return sqlite3_result_null(ctx);
    Guard(ctx,
          [&] { ResultText(ctx, utf8::Sub(ValueText(argv[0]), 0, CountArg(argv[1], "Left"))); });
}

void Right(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (IsNull(argv[0])) return sqlite3_result_null(ctx);
    Guard(ctx, [&] {
        std::string s = ValueText(argv[0]);
        std::size_t n = CountArg(argv[1], "Right"), len = utf8::Length(s);
        ResultText(ctx, n >= len ? s : utf8::Sub(s, len - n));
    });
}

void Mid(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (IsNull(argv[0])) return sqlite3_result_null(ctx);
    Guard(ctx, [&] {
        std::size_t start = CountArg(argv[1], "Mid");
        if (start < 1) InvalidCall("Mid");
        std::size_t count = argc > 2 ? CountArg(argv[2], "Mid") : std::string::npos;
        ResultText(ctx, utf8::Sub(ValueText(argv[0]), start - 1, count));
    });
}

void UCase(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (IsNull(argv[0])) return sqlite3_result_null(ctx);
    ResultText(ctx, utf8::Upper(ValueText(argv[0])));
}

void LCase(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (IsNull(argv[0])) return sqlite3_result_null(ctx);
    ResultText(ctx, utf8::Lower(ValueText(argv[0])));
}

// InStr([start,] text, sought): 1-based position, case-insensitive, 0 when not found.
void InStr(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    int first = argc == 3 ? 1 : 0;
    if (IsNull(argv[first]) || IsNull(argv[first + 1])) return sqlite3_result_null(ctx);
    Guard(ctx, [&] {
        std::size_t start = argc == 3 ? CountArg(argv[0], "InStr") : 1;
        if (start < 1) InvalidCall("InStr");
        std::u32string s = utf8::Decode(utf8::Lower(ValueText(argv[first])));
        std::u32string t = utf8::Decode(utf8::Lower(ValueText(argv[first + 1])));
        if (start > s.size() + 1) return sqlite3_result_int(ctx, 0);
        std::size_t at = s.find(t, start - 1);
        sqlite3_result_int64(ctx,
                             at == std::u32string::npos ? 0 : static_cast<std::int64_t>(at + 1));
    });
}

void CStr(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (IsNull(argv[0])) return sqlite3_result_null(ctx);
    ResultText(ctx, ValueText(argv[0]));
}

void Str(sqlite3_context* ctx, int, sqlite3_value** argv) {
    auto n = Number(argv[0]);
    if (!n) return sqlite3_result_null(ctx);
    ResultText(ctx, (*n >= 0 ? " " : "") + NumberText(*n));
}

// Val: the number at the start of a text, blanks ignored; 0 when there is none.
void Val(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (IsNull(argv[0])) return sqlite3_result_null(ctx);
    std::string digits;
    for (char c : ValueText(argv[0])) {
        if (c == ' ' || c == '\t') continue;
        bool ok = (c >= '0' && c <= '9') || ((c == '-' || c == '+') && digits.empty()) ||
                  (c == '.' && digits.find('.') == std::string::npos);
        if (!ok) break;
        digits += c;
    }
    double v = 0;
    if (!digits.empty() && digits != "-" && digits != "+" && digits != ".") {
        if (digits[0] == '+') digits.erase(0, 1);
        std::from_chars(digits.data(), digits.data() + digits.size(), v);
    }
    ResultNumber(ctx, v);
}

// Format(value, pattern): number patterns of '#', '0', ',' and '.' ("#,##0.00"), or the date
// letters of Date::Format ("dd.mm.yyyy", "hh:nn").
void Format(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (IsNull(argv[0])) return sqlite3_result_null(ctx);
    Guard(ctx, [&] {
        std::string pattern = argc > 1 ? std::string(Text(argv[1])) : std::string();
        if (pattern.empty()) return ResultText(ctx, ValueText(argv[0]));
        bool numeric = pattern.find_first_not_of("#0,.") == std::string::npos;
        if (numeric) {
            auto n = Number(argv[0]);
            if (!n) return ResultText(ctx, ValueText(argv[0]));
            std::size_t dot = pattern.find('.');
            int decimals =
                dot == std::string::npos ? 0 : static_cast<int>(pattern.size() - dot - 1);
            bool grouping = pattern.find(',') != std::string::npos;
            auto units = Currency::FromDouble(RoundHalfEven(*n, std::min(decimals, 4)));
            return ResultText(ctx, units.Format(std::min(decimals, 4), grouping));
        }
        auto d = DateArg(argv[0]);
        if (!d) return ResultText(ctx, ValueText(argv[0]));
        ResultText(ctx, d->Format(pattern));
    });
}

// --- numbers --------------------------------------------------------------------------------

template <double (*Op)(double)>
void Rounder(sqlite3_context* ctx, int, sqlite3_value** argv) {
    auto n = Number(argv[0]);
    if (!n) return sqlite3_result_null(ctx);
    ResultNumber(ctx, Op(*n));
}
double Floor(double v) { return std::floor(v); }
double Trunc(double v) { return std::trunc(v); }

void CLng(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (IsNull(argv[0])) return sqlite3_result_null(ctx);
    auto n = Number(argv[0]);
    if (!n) return sqlite3_result_error(ctx, "Type mismatch", -1);
    double r = RoundHalfEven(*n, 0);
    if (r < std::numeric_limits<std::int32_t>::min() ||
        r > std::numeric_limits<std::int32_t>::max())
        return sqlite3_result_error(ctx, "Overflow", -1);
    (void)argc;
    sqlite3_result_int64(ctx, static_cast<std::int64_t>(r));
}

void CCur(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (IsNull(argv[0])) return sqlite3_result_null(ctx);
    auto n = Number(argv[0]);
    if (!n) return sqlite3_result_error(ctx, "Type mismatch", -1);
    sqlite3_result_double(ctx, RoundHalfEven(*n, 4));
}

void CDbl(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (IsNull(argv[0])) return sqlite3_result_null(ctx);
    auto n = Number(argv[0]);
    if (!n) return sqlite3_result_error(ctx, "Type mismatch", -1);
    sqlite3_result_double(ctx, *n);
}

void CBool(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (IsNull(argv[0])) return sqlite3_result_null(ctx);
    auto n = Number(argv[0]);
    if (!n) return sqlite3_result_error(ctx, "Type mismatch", -1);
    sqlite3_result_int(ctx, *n != 0 ? 1 : 0);
}

void Round(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    auto n = Number(argv[0]);
    if (!n) return sqlite3_result_null(ctx);
    int decimals = argc > 1 ? sqlite3_value_int(argv[1]) : 0;
    if (decimals < 0 || decimals > 15)
        return sqlite3_result_error(ctx, "Invalid procedure call or argument", -1);
    double r = RoundHalfEven(*n, decimals);
    if (decimals == 0)
        ResultNumber(ctx, r);
    else
        sqlite3_result_double(ctx, r);
}

void Sgn(sqlite3_context* ctx, int, sqlite3_value** argv) {
    auto n = Number(argv[0]);
    if (!n) return sqlite3_result_null(ctx);
    sqlite3_result_int(ctx, *n > 0 ? 1 : (*n < 0 ? -1 : 0));
}

void IsNullFn(sqlite3_context* ctx, int, sqlite3_value** argv) {
    sqlite3_result_int(ctx, IsNull(argv[0]) ? 1 : 0);
}

// Mod and '\' round their operands to whole numbers first, as the dialect does.
template <bool Divide>
void IntegerOp(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (IsNull(argv[0]) || IsNull(argv[1])) return sqlite3_result_null(ctx);
    auto a = Number(argv[0]), b = Number(argv[1]);
    if (!a || !b) return sqlite3_result_error(ctx, "Type mismatch", -1);
    double x = RoundHalfEven(*a, 0), y = RoundHalfEven(*b, 0);
    if (std::fabs(x) > 9.0e18 || std::fabs(y) > 9.0e18)
        return sqlite3_result_error(ctx, "Overflow", -1);
    auto i = static_cast<std::int64_t>(x), j = static_cast<std::int64_t>(y);
    if (j == 0) return sqlite3_result_error(ctx, "Division by zero", -1);
    sqlite3_result_int64(ctx, Divide ? i / j : i % j);
}

// --- dates ----------------------------------------------------------------------------------

template <int (Date::*Part)() const>
void DatePart(sqlite3_context* ctx, int, sqlite3_value** argv) {
    auto d = DateArg(argv[0]);
    if (!d)
        return IsNull(argv[0]) ? sqlite3_result_null(ctx)
                               : sqlite3_result_error(ctx, "Type mismatch", -1);
    sqlite3_result_int(ctx, ((*d).*Part)());
}

// Weekday counts from Sunday = 1, as the dialect does by default.
void Weekday(sqlite3_context* ctx, int, sqlite3_value** argv) {
    auto d = DateArg(argv[0]);
    if (!d)
        return IsNull(argv[0]) ? sqlite3_result_null(ctx)
                               : sqlite3_result_error(ctx, "Type mismatch", -1);
    sqlite3_result_int(ctx, d->Weekday() % 7 + 1);
}

void Today(sqlite3_context* ctx, int, sqlite3_value**) {
    sqlite3_result_int64(ctx, Date::Today().DayNumber());
}

void Now(sqlite3_context* ctx, int, sqlite3_value**) {
    sqlite3_result_double(ctx, Date::Now().Serial());
}

// DateSerial lets month and day run over, as the dialect does: (2024, 13, 1) is 1.1.2025.
void DateSerial(sqlite3_context* ctx, int, sqlite3_value** argv) {
    auto y = Number(argv[0]), m = Number(argv[1]), d = Number(argv[2]);
    if (!y || !m || !d) return sqlite3_result_null(ctx);
    Guard(ctx, [&] {
        long months = static_cast<long>(*y) * 12 + static_cast<long>(*m) - 1;
        int year = static_cast<int>(months >= 0 ? months / 12 : (months - 11) / 12);
        int month = static_cast<int>(months - static_cast<long>(year) * 12) + 1;
        Date first = Date::FromYmd(year, month, 1);
        sqlite3_result_int64(ctx, first.AddDays(static_cast<long>(*d) - 1).DayNumber());
    });
}

struct Scalar {
    const char* name;
    int args;  // -1: any number
    void (*fn)(sqlite3_context*, int, sqlite3_value**);
    bool deterministic = true;
};

}  // namespace

void RegisterJetFunctions(sqlite3* db) {
    static const Scalar kScalars[] = {
        {"like", 2, Like},
        {"like", 3, Like},
        {"jet_concat", -1, Concat},
        {"jet_nz", 1, Nz},
        {"jet_nz", 2, Nz},
        {"jet_len", 1, Len},
        {"jet_left", 2, Left},
        {"jet_right", 2, Right},
        {"jet_mid", 2, Mid},
        {"jet_mid", 3, Mid},
        {"jet_ucase", 1, UCase},
        {"jet_lcase", 1, LCase},
        {"jet_instr", 2, InStr},
        {"jet_instr", 3, InStr},
        {"jet_cstr", 1, CStr},
        {"jet_str", 1, Str},
        {"jet_val", 1, Val},
        {"jet_format", 1, Format},
        {"jet_format", 2, Format},
        {"jet_int", 1, Rounder<Floor>},
        {"jet_fix", 1, Rounder<Trunc>},
        {"jet_cint", 1, CLng},
        {"jet_clng", 1, CLng},
        {"jet_ccur", 1, CCur},
        {"jet_cdbl", 1, CDbl},
        {"jet_cbool", 1, CBool},
        {"jet_round", 1, Round},
        {"jet_round", 2, Round},
        {"jet_sgn", 1, Sgn},
        {"jet_isnull", 1, IsNullFn},
        {"jet_mod", 2, IntegerOp<false>},
        {"jet_idiv", 2, IntegerOp<true>},
        {"jet_year", 1, DatePart<&Date::Year>},
        {"jet_month", 1, DatePart<&Date::Month>},
        {"jet_day", 1, DatePart<&Date::Day>},
        {"jet_hour", 1, DatePart<&Date::Hour>},
        {"jet_minute", 1, DatePart<&Date::Minute>},
        {"jet_second", 1, DatePart<&Date::Second>},
        {"jet_weekday", 1, Weekday},
        {"jet_dateserial", 3, DateSerial},
        {"jet_date", 0, Today, false},
        {"jet_now", 0, Now, false},
    };
    for (const auto& s : kScalars) {
        int flags = SQLITE_UTF8 | SQLITE_INNOCUOUS | (s.deterministic ? SQLITE_DETERMINISTIC : 0);
        if (sqlite3_create_function_v2(db, s.name, s.args, flags, nullptr, s.fn, nullptr, nullptr,
                                       nullptr) != SQLITE_OK)
            throw DbError(3000, std::string("Cannot register the function ") + s.name + ": " +
                                    sqlite3_errmsg(db));
    }
    JetAggregates::Register(db);
    JetTextCollation::Register(db);
}

}  // namespace tlx4r::db
