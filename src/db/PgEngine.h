#pragma once

#include "db/Engine.h"
#include "db/JetSql.h"
#include "db/PgName.h"
#include "db/PgStatement.h"

#include <map>
#include <memory>
#include <string>
#include <unordered_map>

struct pg_conn;
struct pg_result;

namespace tlx4r::db {

// The PostgreSQL engine: one connection to one schema of a server database (see PgName).
//
// The server keeps every name of the schema in lower case, quoted; the spelling the layer shows
// (table "Person", field "PersonNameFull", index "PersonNameFull") is kept as the comment of the
// table, column or index. Field types are the server's types, or the domains of the schema
// "tlx4r" where the server has none of its own (Boolean, Currency, Date, as the file engine stores
// them), so that a column's type names its field type. Every table has a hidden column "rowid"
// (an identity) that plays the file engine's row number. The dialect's functions, its LIKE and
// its text collation are objects of the schema "tlx4r", made once per server database.
class PgEngine : public Engine, public SchemaLookup {
public:
    // Opens an existing schema (create = false) or makes a new one (create = true; it must not
    // hold tables). Throws DbError: 3024 server or schema not reachable, 3204 schema exists.
    PgEngine(const std::string& name, bool create, const OpenOptions& options);
    ~PgEngine() override;
    // Drops the schema named and everything in it.
    static void Drop(const std::string& name);
    PgEngine(const PgEngine&) = delete;
    PgEngine& operator=(const PgEngine&) = delete;

    const std::string& Path() const override { return name_.Name(); }
    bool IsOpen() const override { return conn_ != nullptr; }
    void Close() noexcept override;
    bool ReadOnly() const override { return read_only_; }

    std::unique_ptr<EngineStatement> Prepare(std::string_view sql) override;
    StatementLease Cached(std::string_view sql) override;
    long long Exec(std::string_view sql) override;
    long long Changes() const override { return changes_; }
    long long TotalChanges() const override { return total_changes_; }
    const long long& TableWrites(std::string_view table) override;
    std::int64_t LastInsertId() const override { return last_insert_id_; }

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
    bool CompactInPlace() override;
    void BackupInto(const std::string& path) override;
    void RestoreFrom(const std::string& path) override;
    std::vector<std::string> IntegrityCheck() override;
    std::string Quote(std::string_view name) const override;

    std::optional<std::vector<std::string>> ColumnsOf(std::string_view table) const override;

private:
    friend class PgStatement;

    // Where a result column comes from, by the table's object id and the column's number.
    struct Origin {
        std::string schema, table, column, declared;
    };
    struct TableInfo {
        unsigned oid = 0;
        std::string schema;
        std::string relname;   // as the server names it
        std::string spelling;  // as the layer shows it
        bool view = false;
        std::vector<ColumnInfo> columns;  // without the hidden "rowid"
        std::vector<int> attnums;         // of columns, in the table
        std::vector<std::string> types;   // the server's type names of columns
    };

    pg_conn* Conn() const;
    // Runs sql without parameters, one or several statements; the last result's row count.
    long long Run(std::string_view sql);
    // Runs a statement prepared under statement_name; inside a transaction a failure undoes only
    // the statement, as it does on the file engine (the server would otherwise refuse every
    // further statement of the transaction).
    pg_result* RunPrepared(const std::string& statement_name, const std::vector<std::optional<std::string>>& parameters,
                           const std::string& sql, bool writes);
    // Runs sql without parameters and returns its rows (freed by the caller); a failure names
    // statement.
    pg_result* Query(const std::string& sql, const std::string& statement);
    void NoteWrites();
    std::string NextStatementName() { return "tlx" + std::to_string(++statement_count_); }
    const Origin* OriginOf(unsigned table_oid, int column);
    // The table or view of the schema (or "schema.table"; temporary views first) named
    // case-insensitively; nullptr when there is none.
    const TableInfo* Table(std::string_view name);
    const TableInfo* TableByOid(unsigned oid);
    std::string SpelledColumn(const TableInfo& table, int attnum) const;
    void InstallServerObjects();
    std::string ColumnDefinition(std::string_view table, const Field& field, bool creating) const;
    void Comment(const std::string& what, std::string_view spelling);
    void BumpSchemaVersion();
    std::vector<std::string> NamesOf(const char* kind);
    long long WriteLockKey() const;
    // The arguments of the session lock a restore holds.
    std::string RestoreLock() const;
    bool TakeBackAfterRestore();

    PgName name_;
    pg_conn* conn_ = nullptr;
    bool read_only_ = false;
    int depth_ = 0;
    unsigned generation_ = 0;
    long long schema_version_ = -1;
    long long changes_ = 0;
    long long total_changes_ = 0;
    std::int64_t last_insert_id_ = 0;
    unsigned long statement_count_ = 0;
    std::unique_ptr<JetSql> jet_;
    std::unordered_map<std::string, std::unique_ptr<PgStatement>> cache_;
    std::unordered_map<std::string, long long> table_writes_;
    std::map<std::pair<unsigned, int>, Origin> origins_;
    std::map<unsigned, TableInfo> tables_;  // by the server's object id
    std::map<std::string, std::string> attached_;  // schema -> the name it was attached by
};

}  // namespace tlx4r::db
