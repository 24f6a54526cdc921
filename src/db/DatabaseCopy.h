#pragma once

#include "db/Database.h"

#include <functional>
#include <string>
#include <vector>

namespace tlx4r::db {

// Copies everything of one database into a new, empty one, whatever the engines: tables with
// their fields, defaults, rules and indexes, every row, relations, stored queries and linked
// tables. This is how an office moves from files to a server or back.
class DatabaseCopy {
public:
    // What a table holds, to compare a copy with its original: the rows and the sum of every
    // amount field.
    struct TableTotals {
        std::string table;
        long long rows = 0;
        std::vector<std::pair<std::string, Currency>> sums;  // by amount field

        bool operator==(const TableTotals&) const = default;
    };
    // Where a linked table of the copy points to, given where the original's points to.
    using Relink = std::function<std::string(const std::string& path)>;
    // Rows copied so far, the rows of all tables; for progress.
    using Progress = std::function<void(long long done, long long total)>;

    // Copies source into target in one transaction of target: on any failure target holds
    // nothing of it (the caller removes the new database).
    static void Copy(Database& source, Database& target, const Relink& relink, const Progress& progress = {});
    // The totals of every table of the database (not of its linked tables), in table order.
    static std::vector<TableTotals> Totals(Database& db);
};

}  // namespace tlx4r::db
