#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tlx4r::db {
class Database;
}

namespace tlx4r {

// Tables of the finance database made visible inside the reporting database as linked tables,
// so that the reporting database's SQL can join them. The links live as long as this object:
// it removes them when it goes, and when it is created it starts without any.
class FibuTables {
public:
    static constexpr std::size_t kMaxLinks = 100;
    static constexpr const char* kNamePrefix = "_temp_fibutables_";

    // finance_path gives the open finance database's file ("" when none is open). The database
    // must outlive this object.
    FibuTables(db::Database& db, std::function<std::string()> finance_path);
    ~FibuTables();
    FibuTables(const FibuTables&) = delete;
    FibuTables& operator=(const FibuTables&) = delete;

    // The local name of the link to the finance database's table fibu_name, created on the
    // first request. Throws AppError when no finance database is open or all links are used,
    // and the database's error when the link cannot be made.
    std::string Item(const std::string& fibu_name);
    std::size_t Count() const { return links_.size(); }
    // Removes every link made here; never fails.
    void Clear() noexcept;

private:
    db::Database& db_;
    std::function<std::string()> finance_path_;
    std::vector<std::pair<std::string, std::string>> links_;  // finance table, local name
};

}  // namespace tlx4r
