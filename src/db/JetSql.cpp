#include "db/JetSql.h"

#include "db/JetStatement.h"

namespace tlx4r::db {

JetSql::JetSql(const SchemaLookup& schema, AttachFn attach, SqlTarget target)
    : schema_(schema), attach_(std::move(attach)), target_(target) {}

Translation JetSql::Translate(std::string_view statement) {
    std::string key(statement);
    {
        std::lock_guard lock(mutex_);
        if (auto it = cache_.find(key); it != cache_.end()) return it->second;
    }
    // Translated outside the lock: the schema look-up and the attach callback may take time,
    // and two threads translating the same text produce the same result.
    Translation t = TranslateUncached(statement);
    std::lock_guard lock(mutex_);
    cache_.emplace(std::move(key), t);
    return t;
}

void JetSql::ClearCache() {
    std::lock_guard lock(mutex_);
    cache_.clear();
}

Translation JetSql::TranslateUncached(std::string_view statement) {
    return JetStatement(statement, schema_, attach_, target_).Translate();
}

}  // namespace tlx4r::db
