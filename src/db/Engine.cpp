#include "Engine.h"

#include "db/DbError.h"

#include <cctype>

namespace tlx4r::db {

std::unique_ptr<EngineStatement> Engine::PrepareTranslation(std::string_view dialect, const std::string& sql) {
    try {
        return Prepare(sql);
    } catch (const DbError& e) {
        std::string text = e.Description();
        if (dialect == sql || text.find(dialect) != std::string::npos) throw;
        // a position SQLite gives counts in its own text
        const std::string at_position = " at position ";
        if (auto at = text.find(at_position); at != std::string::npos) {
            auto digits = at + at_position.size();
            while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits]))) ++digits;
            text.insert(digits, " of the statement as run");
        }
        const std::string label = "\nStatement: ";
        if (auto at = text.find(label); at != std::string::npos) text.replace(at, label.size(), "\nAs run: ");
        const auto end = text.find('\n');
        text.insert(end == std::string::npos ? text.size() : end, label + std::string(dialect));
        throw DbError(e.Number(), text);
    }
}

const std::vector<ColumnInfo>& Engine::CheckedColumns(std::string_view table) {
    if (checked_generation_ != SchemaGeneration()) {
        checked_columns_.clear();
        checked_generation_ = SchemaGeneration();
    }
    const std::string key(table);
    if (auto found = checked_columns_.find(key); found != checked_columns_.end()) return found->second;
    return checked_columns_.emplace(key, Columns(table)).first->second;
}

}  // namespace tlx4r::db
