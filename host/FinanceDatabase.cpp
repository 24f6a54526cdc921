#include "host/FinanceDatabase.h"

#include "core/modStringLibrary.h"
#include "db/DbError.h"
#include "db/Transaction.h"

#include <filesystem>

namespace tlx4r {

namespace {

db::TableDef AccountsTable() {
    db::TableDef t(FinanceDatabase::kAccounts);
    t.AppendField(db::Field("ID", db::FieldType::Long).SetValidationRule("> 0"));
    t.AppendField(db::Field("Code", db::FieldType::Text, FinanceDatabase::kCodeSize).SetRequired(true));
    t.AppendField(db::Field("Name", db::FieldType::Text, FinanceDatabase::kNameSize));
    // Ledger accounts carry the bookkeeping; the others are the clients' accounts.
    t.AppendField(db::Field("IsGeneralLedger", db::FieldType::Boolean).SetDefaultValue("False"));
    // The depth in the chart: 0 for the group headings, 1 and deeper for bookable accounts.
    t.AppendField(db::Field("Level", db::FieldType::Integer).SetDefaultValue("1"));
    t.AppendField(db::Field("Closed", db::FieldType::Boolean).SetDefaultValue("False"));
    // Written by the component's transfer: the value of the unbilled work on the account.
    t.AppendField(db::Field("WorkedBalance", db::FieldType::Currency).SetDefaultValue("0"));
    t.AppendField(db::Field("DeleteOnCloture", db::FieldType::Boolean).SetDefaultValue("False"));
    t.AppendIndex(db::Index("PrimaryKey", {"ID"}, true, true));
    t.AppendIndex(db::Index("Code", {"Code"}, true));
    t.AppendIndex(db::Index("Name", {"Name"}));
    return t;
}

db::TableDef SettingsTable() {
    db::TableDef t(FinanceDatabase::kSettings);
    t.AppendField(db::Field("ID", db::FieldType::Long).SetValidationRule("> 0"));
    t.AppendField(db::Field("Name", db::FieldType::Text, 64).SetRequired(true));
    t.AppendField(db::Field("Value", db::FieldType::Memo));
    t.AppendIndex(db::Index("PrimaryKey", {"ID"}, true, true));
    t.AppendIndex(db::Index("Name", {"Name"}, true));
    return t;
}

std::string Literal(const std::string& text) { return "\"" + StrReplace(text, "\"", "\"\"") + "\""; }

}  // namespace

FinanceDatabase FinanceDatabase::Create(const std::string& path) {
    db::Database db = db::Database::Create(path);
    try {
        db::Transaction tx(db);
        db.TableDefs().Append(AccountsTable());
        db.TableDefs().Append(SettingsTable());
        tx.Commit();
    } catch (...) {
        // A half-made file would pass for a finance database next time.
        db.Close();
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
        throw;
    }
    return FinanceDatabase(std::move(db));
}

FinanceDatabase FinanceDatabase::Open(const std::string& path) {
    db::Database db = db::Database::Open(path);
    if (!db.TableDefs().Exists(kAccounts) || !db.TableDefs().Exists(kSettings)) {
        db.Close();
        throw db::DbError(3343, "'" + path + "' ist keine Kelvora Finance Datenbank.");
    }
    return FinanceDatabase(std::move(db));
}

std::string FinanceDatabase::SettingGet(const std::string& name) const {
    if (!IsOpen()) return {};
    auto rs = db_.OpenRecordset("SELECT Value FROM Settings WHERE Name = " + Literal(name),
                                db::RecordsetType::Snapshot);
    return rs.Eof() ? std::string() : NullToString(rs.Get(0));
}

void FinanceDatabase::SettingSet(const std::string& name, const std::string& value) {
    if (Trim(name).empty()) throw db::DbError(3265, "Eine Einstellung braucht einen Namen.");
    if (value.empty()) {
        db_.Execute("DELETE * FROM Settings WHERE Name = " + Literal(name));
        return;
    }
    auto rs = db_.OpenRecordset(kSettings, db::RecordsetType::Table);
    rs.SetIndex("Name");
    rs.Seek("=", db::Value(name));
    if (rs.NoMatch()) {
        auto ids = db_.OpenRecordset("SELECT Max(ID) FROM Settings", db::RecordsetType::Snapshot);
        const std::int32_t id = NullToLong(ids.Get(0)) + 1;
        rs.AddNew();
        rs.Set("ID", db::Value(id));
        rs.Set("Name", db::Value(name));
    } else {
        rs.Edit();
    }
    rs.Set("Value", db::Value(value));
    rs.Update();
}

}  // namespace tlx4r
