// The edit buffer of a recordset: Edit and AddNew, the fields set, and the statements that write
// them (Update, Delete). Reading and moving are in Recordset.cpp.
#include "Recordset.h"

#include "db/DbError.h"
#include "db/Engine.h"
#include "db/FieldValue.h"
#include "types/Utf8.h"

#include <algorithm>
#include <cstdint>
#include <unordered_set>

namespace tlx4r::db {

namespace {

[[noreturn]] void NoCurrentRecord() { throw DbError(3021, "There is no current record."); }

// Runs a write statement with the buffer's values bound by reference, and resets it whatever
// happens. The engine may go on referring to the buffer's texts after the write, but never reads
// them again: the statement is written per combination of fields, and every parameter is bound
// anew before each run.
class BoundWrite {
public:
    explicit BoundWrite(EngineStatement& statement) : statement_(statement) {}
    ~BoundWrite() { statement_.ResetKeepingBindings(); }
    BoundWrite(const BoundWrite&) = delete;
    BoundWrite& operator=(const BoundWrite&) = delete;

    void Run(const std::vector<Value>& buffer, const std::vector<std::size_t>& changed) {
        statement_.BindBorrowed(buffer, changed);
        statement_.Step();
    }
    EngineStatement& statement() { return statement_; }

private:
    EngineStatement& statement_;
};

}  // namespace

// inline: used by the two Set only, both here; a row calls it once for each field
inline void Recordset::Store(std::size_t i, const Value& value) {
    if (edit_mode_ == EditMode::None) throw DbError(3020, "A field can only be written after Edit or AddNew.");
    if (origin_[i].empty()) {
        throw DbError(3164, "The field '" + fields_[i].Name() + "' cannot be written (computed, or of another table).");
    }
    FieldValue::Store(fields_[i], value, Owner(), buffer_[i]);
    dirty_[i] = 1;
}

void Recordset::Set(std::string_view name, const Value& value) {
    // A row is mostly set field after field: the field after the one found last is tried first.
    // Writing the buffer needs the recordset open, not its position brought up to date (the
    // next call that moves or reads does that).
    const auto next = static_cast<std::size_t>(name_hint_ + 1);
    if (next < fields_.size() && IsOpen() && fields_[next].Name() == name) {
        ++name_hint_;
        Store(next, value);
        return;
    }
    Store(static_cast<std::size_t>(FieldIndex(name)), value);  // with the checks, and the search
}

void Recordset::Set(int index, const Value& value) {
    RequireOpen();
    if (index < 0 || index >= static_cast<int>(fields_.size())) {
        throw DbError(3265, "There is no field number " + std::to_string(index) + " in this recordset.");
    }
    Store(static_cast<std::size_t>(index), value);
}

void Recordset::StartEdit(EditMode mode) {
    edit_mode_ = mode;
    dirty_.assign(fields_.size(), 0);
}

void Recordset::AddNew() {
    RequireWritable();
    // the fields not set read as their defaults (from defaults_): the buffer needs no clearing
    if (buffer_.size() != fields_.size()) buffer_.assign(fields_.size(), Value());
    StartEdit(EditMode::AddNew);
}

void Recordset::Edit() {
    RequireWritable(true);
    if (!seek_pending_) RequireCurrent();
    // only the fields set are read from the buffer: the others need no clearing
    if (buffer_.size() != fields_.size()) buffer_.assign(fields_.size(), Value());
    StartEdit(EditMode::Edit);
}

void Recordset::CancelUpdate() {
    Require();
    if (edit_mode_ == EditMode::None) throw DbError(3020, "CancelUpdate without Edit or AddNew.");
    edit_mode_ = EditMode::None;
    buffer_.clear();
}

EngineStatement& Recordset::WriteStatement(const std::vector<std::size_t>& changed) {
    const bool adding = edit_mode_ == EditMode::AddNew;
    const int kind = adding ? 1 : 0;
    // rows are mostly written field for field alike: the same statement as the last time
    if (last_write_[kind] && last_write_fields_[kind] == changed) return *last_write_[kind];
    auto& statement = writes_[kind][changed];
    last_write_fields_[kind] = changed;
    if (statement) {
        last_write_[kind] = statement.get();
        return *statement;
    }
    const std::string table = engine_->Quote(table_);
    std::string sql;
    if (adding) {
        std::string names, marks;
        for (std::size_t n = 0; n < changed.size(); ++n) {
            names += (n ? ", " : "") + engine_->Quote(origin_[changed[n]]);
            marks += (n ? ", ?" : "?") + std::to_string(n + 1);
        }
        sql = changed.empty() ? "INSERT INTO " + table + " DEFAULT VALUES"
                              : "INSERT INTO " + table + " (" + names + ") VALUES (" + marks + ")";
    } else {
        sql = "UPDATE " + table + " SET ";
        for (std::size_t n = 0; n < changed.size(); ++n) {
            sql += (n ? ", " : "") + engine_->Quote(origin_[changed[n]]) + " = ?" + std::to_string(n + 1);
        }
        sql += " WHERE " + engine_->Quote(key_column_) + " = ?" + std::to_string(changed.size() + 1);
    }
    statement = engine_->Prepare(sql);
    last_write_[kind] = statement.get();
    return *statement;
}

void Recordset::Update() {
    RequireWritable(edit_mode_ == EditMode::Edit);
    if (edit_mode_ == EditMode::None) throw DbError(3020, "Update without Edit or AddNew.");
    // Edit after a Seek by row key: the write tells whether the row is there (no write, no row
    // to find first: then it is looked for)
    const bool sought = seek_pending_ && edit_mode_ == EditMode::Edit;
    if (sought && std::none_of(dirty_.begin(), dirty_.end(), [](char d) { return d != 0; })) {
        FindSoughtRow();
        if (no_match_) {
            edit_mode_ = EditMode::None;
            NoCurrentRecord();
        }
    }
    std::vector<std::size_t>& changed = changed_;
    changed.clear();
    // Inside a transaction no other program writes, and the row as read is the row as stored when
    // nothing was written through this connection since: a field set to the value it has already
    // needs no write (rewriting an indexed field costs its index entries).
    bool row_known = edit_mode_ == EditMode::Edit && engine_->TransactionDepth() > 0 && Lazy() && current_loaded_ &&
                     current_writes_ == *table_writes_ && !deleted_current_;
    if (row_known) row_known = CurrentKey() == current_loaded_key_;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (dirty_[i] && row_known && buffer_[i] == current_[i]) dirty_[i] = 0;  // the statement follows dirty_
        if (dirty_[i]) changed.push_back(i);
    }
    const std::size_t width = fields_.size();
    std::int64_t written = 0;
    bool moved_in_order = false;
    // Require has brought the keys up to date: the write below is then the only change to them
    const bool keys_current = Lazy() && keys_loaded_;
    if (edit_mode_ == EditMode::Edit) {
        if (deleted_current_) throw DbError(3167, "The record was deleted by another user or program.");
        const std::int64_t old_key = CurrentKey();
        written = old_key;
        if (!changed.empty()) {
            {
                BoundWrite write(WriteStatement(changed));
                write.statement().Bind(static_cast<int>(changed.size() + 1), FieldValue::Key(old_key));
                write.Run(buffer_, changed);
            }
            if (engine_->Changes() == 0) {
                if (sought) {
                    seek_pending_ = false;
                    no_match_ = true;
                    at_ = At::Eof;
                    pos_ = keys_loaded_ ? static_cast<long long>(keys_.size()) : 0;
                    edit_mode_ = EditMode::None;
                    NoCurrentRecord();
                }
                throw DbError(3167, "The record was deleted by another user or program.");
            }
            seek_pending_ = false;
            for (auto i : changed) {
                if (orders_[i]) {
                    moved_in_order = true;
                    if (utf8::Lower(origin_[i]) == utf8::Lower(key_column_)) written = buffer_[i].ToLong();
                }
            }
        }
        if (!Lazy()) {
            for (auto i : changed) cells_[static_cast<std::size_t>(pos_) * width + i] = buffer_[i];
            if (Keyed()) keys_[static_cast<std::size_t>(pos_)] = written;
        }
    } else {
        {
            BoundWrite write(WriteStatement(changed));
            write.Run(buffer_, changed);
        }
        written = engine_->LastInsertId();
        if (!Lazy()) {
            // a dynaset shows the added row at its end, as the old engine did
            for (std::size_t i = 0; i < width; ++i) {
                if (!dirty_[i]) buffer_[i] = defaults_[i];
            }
            if (key_field_ >= 0) buffer_[static_cast<std::size_t>(key_field_)] = FieldValue::Key(written);
            cells_.insert(cells_.end(), buffer_.begin(), buffer_.end());
            ++row_count_;
            keys_.push_back(written);
        }
    }
    if (Lazy()) {
        if (keys_current) keys_writes_ = *table_writes_;
        if (edit_mode_ == EditMode::AddNew || moved_in_order) {
            ToKey();
            if (at_ == At::Key && edit_mode_ == EditMode::Edit) current_key_ = written;
            keys_loaded_ = false;
        }
        current_loaded_ = false;
    }
    last_modified_ = written;
    edit_mode_ = EditMode::None;
}

void Recordset::Delete() {
    RequireWritable();
    RequireCurrent();
    edit_mode_ = EditMode::None;
    Resolve();
    const bool keys_current = Lazy() && keys_loaded_;
    std::int64_t key = CurrentKey();
    auto statement = engine_->Cached("DELETE FROM " + engine_->Quote(table_) + " WHERE " +
                                      engine_->Quote(key_column_) + " = ?1");
    statement.Bind(1, FieldValue::Key(key));
    statement.Step();
    if (!Lazy()) {
        auto first = cells_.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(pos_) * fields_.size());
        cells_.erase(first, first + static_cast<std::ptrdiff_t>(fields_.size()));
        --row_count_;
    }
    keys_.erase(keys_.begin() + pos_);
    if (keys_current) keys_writes_ = *table_writes_;
    current_loaded_ = false;
    deleted_current_ = true;
}

}  // namespace tlx4r::db
