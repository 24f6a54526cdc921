#pragma once

#include <string>
#include <vector>

namespace tlx4r::db {

// The definition of one index of a table. Names are unique per table, as users see them; the
// engine keeps its own database-wide names out of sight.
class Index {
public:
    Index() = default;
    explicit Index(std::string name) : name_(std::move(name)) {}
    Index(std::string name, std::vector<std::string> fields, bool unique = false, bool primary = false)
        : name_(std::move(name)), fields_(std::move(fields)), unique_(unique || primary), primary_(primary) {}

    const std::string& Name() const { return name_; }
    // The indexed fields in order; a field name prefixed with "-" sorts descending.
    const std::vector<std::string>& Fields() const { return fields_; }
    Index& AddField(std::string field) {
        fields_.push_back(std::move(field));
        return *this;
    }
    bool Unique() const { return unique_; }
    Index& SetUnique(bool unique) {
        unique_ = unique || primary_;
        return *this;
    }
    // The primary index is unique; on a single Long field ID it is the table's row key.
    bool Primary() const { return primary_; }
    Index& SetPrimary(bool primary) {
        primary_ = primary;
        unique_ = unique_ || primary;
        return *this;
    }

private:
    std::string name_;
    std::vector<std::string> fields_;
    bool unique_ = false;
    bool primary_ = false;
};

}  // namespace tlx4r::db
