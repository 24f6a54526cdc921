#pragma once

struct sqlite3;

namespace tlx4r::db {

// The aggregates of the dialect on one connection:
// - sum(), replacing SQLite's: exact for amounts. While every value has at most four decimals
//   it adds in units of 1/10000, so 1,000 × 0.10 gives 100 and not 99.99999999999859; the
//   result is the REAL nearest to that exact decimal (an INTEGER when every value was one).
//   Any other value makes it add as SQLite does. Also usable as a window function.
// - jet_first(x), jet_last(x): the value of the first (last) row the aggregate sees, Null
//   included, as the dialect's First() and Last().
class JetAggregates {
public:
    static void Register(sqlite3* connection);
};

}  // namespace tlx4r::db
