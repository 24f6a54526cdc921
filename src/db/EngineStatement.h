#pragma once

#include "db/Field.h"
#include "db/Value.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tlx4r::db {

// Where a result column comes from; origin_table is empty for a computed column.
struct ColumnMeta {
    std::string name;           // the result name
    std::string declared_type;  // the origin column's declared type, "" when computed
    std::string origin_schema;
    std::string origin_table;
    std::string origin_column;
    // The field the column shows, typed from the origin's declared type; typed is false for a
    // computed column, whose values keep the kind they come with.
    Field field;
    bool typed = false;
};

// One prepared native statement of an engine. It stays prepared for reuse: Reset clears the
// bindings and makes it ready to run again. Any failure throws DbError naming the statement.
class EngineStatement {
public:
    virtual ~EngineStatement() = default;

    virtual const std::string& Sql() const = 0;
    // Binds parameter index (1-based). A Currency is stored as its amount with four decimals,
    // a Date 0 as Null, a Boolean as 0/1.
    virtual void Bind(int index, const Value& value) = 0;
    // The same for a value that stays unchanged, where it is, until the statement's next Reset
    // (or ResetKeepingBindings): an engine may then refer to a text instead of copying it.
    virtual void BindBorrowed(int index, const Value& value) { Bind(index, value); }
    // values[which[n]] to parameter n + 1 for every n, each as BindBorrowed binds it.
    virtual void BindBorrowed(const std::vector<Value>& values, const std::vector<std::size_t>& which) {
        for (std::size_t n = 0; n < which.size(); ++n) BindBorrowed(static_cast<int>(n + 1), values[which[n]]);
    }
    // True iff a row is ready to read; false when the statement has run to its end.
    virtual bool Step() = 0;
    virtual void Reset() noexcept = 0;
    // Reset for a statement whose every parameter is bound again before its next Step: the
    // bindings may stay (values bound with BindBorrowed are then referred to but never read).
    virtual void ResetKeepingBindings() noexcept { Reset(); }
    // The caller walks the rows of every run once, forward, and does not need them all at once:
    // an engine may fetch them in portions. Before the first Step.
    virtual void Stream() {}

    virtual int ColumnCount() const = 0;
    virtual ColumnMeta Column(int index) const = 0;
    // The stored value of column index (0-based) of the current row: Null, Long (Double past
    // 32 bits), Double or Text. The field's type turns it into the component's value.
    virtual Value Get(int index) const = 0;
    virtual std::int64_t GetInt64(int index) const = 0;
    virtual bool IsNull(int index) const = 0;
    // A column as an engine reads it for ReadField, without a value in between: its storage
    // class and, as that says, its number or its text (valid until the statement moves).
    enum class Stored { Null, Integer, Real, Text };
    struct Cell {
        Stored stored = Stored::Null;
        std::int64_t integer = 0;
        double real = 0;
        std::string_view text;
    };
    // Column index of the current row as field's type into out, reusing out's room: the engine
    // reads the column as a Cell and hands it to FieldValue::ReadCell. Every value a walk reads
    // comes through here, so this is the one virtual call per value.
    virtual void ReadField(int index, const Field& field, bool typed, Value& out) const = 0;
};

// A statement on loan from an engine's cache. The loan resets it when it ends, so that no
// statement left half-read keeps a lock on the file (which would stop other programs from
// writing and the file from being compacted).
class StatementLease {
public:
    explicit StatementLease(EngineStatement& statement) : statement_(&statement) {}
    ~StatementLease() {
        if (statement_) statement_->Reset();
    }
    StatementLease(StatementLease&& other) noexcept : statement_(std::exchange(other.statement_, nullptr)) {}
    StatementLease(const StatementLease&) = delete;
    StatementLease& operator=(const StatementLease&) = delete;
    StatementLease& operator=(StatementLease&&) = delete;

    void Bind(int index, const Value& value) { statement_->Bind(index, value); }
    bool Step() { return statement_->Step(); }
    Value Get(int index) const { return statement_->Get(index); }
    std::int64_t GetInt64(int index) const { return statement_->GetInt64(index); }
    bool IsNull(int index) const { return statement_->IsNull(index); }
    int ColumnCount() const { return statement_->ColumnCount(); }

private:
    EngineStatement* statement_;
};

}  // namespace tlx4r::db
