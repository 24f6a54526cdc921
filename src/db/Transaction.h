#pragma once

namespace tlx4r::db {

class Database;

// A transaction that rolls back unless committed: long loops run inside one, so that a failure
// half-way leaves the file as it was. The destructor never throws.
class Transaction {
public:
    explicit Transaction(Database& database);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void Commit();
    void Rollback();

private:
    Database& database_;
    bool open_ = true;
};

}  // namespace tlx4r::db
