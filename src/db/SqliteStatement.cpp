#include "SqliteStatement.h"

#include "db/DbError.h"
#include "db/FieldValue.h"
#include "db/SqliteEngine.h"
#include "db/SqliteError.h"

#include <sqlite3.h>

#include <cmath>
#include <limits>

namespace tlx4r::db {

SqliteStatement::SqliteStatement(sqlite3* connection, std::string_view sql, const std::string& file)
    : connection_(connection), sql_(sql), file_(file) {
    const char* tail = nullptr;
    int rc = sqlite3_prepare_v2(connection_, sql_.c_str(), static_cast<int>(sql_.size()), &stmt_, &tail);
    if (rc != SQLITE_OK) {
        // Whatever the code (SQLITE_SCHEMA included), a statement that did not prepare is an error.
        RaiseSqlite(connection_, rc, sql_, file_);
    }
    consumed_ = tail ? static_cast<std::size_t>(tail - sql_.c_str()) : sql_.size();
    if (!stmt_) throw DbError(3000, "The SQL statement is empty.\nStatement: " + sql_);
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(stmt_); }

void SqliteStatement::Bind(int index, const Value& value) { BindAs(index, value, SQLITE_TRANSIENT); }

// SQLite refers to the text; it reads it only when the statement runs.
void SqliteStatement::BindBorrowed(int index, const Value& value) { BindAs(index, value, SQLITE_STATIC); }

void SqliteStatement::BindBorrowed(const std::vector<Value>& values, const std::vector<std::size_t>& which) {
    for (std::size_t n = 0; n < which.size(); ++n) BindAs(static_cast<int>(n + 1), values[which[n]], SQLITE_STATIC);
}

void SqliteStatement::BindAs(int index, const Value& value, void (*destructor)(void*)) {
    int rc = SQLITE_OK;
    switch (value.kind()) {
        case Value::Kind::Null:
            rc = sqlite3_bind_null(stmt_, index);
            break;
        case Value::Kind::Boolean:
            rc = sqlite3_bind_int(stmt_, index, value.ToBool() ? 1 : 0);
            break;
        case Value::Kind::Long:
            rc = sqlite3_bind_int(stmt_, index, value.ToLong());
            break;
        case Value::Kind::Double:
            rc = sqlite3_bind_double(stmt_, index, value.ToDouble());
            break;
        case Value::Kind::Currency:
            // the nearest double to the amount's four decimals: reading it back rounds to the same
            rc = sqlite3_bind_double(stmt_, index, value.ToCurrency().ToDouble());
            break;
        case Value::Kind::Date: {
            double serial = value.ToDate().Serial();
            rc = serial == 0 ? sqlite3_bind_null(stmt_, index) : sqlite3_bind_double(stmt_, index, serial);
            break;
        }
        case Value::Kind::Text: {
            const std::string& text = *value.HeldText();
            rc = sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), destructor);
            break;
        }
    }
    if (rc != SQLITE_OK) CheckSqlite(connection_, rc, sql_, file_);  // a row binds 40 values: no call for each
}

bool SqliteStatement::Step() {
    // before the step: a write that fails half-way may still have changed rows
    for (long long* counter : counters_) ++*counter;
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    rc = sqlite3_reset(stmt_);
    RaiseSqlite(connection_, rc, sql_, file_);
}

void SqliteStatement::Reset() noexcept {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

// SQLite reads a binding only when the statement runs (sqlite3_reset and sqlite3_finalize leave
// them unread).
void SqliteStatement::ResetKeepingBindings() noexcept { sqlite3_reset(stmt_); }

int SqliteStatement::ColumnCount() const { return sqlite3_column_count(stmt_); }

ColumnMeta SqliteStatement::Column(int index) const {
    auto text = [](const char* s) { return s ? std::string(s) : std::string(); };
    ColumnMeta meta;
    meta.name = text(sqlite3_column_name(stmt_, index));
    meta.declared_type = text(sqlite3_column_decltype(stmt_, index));
    meta.origin_schema = text(sqlite3_column_database_name(stmt_, index));
    meta.origin_table = text(sqlite3_column_table_name(stmt_, index));
    meta.origin_column = text(sqlite3_column_origin_name(stmt_, index));
    meta.typed = !meta.declared_type.empty();
    meta.field = meta.typed ? SqliteEngine::FieldFromDeclared(meta.name, meta.declared_type)
                            : Field(meta.name, FieldType::Double);
    return meta;
}

Value SqliteStatement::Get(int index) const {
    switch (sqlite3_column_type(stmt_, index)) {
        case SQLITE_INTEGER: {
            auto n = sqlite3_column_int64(stmt_, index);
            if (n >= std::numeric_limits<std::int32_t>::min() && n <= std::numeric_limits<std::int32_t>::max()) {
                return Value(static_cast<std::int32_t>(n));
            }
            return Value(static_cast<double>(n));
        }
        case SQLITE_FLOAT:
            return Value(sqlite3_column_double(stmt_, index));
        case SQLITE_TEXT: {
            auto p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, index));
            return Value(std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, index))));
        }
        case SQLITE_BLOB: {
            auto p = static_cast<const char*>(sqlite3_column_blob(stmt_, index));
            return Value(std::string(p ? p : "", static_cast<std::size_t>(sqlite3_column_bytes(stmt_, index))));
        }
        default:
            return Value();
    }
}

std::int64_t SqliteStatement::GetInt64(int index) const { return sqlite3_column_int64(stmt_, index); }

bool SqliteStatement::IsNull(int index) const { return sqlite3_column_type(stmt_, index) == SQLITE_NULL; }

[[gnu::always_inline]] inline EngineStatement::Cell SqliteStatement::CellAt(int index) const {
    // One look-up of the column, then its value read in place: every sqlite3_column_… call
    // finds the column again and settles the connection's error state. The value is
    // "unprotected" (no mutex held), which is safe here: the connection is opened without one.
    sqlite3_value* value = sqlite3_column_value(stmt_, index);
    Cell cell;
    switch (sqlite3_value_type(value)) {
        case SQLITE_INTEGER:
            cell.stored = Stored::Integer;
            cell.integer = sqlite3_value_int64(value);
            break;
        case SQLITE_FLOAT:
            cell.stored = Stored::Real;
            cell.real = sqlite3_value_double(value);
            break;
        case SQLITE_TEXT:
        case SQLITE_BLOB: {
            // the bytes first, then their length: the order SQLite asks for (a blob's bytes as they are)
            const unsigned char* bytes = sqlite3_value_text(value);
            cell.stored = Stored::Text;
            if (bytes) cell.text = {reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(sqlite3_value_bytes(value))};
            break;
        }
        default:
            break;
    }
    return cell;
}

void SqliteStatement::ReadField(int index, const Field& field, bool typed, Value& out) const {
    FieldValue::ReadCell(field, typed, CellAt(index), out);
}

}  // namespace tlx4r::db
