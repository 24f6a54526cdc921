#pragma once

#include <string>

namespace tlx4r::db {

// A stored query: its name and its SQL in the component's dialect, exactly as it was saved.
class QueryDef {
public:
    QueryDef() = default;
    QueryDef(std::string name, std::string sql) : name_(std::move(name)), sql_(std::move(sql)) {}

    const std::string& Name() const { return name_; }
    const std::string& SQL() const { return sql_; }

private:
    std::string name_;
    std::string sql_;
};

}  // namespace tlx4r::db
