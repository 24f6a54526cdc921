#include "PgName.h"

#include "db/DbError.h"
#include "types/Utf8.h"

#include <cctype>

namespace tlx4r::db {

bool PgName::IsServerName(std::string_view name) {
    return name.rfind("postgresql://", 0) == 0 || name.rfind("postgres://", 0) == 0;
}

PgName::PgName(std::string_view name) : name_(name) {
    if (!IsServerName(name)) throw DbError(3024, "'" + name_ + "' does not name a server database.");
    const auto scheme_end = name.find("://") + 3;
    const auto query = name.find('?', scheme_end);
    const std::string_view before_query = name.substr(0, query);
    const std::string_view rest = query == std::string_view::npos ? std::string_view() : name.substr(query);
    const auto path = before_query.find('/', scheme_end);
    if (path == std::string_view::npos || path + 1 >= before_query.size()) {
        throw DbError(3024, "The server name '" + name_ + "' names no database (postgresql://host/database/schema).");
    }
    std::string_view database = before_query.substr(path + 1);
    std::string_view schema = "public";
    if (auto slash = database.find('/'); slash != std::string_view::npos) {
        schema = database.substr(slash + 1);
        database = database.substr(0, slash);
    }
    if (database.empty() || schema.empty() || schema.find('/') != std::string_view::npos) {
        throw DbError(3024, "The server name '" + name_ + "' is not of the form postgresql://host/database/schema.");
    }
    conninfo_ = std::string(before_query.substr(0, path + 1)) + std::string(database) + std::string(rest);
    schema_ = utf8::Lower(schema);
}

std::string PgName::FolderName() const {
    std::string folder;
    for (char c : conninfo_.substr(conninfo_.find("://") + 3))
        folder += std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' ? c : '_';
    return folder;
}

}  // namespace tlx4r::db
