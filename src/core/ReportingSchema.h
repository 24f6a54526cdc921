#pragma once

#include "db/Field.h"

#include <string>
#include <vector>

// The reporting database's schema as data: every table with its fields, the relations between
// the tables and the stored queries. The asserts (modAssert) walk these declarations on every
// open, so that a file of an older release gains what is new here and nothing else changes.
namespace tlx4r::schema {

enum class IndexKind { None, Indexed, Unique };

struct FieldDecl {
    std::string name;
    db::FieldType type;
    int size = 0;                 // characters, Text only
    std::string default_value;    // in the dialect's form ("0", "False", "1"); "" for none
    IndexKind index = IndexKind::None;  // an index named like the field
};

// An index over several fields, in their order.
struct IndexDecl {
    std::string name;
    std::vector<std::string> fields;
};

// A table: its key ID (Long, > 0, assigned by the program) is implied and comes first.
struct TableDecl {
    std::string name;
    std::vector<FieldDecl> fields;
    std::vector<IndexDecl> indexes = {};  // besides those of single fields
};

struct RelationDecl {
    std::string table;  // primary
    std::string field;
    std::string foreign_table;
    std::string foreign_field;
    bool enforced;  // enforced relations cascade updates and deletes

    // "Reporting_" + table + "-" + field + "_" + foreign table + "-" + foreign field.
    std::string Name() const;
    // The old engine's attribute bits for this relation.
    long Attributes() const;
};

struct QueryDecl {
    std::string name;
    std::string sql;
};

// Every relation name of the component starts with this.
inline constexpr const char* kRelationPrefix = "Reporting_";
// The highest category number of the tariff catalogues.
inline constexpr int kTypeIdMax = 37;

const TableDecl& EntryTable();
const TableDecl& ProjectTable();
const TableDecl& ClientTable();
// A lookup table named flavor, whose fields all begin with it: the charge fields with
// charges_and_expenses, otherwise the rate, and the short name only with name_short and without
// the charge fields.
TableDecl DataTable(const std::string& flavor, bool charges_and_expenses, bool name_short);
// TypeCharges or TypeExpenses.
TableDecl TypeTable(const std::string& name);
const TableDecl& DBSettingsTable();
// The VAT rates by the day they apply from (ValidFrom, one rate a day) in percent (RatePercent).
const TableDecl& VatRateTable();

// The eleven tables in the order they are asserted on open.
std::vector<TableDecl> AllTables();
// The seven relations, asserted after all tables.
const std::vector<RelationDecl>& Relations();

// The stored queries: "vEntry" and "vEntryFull" of the entries, "vProjectFull" of the projects.
const QueryDecl& EntryQuery();
const QueryDecl& EntryFullQuery();
const QueryDecl& ProjectFullQuery();

}  // namespace tlx4r::schema
