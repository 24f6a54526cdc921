#include "db/JetAggregates.h"

#include "db/DbError.h"

#include <sqlite3.h>

#include <cmath>
#include <cstdint>
#include <string>

namespace tlx4r::db {

namespace {

// SQLite hands out aggregate state zero-filled, without constructing it: every member's
// starting value must be zero.
struct SumState {
    std::int64_t count;  // values that were not Null
    bool not_integer;    // a value was no INTEGER
    bool inexact;        // a value had more than four decimals, or the units overflowed
    bool integer_overflow;
    std::int64_t integer_sum;
    std::int64_t units;  // 1/10000
    double real;
};

// The value in 1/10000 units when it has at most four decimals.
bool ToUnits(double v, std::int64_t& units) {
    if (!std::isfinite(v) || std::fabs(v) >= 9.0e14) return false;
    double scaled = std::nearbyint(v * 10000.0);
    if (static_cast<double>(static_cast<std::int64_t>(scaled)) / 10000.0 != v) return false;
    units = static_cast<std::int64_t>(scaled);
    return true;
}

void SumAdd(sqlite3_context* ctx, sqlite3_value* arg, int sign) {
    auto* s = static_cast<SumState*>(sqlite3_aggregate_context(ctx, sizeof(SumState)));
    if (!s) {
        sqlite3_result_error_nomem(ctx);
        return;
    }
    int type = sqlite3_value_numeric_type(arg);
    if (type == SQLITE_NULL) return;
    s->count += sign;
    if (type == SQLITE_INTEGER) {
        std::int64_t v = sqlite3_value_int64(arg);
        if (sign < 0) v = -v;
        s->real += static_cast<double>(v);
        if (!s->not_integer && __builtin_add_overflow(s->integer_sum, v, &s->integer_sum))
            s->integer_overflow = true;
        std::int64_t u = 0;
        if (!s->inexact && (__builtin_mul_overflow(v, std::int64_t{10000}, &u) ||
                            __builtin_add_overflow(s->units, u, &s->units)))
            s->inexact = true;
        return;
    }
    double v = sqlite3_value_double(arg) * sign;
    s->not_integer = true;
    s->real += v;
    std::int64_t u = 0;
    if (!s->inexact && (!ToUnits(v, u) || __builtin_add_overflow(s->units, u, &s->units)))
        s->inexact = true;
}

void SumStep(sqlite3_context* ctx, int, sqlite3_value** argv) { SumAdd(ctx, argv[0], 1); }
void SumInverse(sqlite3_context* ctx, int, sqlite3_value** argv) { SumAdd(ctx, argv[0], -1); }

void SumResult(sqlite3_context* ctx) {
    auto* s = static_cast<SumState*>(sqlite3_aggregate_context(ctx, 0));
    if (!s || s->count == 0) {
        sqlite3_result_null(ctx);
    } else if (!s->not_integer) {
        if (s->integer_overflow)
            sqlite3_result_error(ctx, "integer overflow", -1);
        else
            sqlite3_result_int64(ctx, s->integer_sum);
    } else if (!s->inexact) {
        sqlite3_result_double(ctx, static_cast<double>(s->units) / 10000.0);
    } else {
        sqlite3_result_double(ctx, s->real);
    }
}

struct PickState {  // zero-filled by SQLite, like SumState
    sqlite3_value* value;
    bool seen;
};

template <bool Last>
void PickStep(sqlite3_context* ctx, int, sqlite3_value** argv) {
    auto* s = static_cast<PickState*>(sqlite3_aggregate_context(ctx, sizeof(PickState)));
    if (!s) {
        sqlite3_result_error_nomem(ctx);
        return;
    }
    if (s->seen && !Last) return;
    sqlite3_value* copy = sqlite3_value_dup(argv[0]);
    if (!copy) {
        sqlite3_result_error_nomem(ctx);
        return;
    }
    sqlite3_value_free(s->value);
    s->value = copy;
    s->seen = true;
}

void PickFinal(sqlite3_context* ctx) {
    auto* s = static_cast<PickState*>(sqlite3_aggregate_context(ctx, 0));
    if (!s || !s->value) {
        sqlite3_result_null(ctx);
        return;
    }
    sqlite3_result_value(ctx, s->value);
    sqlite3_value_free(s->value);
    s->value = nullptr;
}

void Check(sqlite3* db, int rc, const char* name) {
    if (rc != SQLITE_OK)
        throw DbError(
            3000, std::string("Cannot register the function ") + name + ": " + sqlite3_errmsg(db));
}

}  // namespace

void JetAggregates::Register(sqlite3* db) {
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    Check(db,
          sqlite3_create_window_function(db, "sum", 1, flags, nullptr, SumStep, SumResult,
                                         SumResult, SumInverse, nullptr),
          "sum");
    Check(db,
          sqlite3_create_function_v2(db, "jet_first", 1, flags, nullptr, nullptr, PickStep<false>,
                                     PickFinal, nullptr),
          "jet_first");
    Check(db,
          sqlite3_create_function_v2(db, "jet_last", 1, flags, nullptr, nullptr, PickStep<true>,
                                     PickFinal, nullptr),
          "jet_last");
}

}  // namespace tlx4r::db
