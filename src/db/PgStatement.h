#pragma once

#include "db/EngineStatement.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct pg_result;

namespace tlx4r::db {

class PgEngine;

// One statement prepared on the server. The layer writes parameters as "?" or "?N"; they become
// "$N". A run fetches its whole result (the connection runs one statement at a time, and the
// layer interleaves statements); Step then walks the rows. An INSERT into a table of the
// database reports the row key of its row through the engine's LastInsertId.
class PgStatement : public EngineStatement {
public:
    PgStatement(PgEngine& engine, std::string_view sql);
    ~PgStatement() override;
    PgStatement(const PgStatement&) = delete;
    PgStatement& operator=(const PgStatement&) = delete;

    // The layer's "?"/"?N" parameters as the server's "$N"; the number of parameters.
    static std::string NativeParameters(std::string_view sql, int& count);

    const std::string& Sql() const override { return sql_; }
    void Bind(int index, const Value& value) override;
    bool Step() override;
    void Reset() noexcept override;
    // Runs through a cursor of the server, fetching the rows in portions.
    void Stream() override;
    int ColumnCount() const override;
    ColumnMeta Column(int index) const override;
    Value Get(int index) const override;
    std::int64_t GetInt64(int index) const override;
    bool IsNull(int index) const override;
    void ReadField(int index, const Field& field, bool typed, Value& out) const override;

private:
    Cell CellAt(int index) const;
    const char* CellText(int index) const;
    // The next portion of rows of the cursor; false when there are none.
    bool Fetch();
    void CloseCursor() noexcept;

    PgEngine& engine_;
    std::string sql_;
    std::string native_;
    std::string name_;  // of the prepared statement on the server
    int parameter_count_ = 0;
    bool writes_ = false;
    bool returns_key_ = false;  // RETURNING the row key was added
    std::vector<std::optional<std::string>> parameters_;
    pg_result* description_ = nullptr;
    pg_result* result_ = nullptr;
    int row_ = -1;
    bool ran_ = false;
    bool stream_ = false;
    std::string cursor_;          // the cursor's name, while streaming
    std::string declare_;         // the prepared DECLARE of the cursor
    bool cursor_open_ = false;
    bool cursor_done_ = false;    // the last portion was fetched
};

}  // namespace tlx4r::db
