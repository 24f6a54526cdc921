#pragma once

#include "db/Field.h"
#include "db/Index.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tlx4r::db {

class Engine;

// The definition of a table: its fields and indexes. A new TableDef collects fields and
// indexes until TableDefs::Append creates the table. A TableDef taken from a database's
// TableDefs is bound to it: AppendField and AppendIndex change the database at once (adding a
// field keeps every row; existing rows get the field's default or Null).
//
// A linked table (Connect ";DATABASE=path", SourceTableName) shows a table of another
// database file under this name.
class TableDef {
public:
    explicit TableDef(std::string name);

    const std::string& Name() const { return name_; }
    const std::vector<Field>& Fields() const { return fields_; }
    const std::vector<Index>& Indexes() const { return indexes_; }
    // The field or index of that name (case-insensitive); nullptr when there is none.
    const Field* FindField(std::string_view name) const;
    const Index* FindIndex(std::string_view name) const;

    // Throws DbError 3191 when a field of that name exists.
    void AppendField(const Field& field);
    // Throws DbError 3284 when an index of that name exists.
    void AppendIndex(const Index& index);
    void DeleteIndex(std::string_view name);

    const std::string& Connect() const { return connect_; }
    const std::string& SourceTableName() const { return source_table_; }
    // connect is ";DATABASE=" + path.
    void SetLink(std::string connect, std::string source_table);
    bool IsLinked() const { return !connect_.empty(); }
    // The path in Connect; "" when not linked.
    std::string LinkedPath() const;

    // The number of rows (bound definitions only).
    long long RecordCount() const;

private:
    friend class TableDefs;
    TableDef(std::string name, std::shared_ptr<Engine> engine);

    std::string name_;
    std::vector<Field> fields_;
    std::vector<Index> indexes_;
    std::string connect_;
    std::string source_table_;
    std::shared_ptr<Engine> engine_;  // set once the table exists
};

}  // namespace tlx4r::db
