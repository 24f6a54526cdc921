#include "SqliteEngine.h"

#include "db/DbError.h"
#include "db/SqliteError.h"
#include "types/Utf8.h"

#include <sqlite3.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <thread>

namespace tlx4r::db {

namespace {

// "TLX4" in the file header marks a database this layer created.
constexpr int kApplicationId = 0x544C5834;

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

bool WriteProtected(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

SqliteEngine::SqliteEngine(const std::string& path, bool create, const OpenOptions& options) : path_(path) {
    if (path_.empty()) throw DbError(3024, "No database file name was given.");
    if (create && FileExists(path_)) throw DbError(3204, "The database '" + path_ + "' already exists.");
    if (!create && !FileExists(path_)) throw DbError(3024, "The database file '" + path_ + "' was not found.");
    read_only_ = !create && (options.read_only || WriteProtected(path_));
    portable_text_ = options.portable_text;
    busy_timeout_ms_ = options.busy_timeout_ms;
    // A connection belongs to one thread (the component has one), so SQLite's per-call mutex
    // only costs time.
    int flags = (read_only_ ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    if (create) flags |= SQLITE_OPEN_CREATE;
    int rc = sqlite3_open_v2(path_.c_str(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3* failed = db_;
        db_ = nullptr;
        try {
            RaiseSqlite(failed, rc, {}, path_);
        } catch (...) {
            sqlite3_close_v2(failed);
            throw;
        }
    }
    try {
        sqlite3_extended_result_codes(db_, 1);
        sqlite3_busy_handler(db_, BusyWait, this);
        sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
        sqlite3_db_config(db_, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
        sqlite3_set_authorizer(db_, Authorize, this);
        RegisterJetFunctions(db_);  // like(), Sum() exact for amounts, First(), JETTEXT, …
        // Reading the schema is what tells a database from any other file; nothing is written
        // before it succeeded.
        Exec("SELECT count(*) FROM sqlite_schema");
        if (!options.durable) {
            Exec("PRAGMA journal_mode = MEMORY");
        } else if (create) {
            // A rollback journal: write-ahead logging needs shared memory, which files on a
            // shared network folder do not offer safely.
            Exec("PRAGMA journal_mode = DELETE");
        }
        Exec(options.durable ? "PRAGMA synchronous = FULL" : "PRAGMA synchronous = OFF");
        if (create) Exec("PRAGMA application_id = " + std::to_string(kApplicationId));
        jet_ = std::make_unique<JetSql>(*this, [this](const std::string& p) { return Attach(p); });
    } catch (...) {
        Close();
        throw;
    }
}

SqliteEngine::~SqliteEngine() { Close(); }

void SqliteEngine::Close() noexcept {
    if (!db_) return;
    cache_.clear();
    if (depth_ > 0) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    depth_ = 0;
    // _v2: statements still held by recordsets are finalised later without harm
    sqlite3_close_v2(db_);
    db_ = nullptr;
    jet_.reset();
    attached_.clear();
}

// SQLite's own busy timeout sleeps up to 100 ms between tries: a program that writes again
// right after its commit (another user recording entries) would then keep the lock nearly all
// the time and the waiting one would fail. Short steps find the gaps between its writes.
int SqliteEngine::BusyWait(void* engine, int count) {
    auto* self = static_cast<SqliteEngine*>(engine);
    const auto now = std::chrono::steady_clock::now();
    if (count == 0) self->busy_since_ = now;
    if (now - self->busy_since_ >= std::chrono::milliseconds(self->busy_timeout_ms_)) return 0;
    std::this_thread::sleep_for(std::chrono::microseconds(count < 20 ? 100 : 500));
    return 1;
}

int SqliteEngine::Authorize(void* engine, int action, const char* arg1, const char*, const char* schema,
                            const char*) {
    // PRAGMA case_sensitive_like would replace the dialect's like() with SQLite's own.
    if (action == SQLITE_PRAGMA && arg1 && sqlite3_stricmp(arg1, "case_sensitive_like") == 0) return SQLITE_DENY;
    // Asked for the statement itself and for the trigger programs it carries (cascades), so a
    // write reached only through a relation is noted too. A DELETE without WHERE empties the
    // table without telling SQLite's update hook; this is told about it all the same.
    auto* self = static_cast<SqliteEngine*>(engine);
    if ((action == SQLITE_INSERT || action == SQLITE_UPDATE || action == SQLITE_DELETE) && arg1 && self->writes_seen_ &&
        schema && std::strcmp(schema, "main") == 0) {
        self->writes_seen_->push_back(utf8::Lower(arg1));
    }
    return SQLITE_OK;
}

std::unique_ptr<SqliteStatement> SqliteEngine::NewStatement(std::string_view sql) {
    sqlite3* db = Db();
    std::vector<std::string> written;
    writes_seen_ = &written;
    std::unique_ptr<SqliteStatement> statement;
    try {
        statement = std::make_unique<SqliteStatement>(db, sql, path_);
    } catch (...) {
        writes_seen_ = nullptr;
        throw;
    }
    writes_seen_ = nullptr;
    std::sort(written.begin(), written.end());
    written.erase(std::unique(written.begin(), written.end()), written.end());
    std::vector<long long*> counters;
    for (const auto& table : written) counters.push_back(&table_writes_[table]);
    statement->CountRunsIn(std::move(counters));
    return statement;
}

const long long& SqliteEngine::TableWrites(std::string_view table) { return table_writes_[utf8::Lower(table)]; }

sqlite3* SqliteEngine::Db() const {
    if (!db_) throw DbError(3420, "The database '" + path_ + "' is closed.");
    return db_;
}

std::unique_ptr<EngineStatement> SqliteEngine::Prepare(std::string_view sql) {
    return NewStatement(sql);
}

StatementLease SqliteEngine::Cached(std::string_view sql) {
    Db();
    auto it = cache_.find(std::string(sql));
    if (it == cache_.end()) {
        it = cache_.emplace(std::string(sql), NewStatement(sql)).first;
    } else {
        it->second->Reset();
    }
    return StatementLease(*it->second);
}

long long SqliteEngine::Exec(std::string_view sql) {
    sqlite3* db = Db();
    std::string_view rest = sql;
    while (true) {
        std::size_t skip = rest.find_first_not_of(" \t\r\n;");
        if (skip == std::string_view::npos) break;
        rest.remove_prefix(skip);
        auto statement = NewStatement(rest);
        while (statement->Step()) {
        }
        rest.remove_prefix(std::min(statement->Consumed(), rest.size()));
    }
    return sqlite3_changes64(db);
}

long long SqliteEngine::Changes() const { return sqlite3_changes64(Db()); }

long long SqliteEngine::TotalChanges() const { return sqlite3_total_changes64(Db()); }

std::int64_t SqliteEngine::LastInsertId() const { return sqlite3_last_insert_rowid(Db()); }

Translation SqliteEngine::Translate(std::string_view statement) {
    Db();
    CheckSchema();
    return jet_->Translate(statement);
}

void SqliteEngine::SchemaChanged() {
    ++generation_;
    schema_cookie_ = -1;  // our own change moved the cookie too: the next check only notes it
    if (jet_) jet_->ClearCache();
}

// SQLite re-prepares its own statements when another connection changed the schema, but a
// translation also depends on it (the columns of "T.*", INSERT … SELECT * matched by name), so
// the file's schema cookie is compared before a translation is used. It costs one small read
// of the file header (under the lock a transaction holds anyway).
void SqliteEngine::CheckSchema() {
    long long cookie = 0;
    {
        auto version = Cached("PRAGMA main.schema_version");
        if (version.Step()) cookie = version.GetInt64(0);
    }
    if (schema_cookie_ != -1 && cookie != schema_cookie_) SchemaChanged();
    schema_cookie_ = cookie;
}

void SqliteEngine::Begin() {
    if (depth_ == 0) {
        // IMMEDIATE takes the write lock at once (waiting up to the busy timeout) instead of
        // failing half-way through when another connection writes.
        Exec(read_only_ ? "BEGIN" : "BEGIN IMMEDIATE");
    } else {
        Exec("SAVEPOINT tlx" + std::to_string(depth_));
    }
    ++depth_;
}

void SqliteEngine::Commit() {
    if (depth_ == 0) throw DbError(3034, "Commit without a transaction.");
    // SQLite ends a transaction itself after a full disk or a failed write; an error a caller
    // chose to pass over (a relation that could not be made) may have been that one.
    // The caller's Rollback then only counts the transaction down.
    if (sqlite3_get_autocommit(Db()) != 0) {
        for (auto& entry : table_writes_) ++entry.second;
        throw DbError(3034, "The changes to the database '" + path_ +
                                "' were undone: an error while writing (a full disk, a failed write) ended their "
                                "transaction.");
    }
    if (depth_ == 1) {
        Exec("COMMIT");  // on failure (locked) the transaction stays open
    } else {
        Exec("RELEASE tlx" + std::to_string(depth_ - 1));
    }
    --depth_;
}

void SqliteEngine::Rollback() {
    if (depth_ == 0) throw DbError(3034, "Rollback without a transaction.");
    // Any table may have its rows of before back.
    for (auto& entry : table_writes_) ++entry.second;
    --depth_;
    if (sqlite3_get_autocommit(Db()) != 0) return;  // SQLite has ended it already
    if (depth_ == 0) {
        Exec("ROLLBACK");
    } else {
        std::string name = "tlx" + std::to_string(depth_);
        Exec("ROLLBACK TO " + name + "; RELEASE " + name);
    }
}

std::string SqliteEngine::Attach(const std::string& path) {
    std::error_code ec;
    auto canonical = std::filesystem::weakly_canonical(path, ec).string();
    if (ec || canonical.empty()) canonical = path;
    if (auto it = attached_.find(canonical); it != attached_.end()) return it->second;
    if (!FileExists(canonical)) throw DbError(3024, "The database file '" + path + "' was not found.");
    std::string schema = "ext" + std::to_string(attached_.size() + 1);
    auto attach = Cached("ATTACH DATABASE ?1 AS " + Quote(schema));
    attach.Bind(1, Value(canonical));
    attach.Step();
    attached_.emplace(canonical, schema);
    SchemaChanged();
    return schema;
}

void SqliteEngine::CompactInto(const std::string& path) {
    if (FileExists(path)) throw DbError(3204, "The database '" + path + "' already exists.");
    auto vacuum = Prepare("VACUUM main INTO ?1");
    vacuum->Bind(1, Value(path));
    vacuum->Step();
}

namespace {

// Copies database source into destination page by page with SQLite's online backup: readers of
// the source go on; the destination changes in one transaction. A busy step waits, up to the
// timeout, for the other program's lock.
void CopyPages(sqlite3* destination, sqlite3* source, const std::string& file, int timeout_ms) {
    sqlite3_backup* backup = sqlite3_backup_init(destination, "main", source, "main");
    if (backup == nullptr) RaiseSqlite(destination, sqlite3_errcode(destination), {}, file);
    int rc = SQLITE_OK;
    int waited = 0;
    for (;;) {
        rc = sqlite3_backup_step(backup, 256);
        if (rc == SQLITE_OK) continue;
        if ((rc == SQLITE_BUSY || rc == SQLITE_LOCKED) && waited < timeout_ms) {
            sqlite3_sleep(20);
            waited += 20;
            continue;
        }
        break;
    }
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE) RaiseSqlite(nullptr, rc, {}, file);
}

}  // namespace

void SqliteEngine::BackupInto(const std::string& path) {
    sqlite3* source = Db();
    if (FileExists(path)) throw DbError(3204, "The database '" + path + "' already exists.");
    sqlite3* target = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                             nullptr);
    try {
        if (rc != SQLITE_OK) RaiseSqlite(target, rc, {}, path);
        CopyPages(target, source, path, busy_timeout_ms_);
    } catch (...) {
        sqlite3_close_v2(target);
        std::error_code ec;
        std::filesystem::remove(path, ec);
        std::filesystem::remove(path + "-journal", ec);
        throw;
    }
    sqlite3_close_v2(target);
}

void SqliteEngine::RestoreFrom(const std::string& path) {
    sqlite3* target = Db();
    if (read_only_) RaiseSqlite(nullptr, SQLITE_READONLY, {}, path_);
    if (depth_ > 0) throw DbError(3034, "A backup cannot be restored inside a transaction.");
    if (!FileExists(path)) throw DbError(3024, "The database file '" + path + "' was not found.");
    sqlite3* source = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &source, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    try {
        if (rc != SQLITE_OK) RaiseSqlite(source, rc, {}, path);
        CheckSqlite(source, sqlite3_exec(source, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr), {},
                    path);
        cache_.clear();
        CopyPages(target, source, path_, busy_timeout_ms_);
    } catch (...) {
        sqlite3_close_v2(source);
        throw;
    }
    sqlite3_close_v2(source);
    for (auto& entry : table_writes_) ++entry.second;
    SchemaChanged();
}

std::vector<std::string> SqliteEngine::IntegrityCheck() {
    std::vector<std::string> problems;
    {
        auto check = Prepare("PRAGMA main.integrity_check");
        while (check->Step()) {
            const std::string row = check->Get(0).ToText();
            if (row != "ok") problems.push_back("integrity_check: " + row);
        }
    }
    auto keys = Prepare("PRAGMA main.foreign_key_check");
    while (keys->Step()) {
        problems.push_back("foreign_key_check: " + keys->Get(0).ToText() + " row " + keys->Get(1).ToText() +
                           " refers to a missing row of " + keys->Get(2).ToText());
    }
    return problems;
}

std::string SqliteEngine::Quote(std::string_view name) const {
    std::string out = "\"";
    for (char c : name) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

}  // namespace tlx4r::db
