#include "entries/TypeBase.h"

#include "core/ReportingSchema.h"
#include "core/modAssert.h"
#include "core/modReporting.h"
#include "core/modStringLibrary.h"
#include "db/Database.h"
#include "db/Transaction.h"
#include "entries/frmTypeBase.h"
#include "entries/frmTypeBaseChoose.h"
#include "hostapi/Interface.h"

#include <array>
#include <exception>
#include <memory>
#include <utility>
#include <vector>

namespace tlx4r {

namespace {

// The sizes of the name and account columns; a longer text is cut, as the field writers do.
constexpr long kNameSize = 255;
constexpr long kAccountSize = 50;

struct DefaultName {
    const char* code;
    const char* name;
};

// The names a new catalogue starts with, by kind. Row 1 gets the catalogue's display name.
constexpr std::array<DefaultName, 5> kChargesDefaults{{
    {"B", "Beratungen"},
    {"G", "Gebühren"},
    {"H", "Honorare"},
    {"S", "Support"},
    {"V", "Verwaltungen"},
}};
constexpr std::array<DefaultName, 8> kExpensesDefaults{{
    {"A", "Auslagen"},
    {"F", "Fremdkosten"},
    {"K", "Kopien"},
    {"P", "Porti"},
    {"R", "Reisespesen"},
    {"T", "Telefone"},
    {"U", "Unterkunft"},
    {"V", "Versand"},
}};

template <typename F>
void Try(F&& step) {
    try {
        step();
    } catch (const std::exception&) {
        // one step of an assert that fails must not keep the others from running
    }
}

std::string Literal(const std::string& text, long size) {
    return text.empty() ? std::string("Null") : Quote(StrMidSafe(text, 1, size));
}

}  // namespace

TypeBase::TypeBase(db::Database& db, int kind, std::string table, std::string display_name)
    : db_(db), kind_(kind), cursor_(db, std::move(table)), display_name_(std::move(display_name)) {}

std::string TypeBase::Column(const std::string& name) const { return Table() + name; }

void TypeBase::Assert() {
    const std::string& t = Table();
    const bool created = TableDeclAssert(db_, schema::TypeTable(t));
    std::unique_ptr<db::Transaction> tx;
    Try([&] { tx = std::make_unique<db::Transaction>(db_); });
    // A stray row outside 1..37 may hold a code that the unique code index would then refuse
    // to the row it belongs to: it goes first.
    Try([&] {
        db_.Execute("DELETE * FROM " + t + " WHERE ((ID > " + std::to_string(kTypeMax) + ") OR (ID < 1));");
    });
    for (std::int32_t n = 1; n <= kTypeMax; ++n) {
        const std::string number = std::to_string(n);
        const std::string code = Quote(TypeCode(n));
        Try([&] {
            db_.Execute("INSERT INTO " + t + "( ID, " + Column("Code") + " ) " + "SELECT " + number + " AS MyID, " +
                        code + " AS MyCode;");
        });
        Try([&] { db_.Execute("UPDATE " + t + " SET " + Column("Code") + " = " + code + " " + "WHERE (ID = " + number + ");"); });
    }
    Try([&] { Verify(); });
    if (created) Try([&] { LoadDefaults(); });
    if (tx) Try([&] { tx->Commit(); });
}

void TypeBase::Verify() {
    const std::string& t = Table();
    db_.Execute("DELETE * FROM " + t + " WHERE ((ID > " + std::to_string(kTypeMax) + ") OR (ID < " + std::to_string(1) +
                "));");
    Update(" ", display_name_, std::nullopt, true);
}

void TypeBase::Update(IDorCode id_or_code, const std::optional<std::string>& type_name,
                      const std::optional<std::string>& type_account, bool only_if_empty) {
    std::string list;
    if (type_name) list = Column("Name") + " = " + Literal(*type_name, kNameSize);
    if (type_account) {
        if (!list.empty()) list += ",";
        list += Column("Account") + " = " + Literal(*type_account, kAccountSize);
    }
    if (list.empty() || !id_or_code.Valid()) return;
    db_.Execute("UPDATE " + Table() + " SET " + list + " WHERE ((ID = " + std::to_string(id_or_code.Number()) + ")" +
                (only_if_empty ? " AND (" + Column("Name") + " Is Null)" : std::string()) + ");");
}

void TypeBase::LoadDefaults() {
    db::Transaction tx(db_);
    for (std::int32_t n = 1; n <= kTypeMax; ++n) Update(n, std::string(), std::string());
    Update(" ", display_name_);
    if (kind_ == 0) {
        for (const auto& d : kChargesDefaults) Update(d.code, std::string(d.name));
    } else {
        for (const auto& d : kExpensesDefaults) Update(d.code, std::string(d.name));
    }
    tx.Commit();
}

std::vector<std::string> TypeBase::DefaultTopics(int kind) {
    std::vector<std::string> names(static_cast<std::size_t>(kTypeMax));
    names[0] = kind == 0 ? "Gebühren" : "Auslagen";
    auto put = [&names](const auto& defaults) {
        for (const auto& d : defaults) names[static_cast<std::size_t>(TypeNumber(d.code) - 1)] = d.name;
    };
    if (kind == 0) {
        put(kChargesDefaults);
    } else {
        put(kExpensesDefaults);
    }
    return names;
}

std::string TypeBase::Topic(IDorCode id_or_code) {
    db::Recordset& rs = cursor_.Get();
    if (!id_or_code.Valid()) return {};
    rs.Seek("=", db::Value(id_or_code.Number()));
    return rs.NoMatch() ? std::string() : NullToString(rs.Get(Column("Name")));
}

std::string TypeBase::Account(IDorCode id_or_code) {
    db::Recordset& rs = cursor_.Get();
    if (!id_or_code.Valid()) return {};
    rs.Seek("=", db::Value(id_or_code.Number()));
    return rs.NoMatch() ? std::string() : NullToString(rs.Get(Column("Account")));
}

std::string TypeBase::AccountName(IDorCode id_or_code) {
    const std::string code = Account(id_or_code);
    if (code.empty() || goInterface == nullptr) return {};
    hostapi::Accounts* accounts = goInterface->FinanceAccounts();
    if (accounts == nullptr) return {};
    auto account = accounts->Item(code);
    return account ? account->Name() : std::string();
}

int TypeBase::Choose(std::optional<int> init_value, std::optional<int> left, std::optional<int> top) {
    std::vector<std::string> names;
    for (std::int32_t n = 1; n <= kTypeMax; ++n) names.push_back(Topic(n));
    frmTypeBaseChoose form;
    form.Load(display_name_, std::move(names), init_value.value_or(0));
    form.SetPosition(left, top);
    return form.Choose();
}

void TypeBase::Edit() {
    frmTypeBase form;
    form.Edit(*this);
}

void TypeBase::Refresh() {
    rsClose();
    rsOpen();
}

}  // namespace tlx4r
