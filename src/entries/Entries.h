#pragma once

#include "core/TableCursor.h"
#include "entries/Entry.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tlx4r::db {
class Database;
}

namespace tlx4r {

// The entries of the reporting database (table Entry) with their stored queries "vEntry" and
// "vEntryFull". Owns the one cursor on the table through which every Entry reads and writes
// (opened by rsOpen, on the "PrimaryKey" index). Exists while a reporting database is open; the
// database must outlive it.
class Entries {
public:
    explicit Entries(db::Database& db);

    // The SQL of the stored queries "vEntry" and "vEntryFull".
    static const std::string& EntrySql();
    static const std::string& EntryFullSql();

    // Makes the table, its missing fields and indexes exist, puts categories outside 1..37 (or
    // Null) back to 1 and creates the stored queries that are missing.
    void Assert();
    // The stored queries: created when missing; with force made anew from the current SQL, so
    // that a changed SQL reaches an existing database. Never throws.
    void AssertQueryDefs(bool force = false) noexcept;
    // The column names of "vEntry", each followed by ";" ("ID;ProjectID;…;PersonNameShort;");
    // "" when the query cannot be opened.
    std::string EntryFields();
    // One line per column of "vEntryFull": tab, "' ", the zero-based number, blank, the name,
    // CR LF. "" when the query cannot be opened.
    std::string EntryFullFields();

    // Stores the entry as a new row (normalised first) and returns its ID. An entry that has a
    // row already is stored again as a copy and is bound to the copy afterwards.
    std::int32_t Add(Entry& entry);
    // The entry of that ID; a cleared entry with ID 0 when there is no such row (0 included).
    Entry Item(std::int32_t id);
    // Deletes the row of that ID; no row, no effect.
    void Remove(std::int32_t id);
    // The number of rows; leaves the cursor on the last row.
    long long Count();
    // Normalises and rewrites every entry, inside one transaction and yielding to the event
    // pump after each row; then sets person references that are Null or name no person to 0 and
    // rebuilds the stored queries. The first row that cannot be written stops the run with the
    // engine's error; the rows before it stay rewritten.
    void Verify();
    // Shows the archive dialog on the project of that ID (none: all projects) with the date
    // range ending on date_to (none: open), to archive or reactivate entries.
    void Archive(std::optional<std::int32_t> project_id = std::nullopt, std::optional<Date> date_to = std::nullopt);
    // Shows the dialog that deletes the archived entries for good.
    void DeleteArchive();
    // Deletes every archived entry; returns how many.
    long long DeleteArchiveExec();

    void rsOpen() { cursor_.Open(); }
    void rsClose() noexcept { cursor_.Close(); }
    // For callers that changed the table behind the cursor.
    void Refresh();
    TableCursor& Cursor() { return cursor_; }

private:
    std::string QueryFields(const std::string& query, bool listing);

    db::Database& db_;
    TableCursor cursor_;
};

}  // namespace tlx4r
