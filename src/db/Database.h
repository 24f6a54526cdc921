#pragma once

#include "db/Engine.h"
#include "db/QueryDefs.h"
#include "db/Recordset.h"
#include "db/Relations.h"
#include "db/TableDefs.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tlx4r::db {

// An open database file, as the component's code uses it: statements in the component's SQL
// dialect, recordsets, the schema collections, transactions, compaction.
//
// Movable, not copyable. Closing (or destroying) the database closes its connection; recordsets
// and collections taken from it fail with DbError 3420 afterwards. Every failure is a DbError.
class Database {
public:
    // The old engine's general sort order: case-insensitive, umlauts beside their base letters.
    static constexpr const char* kGeneralSortOrder = ";LANGID=0x0409;CP=1252;COUNTRY=0";

    // A new, empty database file; throws DbError 3204 when the file exists.
    static Database Create(const std::string& path, const OpenOptions& options = {});
    // An existing file, shared with other programs and read-write (read-only when asked or when
    // the file is write-protected). Throws DbError 3024 (missing), 3343 (not a database), 3260
    // (locked).
    static Database Open(const std::string& path, const OpenOptions& options = {});

    // Removes a database that is not open anywhere: the file, or the server's schema. For
    // undoing a database this program has just made; a missing one is no error.
    static void Remove(const std::string& path);

    Database() = default;
    ~Database();
    Database(Database&&) noexcept;
    Database& operator=(Database&&) noexcept;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    bool IsOpen() const;
    // Never fails; an open transaction is rolled back.
    void Close() noexcept;
    // The full path of the file.
    const std::string& Name() const;
    bool ReadOnly() const;

    // Runs a statement that returns no rows; the number of rows it changed. Throws DbError
    // 3065 for a SELECT.
    long long Execute(std::string_view sql);
    // source: a table or query name, or a SELECT. Without a type a local table opens as a
    // table recordset and anything else as a dynaset.
    Recordset OpenRecordset(std::string_view source);
    Recordset OpenRecordset(std::string_view source, RecordsetType type);

    db::TableDefs& TableDefs();
    db::QueryDefs& QueryDefs();
    db::Relations& Relations();

    // Nested calls nest (save points inside the outermost transaction).
    void BeginTrans();
    void CommitTrans();
    void Rollback();

    // A compacted copy of the file at path, which must not exist (DbError 3204).
    void CompactInto(const std::string& path);
    // Compacts a server database where it is, staying open (true); a file is compacted into a
    // copy instead, and this does nothing and returns false.
    bool CompactInPlace();
    // A consistent copy of the file as committed, at path, which must not exist (DbError 3204);
    // other programs may go on using the file meanwhile.
    void BackupInto(const std::string& path);
    // Replaces the file's content by that of the database file path in one step; outside a
    // transaction only. Recordsets and collections taken before must be opened again.
    void RestoreFrom(const std::string& path);

    struct Finding {
        bool error;  // false: a note (keys of a relation that is not enforced naming no row)
        std::string text;
    };
    // The engine's check of the file, then every relation's keys (0 and Null name no row and are
    // fine): what was found, nothing when all is well.
    std::vector<Finding> Check();

    // The engine below, for the layer's own tools (benchmarks, the command line).
    Engine& GetEngine() const;

private:
    explicit Database(std::shared_ptr<Engine> engine);
    void Require() const;
    void RestoreLinks();

    std::shared_ptr<Engine> engine_;
    std::unique_ptr<db::TableDefs> table_defs_;
    std::unique_ptr<db::QueryDefs> query_defs_;
    std::unique_ptr<db::Relations> relations_;
    // Statements of Execute by their text, for as long as the schema does not change.
    std::unordered_map<std::string, std::unique_ptr<EngineStatement>> statements_;
    unsigned statements_generation_ = 0;
};

}  // namespace tlx4r::db
