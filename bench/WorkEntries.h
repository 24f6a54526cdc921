#pragma once

namespace tlx4r::db {
class Database;
}

namespace tlx4r::bench {

// Working-time entries of ten persons on fifty projects over two years, as a list or a report
// shows them: rows entries with IDs 1 to rows, in one transaction.
void FillWorkEntries(db::Database& db, int rows);

}  // namespace tlx4r::bench
