#include "core/TableCursor.h"

#include "db/Database.h"
#include "db/DbError.h"
#include "db/Transaction.h"
#include "types/AppError.h"

#include <filesystem>
#include <limits>
#include <optional>

namespace tlx4r {

TableCursor::TableCursor(db::Database& db, std::string table)
    : db_(&db), table_(std::move(table)), life_(std::make_shared<const std::string>(db.Name())) {}

void TableCursor::Open() {
    rs_.Close();
    rs_ = db_->OpenRecordset(table_, db::RecordsetType::Table);
    rs_.SetIndex("PrimaryKey");
}

db::Recordset& TableCursor::Get() {
    if (!rs_.IsOpen()) throw AppError(91, table_, "Die Tabelle '" + table_ + "' ist nicht geöffnet.");
    return rs_;
}

namespace {

std::filesystem::file_time_type ModificationTime(const std::string& file) {
    std::error_code ec;
    return std::filesystem::last_write_time(file, ec);
}

[[noreturn]] void NoFreeID(const db::Recordset& rs) {
    throw AppError(6, "NextIDGet",
                   "Die Tabelle '" + rs.Name() + "' hat keine freie ID mehr (die höchste ID " +
                       std::to_string(std::numeric_limits<std::int32_t>::max()) + " ist vergeben).");
}

}  // namespace

std::int32_t NextIDGet(db::Recordset& rs, bool gap) {
    const std::string previous = rs.Index();
    rs.SetIndex("PrimaryKey");
    rs.Requery();
    std::int32_t id = 1;
    try {
        if (gap) {
            for (;; ++id) {
                rs.Seek("=", db::Value(id));
                if (rs.NoMatch()) break;
                if (id == std::numeric_limits<std::int32_t>::max()) NoFreeID(rs);
            }
        } else if (rs.RecordCount() > 0) {
            rs.MoveLast();
            const std::int32_t last = rs.Get("ID").ToLong();
            if (last == std::numeric_limits<std::int32_t>::max()) NoFreeID(rs);
            id = last + 1;
        }
    } catch (...) {
        if (!previous.empty() && previous != "PrimaryKey") rs.SetIndex(previous);
        throw;
    }
    if (!previous.empty() && previous != "PrimaryKey") rs.SetIndex(previous);
    return id;
}

std::int32_t AddWithNextID(TableCursor& cursor, const std::function<void(db::Recordset&)>& fill) {
    db::Recordset& rs = cursor.Get();
    // Each round another program took the ID; the rounds end when the programs' rows do.
    constexpr int kRounds = 1000;
    const std::string file = cursor.Database().Name();
    for (int round = 1;; ++round) {
        // Another program writing without pause can keep the lock longer than the busy timeout;
        // as long as it writes (the file changes) the wait goes on. A lock held without any
        // write (a program hanging) ends in the locked message after the timeout.
        std::optional<db::Transaction> transaction;
        for (auto before = ModificationTime(file);;) {
            try {
                transaction.emplace(cursor.Database());
                break;
            } catch (const db::DbError& e) {
                const auto now = ModificationTime(file);
                if (e.Number() != 3260 || now == before) throw;
                before = now;
            }
        }
        const std::int32_t id = NextIDGet(rs);
        rs.AddNew();
        try {
            rs.Set("ID", db::Value(id));
            fill(rs);
            rs.Update();
            transaction->Commit();
            return id;
        } catch (const db::DbError& e) {
            if (rs.GetEditMode() != db::Recordset::EditMode::None) rs.CancelUpdate();
            transaction->Rollback();
            bool taken = false;
            if (e.Number() == 3022 && round < kRounds) {
                const std::string previous = rs.Index();
                rs.SetIndex("PrimaryKey");
                rs.Requery();
                rs.Seek("=", db::Value(id));
                taken = !rs.NoMatch();
                if (!previous.empty() && previous != "PrimaryKey") rs.SetIndex(previous);
            }
            if (!taken) throw;
        } catch (...) {
            if (rs.GetEditMode() != db::Recordset::EditMode::None) rs.CancelUpdate();
            throw;
        }
    }
}

}  // namespace tlx4r
