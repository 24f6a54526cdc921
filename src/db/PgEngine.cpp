#include "PgEngine.h"

#include "db/DbError.h"
#include "db/JetNode.h"
#include "db/NativeSchema.h"
#include "db/PgError.h"
#include "db/PgServerObjects.h"
#include "db/PgTools.h"
#include "types/Utf8.h"

#include <libpq-fe.h>

#include <cstdint>

#include <cstdlib>
#include <filesystem>

namespace tlx4r::db {

namespace {

// Results that free themselves.
struct Result {
    PGresult* r;
    explicit Result(PGresult* result) : r(result) {}
    ~Result() { PQclear(r); }
    Result(const Result&) = delete;
    Result& operator=(const Result&) = delete;
};

}  // namespace

PgEngine::PgEngine(const std::string& name, bool create, const OpenOptions& options) : name_(name) {
    conn_ = PQconnectdb(name_.ConnInfo().c_str());
    if (PQstatus(conn_) != CONNECTION_OK) {
        std::string message = PQerrorMessage(conn_);
        while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) message.pop_back();
        PQfinish(conn_);
        conn_ = nullptr;
        throw DbError(3024, "Cannot reach the server database '" + name + "': " + message);
    }
    try {
        PQsetClientEncoding(conn_, "UTF8");
        Run("SET client_min_messages = warning");
        InstallServerObjects();
        const std::string schema = Quote(name_.Schema());
        Run("SET search_path = " + schema + ", tlx4r, pg_catalog");
        // A lock held longer than the busy timeout fails the statement instead of waiting on.
        Run("SET lock_timeout = " + std::to_string(options.busy_timeout_ms > 0 ? options.busy_timeout_ms : 1));
        bool exists = false, has_tables = false;
        {
            Result r(PQexec(conn_, ("SELECT EXISTS (SELECT 1 FROM pg_namespace WHERE nspname = " + jet::QuoteText(name_.Schema()) +
                                    "), EXISTS (SELECT 1 FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
                                    "WHERE n.nspname = " + jet::QuoteText(name_.Schema()) + " AND c.relkind IN ('r', 'v'))")
                                       .c_str()));
            if (PQresultStatus(r.r) != PGRES_TUPLES_OK) RaisePg(r.r, conn_, {}, name);
            exists = PQgetvalue(r.r, 0, 0)[0] == 't';
            has_tables = PQgetvalue(r.r, 0, 1)[0] == 't';
        }
        if (create && has_tables) throw DbError(3204, "The database '" + name + "' already exists.");
        if (!create && !exists) exists = TakeBackAfterRestore();
        if (!create && !exists) throw DbError(3024, "The database '" + name + "' was not found on the server.");
        if (create) {
            if (!exists) Run("CREATE SCHEMA " + schema);
        }
        read_only_ = !create && options.read_only;
        if (!read_only_) Run("CREATE TABLE IF NOT EXISTS msystlxschema (version bigint NOT NULL); "
                             "INSERT INTO msystlxschema SELECT 0 WHERE NOT EXISTS (SELECT 1 FROM msystlxschema)");
        if (read_only_) Run("SET default_transaction_read_only = on");
        jet_ = std::make_unique<JetSql>(*this, [this](const std::string& p) { return Attach(p); }, SqlTarget::Postgres);
    } catch (...) {
        Close();
        throw;
    }
}

PgEngine::~PgEngine() { Close(); }

void PgEngine::Drop(const std::string& name) {
    const PgName server(name);
    pg_conn* conn = PQconnectdb(server.ConnInfo().c_str());
    std::string quoted = "\"";
    for (char c : server.Schema()) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    Result r(PQstatus(conn) == CONNECTION_OK
                 ? PQexec(conn, ("SET client_min_messages = warning; DROP SCHEMA IF EXISTS " + quoted + "\" CASCADE").c_str())
                 : nullptr);
    const bool ok = r.r && PQresultStatus(r.r) == PGRES_COMMAND_OK;
    try {
        if (!ok) RaisePg(r.r, conn, {}, name);
    } catch (...) {
        PQfinish(conn);
        throw;
    }
    PQfinish(conn);
}

void PgEngine::Close() noexcept {
    if (!conn_) return;
    cache_.clear();
    PQfinish(conn_);  // an open transaction ends with the connection, undone
    conn_ = nullptr;
    depth_ = 0;
    jet_.reset();
    attached_.clear();
    tables_.clear();
    origins_.clear();
}

pg_conn* PgEngine::Conn() const {
    if (!conn_) throw DbError(3420, "The database '" + name_.Name() + "' is closed.");
    return conn_;
}

void PgEngine::InstallServerObjects() {
    // Several programs may open a new server database at the same moment: one makes the objects.
    Run("SELECT pg_advisory_lock(5408574)");
    try {
        Result r(PQexec(conn_, "SELECT tlx4r.version()"));
        if (PQresultStatus(r.r) != PGRES_TUPLES_OK || std::atoi(PQgetvalue(r.r, 0, 0)) < PgServerObjects::kVersion) {
            Run("BEGIN");
            try {
                Run(PgServerObjects::Sql());
                Run("COMMIT");
            } catch (...) {
                PQclear(PQexec(conn_, "ROLLBACK"));
                throw;
            }
        }
    } catch (...) {
        PQclear(PQexec(conn_, "SELECT pg_advisory_unlock(5408574)"));
        throw;
    }
    Run("SELECT pg_advisory_unlock(5408574)");
}

long long PgEngine::Run(std::string_view sql) {
    pg_conn* conn = Conn();
    Result r(PQexec(conn, std::string(sql).c_str()));
    const auto status = PQresultStatus(r.r);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) RaisePg(r.r, conn, sql, name_.Name());
    const char* tuples = PQcmdTuples(r.r);
    return *tuples ? std::strtoll(tuples, nullptr, 10) : 0;
}

PGresult* PgEngine::Query(const std::string& sql, const std::string& statement) {
    pg_conn* conn = Conn();
    PGresult* result = PQexec(conn, sql.c_str());
    if (PQresultStatus(result) != PGRES_TUPLES_OK) {
        RaisePgAndClear(result, conn, statement, name_.Name());
    }
    return result;
}

void PgEngine::NoteWrites() {
    // The server does not say which tables a statement wrote (triggers and cascades included):
    // every table counts as possibly changed, which costs only needless re-reads.
    for (auto& entry : table_writes_) ++entry.second;
}

PGresult* PgEngine::RunPrepared(const std::string& statement_name,
                                const std::vector<std::optional<std::string>>& parameters, const std::string& sql,
                                bool writes) {
    pg_conn* conn = Conn();
    if (writes) NoteWrites();
    std::vector<const char*> values;
    values.reserve(parameters.size());
    for (const auto& p : parameters) values.push_back(p ? p->c_str() : nullptr);
    const int count = static_cast<int>(values.size());
    if (depth_ == 0) {
        PGresult* result = PQexecPrepared(conn, statement_name.c_str(), count, values.data(), nullptr, nullptr, 0);
        const auto status = PQresultStatus(result);
        if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
            RaisePgAndClear(result, conn, sql, name_.Name());
        }
        return result;
    }
    // Save point, statement and release go to the server in one pipeline: one round trip
    // instead of three.
    PGresult* results[3] = {nullptr, nullptr, nullptr};
    bool sent = PQenterPipelineMode(conn) == 1;
    sent = sent && PQsendQueryParams(conn, "SAVEPOINT tlx_statement", 0, nullptr, nullptr, nullptr, nullptr, 0) == 1;
    sent = sent && PQsendQueryPrepared(conn, statement_name.c_str(), count, values.data(), nullptr, nullptr, 0) == 1;
    sent = sent &&
           PQsendQueryParams(conn, "RELEASE SAVEPOINT tlx_statement", 0, nullptr, nullptr, nullptr, nullptr, 0) == 1;
    sent = sent && PQpipelineSync(conn) == 1;
    if (sent) {
        for (auto& result : results) {
            result = PQgetResult(conn);
            while (PGresult* rest = PQgetResult(conn)) PQclear(rest);  // up to the end of this query
        }
        while (PGresult* sync = PQgetResult(conn)) {
            const bool done = PQresultStatus(sync) == PGRES_PIPELINE_SYNC;
            PQclear(sync);
            if (done) break;
        }
    }
    PQexitPipelineMode(conn);
    auto ok = [](PGresult* r) {
        return r && (PQresultStatus(r) == PGRES_COMMAND_OK || PQresultStatus(r) == PGRES_TUPLES_OK);
    };
    if (sent && ok(results[0]) && ok(results[1]) && ok(results[2])) {
        PQclear(results[0]);
        PQclear(results[2]);
        return results[1];
    }
    try {
        // The statement failed (or never ran): only it is undone, the transaction goes on.
        const bool savepoint = ok(results[0]);
        if (savepoint) Run("ROLLBACK TO SAVEPOINT tlx_statement; RELEASE SAVEPOINT tlx_statement");
        RaisePg(savepoint ? results[1] : results[0], conn, sql, name_.Name());
    } catch (...) {
        for (auto* r : results) PQclear(r);
        throw;
    }
}

std::unique_ptr<EngineStatement> PgEngine::Prepare(std::string_view sql) {
    return std::make_unique<PgStatement>(*this, sql);
}

StatementLease PgEngine::Cached(std::string_view sql) {
    Conn();
    auto it = cache_.find(std::string(sql));
    if (it == cache_.end()) {
        it = cache_.emplace(std::string(sql), std::make_unique<PgStatement>(*this, sql)).first;
    } else {
        it->second->Reset();
    }
    return StatementLease(*it->second);
}

long long PgEngine::Exec(std::string_view sql) {
    Conn();
    int count = 0;
    std::string native = PgStatement::NativeParameters(sql, count);
    if (count > 0) throw DbError(3000, "A statement with parameters must be prepared.\nStatement: " + std::string(sql));
    NoteWrites();
    const bool guarded = depth_ > 0;
    if (guarded) Run("SAVEPOINT tlx_statement");
    try {
        changes_ = Run(native);
    } catch (...) {
        if (guarded) Run("ROLLBACK TO SAVEPOINT tlx_statement; RELEASE SAVEPOINT tlx_statement");
        throw;
    }
    if (guarded) Run("RELEASE SAVEPOINT tlx_statement");
    total_changes_ += changes_;
    return changes_;
}

const long long& PgEngine::TableWrites(std::string_view table) { return table_writes_[utf8::Lower(table)]; }

Translation PgEngine::Translate(std::string_view statement) {
    Conn();
    CheckSchema();
    return jet_->Translate(statement);
}

void PgEngine::SchemaChanged() {
    ++generation_;
    schema_version_ = -1;
    tables_.clear();
    origins_.clear();
    if (jet_) jet_->ClearCache();
}

void PgEngine::BumpSchemaVersion() {
    if (!read_only_) Run("UPDATE msystlxschema SET version = version + 1");
    SchemaChanged();
}

// Translations depend on the schema (the columns of "T.*"); every change of it through the layer
// counts up a number in the schema, which is compared before a translation is used.
void PgEngine::CheckSchema() {
    long long version = 0;
    {
        auto current = Cached("SELECT version FROM msystlxschema");
        if (current.Step()) version = current.GetInt64(0);
    }
    if (schema_version_ != -1 && version != schema_version_) SchemaChanged();
    schema_version_ = version;
}

void PgEngine::Begin() {
    if (depth_ == 0) {
        if (read_only_) {
            Run("BEGIN READ ONLY");
        } else {
            // One writing transaction per schema at a time, as on a file: what a transaction reads
            // before it writes (the next free ID) stays true until it commits. Waiting for the
            // lock ends after the busy timeout with 3260.
            Run("BEGIN");
            try {
                Run("SELECT pg_advisory_xact_lock(" + std::to_string(WriteLockKey()) + ")");
            } catch (...) {
                PQclear(PQexec(conn_, "ROLLBACK"));
                throw;
            }
        }
    } else {
        Run("SAVEPOINT tlx" + std::to_string(depth_));
    }
    ++depth_;
}

long long PgEngine::WriteLockKey() const {
    // FNV-1a of the schema's name: the same key in every program that opens it
    std::uint64_t hash = 1469598103934665603ULL;
    for (unsigned char c : name_.Schema()) hash = (hash ^ c) * 1099511628211ULL;
    return static_cast<long long>(hash >> 1);
}

void PgEngine::Commit() {
    if (depth_ == 0) throw DbError(3034, "Commit without a transaction.");
    if (depth_ == 1) {
        Run("COMMIT");
    } else {
        Run("RELEASE SAVEPOINT tlx" + std::to_string(depth_ - 1));
    }
    --depth_;
}

void PgEngine::Rollback() {
    if (depth_ == 0) throw DbError(3034, "Rollback without a transaction.");
    NoteWrites();
    --depth_;
    if (depth_ == 0) {
        Run("ROLLBACK");
    } else {
        const std::string name = "tlx" + std::to_string(depth_);
        Run("ROLLBACK TO SAVEPOINT " + name + "; RELEASE SAVEPOINT " + name);
    }
    // A rolled-back change of tables or fields is undone too.
    SchemaChanged();
}

std::string PgEngine::Attach(const std::string& path) {
    if (!PgName::IsServerName(path)) {
        throw DbError(3024, "The database file '" + path + "' cannot be reached from the server database '" +
                                name_.Name() + "'; both databases of an office live on the same server.");
    }
    PgName other(path);
    if (other.ConnInfo() != name_.ConnInfo()) {
        throw DbError(3024, "The database '" + path + "' is in another server database than '" + name_.Name() +
                                "'; statements only join schemas of one server database.");
    }
    if (!attached_.count(other.Schema())) {
        Result r(PQexec(Conn(), ("SELECT 1 FROM pg_namespace WHERE nspname = " + jet::QuoteText(other.Schema())).c_str()));
        if (PQresultStatus(r.r) != PGRES_TUPLES_OK || PQntuples(r.r) == 0) {
            throw DbError(3024, "The database '" + path + "' was not found on the server.");
        }
        attached_.emplace(other.Schema(), path);
    }
    return other.Schema();
}

void PgEngine::CompactInto(const std::string& path) {
    throw DbError(3000, "A server database is not compacted into a file; the server reclaims space itself. ('" +
                            path + "')");
}

// The server's VACUUM frees the room of deleted and changed rows for new ones and renews the
// planner's statistics, while other programs go on working.
bool PgEngine::CompactInPlace() {
    Conn();
    if (read_only_) throw DbError(3027, "Cannot update: the database '" + name_.Name() + "' is opened read-only.");
    if (depth_ > 0) throw DbError(3034, "A database cannot be compacted inside a transaction.");
    std::string tables;
    for (const auto& table : NamesOf("r")) tables += (tables.empty() ? "" : ", ") + Quote(name_.Schema()) + "." + Quote(table);
    if (!tables.empty()) Run("VACUUM (ANALYZE) " + tables);
    return true;
}

// A backup is the server's own archive of the schema (pg_dump), written as committed; other
// programs go on working meanwhile.
void PgEngine::BackupInto(const std::string& path) {
    Conn();
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) throw DbError(3204, "The database '" + path + "' already exists.");
    PgTools::Dump(name_.ConnInfo(), name_.Schema(), path);
}

std::string PgEngine::RestoreLock() const {
    return "5408575, " + std::to_string(static_cast<std::int32_t>(WriteLockKey() & 0x7fffffff));
}

// A restore stopped between setting the schema aside and making it anew (the program killed,
// the connection lost) leaves the schema only under its other name: it is taken back, unless the
// restore is still going on in another program.
bool PgEngine::TakeBackAfterRestore() {
    const std::string aside_name = name_.Schema() + "~restore";
    {
        Result r(PQexec(conn_, ("SELECT 1 FROM pg_namespace WHERE nspname = " + jet::QuoteText(aside_name)).c_str()));
        if (PQresultStatus(r.r) != PGRES_TUPLES_OK || PQntuples(r.r) == 0) return false;
    }
    {
        Result r(PQexec(conn_, ("SELECT pg_try_advisory_lock(" + RestoreLock() + ")").c_str()));
        if (PQresultStatus(r.r) != PGRES_TUPLES_OK || PQgetvalue(r.r, 0, 0)[0] != 't')
            throw DbError(3260, "The database '" + name_.Name() +
                                    "' is being restored from a backup by another program; try again when it is done.");
    }
    try {
        Run("ALTER SCHEMA " + Quote(aside_name) + " RENAME TO " + Quote(name_.Schema()));
    } catch (...) {
        PQclear(PQexec(conn_, ("SELECT pg_advisory_unlock(" + RestoreLock() + ")").c_str()));
        throw;
    }
    Run("SELECT pg_advisory_unlock(" + RestoreLock() + ")");
    return true;
}

// The schema as it is steps aside under another name while the archive is restored in one
// transaction; it goes only once the restore succeeded, and comes back if it failed. A lock of
// the server session tells other programs that the restore is going on; it ends with the session
// if this program is killed, and the next one to open the database takes the schema back.
void PgEngine::RestoreFrom(const std::string& path) {
    Conn();
    if (read_only_) throw DbError(3027, "Cannot update: the database '" + name_.Name() + "' is opened read-only.");
    if (depth_ > 0) throw DbError(3034, "A backup cannot be restored inside a transaction.");
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) throw DbError(3024, "The database file '" + path + "' was not found.");
    // An archive makes the schema it was taken of, whatever the name it is restored under: one of
    // another database would replace this one by that one.
    const std::vector<std::string> schemas = PgTools::SchemasOf(path);
    if (schemas != std::vector<std::string>{name_.Schema()})
        throw DbError(3043, "'" + path + "' is no backup of the database '" + name_.Name() + "' (it holds " +
                                (schemas.empty() ? std::string("none") : "'" + schemas.front() + "'") +
                                "); nothing was restored.");
    cache_.clear();
    const std::string schema = Quote(name_.Schema()), aside = Quote(name_.Schema() + "~restore");
    Run("SELECT pg_advisory_lock(" + RestoreLock() + ")");
    try {
        Run("DROP SCHEMA IF EXISTS " + aside + " CASCADE; ALTER SCHEMA " + schema + " RENAME TO " + aside);
        try {
            PgTools::Restore(name_.ConnInfo(), path);
        } catch (...) {
            Run("DROP SCHEMA IF EXISTS " + schema + " CASCADE; ALTER SCHEMA " + aside + " RENAME TO " + schema);
            SchemaChanged();
            throw;
        }
        Run("DROP SCHEMA " + aside + " CASCADE");
    } catch (...) {
        PQclear(PQexec(conn_, ("SELECT pg_advisory_unlock(" + RestoreLock() + ")").c_str()));
        throw;
    }
    Run("SELECT pg_advisory_unlock(" + RestoreLock() + ")");
    NoteWrites();
    BumpSchemaVersion();
}

std::vector<std::string> PgEngine::IntegrityCheck() {
    // The server guards its own storage; what it can still hold wrongly is a row of a relation the
    // layer enforces with triggers that refers to nothing, which Relations reports.
    Conn();
    return {};
}

std::string PgEngine::Quote(std::string_view name) const {
    const std::string lower = utf8::Lower(name);
    std::string out = "\"";
    for (char c : lower) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

}  // namespace tlx4r::db
