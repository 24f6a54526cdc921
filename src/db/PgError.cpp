#include "PgError.h"

#include "db/DbError.h"

#include <libpq-fe.h>

#include <cstdlib>

namespace tlx4r::db {

namespace {

std::string WithStatement(const std::string& text, std::string_view statement) {
    if (statement.empty()) return text;
    return text + "\nStatement: " + std::string(statement);
}

std::string Field(const pg_result* result, int code) {
    const char* value = result ? PQresultErrorField(result, code) : nullptr;
    return value ? value : "";
}

std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

}  // namespace

void RaisePg(const pg_result* result, const pg_conn* connection, std::string_view statement,
             const std::string& name) {
    const std::string state = Field(result, PG_DIAG_SQLSTATE);
    std::string message = Field(result, PG_DIAG_MESSAGE_PRIMARY);
    if (message.empty()) message = Trimmed(connection ? PQerrorMessage(connection) : "no answer from the server");
    // The relations' triggers raise the old engine's number in front of their text.
    if (state == "P0001" && message.size() > 7 && message[0] == '[') {
        const auto close = message.find(']');
        const long number = std::strtol(message.c_str() + 1, nullptr, 10);
        if (close != std::string::npos && number > 0) {
            throw DbError(number, WithStatement(message.substr(close + 2 <= message.size() ? close + 2 : close + 1), statement));
        }
    }
    const std::string position = Field(result, PG_DIAG_STATEMENT_POSITION);
    const std::string at = position.empty() ? "" : " at position " + position;
    const std::string klass = state.substr(0, 2);
    if (state == "55P03" || state == "40P01" || state == "40001" || state == "57014") {
        throw DbError(3260, "The database '" + name + "' is locked by another user or program; try again later." +
                                WithStatement("", statement));
    }
    if (state == "25006") {
        throw DbError(3027, "Cannot update: the database '" + name + "' is opened read-only." + WithStatement("", statement));
    }
    if (state == "23505") {
        throw DbError(3022, WithStatement("The change would create a duplicate value in a unique index (" + message + ").",
                                          statement));
    }
    if (state == "23514") {
        std::string what = Field(result, PG_DIAG_CONSTRAINT_NAME);
        throw DbError(3317, WithStatement("A value breaks the validation rule of field '" + what + "'.", statement));
    }
    if (state == "23502") throw DbError(3314, WithStatement("A required field has no value (" + message + ").", statement));
    if (klass == "23") throw DbError(3022, WithStatement("The change breaks a rule of the database: " + message, statement));
    if (state == "42P01") throw DbError(3078, WithStatement("The table or query does not exist: " + message + ".", statement));
    if (state == "42703") throw DbError(3061, WithStatement("Unknown field name: " + message + ".", statement));
    if (state == "22001" || state == "22003") {
        throw DbError(3163, WithStatement("A value is too large for the database: " + message + ".", statement));
    }
    if (klass == "08" || state.empty()) {
        throw DbError(3043, "Network error on the server database '" + name + "': " + message + "." +
                                WithStatement("", statement));
    }
    if (klass == "28" || state == "42501") {
        throw DbError(3112, WithStatement("The statement is not allowed on this database (" + message + ").", statement));
    }
    throw DbError(3000, WithStatement("Error in the SQL statement: " + message + at + ".", statement));
}

void RaisePgAndClear(pg_result* result, const pg_conn* connection, std::string_view statement,
                     const std::string& name) {
    try {
        RaisePg(result, connection, statement, name);
    } catch (...) {
        PQclear(result);
        throw;
    }
}

}  // namespace tlx4r::db
