#pragma once

#include "db/Engine.h"
#include "db/JetSql.h"
#include "db/SqliteStatement.h"

#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>

struct sqlite3;

namespace tlx4r::db {

// The SQLite engine: one connection to one database file.
//
// The connection is set up for the component's dialect: the double-quoted-string fallback is
// off (a missed text literal fails instead of turning into a column), PRAGMA
// case_sensitive_like is refused (it would undo the dialect's LIKE), and the dialect's
// functions (an exact Sum() for amounts among them) and the JETTEXT collation are registered.
// Text columns are declared with JETTEXT; the declared type of every column records
// its original type and size (see DeclaredType).
class SqliteEngine : public Engine, public SchemaLookup {
public:
    // Opens an existing file (create = false) or creates a new one (create = true; the file must
    // not exist). A file without any write permission bit is opened read-only, as the old
    // engine treated a file with the read-only attribute. Throws DbError: 3024 file missing or
    // not openable, 3204 file exists (create), 3343 not a database, 3260 locked.
    SqliteEngine(const std::string& path, bool create, const OpenOptions& options);
    ~SqliteEngine() override;
    SqliteEngine(const SqliteEngine&) = delete;
    SqliteEngine& operator=(const SqliteEngine&) = delete;

    // The declared column type that records a field's type and size, and its reverse.
    static std::string DeclaredType(FieldType type, int size);
    static Field FieldFromDeclared(const std::string& name, const std::string& declared);

    const std::string& Path() const override { return path_; }
    bool IsOpen() const override { return db_ != nullptr; }
    void Close() noexcept override;
    bool ReadOnly() const override { return read_only_; }

    std::unique_ptr<EngineStatement> Prepare(std::string_view sql) override;
    StatementLease Cached(std::string_view sql) override;
    long long Exec(std::string_view sql) override;
    long long Changes() const override;
    long long TotalChanges() const override;
    const long long& TableWrites(std::string_view table) override;
    std::int64_t LastInsertId() const override;

    Translation Translate(std::string_view statement) override;
    void SchemaChanged() override;
    unsigned SchemaGeneration() const override { return generation_; }
    void CheckSchema() override;

    void Begin() override;
    void Commit() override;
    void Rollback() override;
    int TransactionDepth() const override { return depth_; }

    std::vector<std::string> TableNames() override;
    std::vector<std::string> ViewNames() override;
    std::optional<std::string> FindTable(std::string_view name) override;
    std::vector<ColumnInfo> Columns(std::string_view table) override;
    std::vector<Index> Indexes(std::string_view table) override;

    void CreateTable(std::string_view table, const std::vector<Field>& fields) override;
    void AddColumn(std::string_view table, const Field& field) override;
    void DropTable(std::string_view table) override;
    void CreateIndex(std::string_view table, const Index& index) override;
    void DropIndex(std::string_view table, std::string_view index) override;
    void CreateRelation(const Relation& relation) override;
    void DropRelation(const Relation& relation) override;
    void CreateView(std::string_view name, std::string_view sql, bool temporary) override;
    void DropView(std::string_view name) override;
    void CreateLink(std::string_view name, const std::string& path, std::string_view source_table) override;
    std::string Attach(const std::string& path) override;

    void CompactInto(const std::string& path) override;
    bool CompactInPlace() override { return false; }
    void BackupInto(const std::string& path) override;
    void RestoreFrom(const std::string& path) override;
    std::vector<std::string> IntegrityCheck() override;
    std::string Quote(std::string_view name) const override;

    // SchemaLookup for the translator: columns of a table or view, "schema.table" included.
    std::optional<std::vector<std::string>> ColumnsOf(std::string_view table) const override;

private:
    // SQLite asks it about every part of a statement while preparing it: it refuses PRAGMA
    // case_sensitive_like and notes the tables a statement writes.
    // Waits for another connection's lock in short steps, up to the busy timeout.
    static int BusyWait(void* engine, int count);
    static int Authorize(void* engine, int action, const char* arg1, const char* arg2, const char* schema,
                         const char* trigger);
    // A statement that counts its runs in TableWrites of every table it writes.
    std::unique_ptr<SqliteStatement> NewStatement(std::string_view sql);
    sqlite3* Db() const;
    std::string ColumnDefinition(std::string_view table, const Field& field, bool creating) const;
    std::vector<std::string> NamesOf(const char* type);

    std::string path_;
    sqlite3* db_ = nullptr;
    bool read_only_ = false;
    bool portable_text_ = false;
    int busy_timeout_ms_ = 5000;
    std::chrono::steady_clock::time_point busy_since_{};
    int depth_ = 0;
    unsigned generation_ = 0;
    long long schema_cookie_ = -1;  // the file's schema_version as last seen; -1 after own changes
    std::unique_ptr<JetSql> jet_;
    std::unordered_map<std::string, std::unique_ptr<SqliteStatement>> cache_;
    std::map<std::string, std::string> attached_;  // canonical path -> schema name
    std::unordered_map<std::string, long long> table_writes_;  // by lower-case table name
    std::vector<std::string>* writes_seen_ = nullptr;          // while NewStatement prepares
};

}  // namespace tlx4r::db
