#include "host/HostAccounts.h"

#include "core/modStringLibrary.h"
#include "host/FinanceDatabase.h"
#include "types/AppError.h"
#include "types/Utf8.h"

namespace tlx4r {

namespace {

const char* const kSource = "Accounts";

std::string Literal(const std::string& text) { return "\"" + StrReplace(text, "\"", "\"\"") + "\""; }

AccountData Read(const db::Recordset& rs) {
    AccountData a;
    a.id = NullToLong(rs.Get("ID"));
    a.code = NullToString(rs.Get("Code"));
    a.name = NullToString(rs.Get("Name"));
    a.general_ledger = !rs.Get("IsGeneralLedger").IsNull() && rs.Get("IsGeneralLedger").ToBool();
    a.level = NullToLong(rs.Get("Level"));
    a.closed = !rs.Get("Closed").IsNull() && rs.Get("Closed").ToBool();
    a.worked_balance = NullToCurrency(rs.Get("WorkedBalance"));
    a.delete_on_cloture = !rs.Get("DeleteOnCloture").IsNull() && rs.Get("DeleteOnCloture").ToBool();
    return a;
}

void Write(db::Recordset& rs, const AccountData& a) {
    rs.Set("Name", a.name.empty() ? db::Value() : db::Value(a.name));
    rs.Set("IsGeneralLedger", db::Value(a.general_ledger));
    rs.Set("Level", db::Value(static_cast<std::int32_t>(a.level)));
    rs.Set("Closed", db::Value(a.closed));
    rs.Set("WorkedBalance", db::Value(a.worked_balance));
    rs.Set("DeleteOnCloture", db::Value(a.delete_on_cloture));
}

}  // namespace

HostAccounts::HostAccounts(FinanceDatabase& finance) : finance_(finance) {}

std::shared_ptr<const hostapi::Account> HostAccounts::Item(const std::string& code) const { return Find(code); }

std::shared_ptr<const HostAccount> HostAccounts::Find(const std::string& code) const {
    if (!finance_.IsOpen()) return nullptr;
    auto rs = finance_.Database().OpenRecordset("SELECT * FROM Accounts WHERE Code = " + Literal(code),
                                                db::RecordsetType::Snapshot);
    if (rs.Eof()) return nullptr;
    return std::make_shared<HostAccount>(Read(rs));
}

std::vector<AccountData> HostAccounts::List(bool client_only) const {
    std::vector<AccountData> out;
    if (!finance_.IsOpen()) return out;
    std::string sql = "SELECT * FROM Accounts";
    if (client_only) sql += " WHERE IsGeneralLedger = False AND Level >= 1";
    auto rs = finance_.Database().OpenRecordset(sql + " ORDER BY Code", db::RecordsetType::Snapshot);
    for (; !rs.Eof(); rs.MoveNext()) out.push_back(Read(rs));
    return out;
}

long long HostAccounts::Count() const {
    if (!finance_.IsOpen()) return 0;
    return finance_.Database().OpenRecordset("SELECT Count(*) FROM Accounts", db::RecordsetType::Snapshot).Get(0).ToLong();
}

AccountData HostAccounts::Checked(AccountData data) const {
    data.code = Trim(data.code);
    if (data.code.empty()) throw AppError(5, kSource, "Ein Konto braucht eine Kontonummer.");
    if (utf8::Length(data.code) > static_cast<std::size_t>(FinanceDatabase::kCodeSize)) {
        throw AppError(5, kSource, "Die Kontonummer '" + data.code + "' ist länger als " +
                                       std::to_string(FinanceDatabase::kCodeSize) + " Zeichen.");
    }
    if (data.level < 0) throw AppError(5, kSource, "Die Kontostufe darf nicht negativ sein.");
    data.name = StrMidSafe(Trim(data.name), 1, FinanceDatabase::kNameSize);
    return data;
}

std::shared_ptr<const HostAccount> HostAccounts::Create(AccountData data) {
    if (!finance_.IsOpen()) throw AppError(91, kSource, "Es ist keine Finanzbuchhaltung geöffnet.");
    data = Checked(std::move(data));
    if (Find(data.code)) throw AppError(3022, kSource, "Das Konto " + data.code + " gibt es bereits.");
    db::Database& db = finance_.Database();
    data.id = NullToLong(db.OpenRecordset("SELECT Max(ID) FROM Accounts", db::RecordsetType::Snapshot).Get(0)) + 1;
    auto rs = db.OpenRecordset(FinanceDatabase::kAccounts, db::RecordsetType::Table);
    rs.AddNew();
    rs.Set("ID", db::Value(data.id));
    rs.Set("Code", db::Value(data.code));
    Write(rs, data);
    rs.Update();
    auto account = std::make_shared<HostAccount>(std::move(data));
    RaiseCreated(*account);
    return account;
}

std::shared_ptr<const HostAccount> HostAccounts::Update(const AccountData& changed) {
    if (!finance_.IsOpen()) throw AppError(91, kSource, "Es ist keine Finanzbuchhaltung geöffnet.");
    AccountData data = Checked(changed);
    auto rs = finance_.Database().OpenRecordset("SELECT * FROM Accounts WHERE Code = " + Literal(data.code),
                                                db::RecordsetType::Dynaset);
    if (rs.Eof()) throw AppError(3021, kSource, "Das Konto " + data.code + " gibt es nicht.");
    data.id = NullToLong(rs.Get("ID"));
    data.code = NullToString(rs.Get("Code"));
    rs.Edit();
    Write(rs, data);
    rs.Update();
    auto account = std::make_shared<HostAccount>(std::move(data));
    RaiseUpdated(*account);
    return account;
}

bool HostAccounts::Delete(const std::string& code) {
    if (!finance_.IsOpen()) throw AppError(91, kSource, "Es ist keine Finanzbuchhaltung geöffnet.");
    return finance_.Database().Execute("DELETE * FROM Accounts WHERE Code = " + Literal(code) + ";") > 0;
}

}  // namespace tlx4r
