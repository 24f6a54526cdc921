#include "Transaction.h"

#include "db/Database.h"

namespace tlx4r::db {

Transaction::Transaction(Database& database) : database_(database) { database_.BeginTrans(); }

Transaction::~Transaction() {
    if (!open_) return;
    try {
        if (database_.IsOpen()) database_.Rollback();
    } catch (...) {
        // the connection rolls back by itself when it closes
    }
}

void Transaction::Commit() {
    if (!open_) return;
    database_.CommitTrans();
    open_ = false;
}

void Transaction::Rollback() {
    if (!open_) return;
    open_ = false;
    database_.Rollback();
}

}  // namespace tlx4r::db
