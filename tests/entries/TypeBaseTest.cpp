#include "entries/TypeBase.h"

#include "EntriesDb.h"
#include "core/modReporting.h"
#include "entries/EntryTypes.h"
#include "entries/TypeCharges.h"
#include "entries/TypeExpenses.h"
#include "entries/modTypeBase.h"
#include "masterdata/MasterDataFixture.h"

#include <gtest/gtest.h>

namespace tlx4r::test {
namespace {

TEST(TypeCodes, MapBothWays) {
    EXPECT_EQ(TypeCode(1), " ");
    EXPECT_EQ(TypeCode(2), "0");
    EXPECT_EQ(TypeCode(11), "9");
    EXPECT_EQ(TypeCode(12), "A");
    EXPECT_EQ(TypeCode(37), "Z");
    EXPECT_EQ(TypeCode(0), " ");
    EXPECT_EQ(TypeCode(38), " ");
    EXPECT_EQ(TypeCode(-5), " ");
    for (std::int32_t n = 1; n <= kTypeMax; ++n) EXPECT_EQ(TypeNumber(TypeCode(n)), n) << n;
    EXPECT_EQ(TypeNumber("b"), 0) << "a lower-case letter is no category";
    EXPECT_EQ(TypeNumber(""), 0);
    EXPECT_EQ(TypeNumber("-"), 0);
    EXPECT_EQ(TypeNumber("Ä"), 0);
    EXPECT_EQ(TypeNumber("KX"), 22) << "only the first character counts";
    EXPECT_EQ(IDorCode(5).Number(), 5);
    EXPECT_EQ(IDorCode("5").Number(), 7);
    EXPECT_FALSE(IDorCode(38).Valid());
}

struct EntryTypeCase {
    const char* text;
    int expected;
};

void PrintTo(const EntryTypeCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class EntryTypeByText : public ::testing::TestWithParam<EntryTypeCase> {};

TEST_P(EntryTypeByText, ReadsCodesAnyCaseAndNamesExactly) {
    EXPECT_EQ(EntryTypes::EntryType(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(EntryTypes, EntryTypeByText,
                         ::testing::Values(EntryTypeCase{"a", 3}, EntryTypeCase{"A", 3},
                                           EntryTypeCase{"Arbeitszeit", 3}, EntryTypeCase{"arbeitszeit", -1},
                                           EntryTypeCase{"*", 0}, EntryTypeCase{"*Alles*", 0},
                                           EntryTypeCase{"g", 1}, EntryTypeCase{"Mehrwertsteuer", 7},
                                           EntryTypeCase{"x", -1}, EntryTypeCase{"", -1},
                                           EntryTypeCase{"Gebühren", 1}, EntryTypeCase{"ü", -1}));

// The seven codes and names in order are checked through the chooser that lists them
// (ChoosersTest); here what lies outside them.
TEST(EntryTypes, NamesAndCodesKnowOnlyTheSevenTypes) {
    EXPECT_EQ(EntryTypes::EntryType(8L), -1);
    EXPECT_EQ(EntryTypes::EntryType(-1L), -1);
    EXPECT_EQ(EntryTypes::EntryType(0L), 0);
    EXPECT_EQ(EntryTypes::EntryTopic(0), "???");
    EXPECT_EQ(EntryTypes::EntryCode(0), "?");
    EXPECT_EQ(EntryTypes::EntryCode(8), "?");
    EXPECT_EQ(EntryTypes::EntryTopic("m"), "Mehrwertsteuer");
    EXPECT_EQ(EntryTypes::EntryCode("Dokument"), "D");
    EXPECT_EQ(EntryTypes::EntryTopic("*"), "???");
}

// The fixture's host, whose finance database can be closed.
class AccountsHost : public FakeHost {
public:
    hostapi::Accounts* FinanceAccounts() override { return open ? &accounts : nullptr; }
    bool open = true;
};

using TypeCatalogues = EntriesDb;

TEST_F(TypeCatalogues, ANewDatabaseIsSeededWithTheBuiltInNames) {
    TypeCharges& charges = *layer.TypeCharges();
    TypeExpenses& expenses = *layer.TypeExpenses();
    EXPECT_EQ(charges.TableName(), "TypeCharges");
    EXPECT_EQ(expenses.DisplayName(), "Auslagen");
    for (const char* table : {"TypeCharges", "TypeExpenses"}) {
        const std::string t = table;
        EXPECT_EQ(Scalar("SELECT Count(*) FROM " + t).ToLong(), 37) << t;
        auto rs = Db().OpenRecordset("SELECT ID, " + t + "Code FROM " + t + " ORDER BY ID", db::RecordsetType::Snapshot);
        std::string codes;
        for (; !rs.Eof(); rs.MoveNext()) codes += rs.Get(1).ToText();
        EXPECT_EQ(codes, " 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ") << t;
    }
    EXPECT_EQ(charges.Topic(1), "Gebühren");
    EXPECT_EQ(charges.Topic(13), "Beratungen");
    EXPECT_EQ(charges.Topic("S"), "Support");
    EXPECT_EQ(charges.Topic("A"), "") << "a row without a name";
    EXPECT_EQ(expenses.Topic(22), "Kopien");
    EXPECT_EQ(expenses.Topic(" "), "Auslagen");
    EXPECT_EQ(expenses.Topic("V"), "Versand");
    EXPECT_EQ(expenses.Topic("b"), "") << "no category, no row";
    EXPECT_EQ(expenses.Topic(40), "");
    EXPECT_EQ(Scalar("SELECT Count(*) FROM TypeExpenses WHERE TypeExpensesName Is Not Null").ToLong(), 9);
}

TEST_F(TypeCatalogues, AssertRepairsTheRowsButNeverTheUsersNames) {
    TypeCharges& charges = *layer.TypeCharges();
    charges.Update(13, std::string("Beratung Notariat"), std::string("3200"));
    charges.Update(1, std::string("Honorar allgemein"));
    charges.Update(20, std::string("Eigene"));
    Db().Execute("DELETE * FROM TypeCharges WHERE ID IN (5, 37);");
    Db().Execute("INSERT INTO TypeCharges (ID, TypeChargesCode) VALUES (38, \"?\");");
    Db().Execute("INSERT INTO TypeCharges (ID, TypeChargesCode, TypeChargesName) VALUES (40, \"X40\", \"weg\");");
    Db().Execute("UPDATE TypeCharges SET TypeChargesCode = \"#\" WHERE ID = 12;");
    Db().Execute("UPDATE TypeExpenses SET TypeExpensesName = Null WHERE ID = 1;");

    layer.DBOpen(Path());
    TypeCharges& reopened = *layer.TypeCharges();
    EXPECT_EQ(Scalar("SELECT Count(*) FROM TypeCharges").ToLong(), 37);
    EXPECT_EQ(Scalar("SELECT Max(ID) FROM TypeCharges").ToLong(), 37);
    EXPECT_EQ(Scalar("SELECT TypeChargesCode FROM TypeCharges WHERE ID = 5").ToText(), "3");
    EXPECT_EQ(Scalar("SELECT TypeChargesCode FROM TypeCharges WHERE ID = 12").ToText(), "A");
    EXPECT_EQ(reopened.Topic(13), "Beratung Notariat");
    EXPECT_EQ(reopened.Account("B"), "3200");
    EXPECT_EQ(reopened.Topic(1), "Honorar allgemein") << "a named row 1 keeps its name";
    EXPECT_EQ(reopened.Topic(20), "Eigene");
    EXPECT_EQ(reopened.Topic(19), "Honorare");
    EXPECT_EQ(layer.TypeExpenses()->Topic(1), "Auslagen") << "an unnamed row 1 is named again";

    // LoadDefaults is the way back to the built-in names
    reopened.LoadDefaults();
    EXPECT_EQ(reopened.Topic(13), "Beratungen");
    EXPECT_EQ(reopened.Topic(1), "Gebühren");
    EXPECT_EQ(reopened.Topic(20), "");
    EXPECT_EQ(reopened.Account(13), "");
}

TEST_F(TypeCatalogues, UpdateSetsNameAndAccountSeparately) {
    TypeExpenses& expenses = *layer.TypeExpenses();
    expenses.Update("K", std::nullopt, std::string("4100"));
    EXPECT_EQ(expenses.Topic("K"), "Kopien");
    EXPECT_EQ(expenses.Account("K"), "4100");
    expenses.Update("K", std::string("Kopien \"farbig\""));
    EXPECT_EQ(expenses.Topic(22), "Kopien \"farbig\"");
    expenses.Update(22, std::nullopt, std::string());
    EXPECT_EQ(expenses.Account(22), "");
    EXPECT_TRUE(Scalar("SELECT TypeExpensesAccount FROM TypeExpenses WHERE ID = 22").IsNull());
    expenses.Update(22, std::string("nur wenn leer"), std::nullopt, true);
    EXPECT_EQ(expenses.Topic(22), "Kopien \"farbig\"");
    expenses.Update("b", std::string("nie"));
    expenses.Update(0, std::string("nie"));
    EXPECT_EQ(Scalar("SELECT Count(*) FROM TypeExpenses WHERE TypeExpensesName = \"nie\"").ToLong(), 0);
    expenses.Update(30, std::string(300, 'n'));
    EXPECT_EQ(expenses.Topic(30).size(), 255u) << "a name is cut to its column";
}

TEST_F(TypeCatalogues, AccountNameComesFromTheHostsAccounts) {
    TypeCharges& charges = *layer.TypeCharges();
    charges.Update("H", std::nullopt, std::string("3200"));
    charges.Update("S", std::nullopt, std::string("9999"));
    EXPECT_EQ(charges.AccountName("H"), "") << "no host";
    AccountsHost host;
    host.accounts.items["3200"] = std::make_shared<FakeAccount>("3200", "Honorarertrag");
    hostapi::Interface* previous = goInterface;
    goInterface = &host;
    EXPECT_EQ(charges.AccountName("H"), "Honorarertrag");
    EXPECT_EQ(charges.AccountName(30), "") << "an account the host does not know";
    EXPECT_EQ(charges.AccountName(2), "") << "a category without an account";
    host.open = false;
    EXPECT_EQ(charges.AccountName("H"), "") << "no finance database";
    goInterface = previous;
}

}  // namespace
}  // namespace tlx4r::test
