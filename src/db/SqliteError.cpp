#include "SqliteError.h"

#include "db/DbError.h"

#include <sqlite3.h>

#include <cstdlib>

namespace tlx4r::db {

namespace {

std::string WithStatement(std::string text, std::string_view statement) {
    if (!statement.empty()) text += "\nStatement: " + std::string(statement);
    return text;
}

// Where in the statement SQLite stopped, in characters from 1 ("" when it does not say).
std::string Position(sqlite3* connection, std::string_view statement) {
    const int offset = connection ? sqlite3_error_offset(connection) : -1;
    if (offset < 0 || static_cast<std::size_t>(offset) > statement.size()) return {};
    std::size_t characters = 1;
    for (int i = 0; i < offset; ++i) {
        if ((static_cast<unsigned char>(statement[static_cast<std::size_t>(i)]) & 0xC0) != 0x80) ++characters;
    }
    return " at position " + std::to_string(characters);
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// Messages raised by the layer's own triggers carry their number: "[3201] text".
bool FromTrigger(const std::string& message, long& number, std::string& text) {
    if (message.size() < 7 || message[0] != '[') return false;
    auto close = message.find(']');
    if (close == std::string::npos) return false;
    number = std::strtol(message.c_str() + 1, nullptr, 10);
    text = message.substr(close + 1);
    if (!text.empty() && text[0] == ' ') text.erase(0, 1);
    return number > 0;
}

}  // namespace

void RaiseSqlite(sqlite3* connection, int rc, std::string_view statement, const std::string& file) {
    std::string message = connection ? sqlite3_errmsg(connection) : sqlite3_errstr(rc);
    int extended = connection ? sqlite3_extended_errcode(connection) : rc;
    switch (rc & 0xff) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            throw DbError(3260, "The database '" + file +
                                    "' is locked by another user or program; try again later." +
                                    WithStatement("", statement));
        case SQLITE_READONLY:
            throw DbError(3027, "Cannot update: the database '" + file +
                                    "' is read-only (write-protected file, folder or opened read-only)." +
                                    WithStatement("", statement));
        case SQLITE_NOTADB:
            throw DbError(3343, "'" + file + "' is not a database file of this program (unrecognized format).");
        case SQLITE_CORRUPT:
            throw DbError(3049, "The database '" + file + "' is damaged and cannot be used: " + message);
        case SQLITE_CANTOPEN:
            throw DbError(3024, "Cannot open the database file '" + file + "': " + message);
        case SQLITE_FULL:
        case SQLITE_IOERR:
            throw DbError(3043, "Disk or network error on '" + file + "': " + message);
        case SQLITE_PERM:
        case SQLITE_AUTH:
            throw DbError(3112, WithStatement("The statement is not allowed on this database (" + message + ").",
                                              statement));
        case SQLITE_CONSTRAINT: {
            long number = 0;
            std::string text;
            if (FromTrigger(message, number, text)) throw DbError(number, WithStatement(text, statement));
            if (extended == SQLITE_CONSTRAINT_UNIQUE || extended == SQLITE_CONSTRAINT_PRIMARYKEY ||
                extended == SQLITE_CONSTRAINT_ROWID) {
                throw DbError(3022, WithStatement("The change would create a duplicate value in a unique index "
                                                  "or primary key (" + message + ").",
                                                  statement));
            }
            if (extended == SQLITE_CONSTRAINT_CHECK) {
                std::string what = message;
                const std::string prefix = "CHECK constraint failed: ";
                if (StartsWith(what, prefix)) what = what.substr(prefix.size());
                throw DbError(3317, WithStatement("A value breaks the validation rule of field '" + what + "'.",
                                                  statement));
            }
            if (extended == SQLITE_CONSTRAINT_NOTNULL) {
                throw DbError(3314, WithStatement("A required field has no value (" + message + ").", statement));
            }
            throw DbError(3022, WithStatement("The change breaks a rule of the database: " + message, statement));
        }
        case SQLITE_ERROR: {
            if (StartsWith(message, "no such table: ")) {
                throw DbError(3078, WithStatement("The table or query '" + message.substr(15) + "' does not exist.",
                                                  statement));
            }
            if (StartsWith(message, "no such column: ")) {
                throw DbError(3061, WithStatement("Unknown field name '" + message.substr(16) + "'.", statement));
            }
            throw DbError(3000, WithStatement("Error in the SQL statement: " + message + Position(connection, statement) +
                                                  ".",
                                              statement));
        }
        case SQLITE_MISMATCH:
            throw DbError(3464, WithStatement("Data type mismatch: " + message + ".", statement));
        case SQLITE_TOOBIG:
            throw DbError(3163, WithStatement("A value is too large for the database: " + message + ".", statement));
        default:
            throw DbError(3000, WithStatement("Database error on '" + file + "': " + message + ".", statement));
    }
}

void CheckSqlite(sqlite3* connection, int rc, std::string_view statement, const std::string& file) {
    if (rc == SQLITE_OK || rc == SQLITE_ROW || rc == SQLITE_DONE) return;
    RaiseSqlite(connection, rc, statement, file);
}

}  // namespace tlx4r::db
