#include "core/TableCursor.h"

#include "db/Database.h"
#include "types/AppError.h"

namespace tlx4r {

void TableCursor::Open() {
    rs_.Close();
    rs_ = db_->OpenRecordset(table_, db::RecordsetType::Table);
    rs_.SetIndex("PrimaryKey");
}

db::Recordset& TableCursor::Get() {
    if (!rs_.IsOpen()) throw AppError(91, table_, "Die Tabelle '" + table_ + "' ist nicht geöffnet.");
    return rs_;
}

std::int32_t NextIDGet(db::Recordset& rs, bool gap) {
    const std::string previous = rs.Index();
    rs.SetIndex("PrimaryKey");
    std::int32_t id = 1;
    try {
        if (gap) {
            for (;; ++id) {
                rs.Seek("=", db::Value(id));
                if (rs.NoMatch()) break;
            }
        } else if (rs.RecordCount() > 0) {
            rs.MoveLast();
            id = rs.Get("ID").ToLong() + 1;
        }
    } catch (...) {
        if (!previous.empty() && previous != "PrimaryKey") rs.SetIndex(previous);
        throw;
    }
    if (!previous.empty() && previous != "PrimaryKey") rs.SetIndex(previous);
    return id;
}

}  // namespace tlx4r
