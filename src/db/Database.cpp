#include "Database.h"

#include "db/Catalog.h"
#include "db/DbError.h"
#include "db/JetCreateTable.h"
#include "db/PgEngine.h"
#include "db/SqliteEngine.h"

#include <filesystem>

#include <cctype>

namespace tlx4r::db {

namespace {

// The first word of a statement, upper case ("" when there is none).
std::string Verb(std::string_view sql) {
    std::size_t i = 0;
    while (i < sql.size() && (std::isspace(static_cast<unsigned char>(sql[i])) || sql[i] == '(')) ++i;
    std::string word;
    while (i < sql.size() && std::isalpha(static_cast<unsigned char>(sql[i]))) {
        word += static_cast<char>(std::toupper(static_cast<unsigned char>(sql[i])));
        ++i;
    }
    return word;
}

constexpr std::size_t kStatementCacheSize = 128;


}  // namespace

Database::Database(std::shared_ptr<Engine> engine) : engine_(std::move(engine)) {}

namespace {

// A server name (postgresql://…) opens a schema of a server database, anything else a file.
std::shared_ptr<Engine> NewEngine(const std::string& path, bool create, const OpenOptions& options) {
    if (PgName::IsServerName(path)) return std::make_shared<PgEngine>(path, create, options);
    return std::make_shared<SqliteEngine>(path, create, options);
}

}  // namespace

Database Database::Create(const std::string& path, const OpenOptions& options) {
    return Database(NewEngine(path, true, options));
}

Database Database::Open(const std::string& path, const OpenOptions& options) {
    Database db(NewEngine(path, false, options));
    db.RestoreLinks();
    return db;
}

void Database::Remove(const std::string& path) {
    if (PgName::IsServerName(path)) {
        PgEngine::Drop(path);
        return;
    }
    std::error_code ignored;
    std::filesystem::remove(path + "-journal", ignored);
    std::filesystem::remove(path, ignored);
}

Database::~Database() { Close(); }

Database::Database(Database&&) noexcept = default;

Database& Database::operator=(Database&& other) noexcept {
    if (this != &other) {
        Close();
        engine_ = std::move(other.engine_);
        table_defs_ = std::move(other.table_defs_);
        query_defs_ = std::move(other.query_defs_);
        relations_ = std::move(other.relations_);
        statements_ = std::move(other.statements_);
        statements_generation_ = other.statements_generation_;
    }
    return *this;
}

// Linked tables are temporary views; they are made again on every open. A link whose file has
// gone is left out (using it reports the missing table).
void Database::RestoreLinks() {
    for (const auto& link : Catalog(*engine_).Links()) {
        try {
            engine_->CreateLink(link.name, link.path, link.source_table);
        } catch (const DbError&) {
        }
    }
}

bool Database::IsOpen() const { return engine_ && engine_->IsOpen(); }

void Database::Close() noexcept {
    statements_.clear();
    table_defs_.reset();
    query_defs_.reset();
    relations_.reset();
    if (engine_) engine_->Close();
    engine_.reset();
}

void Database::Require() const {
    if (!IsOpen()) throw DbError(3420, "The database is closed.");
}

const std::string& Database::Name() const {
    static const std::string none;
    return engine_ ? engine_->Path() : none;
}

bool Database::ReadOnly() const {
    Require();
    return engine_->ReadOnly();
}

Engine& Database::GetEngine() const {
    Require();
    return *engine_;
}

long long Database::Execute(std::string_view sql) {
    Require();
    // Data definition goes through the layer, which makes the table as each engine needs it.
    if (auto table = ParseCreateTable(sql)) {
        TableDefs().Append(*table);
        return 0;
    }
    if (auto index = ParseCreateIndex(sql)) {
        TableDefs().Item(index->table).AppendIndex(index->index);
        return 0;
    }
    std::string key(sql);
    engine_->CheckSchema();
    if (statements_generation_ != engine_->SchemaGeneration()) {
        statements_.clear();
        statements_generation_ = engine_->SchemaGeneration();
    }
    auto it = statements_.find(key);
    if (it == statements_.end()) {
        auto translation = engine_->Translate(sql);
        if (translation.returns_rows) {
            throw DbError(3065, "A query that selects rows cannot be executed; open it as a recordset.\nStatement: " +
                                    key);
        }
        const std::string verb = Verb(translation.sql);
        if (verb == "CREATE" || verb == "ALTER" || verb == "DROP") {
            engine_->Exec(translation.sql);
            engine_->SchemaChanged();
            return 0;
        }
        if (verb == "PRAGMA" || verb == "ATTACH" || verb == "DETACH" || verb == "VACUUM") {
            return engine_->Exec(translation.sql);
        }
        if (statements_.size() >= kStatementCacheSize) statements_.clear();
        it = statements_.emplace(key, engine_->PrepareTranslation(sql, translation.sql)).first;
    }
    auto& statement = *it->second;
    statement.Reset();
    while (statement.Step()) {
    }
    statement.Reset();
    return engine_->Changes();
}

Recordset Database::OpenRecordset(std::string_view source) {
    Require();
    std::string name(source);
    while (!name.empty() && std::isspace(static_cast<unsigned char>(name.back()))) name.pop_back();
    if (name.size() >= 2 && name.front() == '[' && name.back() == ']') name = name.substr(1, name.size() - 2);
    auto tables = engine_->TableNames();
    bool local_table = false;
    if (auto found = engine_->FindTable(name)) {
        for (const auto& t : tables) local_table = local_table || t == *found;
    }
    return OpenRecordset(source, local_table ? RecordsetType::Table : RecordsetType::Dynaset);
}

Recordset Database::OpenRecordset(std::string_view source, RecordsetType type) {
    Require();
    return Recordset(engine_, source, type);
}

db::TableDefs& Database::TableDefs() {
    Require();
    if (!table_defs_) table_defs_ = std::make_unique<db::TableDefs>(engine_);
    return *table_defs_;
}

db::QueryDefs& Database::QueryDefs() {
    Require();
    if (!query_defs_) query_defs_ = std::make_unique<db::QueryDefs>(engine_);
    return *query_defs_;
}

db::Relations& Database::Relations() {
    Require();
    if (!relations_) relations_ = std::make_unique<db::Relations>(engine_);
    return *relations_;
}

void Database::BeginTrans() {
    Require();
    engine_->Begin();
}

void Database::CommitTrans() {
    Require();
    engine_->Commit();
}

void Database::Rollback() {
    Require();
    engine_->Rollback();
    // What the transaction made of the schema is undone too: translations made meanwhile may
    // name tables and columns that are gone.
    engine_->SchemaChanged();
}

void Database::CompactInto(const std::string& path) {
    Require();
    engine_->CompactInto(path);
}

bool Database::CompactInPlace() {
    Require();
    return engine_->CompactInPlace();
}

void Database::BackupInto(const std::string& path) {
    Require();
    engine_->BackupInto(path);
}

std::vector<Database::Finding> Database::Check() {
    Require();
    std::vector<Finding> found;
    for (auto& problem : engine_->IntegrityCheck()) found.push_back({true, std::move(problem)});
    for (const auto& relation : Relations().All()) {
        for (const auto& [key, foreign_key] : relation.Fields()) {
            const std::string parent = engine_->Quote(relation.Table());
            const std::string child = engine_->Quote(relation.ForeignTable());
            const std::string fk = engine_->Quote(foreign_key);
            auto count = engine_->Prepare("SELECT count(*) FROM " + child + " WHERE " + fk + " IS NOT NULL AND " + fk +
                                          " <> 0 AND " + fk + " NOT IN (SELECT " + engine_->Quote(key) + " FROM " +
                                          parent + ")");
            count->Step();
            const long long missing = count->GetInt64(0);
            if (missing == 0) continue;
            found.push_back({relation.Enforced(), std::to_string(missing) + " row(s) of " + relation.ForeignTable() +
                                                      " with a " + foreign_key + " that names no row of " +
                                                      relation.Table() + " (relation " + relation.Name() +
                                                      (relation.Enforced() ? ")" : ", not enforced)")});
        }
    }
    return found;
}

void Database::RestoreFrom(const std::string& path) {
    Require();
    statements_.clear();
    table_defs_.reset();
    query_defs_.reset();
    relations_.reset();
    engine_->RestoreFrom(path);
    RestoreLinks();
}

}  // namespace tlx4r::db
