#pragma once

#include "db/EngineStatement.h"
#include "db/Field.h"
#include "db/Index.h"
#include "db/JetSql.h"
#include "db/Relation.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tlx4r::db {

struct OpenOptions {
    bool read_only = false;
    // How long a statement waits for another connection's lock before it fails.
    int busy_timeout_ms = 5000;
    // New text columns compare with SQLite's built-in NOCASE instead of the dialect's collation,
    // for files that other programs read without the layer (export files).
    bool portable_text = false;
    // False: writes are not forced to the disk and the journal stays in memory, so a crash may
    // leave the file damaged. Only for files that are worthless until complete and that their
    // maker forces to the disk itself (export files, written under a temporary name).
    bool durable = true;
};

// A column as the engine's schema describes it.
struct ColumnInfo {
    Field field;
    bool row_key = false;  // the table's row key (the "PrimaryKey" index)
};

// The seam between the database layer and one database engine. Everything engine-specific —
// the connection, statements, the dialect translation, the form of tables, indexes, relations,
// views and linked tables — lives behind it, so another engine is one more implementation.
// An Engine belongs to one Database and the Recordsets opened from it (shared ownership);
// after Close every call but IsOpen/Path throws DbError 3420.
class Engine {
public:
    virtual ~Engine() = default;

    virtual const std::string& Path() const = 0;
    virtual bool IsOpen() const = 0;
    // Closes the connection; statements still held by recordsets fail from now on.
    virtual void Close() noexcept = 0;
    virtual bool ReadOnly() const = 0;

    // Statements in the engine's own SQL.
    virtual std::unique_ptr<EngineStatement> Prepare(std::string_view sql) = 0;
    // Prepare for sql, the translation of the dialect statement dialect: a failure names both,
    // since the user wrote the one and the engine reports the other.
    std::unique_ptr<EngineStatement> PrepareTranslation(std::string_view dialect, const std::string& sql);
    // A statement prepared once per connection and kept; reset and unbound when handed out
    // and when the lease ends. The lease must end before the connection closes; callers must
    // not nest uses of the same text.
    virtual StatementLease Cached(std::string_view sql) = 0;
    // Runs statements that return no rows; the number of rows changed by the last.
    virtual long long Exec(std::string_view sql) = 0;
    virtual long long Changes() const = 0;
    // Rows changed through this connection since it opened: data read before is stale when it grew.
    virtual long long TotalChanges() const = 0;
    // Grows whenever rows of a table of the main file may have changed through this connection:
    // any statement that writes it (directly or through a trigger) ran, or a transaction was
    // rolled back. Rows and row orders read before are stale when it grew. The reference stays
    // valid for the life of the engine; the name is looked up case-insensitively.
    virtual const long long& TableWrites(std::string_view table) = 0;
    virtual std::int64_t LastInsertId() const = 0;

    // The component's dialect turned into the engine's SQL.
    virtual Translation Translate(std::string_view statement) = 0;
    // After any change of tables, fields or views.
    virtual void SchemaChanged() = 0;
    // Grows with every SchemaChanged: translations made before are stale.
    virtual unsigned SchemaGeneration() const = 0;
    // Notices a change of tables, fields or views that another connection made to the file
    // (and calls SchemaChanged then), so that no translation made for the old schema is used.
    virtual void CheckSchema() = 0;

    // Nesting transactions: depth 0 begins a real transaction, deeper levels are save points.
    virtual void Begin() = 0;
    virtual void Commit() = 0;
    virtual void Rollback() = 0;
    virtual int TransactionDepth() const = 0;

    // Schema: names of the user's tables (not views, not the layer's own), and of views.
    virtual std::vector<std::string> TableNames() = 0;
    virtual std::vector<std::string> ViewNames() = 0;
    // The exact spelling of a table or view name looked up case-insensitively.
    virtual std::optional<std::string> FindTable(std::string_view name) = 0;
    virtual std::vector<ColumnInfo> Columns(std::string_view table) = 0;
    // The same, kept until the schema generation moves. Only for a caller that has just had the
    // schema checked (a statement translated a moment ago): a change another program made is
    // noticed by that check, not here. Reading the columns costs statements (and, outside a
    // transaction, the file's lock) on every call otherwise.
    const std::vector<ColumnInfo>& CheckedColumns(std::string_view table);
    virtual std::vector<Index> Indexes(std::string_view table) = 0;

    virtual void CreateTable(std::string_view table, const std::vector<Field>& fields) = 0;
    // Every existing row gets the field's default (or Null).
    virtual void AddColumn(std::string_view table, const Field& field) = 0;
    virtual void DropTable(std::string_view table) = 0;
    virtual void CreateIndex(std::string_view table, const Index& index) = 0;
    virtual void DropIndex(std::string_view table, std::string_view index) = 0;
    virtual void CreateRelation(const Relation& relation) = 0;
    virtual void DropRelation(const Relation& relation) = 0;
    // A view over statement (in the engine's SQL); temporary views vanish with the connection.
    virtual void CreateView(std::string_view name, std::string_view sql, bool temporary) = 0;
    virtual void DropView(std::string_view name) = 0;
    // A temporary view name over table source_table of the database file path.
    virtual void CreateLink(std::string_view name, const std::string& path, std::string_view source_table) = 0;
    // Makes another database file reachable; returns the name to qualify its tables with.
    // The same file is attached once.
    virtual std::string Attach(const std::string& path) = 0;

    // A compacted copy into a new file (which must not exist).
    virtual void CompactInto(const std::string& path) = 0;
    // Compacts the database where it is, while it stays open, when the engine works so (a server
    // reclaims the space of deleted rows in place); false, doing nothing, when the database is
    // compacted into a copy instead. Outside a transaction only.
    virtual bool CompactInPlace() = 0;
    // A consistent copy of the file as committed, into a new file (which must not exist), taken
    // while other programs go on using the file.
    virtual void BackupInto(const std::string& path) = 0;
    // Replaces everything in the file by the content of the database file path, in one step that
    // other programs see whole (waiting for their locks up to the busy timeout).
    virtual void RestoreFrom(const std::string& path) = 0;
    // The engine's own check of the file's structure and foreign keys: one text per problem,
    // none when the file is sound.
    virtual std::vector<std::string> IntegrityCheck() = 0;
    // Writes the engine's name for a name, quoted.
    virtual std::string Quote(std::string_view name) const = 0;

private:
    std::unordered_map<std::string, std::vector<ColumnInfo>> checked_columns_;
    unsigned checked_generation_ = 0;
};

}  // namespace tlx4r::db
