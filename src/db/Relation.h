#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tlx4r::db {

// A relation between a primary table and a foreign (child) table, with the old engine's
// attribute bits. A relation without kDontEnforce is enforced: a child row must refer to an
// existing parent row, or carry Null or 0 in the foreign key (0 is the component's "none").
class Relation {
public:
    static constexpr long kDontEnforce = 2;
    static constexpr long kUpdateCascade = 256;
    static constexpr long kDeleteCascade = 4096;

    Relation() = default;
    Relation(std::string name, std::string table, std::string foreign_table, long attributes = 0)
        : name_(std::move(name)), table_(std::move(table)), foreign_table_(std::move(foreign_table)),
          attributes_(attributes) {}

    const std::string& Name() const { return name_; }
    const std::string& Table() const { return table_; }
    const std::string& ForeignTable() const { return foreign_table_; }
    long Attributes() const { return attributes_; }
    Relation& SetAttributes(long attributes) {
        attributes_ = attributes;
        return *this;
    }
    bool Enforced() const { return (attributes_ & kDontEnforce) == 0; }
    // Pairs (field of the primary table, field of the foreign table).
    const std::vector<std::pair<std::string, std::string>>& Fields() const { return fields_; }
    Relation& AddField(std::string field, std::string foreign_field) {
        fields_.emplace_back(std::move(field), std::move(foreign_field));
        return *this;
    }

private:
    std::string name_;
    std::string table_;
    std::string foreign_table_;
    long attributes_ = 0;
    std::vector<std::pair<std::string, std::string>> fields_;
};

}  // namespace tlx4r::db
