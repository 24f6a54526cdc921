#pragma once

#include <memory>

#include "core/TableCursor.h"
#include "entries/Entry.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace tlx4r::db {
class Database;
}

namespace tlx4r {

class frmEntry;
class EntriesRange;
class EntriesSelect;

// The entries of the reporting database (table Entry) with their stored queries "vEntry" and
// "vEntryFull". Owns the one cursor on the table through which every Entry reads and writes
// (opened by rsOpen, on the "PrimaryKey" index). Exists while a reporting database is open; the
// database must outlive it.
class Entries {
public:
    explicit Entries(db::Database& db);
    ~Entries();
    Entries(const Entries&) = delete;
    Entries& operator=(const Entries&) = delete;

    // The selection objects of reports, made with the manager and released with it, so that the
    // user's criteria last as long as the database is open.
    tlx4r::EntriesSelect& EntriesSelect() { return *entries_select_; }
    tlx4r::EntriesRange& EntriesRange() { return *entries_range_; }

    // The SQL of the stored queries "vEntry" and "vEntryFull".
    static const std::string& EntrySql();
    static const std::string& EntryFullSql();

    // Makes the table, its missing fields and indexes exist, puts categories outside 1..37 (or
    // Null) back to 1 and creates the stored queries that are missing.
    void Assert();
    // The stored queries: created when missing; with force made anew from the current SQL, so
    // that a changed SQL reaches an existing database. Throws only when the disk fails (DbError
    // 3043); every other failure is left for a later run.
    void AssertQueryDefs(bool force = false);
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

    // The entry form, created with the manager and reused for every edit.
    frmEntry& Form();
    // Hands entry to the entry form and shows it with mode: 1 modal (returns when the form is
    // closed; the caller reads the changes from entry), 0 modeless. A visible form is only
    // refilled. The form keeps the entry for EditDo.
    void Edit(std::shared_ptr<Entry> entry, int mode = 0);
    // Edit of the entry of that ID; an ID without a row gives a new entry.
    void EditByID(std::int32_t id, int mode = 0);
    // Shows the form again on the entry it holds (a new one when it holds none).
    void EditDo(int mode = 0);
    // The form on a cleared entry: it asks for the record type of a new one at once.
    void EditNew(int mode = 0);

    void rsOpen() { cursor_.Open(); }
    void rsClose() noexcept { cursor_.Close(); }
    // For callers that changed the table behind the cursor.
    void Refresh();
    TableCursor& Cursor() { return cursor_; }

private:
    std::string QueryFields(const std::string& query, bool listing);

    db::Database& db_;
    TableCursor cursor_;
    std::unique_ptr<frmEntry> form_;
    std::unique_ptr<tlx4r::EntriesRange> entries_range_;
    std::unique_ptr<tlx4r::EntriesSelect> entries_select_;
};

}  // namespace tlx4r
