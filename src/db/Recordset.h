#pragma once

#include "db/EngineStatement.h"
#include "db/Field.h"
#include "db/Value.h"

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tlx4r::db {

class Engine;

// The old engine's recordset kinds, with its numbers.
enum class RecordsetType {
    Table = 1,     // one table, walked in the order of its current index, positioned with Seek
    Dynaset = 2,   // rows of a table or statement; updatable when they come from one table with its key
    Snapshot = 4,  // rows of a table or statement, read-only
    // Rows of a table or statement, read-only, read one at a time as the walk goes: memory stays
    // bounded however many rows there are, but only MoveNext moves, and the file stays read-locked
    // for other programs until the walk reaches EOF or the recordset closes. For reports and
    // exports that walk a result once; not for walks that write the table they read.
    ForwardOnly = 8,
};

// A cursor over rows, as the component's code walks, searches and edits them.
//
// Position: BOF before the first row, EOF after the last; a new recordset stands on its first
// row (or on BOF and EOF at once when it is empty). RecordCount after MoveLast is the number of
// rows (it is always that here). "Not found" is state: Seek and Find… set NoMatch and leave the
// recordset without a current row (Seek) or where it was (Find…).
//
// Editing: Edit or AddNew opens a buffer; Set writes into it (checked against the field's type,
// DbError 3421/3163/6); Update stores it, CancelUpdate drops it. Delete removes the current
// row at once. A table recordset stays on its row after AddNew/Update; LastModified is the
// bookmark of the row written last.
//
// Field names are found case-insensitively. Every call on a closed recordset (or one whose
// database was closed) throws DbError 3420.
class Recordset {
public:
    enum class EditMode { None, Edit, AddNew };
    using Bookmark = std::int64_t;

    Recordset() = default;
    ~Recordset();
    Recordset(Recordset&&) noexcept;
    Recordset& operator=(Recordset&&) noexcept;
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    bool IsOpen() const;
    void Close() noexcept;
    RecordsetType Type() const { return type_; }
    bool Updatable() const;
    // The table the rows come from; "" for rows of a statement over several tables.
    const std::string& Name() const { return table_; }

    // Navigation.
    bool Bof() const;
    bool Eof() const;
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    long long RecordCount() const;
    // Reads the rows again, including those other programs wrote since they were read; the
    // position goes to the first row.
    void Requery();
    Bookmark GetBookmark() const;
    void SetBookmark(Bookmark bookmark);
    Bookmark LastModified() const;

    // Table recordsets: the index that orders the rows and that Seek searches.
    const std::string& Index() const { return index_name_; }
    void SetIndex(std::string_view name);
    // comparison is "=", "<", "<=", ">" or ">="; keys match the index's first fields in order.
    // Finds the first row in index order that compares so ("<" and "<=" the last one).
    void Seek(std::string_view comparison, const std::vector<Value>& keys) { Seek(comparison, keys.data(), keys.size()); }
    void Seek(std::string_view comparison, const Value& key) { Seek(comparison, &key, 1); }
    bool NoMatch() const;

    // Dynaset and table recordsets: criteria is a condition in the component's dialect, e.g.
    // "Setting=\"Name\"" or "ProjectID = 5 And Archive = False".
    void FindFirst(std::string_view criteria);
    void FindNext(std::string_view criteria);
    void FindPrevious(std::string_view criteria);
    void FindLast(std::string_view criteria);

    // Fields.
    const std::vector<Field>& Fields() const;
    // The position of a field; throws DbError 3265 when there is none of that name.
    int FieldIndex(std::string_view name) const;
    bool HasField(std::string_view name) const;
    // The value stays valid until the recordset moves or changes.
    const Value& Get(std::string_view name) const;
    const Value& Get(int index) const;
    // Into the edit buffer; DbError 3020 without Edit/AddNew, 3164 for a field that cannot be
    // written (computed, or of another table).
    void Set(std::string_view name, const Value& value);
    void Set(int index, const Value& value);

    // Editing.
    EditMode GetEditMode() const { return edit_mode_; }
    void AddNew();
    void Edit();
    void Update();
    void CancelUpdate();
    void Delete();

private:
    friend class Database;
    Recordset(std::shared_ptr<Engine> engine, std::string_view source, RecordsetType type);

    void OpenTable(const std::string& table);
    // sql in the engine's SQL; dialect the statement it was translated from ("" when none).
    void OpenStatement(std::string_view sql, std::string_view dialect = {});
    // Every call starts here: the recordset must be open, and a table recordset brings its row
    // order up to date with the table (Refresh) and finds the row a Seek left to be found.
    void Require() const;
    // The same without finding that row: for Edit, Set and Update, whose write finds it.
    void RequireOpen() const;
    void Seek(std::string_view comparison, const Value* keys, std::size_t count);
    // Reads the row a Seek by row key left unread: NoMatch when it is not there.
    void FindSoughtRow() const;
    // When the table changed since the keys were read (a statement, another recordset, a
    // rollback), the keys are read again and the position follows the current row; a current
    // row that has gone counts as deleted.
    void Refresh() const;
    void RequireCurrent() const;
    void RequireWritable(bool keep_sought = false) const;
    bool Keyed() const { return !key_column_.empty(); }
    bool Lazy() const { return type_ == RecordsetType::Table; }
    bool Streams() const { return type_ == RecordsetType::ForwardOnly; }
    // Reads the next row of stream_ into current_; at the end the statement is reset at once, so
    // that the file is not kept locked.
    void StreamRow();
    // Forward-only: field i of the current row from the statement into current_.
    void ReadStreamed(std::size_t i) const;
    // Get for every other case, with the checks and their errors.
    const Value& GetChecked(int index) const;
    // Loads the current row of a statement positioned on it (fetch_ or a Seek) into current_.
    void LoadCurrent(const EngineStatement& statement, int first_column) const;
    long long Size() const;
    void EnsureKeys() const;
    // Turns First and Key into Index (or Eof when the row has gone).
    void Resolve() const;
    std::int64_t CurrentKey() const;
    void ToKey() const;
    void StartEdit(EditMode mode);
    // The current row's value of field i.
    const Value& CurrentValue(std::size_t i) const;
    // The statement that writes the fields changed, not yet bound (the last one used: reset).
    EngineStatement& WriteStatement(const std::vector<std::size_t>& changed);
    // Set's work once the field is known to be there: into the buffer, converted for field i.
    void Store(std::size_t i, const Value& value);
    void Find(std::string_view criteria, bool forward, bool from_edge);
    const std::string& Owner() const { return owner_; }

    std::shared_ptr<Engine> engine_;
    RecordsetType type_ = RecordsetType::Snapshot;
    std::string table_;           // the base table, "" when none
    std::string owner_;           // table_ + ".", the prefix of field names in messages
    std::string key_column_;      // its row key, "" when rows cannot be told apart
    int key_field_ = -1;          // position of the key among the fields (statement rows)
    std::vector<Field> fields_;
    std::vector<char> typed_;  // per field: false for a computed column (not vector<bool>: read per value)
    std::vector<std::string> origin_;  // column of table_ a field writes to; "" when read-only
    bool updatable_ = false;

    // Where the recordset stands. Table recordsets keep their keys in index order and read a
    // row when it is needed; a position by key (after Seek, AddNew, Update) needs no keys until
    // the recordset moves. Statement recordsets hold their rows (and keys, when keyed).
    enum class At { Bof, Eof, First, Index, Key };
    mutable At at_ = At::First;
    mutable long long pos_ = 0;
    std::int64_t current_key_ = 0;
    mutable bool deleted_current_ = false;
    mutable std::vector<std::int64_t> keys_;
    mutable bool keys_loaded_ = false;
    // Table recordsets: the engine's count of writes to the table, and its value when the keys,
    // the current row and the block were read.
    const long long* table_writes_ = nullptr;
    mutable long long keys_writes_ = 0;
    mutable long long current_writes_ = 0;
    std::deque<Value> cells_;  // statement rows, fields_.size() values each (never moved when growing)
    long long row_count_ = 0;   // of cells_
    mutable std::vector<Value> current_;
    // forward-only: the fields of the current row already read from the statement into current_
    mutable std::vector<char> current_read_;
    mutable bool current_loaded_ = false;
    mutable std::int64_t current_loaded_key_ = 0;
    std::vector<Value> defaults_;
    std::unordered_map<std::string, int> name_pos_;        // as spelled
    std::unordered_map<std::string, int> name_pos_lower_;  // lower case
    mutable int name_hint_ = -1;  // fields are mostly named in their order: the last one found

    std::string index_name_;
    std::vector<std::string> index_fields_;
    std::vector<int> index_field_pos_;
    std::vector<bool> orders_;  // per field: writing it may move the row in index order
    std::string select_list_;  // every column of the table, quoted
    mutable bool no_match_ = false;
    // A Seek for a row key inside a transaction positions on the key and leaves finding the row
    // to the first call that needs it (an Edit and Update find it with their write).
    mutable bool seek_pending_ = false;
    bool index_is_key_ = false;  // the current index is the row key alone
    Bookmark last_modified_ = 0;

    EditMode edit_mode_ = EditMode::None;
    std::vector<Value> buffer_;
    std::vector<char> dirty_;  // per field: set since Edit/AddNew (not vector<bool>: written per Set)
    std::vector<std::size_t> changed_;  // Update: the fields written (kept to spare an allocation per row)

    std::unique_ptr<EngineStatement> fetch_;
    std::unique_ptr<EngineStatement> stream_;  // forward-only: the statement being walked
    long long streamed_ = 0;                   // forward-only: rows read so far
    // A walk reads the rows ahead of it in blocks: one statement (and one file lock) per block.
    static constexpr std::size_t kBlock = 64;
    const Value* BlockValue(std::int64_t key, std::size_t field) const;
    mutable std::unique_ptr<EngineStatement> block_fetch_;
    mutable std::vector<std::pair<std::int64_t, std::size_t>> block_rows_;  // key, row; sorted by key
    mutable std::vector<Value> block_cells_;
    // The fields a block reads: all of them at first, then those the walk read (and any it asks
    // for later): a walk that reads two fields of forty converts two.
    mutable std::vector<int> block_slot_;      // per field: its column in a block row, -1 when left out
    mutable std::size_t block_width_ = 0;
    mutable std::vector<char> block_read_;     // per field: read since the block was fetched
    mutable bool block_narrowed_ = false;
    mutable long long block_start_ = -1;
    mutable long long block_writes_ = -1;
    std::map<std::string, std::unique_ptr<EngineStatement>> seek_;
    // Update and insert statements by the fields they write: prepared once per combination.
    std::map<std::vector<std::size_t>, std::unique_ptr<EngineStatement>> writes_[2];
    EngineStatement* last_write_[2] = {nullptr, nullptr};
    std::vector<std::size_t> last_write_fields_[2];
};

}  // namespace tlx4r::db
