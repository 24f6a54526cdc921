#include "core/DBSettings.h"

#include "core/ReportingSchema.h"
#include "core/TableCursor.h"
#include "core/modAssert.h"
#include "core/modStringLibrary.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "types/AppError.h"

#include <exception>

namespace tlx4r {

namespace {

const char* const kTable = "DBSettings";
const char* const kColumns[] = {"ValString", "ValLong", "ValDate", "ValCurrency", "ValDouble"};

}  // namespace

void DBSettings::SetdBase(db::Database* db) {
    rs_.Close();
    db_ = db;
}

void DBSettings::Assert() {
    if (db_ == nullptr) throw db::DbError(91, "DBSettings: keine Datenbank gesetzt.");
    TableDeclAssert(*db_, schema::DBSettingsTable());
}

void DBSettings::rsOpen() {
    if (db_ == nullptr) throw db::DbError(91, "DBSettings: keine Datenbank gesetzt.");
    if (!rs_.IsOpen()) rs_ = db_->OpenRecordset(kTable, db::RecordsetType::Table);
}

void DBSettings::rsClose() noexcept { rs_.Close(); }

db::Recordset* DBSettings::Cursor() {
    // A value read or written after the database closed must not pass for "not set" or for
    // stored: it is the old platform's "object variable not set".
    if (db_ == nullptr || !db_->IsOpen())
        throw AppError(91, "DBSettings", "Es ist keine Reporting Datenbank geöffnet (Objektvariable nicht festgelegt).");
    try {
        rsOpen();
        return &rs_;
    } catch (const std::exception&) {
        return nullptr;
    }
}

bool DBSettings::Find(db::Recordset& rs, const std::string& name) {
    rs.FindFirst("Setting=" + Quote(name));
    return !rs.NoMatch();
}

db::Value DBSettings::Value(const std::string& name) {
    db::Recordset* rs = Cursor();
    if (rs == nullptr || !Find(*rs, name)) return {};
    const std::int32_t type = NullToLong(rs->Get("ValType"));
    if (type < kText || type > kDouble) return rs->Get("ValString");
    return rs->Get(kColumns[type]);
}

void DBSettings::Value(const std::string& name, const db::Value& value) {
    db::Recordset* rs = Cursor();
    if (rs == nullptr) return;
    if (Find(*rs, name)) {
        rs->Edit();
    } else {
        const std::int32_t id = NextIDGet(*rs);
        rs->AddNew();
        rs->Set("ID", db::Value(id));
        FieldTextSet(*rs, "Setting", name);
    }
    try {
        ValType type = kText;
        switch (value.kind()) {
            case db::Value::Kind::Boolean:
            case db::Value::Kind::Long: type = kLong; break;
            case db::Value::Kind::Date: type = kDate; break;
            case db::Value::Kind::Currency: type = kCurrency; break;
            case db::Value::Kind::Double: type = kDouble; break;
            case db::Value::Kind::Null:
            case db::Value::Kind::Text: type = kText; break;
        }
        rs->Set("ValType", db::Value(static_cast<std::int32_t>(type)));
        for (const char* column : kColumns) rs->Set(column, db::Value());
        switch (type) {
            case kText: FieldTextSet(*rs, "ValString", value.IsNull() ? "" : value.ToText()); break;
            case kLong: rs->Set("ValLong", db::Value(value.ToLong())); break;
            case kDate: rs->Set("ValDate", DateToField(value.ToDate())); break;
            case kCurrency: rs->Set("ValCurrency", db::Value(value.ToCurrency())); break;
            case kDouble: rs->Set("ValDouble", db::Value(value.ToDouble())); break;
        }
        rs->Update();
    } catch (...) {
        rs->CancelUpdate();
        throw;
    }
}

void DBSettings::Delete(const std::string& name) {
    db::Recordset* rs = Cursor();
    if (rs != nullptr && Find(*rs, name)) rs->Delete();
}

}  // namespace tlx4r
