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

[[noreturn]] void NotSupported(const char* what) {
    throw DbError(3251, std::string(what) + " is not supported by this kind of recordset.");
}

std::string Lower(std::string_view s) { return utf8::Lower(s); }

std::string StripBrackets(std::string_view source) {
    std::string s = std::string(source);
    auto b = s.find_first_not_of(" \t\r\n");
    auto e = s.find_last_not_of(" \t\r\n;");
    if (b == std::string::npos) return {};
    s = s.substr(b, e - b + 1);
    if (s.size() >= 2 && s.front() == '[' && s.back() == ']') s = s.substr(1, s.size() - 2);
    return s;
}

bool IsPlainName(const std::string& s) {
    return !s.empty() && s.find_first_of(" \t\r\n()=*,'\"") == std::string::npos;
}

}  // namespace

Recordset::Recordset(std::shared_ptr<Engine> engine, std::string_view source, RecordsetType type)
    : engine_(std::move(engine)), type_(type) {
    std::string name = StripBrackets(source);
    std::optional<std::string> table;
    if (IsPlainName(name)) table = engine_->FindTable(name);
    if (type_ == RecordsetType::Table) {
        if (!table) throw DbError(3078, "The table '" + name + "' does not exist.");
        OpenTable(*table);
    } else if (table) {
        OpenStatement("SELECT * FROM " + engine_->Quote(*table));
    } else {
        auto translation = engine_->Translate(source);
        if (!translation.returns_rows) {
            throw DbError(3065, "The statement returns no rows; run it with Execute.\nStatement: " + std::string(source));
        }
        OpenStatement(translation.sql, source);
    }
    if (!table_.empty()) owner_ = table_ + ".";
    const std::string key_lower = Lower(key_column_);
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        orders_.push_back(Keyed() && !origin_[i].empty() && Lower(origin_[i]) == key_lower);
    }
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        name_pos_.emplace(fields_[i].Name(), static_cast<int>(i));
        name_pos_lower_.emplace(Lower(fields_[i].Name()), static_cast<int>(i));
    }
}

Recordset::~Recordset() = default;
Recordset::Recordset(Recordset&&) noexcept = default;
Recordset& Recordset::operator=(Recordset&&) noexcept = default;

void Recordset::OpenTable(const std::string& table) {
    auto tables = engine_->TableNames();
    if (std::find(tables.begin(), tables.end(), table) == tables.end()) {
        throw DbError(3219, "'" + table + "' is a query or linked table; open it as a dynaset or snapshot.");
    }
    table_ = table;
    key_column_ = "rowid";
    std::string columns;
    for (const auto& c : engine_->Columns(table)) {
        if (c.row_key) key_column_ = c.field.Name();
        fields_.push_back(c.field);
        typed_.push_back(true);
        origin_.push_back(c.field.Name());
        defaults_.push_back(FieldValue::DefaultOf(c.field));
        columns += (columns.empty() ? "" : ", ") + engine_->Quote(c.field.Name());
    }
    updatable_ = !engine_->ReadOnly();
    table_writes_ = &engine_->TableWrites(table);
    select_list_ = columns;
    fetch_ = engine_->Prepare("SELECT " + columns + " FROM " + engine_->Quote(table) + " WHERE " +
                              engine_->Quote(key_column_) + " = ?1");
    at_ = At::First;
}

void Recordset::OpenStatement(std::string_view sql, std::string_view dialect) {
    auto statement = dialect.empty() ? engine_->Prepare(sql) : engine_->PrepareTranslation(dialect, std::string(sql));
    const int n = statement->ColumnCount();
    std::vector<ColumnMeta> metas;
    metas.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) metas.push_back(statement->Column(i));
    // The rows are updatable when they carry the row key of the table their columns come from.
    // A translated statement had the schema checked just now: the tables' columns may come from
    // the engine's cache.
    std::map<std::string, std::vector<ColumnInfo>> read;
    std::map<std::string, const std::vector<ColumnInfo>*> schemas;
    for (int i = 0; i < n && key_field_ < 0; ++i) {
        const auto& m = metas[static_cast<std::size_t>(i)];
        if (m.origin_table.empty() || m.origin_schema != "main") continue;
        auto& cols = schemas[m.origin_table];
        if (!cols) cols = dialect.empty() ? &(read[m.origin_table] = engine_->Columns(m.origin_table))
                                          : &engine_->CheckedColumns(m.origin_table);
        for (const auto& c : *cols) {
            if (c.row_key && Lower(c.field.Name()) == Lower(m.origin_column)) {
                table_ = m.origin_table;
                key_column_ = c.field.Name();
                key_field_ = i;
            }
        }
    }
    if (table_.empty() && n > 0 && !metas[0].origin_table.empty() &&
        std::all_of(metas.begin(), metas.end(), [&](const ColumnMeta& m) { return m.origin_table == metas[0].origin_table; })) {
        table_ = metas[0].origin_table;
    }
    // the defaults of the base table's fields, for AddNew (only a dynaset adds rows)
    std::unordered_map<std::string, const Field*> base;
    if (auto cols = schemas.find(table_); type_ == RecordsetType::Dynaset && cols != schemas.end()) {
        for (const auto& c : *cols->second) base.emplace(Lower(c.field.Name()), &c.field);
    }
    fields_.reserve(metas.size());
    typed_.reserve(metas.size());
    origin_.reserve(metas.size());
    defaults_.reserve(metas.size());
    for (auto& m : metas) {
        fields_.push_back(std::move(m.field));
        typed_.push_back(m.typed);
        bool writes = Keyed() && m.origin_table == table_ && m.origin_schema == "main" && !m.origin_column.empty();
        origin_.push_back(writes ? m.origin_column : std::string());
        Value dflt;
        if (writes && !base.empty()) {
            if (auto found = base.find(Lower(m.origin_column)); found != base.end()) dflt = FieldValue::DefaultOf(*found->second);
        }
        defaults_.push_back(dflt);
    }
    updatable_ = type_ == RecordsetType::Dynaset && Keyed() && !engine_->ReadOnly();
    if (Streams()) {
        stream_ = std::move(statement);
        stream_->Stream();
        current_.assign(fields_.size(), Value());
        current_read_.assign(fields_.size(), 0);
        StreamRow();
        if (at_ == At::Eof) at_ = At::Bof;  // empty: BOF and EOF at once
        return;
    }
    while (statement->Step()) {
        ++row_count_;
        for (int i = 0; i < n; ++i) {
            auto ui = static_cast<std::size_t>(i);
            statement->ReadField(i, fields_[ui], typed_[ui], cells_.emplace_back());
        }
        if (Keyed()) keys_.push_back(statement->GetInt64(key_field_));
    }
    keys_loaded_ = true;
    at_ = cells_.empty() ? At::Eof : At::Index;
    pos_ = 0;
}

void Recordset::StreamRow() {
    if (!stream_->Step()) {
        stream_->Reset();
        at_ = At::Eof;
        return;
    }
    // the values are read from the statement when they are asked for
    std::fill(current_read_.begin(), current_read_.end(), 0);
    ++streamed_;
    at_ = At::Index;
}

bool Recordset::IsOpen() const { return engine_ && engine_->IsOpen(); }

void Recordset::Close() noexcept {
    seek_.clear();
    fetch_.reset();
    stream_.reset();
    current_read_.clear();
    block_fetch_.reset();
    cells_.clear();
    row_count_ = 0;
    keys_.clear();
    writes_[0].clear();
    writes_[1].clear();
    last_write_[0] = last_write_[1] = nullptr;
    engine_.reset();
    edit_mode_ = EditMode::None;
}

bool Recordset::Updatable() const { return IsOpen() && updatable_; }

void Recordset::Require() const {
    RequireOpen();
    if (seek_pending_) FindSoughtRow();
}

void Recordset::RequireOpen() const {
    if (!IsOpen()) throw DbError(3420, "The recordset is closed (or its database was closed).");
    Refresh();
}

void Recordset::LoadCurrent(const EngineStatement& statement, int first_column) const {
    current_.resize(fields_.size());
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        statement.ReadField(first_column + static_cast<int>(i), fields_[i], true, current_[i]);
    }
    current_loaded_ = true;
    current_loaded_key_ = current_key_;
    current_writes_ = *table_writes_;
}

void Recordset::FindSoughtRow() const {
    seek_pending_ = false;
    fetch_->Reset();
    fetch_->Bind(1, FieldValue::Key(current_key_));
    if (fetch_->Step()) {
        LoadCurrent(*fetch_, 0);
    } else {
        no_match_ = true;
        at_ = At::Eof;
        pos_ = keys_loaded_ ? static_cast<long long>(keys_.size()) : 0;
    }
    fetch_->Reset();
}

bool Recordset::NoMatch() const {
    if (seek_pending_ && IsOpen()) FindSoughtRow();
    return no_match_;
}

void Recordset::Refresh() const {
    if (!Lazy() || !keys_loaded_ || *table_writes_ == keys_writes_) return;
    const bool on_row = at_ == At::Index && !deleted_current_ && pos_ >= 0 &&
                        pos_ < static_cast<long long>(keys_.size());
    const std::int64_t key = on_row ? keys_[static_cast<std::size_t>(pos_)] : 0;
    keys_loaded_ = false;
    if (!on_row) return;  // Bof, Eof, a row to be found by key, or the first row: nothing to follow
    EnsureKeys();
    auto it = std::find(keys_.begin(), keys_.end(), key);
    if (it != keys_.end()) {
        pos_ = it - keys_.begin();
    } else {
        // The rows behind it moved up into its place: MoveNext goes there, reading it fails.
        deleted_current_ = true;
    }
}

void Recordset::RequireWritable(bool keep_sought) const {
    if (keep_sought) {
        RequireOpen();
    } else {
        Require();
    }
    if (!updatable_) {
        throw DbError(3027, "The recordset cannot be updated" +
                                (engine_->ReadOnly() ? ": the database '" + engine_->Path() + "' is read-only."
                                                     : std::string(" (snapshot, or rows without their table's key).")));
    }
}


long long Recordset::Size() const {
    if (Streams()) return streamed_;
    if (Lazy()) {
        EnsureKeys();
        return static_cast<long long>(keys_.size());
    }
    return row_count_;
}

void Recordset::EnsureKeys() const {
    if (keys_loaded_ || !Lazy()) return;
    std::string order;
    for (const auto& f : index_fields_) {
        std::string plain = (!f.empty() && (f[0] == '-' || f[0] == '+')) ? f.substr(1) : f;
        order += engine_->Quote(plain) + (f[0] == '-' ? " DESC, " : ", ");
    }
    auto keys = engine_->Prepare("SELECT " + engine_->Quote(key_column_) + " FROM " + engine_->Quote(table_) +
                                 " ORDER BY " + order + engine_->Quote(key_column_));
    keys_writes_ = *table_writes_;
    keys_.clear();
    while (keys->Step()) keys_.push_back(keys->GetInt64(0));
    keys_loaded_ = true;
}

void Recordset::Resolve() const {
    if (at_ == At::First) {
        pos_ = 0;
        at_ = Size() > 0 ? At::Index : At::Eof;
    } else if (at_ == At::Key) {
        EnsureKeys();
        auto it = std::find(keys_.begin(), keys_.end(), current_key_);
        if (it == keys_.end()) {
            at_ = At::Eof;
        } else {
            at_ = At::Index;
            pos_ = it - keys_.begin();
        }
    }
}

std::int64_t Recordset::CurrentKey() const {
    if (at_ == At::Key) return current_key_;
    Resolve();
    if (at_ != At::Index || pos_ < 0 || pos_ >= Size()) NoCurrentRecord();
    return Keyed() ? keys_[static_cast<std::size_t>(pos_)] : pos_;
}

// Keeps the position by key, so the keys may be reloaded (or left stale) without losing it.
void Recordset::ToKey() const {
    if (!Lazy() || at_ != At::Index || pos_ < 0 || pos_ >= static_cast<long long>(keys_.size())) return;
    const_cast<Recordset*>(this)->current_key_ = keys_[static_cast<std::size_t>(pos_)];
    at_ = At::Key;
}

void Recordset::RequireCurrent() const {
    Require();
    if (deleted_current_) throw DbError(3167, "The current record was deleted.");
    if (at_ == At::Key) return;
    Resolve();
    if (at_ != At::Index || pos_ < 0 || pos_ >= Size()) NoCurrentRecord();
}

const Value& Recordset::CurrentValue(std::size_t field) const {
    RequireCurrent();
    if (!Lazy()) return cells_[static_cast<std::size_t>(pos_) * fields_.size() + field];
    std::int64_t key = CurrentKey();
    if (at_ == At::Index) {
        if (const Value* v = BlockValue(key, field)) return *v;
    }
    if (!current_loaded_ || current_loaded_key_ != key || current_writes_ != *table_writes_) {
        fetch_->Reset();
        fetch_->Bind(1, FieldValue::Key(key));
        if (!fetch_->Step()) throw DbError(3167, "The current record was deleted.");
        LoadCurrent(*fetch_, 0);
        current_loaded_key_ = key;
        fetch_->Reset();
    }
    return current_[field];
}

const Value* Recordset::BlockValue(std::int64_t key, std::size_t field) const {
    const long long writes = *table_writes_;
    auto row_of = [this](std::int64_t k) {
        auto it = std::lower_bound(block_rows_.begin(), block_rows_.end(), std::make_pair(k, std::size_t{0}));
        return it != block_rows_.end() && it->first == k ? static_cast<long long>(it->second) : -1LL;
    };
    if (writes == block_writes_) {
        const long long row = row_of(key);
        if (row >= 0 && block_slot_[field] >= 0) {
            block_read_[field] = 1;
            return &block_cells_[static_cast<std::size_t>(row) * block_width_ + static_cast<std::size_t>(block_slot_[field])];
        }
    }
    // The next block: the first reads every field; from the second on, the fields read since
    // the last one (and the one asked for), widened again whenever the walk asks for another.
    std::vector<int> slots(fields_.size(), -1);
    std::size_t width = 0;
    const bool narrow = !block_slot_.empty();
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        bool take = !narrow || i == field || block_read_[i] || (block_narrowed_ && block_slot_[i] >= 0);
        if (take) slots[i] = static_cast<int>(width++);
    }
    if (!block_fetch_ || slots != block_slot_) {
        std::string columns, marks;
        for (std::size_t i = 0; i < fields_.size(); ++i) {
            if (slots[i] >= 0) columns += ", " + engine_->Quote(origin_[i]);
        }
        for (std::size_t i = 0; i < kBlock; ++i) marks += (i ? ", ?" : "?") + std::to_string(i + 1);
        block_fetch_ = engine_->Prepare("SELECT " + engine_->Quote(key_column_) + columns + " FROM " +
                                        engine_->Quote(table_) + " WHERE " + engine_->Quote(key_column_) + " IN (" +
                                        marks + ")");
        block_narrowed_ = narrow;
        block_slot_ = std::move(slots);
        block_width_ = width;
    }
    block_read_.assign(fields_.size(), 0);
    block_read_[field] = 1;
    const long long size = static_cast<long long>(keys_.size());
    // walking backwards: the block ends at the current row
    long long start = (block_start_ >= 0 && pos_ < block_start_) ? std::max(0LL, pos_ - static_cast<long long>(kBlock) + 1) : pos_;
    block_fetch_->Reset();
    for (std::size_t i = 0; i < kBlock; ++i) {
        long long at = std::min(start + static_cast<long long>(i), size - 1);
        block_fetch_->Bind(static_cast<int>(i + 1), FieldValue::Key(keys_[static_cast<std::size_t>(at)]));
    }
    block_rows_.clear();
    std::size_t row = 0;
    while (block_fetch_->Step()) {
        block_rows_.emplace_back(block_fetch_->GetInt64(0), row);
        if (block_cells_.size() < (row + 1) * block_width_) block_cells_.resize((row + 1) * block_width_);
        for (std::size_t i = 0; i < fields_.size(); ++i) {
            if (block_slot_[i] < 0) continue;
            block_fetch_->ReadField(block_slot_[i] + 1, fields_[i], true,
                                    block_cells_[row * block_width_ + static_cast<std::size_t>(block_slot_[i])]);
        }
        ++row;
    }
    block_fetch_->Reset();
    std::sort(block_rows_.begin(), block_rows_.end());
    block_start_ = start;
    block_writes_ = writes;
    const long long found = row_of(key);
    return found < 0 ? nullptr
                     : &block_cells_[static_cast<std::size_t>(found) * block_width_ + static_cast<std::size_t>(block_slot_[field])];
}

bool Recordset::Bof() const {
    Require();
    if (Streams()) return at_ == At::Bof;
    if (at_ == At::Key) return false;
    Resolve();
    return at_ == At::Bof || Size() == 0;
}

bool Recordset::Eof() const {
    Require();
    if (Streams()) return at_ != At::Index;
    if (at_ == At::Key) return false;
    Resolve();
    return at_ == At::Eof || Size() == 0 || (at_ == At::Index && pos_ >= Size());
}

void Recordset::MoveFirst() {
    Require();
    if (Streams()) NotSupported("MoveFirst");
    edit_mode_ = EditMode::None;
    deleted_current_ = false;
    pos_ = 0;
    at_ = Size() > 0 ? At::Index : At::Eof;
}

void Recordset::MoveLast() {
    Require();
    if (Streams()) NotSupported("MoveLast");
    edit_mode_ = EditMode::None;
    deleted_current_ = false;
    if (Size() == 0) NoCurrentRecord();
    pos_ = Size() - 1;
    at_ = At::Index;
}

void Recordset::MoveNext() {
    Require();
    edit_mode_ = EditMode::None;
    if (Streams()) {
        if (at_ != At::Index) NoCurrentRecord();
        StreamRow();
        return;
    }
    Resolve();
    if (at_ == At::Eof) NoCurrentRecord();
    if (at_ == At::Bof) {
        pos_ = 0;
    } else if (deleted_current_) {
        deleted_current_ = false;  // the row after the deleted one already is at pos_
    } else {
        ++pos_;
    }
    at_ = pos_ < Size() ? At::Index : At::Eof;
}

void Recordset::MovePrevious() {
    Require();
    if (Streams()) NotSupported("MovePrevious");
    edit_mode_ = EditMode::None;
    Resolve();
    if (at_ == At::Bof) NoCurrentRecord();
    if (at_ == At::Eof) pos_ = Size();
    deleted_current_ = false;
    --pos_;
    at_ = pos_ >= 0 ? At::Index : At::Bof;
}

long long Recordset::RecordCount() const {
    Require();
    return Size();
}

void Recordset::Requery() {
    Require();
    if (!Lazy()) return;  // statement rows are read once; a new recordset reads them again
    edit_mode_ = EditMode::None;
    deleted_current_ = false;
    keys_loaded_ = false;
    current_loaded_ = false;
    block_rows_.clear();
    block_cells_.clear();
    block_writes_ = -1;
    block_start_ = -1;
    at_ = At::First;
}

Recordset::Bookmark Recordset::GetBookmark() const {
    if (Streams()) NotSupported("A bookmark");
    RequireCurrent();
    return CurrentKey();
}

void Recordset::SetBookmark(Bookmark bookmark) {
    Require();
    if (Streams()) NotSupported("A bookmark");
    edit_mode_ = EditMode::None;
    deleted_current_ = false;
    if (Keyed()) {
        EnsureKeys();
        auto it = std::find(keys_.begin(), keys_.end(), bookmark);
        if (it == keys_.end()) throw DbError(3159, "The bookmark is not valid for this recordset.");
        pos_ = it - keys_.begin();
    } else {
        if (bookmark < 0 || bookmark >= Size()) throw DbError(3159, "The bookmark is not valid for this recordset.");
        pos_ = bookmark;
    }
    at_ = At::Index;
}

Recordset::Bookmark Recordset::LastModified() const {
    Require();
    return last_modified_;
}

void Recordset::SetIndex(std::string_view name) {
    Require();
    if (type_ != RecordsetType::Table) NotSupported("An index");
    for (const auto& index : engine_->Indexes(table_)) {
        if (Lower(index.Name()) != Lower(name)) continue;
        edit_mode_ = EditMode::None;
        bool had_row = at_ == At::Key || (at_ == At::Index && pos_ >= 0 && pos_ < Size());
        if (had_row && !deleted_current_) {
            ToKey();
        } else {
            at_ = At::First;
        }
        index_name_ = index.Name();
        index_fields_ = index.Fields();
        index_field_pos_.clear();
        orders_.assign(fields_.size(), false);
        for (std::size_t i = 0; i < fields_.size(); ++i) orders_[i] = Lower(origin_[i]) == Lower(key_column_);
        for (const auto& f : index_fields_) {
            bool sign = !f.empty() && (f[0] == '-' || f[0] == '+');
            int pos = FieldIndex(sign ? std::string_view(f).substr(1) : std::string_view(f));
            index_field_pos_.push_back(pos);
            orders_[static_cast<std::size_t>(pos)] = true;
        }
        index_is_key_ = index_fields_.size() == 1 && Lower(origin_[static_cast<std::size_t>(index_field_pos_[0])]) == Lower(key_column_);
        keys_loaded_ = false;
        seek_.clear();
        return;
    }
    throw DbError(3800, "'" + std::string(name) + "' is not an index of table '" + table_ + "'.");
}

void Recordset::Seek(std::string_view comparison, const Value* keys, std::size_t count) {
    Require();
    if (type_ != RecordsetType::Table) NotSupported("Seek");
    if (index_fields_.empty()) throw DbError(3019, "Seek needs a current index (set Index first).");
    const std::string op(comparison);
    if (op != "=" && op != "<" && op != "<=" && op != ">" && op != ">=") {
        throw DbError(3001, "Seek: '" + op + "' is no comparison (=, <, <=, >, >=).");
    }
    if (count == 0 || count > index_fields_.size()) {
        throw DbError(3001, "Seek: the index '" + index_name_ + "' has " + std::to_string(index_fields_.size()) +
                                " field(s); " + std::to_string(count) + " key value(s) were given.");
    }
    edit_mode_ = EditMode::None;
    // Outside a transaction every statement pays for taking the file's lock, so the row comes
    // with the search; inside one a search is cheap and the row is often only edited.
    const bool with_row = engine_->TransactionDepth() == 0;
    if (!with_row && op == "=" && index_is_key_) {
        // The key is the row: whether it is there is learnt by the first call that needs it,
        // for Edit and Update by their write (no search of its own).
        Value key = FieldValue::ToStored(fields_[static_cast<std::size_t>(index_field_pos_[0])], keys[0], Owner());
        if (key.kind() == Value::Kind::Long) {
            deleted_current_ = false;
            no_match_ = false;
            current_key_ = key.ToLong();
            at_ = At::Key;
            seek_pending_ = true;
            return;
        }
    }
    const std::string slot = op + std::to_string(count) + (with_row ? "+row" : "");
    auto& statement = seek_[slot];
    if (!statement) {
        std::string lhs, rhs, order;
        const bool backwards = op[0] == '<';
        for (std::size_t i = 0; i < count; ++i) {
            const std::string& f = fields_[static_cast<std::size_t>(index_field_pos_[i])].Name();
            lhs += (i ? ", " : "") + engine_->Quote(f);
            rhs += (i ? ", ?" : "?") + std::to_string(i + 1);
            order += engine_->Quote(f) + (backwards ? " DESC, " : ", ");
        }
        if (count > 1) {
            lhs = "(" + lhs + ")";
            rhs = "(" + rhs + ")";
        }
        statement = engine_->Prepare("SELECT " + engine_->Quote(key_column_) + (with_row ? ", " + select_list_ : "") +
                                     " FROM " + engine_->Quote(table_) + " WHERE " + lhs + " " + op + " " + rhs +
                                     " ORDER BY " + order + engine_->Quote(key_column_) + (backwards ? " DESC" : "") +
                                     " LIMIT 1");
    }
    statement->Reset();
    for (std::size_t i = 0; i < count; ++i) {
        const Field& field = fields_[static_cast<std::size_t>(index_field_pos_[i])];
        statement->Bind(static_cast<int>(i + 1), FieldValue::ToStored(field, keys[i], Owner()));
    }
    deleted_current_ = false;
    no_match_ = !statement->Step();
    if (no_match_) {
        at_ = At::Eof;
        pos_ = keys_loaded_ ? static_cast<long long>(keys_.size()) : 0;
    } else {
        current_key_ = statement->GetInt64(0);
        at_ = At::Key;
        if (with_row) LoadCurrent(*statement, 1);
    }
    statement->Reset();
}

void Recordset::Find(std::string_view criteria, bool forward, bool from_edge) {
    Require();
    if (!Keyed() || table_.empty() || Streams()) NotSupported("Find");
    edit_mode_ = EditMode::None;
    const std::string search = "SELECT [" + key_column_ + "] FROM [" + table_ + "] WHERE " + std::string(criteria);
    auto translation = engine_->Translate(search);
    auto statement = engine_->PrepareTranslation(search, translation.sql);
    std::unordered_set<std::int64_t> matches;
    while (statement->Step()) matches.insert(statement->GetInt64(0));
    Resolve();
    const long long size = Size();
    long long start;
    if (from_edge) {
        start = forward ? 0 : size - 1;
    } else if (at_ == At::Eof) {
        start = forward ? size : size - 1;
    } else if (at_ == At::Bof) {
        start = forward ? 0 : -1;
    } else {
        start = forward ? (deleted_current_ ? pos_ : pos_ + 1) : pos_ - 1;
    }
    for (long long i = start; i >= 0 && i < size; i += forward ? 1 : -1) {
        if (matches.count(keys_[static_cast<std::size_t>(i)])) {
            pos_ = i;
            at_ = At::Index;
            deleted_current_ = false;
            no_match_ = false;
            return;
        }
    }
    no_match_ = true;
}

void Recordset::FindFirst(std::string_view criteria) { Find(criteria, true, true); }
void Recordset::FindNext(std::string_view criteria) { Find(criteria, true, false); }
void Recordset::FindPrevious(std::string_view criteria) { Find(criteria, false, false); }
void Recordset::FindLast(std::string_view criteria) { Find(criteria, false, true); }

const std::vector<Field>& Recordset::Fields() const {
    Require();
    return fields_;
}

int Recordset::FieldIndex(std::string_view name) const {
    RequireOpen();
    const auto next = static_cast<std::size_t>(name_hint_ + 1);
    if (next < fields_.size() && fields_[next].Name() == name) return ++name_hint_;
    if (name_hint_ >= 0 && fields_[static_cast<std::size_t>(name_hint_)].Name() == name) return name_hint_;
    if (auto exact = name_pos_.find(std::string(name)); exact != name_pos_.end()) return name_hint_ = exact->second;
    auto it = name_pos_lower_.find(Lower(name));
    if (it == name_pos_lower_.end()) {
        throw DbError(3265, "The field '" + std::string(name) + "' is not in this recordset" +
                                (table_.empty() ? std::string(".") : " of '" + table_ + "'."));
    }
    return it->second;
}

bool Recordset::HasField(std::string_view name) const {
    Require();
    return name_pos_.count(std::string(name)) > 0 || name_pos_lower_.count(Lower(name)) > 0;
}

const Value& Recordset::Get(std::string_view name) const { return Get(FieldIndex(name)); }

// inline: Get reads every value of a walk through it
inline void Recordset::ReadStreamed(std::size_t i) const {
    stream_->ReadField(static_cast<int>(i), fields_[i], typed_[i], current_[i]);
    current_read_[i] = 1;
}

const Value& Recordset::Get(int index) const {
    // A forward-only walk on a row has no table to follow and no Seek to finish: the value is
    // read from the statement the first time it is asked for. current_read_ has a flag per field
    // only while a forward-only recordset is open; a negative index turns into one past its end.
    const auto i = static_cast<std::size_t>(index);
    if (at_ == At::Index && i < current_read_.size() && engine_->IsOpen()) {
        if (!current_read_[i]) ReadStreamed(i);
        return current_[i];
    }
    return GetChecked(index);
}

const Value& Recordset::GetChecked(int index) const {
    Require();
    if (index < 0 || index >= static_cast<int>(fields_.size())) {
        throw DbError(3265, "There is no field number " + std::to_string(index) + " in this recordset.");
    }
    auto i = static_cast<std::size_t>(index);
    if (Streams()) {
        if (at_ != At::Index) NoCurrentRecord();
        if (!current_read_[i]) ReadStreamed(i);
        return current_[i];
    }
    if (edit_mode_ == EditMode::None && at_ == At::Index && !Lazy() && !deleted_current_ && pos_ >= 0 &&
        pos_ < row_count_) {
        return cells_[static_cast<std::size_t>(pos_) * fields_.size() + i];  // the walk through held rows
    }
    // Edit keeps only the changed values, the others are the row's; AddNew's others are the defaults
    if (edit_mode_ != EditMode::None && dirty_[i]) return buffer_[i];
    if (edit_mode_ == EditMode::AddNew) return defaults_[i];
    return CurrentValue(i);
}

}  // namespace tlx4r::db
