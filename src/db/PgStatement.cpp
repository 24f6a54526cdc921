#include "PgStatement.h"

#include "db/DbError.h"
#include "db/FieldValue.h"
#include "db/PgEngine.h"
#include "db/PgError.h"
#include "db/SqliteEngine.h"
#include "types/Utf8.h"

#include <libpq-fe.h>

#include <array>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <limits>

namespace tlx4r::db {

namespace {

// The server's type numbers of the values read (domains arrive as their base type).
constexpr unsigned kBool = 16, kInt8 = 20, kInt2 = 21, kInt4 = 23, kOid = 26, kFloat4 = 700, kFloat8 = 701,
                   kNumeric = 1700;

std::string FirstWord(std::string_view sql) {
    std::size_t i = 0;
    while (i < sql.size() && (std::isspace(static_cast<unsigned char>(sql[i])) || sql[i] == '(')) ++i;
    std::size_t j = i;
    while (j < sql.size() && std::isalpha(static_cast<unsigned char>(sql[j]))) ++j;
    return utf8::Upper(sql.substr(i, j - i));
}

// The table an "INSERT INTO name" writes, as written (quotes removed); "" when it is not one.
std::string InsertTarget(std::string_view sql) {
    std::size_t i = sql.find_first_not_of(" \t\r\n");
    if (i == std::string_view::npos || utf8::Upper(sql.substr(i, 6)) != "INSERT") return {};
    i = sql.find_first_not_of(" \t\r\n", i + 6);
    if (i == std::string_view::npos || utf8::Upper(sql.substr(i, 4)) != "INTO") return {};
    i = sql.find_first_not_of(" \t\r\n", i + 4);
    if (i == std::string_view::npos) return {};
    std::string name;
    while (i < sql.size()) {
        if (sql[i] == '"') {
            for (++i; i < sql.size(); ++i) {
                if (sql[i] == '"' && i + 1 < sql.size() && sql[i + 1] == '"') {
                    name += '"';
                    ++i;
                } else if (sql[i] == '"') {
                    ++i;
                    break;
                } else {
                    name += sql[i];
                }
            }
        } else {
            while (i < sql.size() && (std::isalnum(static_cast<unsigned char>(sql[i])) || sql[i] == '_' ||
                                      static_cast<unsigned char>(sql[i]) >= 0x80)) {
                name += sql[i++];
            }
        }
        if (i < sql.size() && sql[i] == '.') {
            name += '.';
            ++i;
            continue;
        }
        break;
    }
    return name;
}

std::string ValueText(const Value& value) {
    switch (value.kind()) {
        case Value::Kind::Null:
            return {};
        case Value::Kind::Boolean:
            return value.ToBool() ? "1" : "0";
        case Value::Kind::Long:
            return std::to_string(value.ToLong());
        case Value::Kind::Double: {
            std::array<char, 64> buf{};
            auto r = std::to_chars(buf.data(), buf.data() + buf.size(), value.ToDouble());
            return std::string(buf.data(), r.ptr);
        }
        case Value::Kind::Currency: {
            // exact: the amount's four decimals as the numeric the column holds
            std::array<char, 64> buf{};
            auto r = std::to_chars(buf.data(), buf.data() + buf.size(), value.ToCurrency().ToDouble(),
                                   std::chars_format::fixed, 4);
            return std::string(buf.data(), r.ptr);
        }
        case Value::Kind::Date: {
            std::array<char, 64> buf{};
            auto r = std::to_chars(buf.data(), buf.data() + buf.size(), value.ToDate().Serial());
            return std::string(buf.data(), r.ptr);
        }
        case Value::Kind::Text:
            return *value.HeldText();
    }
    return {};
}

}  // namespace

std::string PgStatement::NativeParameters(std::string_view sql, int& count) {
    std::string out;
    out.reserve(sql.size() + 8);
    count = 0;
    int next = 0;
    for (std::size_t i = 0; i < sql.size(); ++i) {
        const char c = sql[i];
        if (c == '\'' || c == '"') {
            // a literal or a quoted name runs to its closing quote (doubled quotes inside)
            std::size_t j = i + 1;
            while (j < sql.size() && !(sql[j] == c && (j + 1 >= sql.size() || sql[j + 1] != c))) j += sql[j] == c ? 2 : 1;
            out.append(sql.substr(i, j + 1 - i));
            i = j;
        } else if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
            const auto end = sql.find('\n', i);
            out.append(sql.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i));
            i = end == std::string_view::npos ? sql.size() : end - 1;
        } else if (c == '?') {
            std::size_t j = i + 1;
            int number = 0;
            while (j < sql.size() && std::isdigit(static_cast<unsigned char>(sql[j]))) number = number * 10 + (sql[j++] - '0');
            if (j == i + 1) number = ++next;
            count = std::max(count, number);
            out += "$" + std::to_string(number);
            i = j - 1;
        } else {
            out += c;
        }
    }
    return out;
}

PgStatement::PgStatement(PgEngine& engine, std::string_view sql) : engine_(engine), sql_(sql) {
    native_ = NativeParameters(sql, parameter_count_);
    while (!native_.empty() && (native_.back() == ';' || std::isspace(static_cast<unsigned char>(native_.back())))) {
        native_.pop_back();
    }
    if (native_.find_first_not_of(" \t\r\n") == std::string::npos) {
        throw DbError(3000, "The SQL statement is empty.\nStatement: " + sql_);
    }
    const std::string verb = FirstWord(native_);
    writes_ = verb != "SELECT" && verb != "WITH" && verb != "VALUES" && verb != "SHOW";
    if (verb == "INSERT" && utf8::Upper(native_).find("RETURNING") == std::string::npos) {
        const std::string target = InsertTarget(native_);
        if (auto* table = target.empty() ? nullptr : engine_.Table(target)) {
            std::string key = "rowid";
            for (const auto& c : table->columns)
                if (c.row_key) key = utf8::Lower(c.field.Name());
            native_ += " RETURNING " + engine_.Quote(key);
            returns_key_ = true;
        }
    }
    pg_conn* conn = engine_.Conn();
    name_ = engine_.NextStatementName();
    PGresult* prepared = PQprepare(conn, name_.c_str(), native_.c_str(), parameter_count_, nullptr);
    if (PQresultStatus(prepared) != PGRES_COMMAND_OK) {
        RaisePgAndClear(prepared, conn, sql_, engine_.Path());
    }
    PQclear(prepared);
    description_ = PQdescribePrepared(conn, name_.c_str());
    parameters_.resize(static_cast<std::size_t>(parameter_count_));
}

PgStatement::~PgStatement() {
    CloseCursor();
    PQclear(result_);
    PQclear(description_);
    if (engine_.IsOpen()) {
        PQclear(PQexec(engine_.Conn(), ("DEALLOCATE " + name_).c_str()));
        if (!declare_.empty()) PQclear(PQexec(engine_.Conn(), ("DEALLOCATE " + declare_).c_str()));
    }
}

void PgStatement::Stream() {
    // Only a statement that returns rows has a cursor; a write runs as it is.
    if (writes_ || returns_key_ || stream_) return;
    stream_ = true;
    cursor_ = name_ + "_rows";
    declare_ = engine_.NextStatementName();
    // WITH HOLD: the cursor outlives the transaction it was opened in (outside a transaction the
    // statement's own), the server keeping the rows not yet fetched.
    const std::string declare = "DECLARE " + cursor_ + " NO SCROLL CURSOR WITH HOLD FOR " + native_;
    PGresult* prepared = PQprepare(engine_.Conn(), declare_.c_str(), declare.c_str(), parameter_count_, nullptr);
    const bool ok = PQresultStatus(prepared) == PGRES_COMMAND_OK;
    if (!ok) {
        declare_.clear();
        stream_ = false;
        RaisePgAndClear(prepared, engine_.Conn(), sql_, engine_.Path());
    }
    PQclear(prepared);
}

bool PgStatement::Fetch() {
    PQclear(result_);
    result_ = nullptr;
    row_ = -1;
    if (cursor_done_) return false;
    // A portion big enough that the round trips do not count, small enough to stay small.
    constexpr int kPortion = 1000;
    result_ = engine_.Query("FETCH FORWARD " + std::to_string(kPortion) + " FROM " + cursor_, sql_);
    if (PQntuples(result_) < kPortion) cursor_done_ = true;
    return PQntuples(result_) > 0;
}

void PgStatement::CloseCursor() noexcept {
    if (!cursor_open_) return;
    cursor_open_ = false;
    if (engine_.IsOpen()) PQclear(PQexec(engine_.Conn(), ("CLOSE " + cursor_).c_str()));
}

void PgStatement::Bind(int index, const Value& value) {
    if (index < 1 || index > parameter_count_) {
        throw DbError(3000, "The statement has no parameter " + std::to_string(index) + ".\nStatement: " + sql_);
    }
    auto& slot = parameters_[static_cast<std::size_t>(index - 1)];
    // a date 0 is "no date", stored as Null as on the file engine
    if (value.IsNull() || (value.kind() == Value::Kind::Date && value.ToDate().Serial() == 0)) {
        slot.reset();
    } else {
        slot = ValueText(value);
    }
}

bool PgStatement::Step() {
    if (stream_) {
        if (!ran_) {
            ran_ = true;
            cursor_done_ = false;
            PQclear(engine_.RunPrepared(declare_, parameters_, sql_, false));
            cursor_open_ = true;
            if (!Fetch()) return false;
        }
        if (!result_) return false;
        if (row_ + 1 >= PQntuples(result_) && !Fetch()) return false;
        ++row_;
        return true;
    }
    if (!ran_) {
        PQclear(result_);
        result_ = nullptr;
        result_ = engine_.RunPrepared(name_, parameters_, sql_, writes_);
        ran_ = true;
        row_ = -1;
        if (returns_key_) {
            const int rows = PQntuples(result_);
            if (rows > 0) engine_.last_insert_id_ = std::strtoll(PQgetvalue(result_, rows - 1, 0), nullptr, 10);
            engine_.changes_ = rows;
            engine_.total_changes_ += rows;
            return false;
        }
        if (PQresultStatus(result_) == PGRES_COMMAND_OK) {
            const char* tuples = PQcmdTuples(result_);
            engine_.changes_ = *tuples ? std::strtoll(tuples, nullptr, 10) : 0;
            engine_.total_changes_ += engine_.changes_;
            return false;
        }
    }
    if (!result_ || PQresultStatus(result_) != PGRES_TUPLES_OK) return false;
    if (row_ + 1 >= PQntuples(result_)) {
        row_ = PQntuples(result_);
        return false;
    }
    ++row_;
    return true;
}

void PgStatement::Reset() noexcept {
    CloseCursor();
    PQclear(result_);
    result_ = nullptr;
    ran_ = false;
    row_ = -1;
    for (auto& p : parameters_) p.reset();
}

int PgStatement::ColumnCount() const { return returns_key_ ? 0 : PQnfields(description_); }

ColumnMeta PgStatement::Column(int index) const {
    ColumnMeta meta;
    meta.name = PQfname(description_, index);
    const unsigned table = PQftable(description_, index);
    const int column = PQftablecol(description_, index);
    const auto* origin = table != InvalidOid && column > 0 ? engine_.OriginOf(table, column) : nullptr;
    if (origin) {
        // A column selected without an alias is named by the server in lower case; it is the
        // column of its table, with that column's spelling.
        if (utf8::Lower(origin->column) == meta.name) meta.name = origin->column;
        meta.declared_type = origin->declared;
        meta.origin_schema = origin->schema;
        meta.origin_table = origin->table;
        meta.origin_column = origin->column;
    }
    meta.typed = !meta.declared_type.empty();
    meta.field = meta.typed ? SqliteEngine::FieldFromDeclared(meta.name, meta.declared_type)
                            : Field(meta.name, FieldType::Double);
    return meta;
}

const char* PgStatement::CellText(int index) const {
    if (!result_ || row_ < 0 || row_ >= PQntuples(result_)) {
        throw DbError(3021, "No current record.\nStatement: " + sql_);
    }
    return PQgetisnull(result_, row_, index) ? nullptr : PQgetvalue(result_, row_, index);
}

Value PgStatement::Get(int index) const {
    const char* cell = CellText(index);
    if (!cell) return Value();
    switch (PQftype(result_, index)) {
        case kBool:
            return Value(static_cast<std::int32_t>(cell[0] == 't' ? 1 : 0));
        case kInt2:
        case kInt4:
        case kInt8:
        case kOid: {
            const long long n = std::strtoll(cell, nullptr, 10);
            if (n >= std::numeric_limits<std::int32_t>::min() && n <= std::numeric_limits<std::int32_t>::max()) {
                return Value(static_cast<std::int32_t>(n));
            }
            return Value(static_cast<double>(n));
        }
        case kFloat4:
        case kFloat8:
        case kNumeric:
            return Value(std::strtod(cell, nullptr));
        default:
            return Value(std::string(cell, static_cast<std::size_t>(PQgetlength(result_, row_, index))));
    }
}

std::int64_t PgStatement::GetInt64(int index) const {
    const char* cell = CellText(index);
    if (!cell) return 0;
    if (PQftype(result_, index) == kBool) return cell[0] == 't' ? 1 : 0;
    return std::strtoll(cell, nullptr, 10);
}

bool PgStatement::IsNull(int index) const { return CellText(index) == nullptr; }

EngineStatement::Cell PgStatement::CellAt(int index) const {
    EngineStatement::Cell cell;
    const char* text = CellText(index);
    if (!text) return cell;
    switch (PQftype(result_, index)) {
        case kBool:
            cell.stored = Stored::Integer;
            cell.integer = text[0] == 't' ? 1 : 0;
            break;
        case kInt2:
        case kInt4:
        case kInt8:
        case kOid:
            cell.stored = Stored::Integer;
            cell.integer = std::strtoll(text, nullptr, 10);
            break;
        case kFloat4:
        case kFloat8:
        case kNumeric:
            cell.stored = Stored::Real;
            cell.real = std::strtod(text, nullptr);
            break;
        default:
            cell.stored = Stored::Text;
            cell.text = {text, static_cast<std::size_t>(PQgetlength(result_, row_, index))};
    }
    return cell;
}

void PgStatement::ReadField(int index, const Field& field, bool typed, Value& out) const {
    FieldValue::ReadCell(field, typed, CellAt(index), out);
}

}  // namespace tlx4r::db
