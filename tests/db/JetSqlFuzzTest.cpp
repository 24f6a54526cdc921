// Mutated statements against the dialect translator: whatever the text, it translates or fails
// with a DbError, and SQLite can be handed the translation. The budget is small in the normal
// run; TLX4R_FUZZ_ITERATIONS raises it for long runs (scripts/fuzz.sh).
#include "JetTestDb.h"

#include "db/DbError.h"
#include "support/Mutator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace tlx4r::db {
namespace {

using test::JetTestDb;

// Statements as the component writes them.
const std::vector<std::string>& Seeds() {
    static const std::vector<std::string> seeds = {
        "SELECT DISTINCTROW Entry.*, Project.AccountCode FROM Entry LEFT JOIN Project ON Entry.ProjectID = Project.ID "
        "WHERE (Entry.BookDate >= #01/01/2024# AND Entry.BookDate < #1/1/25#) ORDER BY Entry.BookDate DESC;",
        "SELECT TOP 5 Person.PersonNameFull AS Name, First(Person.PersonRate) FROM Person GROUP BY "
        "Person.PersonNameFull HAVING Count(*) > 0;",
        "UPDATE Project INNER JOIN [$FIN].Accounts ON Project.AccountCode = Accounts.Code SET Project.AccountName = "
        "Accounts.Name WHERE Project.Archive = True;",
        "DELETE * FROM Project WHERE Project.AccountCode NOT IN (SELECT DISTINCTROW Accounts.Code FROM Accounts IN "
        "\"$FIN\";);",
        "SELECT Sum(Entry.Charges) AS Total FROM Entry WHERE Entry.RecTypeText IN(\"A\",\"B\") AND Entry.Text Like "
        "\"*M[äa]ller?#\" AND NOT (Entry.Info Is Null);",
        "INSERT INTO Department SELECT * FROM Department WHERE (DepartmentNameFull Is Not Null);",
        "SELECT Client.KeyName & \" \" & Client.City, IIf(Client.Archive, -1, 0) FROM (Client RIGHT JOIN Project ON "
        "Client.ID = Project.ClientID) WHERE Client.KeyName > \"M\" ORDER BY 1;",
    };
    return seeds;
}

// Pieces of the dialect that drive the translator into its corners.
const std::vector<std::string>& Pieces() {
    static const std::vector<std::string> pieces = {
        "(", ")", "[", "]", "]]", "\"", "\"\"", "'", "#", "#2/30/2024#", "*", ";", ",", ".", " ", "SELECT ", " FROM ",
        " WHERE ", " INNER JOIN ", " RIGHT JOIN ", " ON ", " TOP 3 ", " PERCENT ", " IN ", "IN(", " Like ", " Is Null",
        " Not ", " DISTINCTROW ", " AS ", "Entry.*", "[$FIN].", " SET ", "True", "False", "-", "^", "&", "1e308",
        "\xC3\xA4", "\xFF", "\n", "First(", "Sum(", "UPDATE ", "DELETE * ", "INSERT INTO ", " SELECT * ", "?", "!",
    };
    return pieces;
}

TEST(JetSqlFuzz, AnyTextTranslatesOrFailsWithADbError) {
    const long iterations = tlx4r::test::Mutator::Budget(3000);
    JetTestDb db;
    // Only the finance database is attached: a mutated path must not make files anywhere.
    JetSql jet(db, [&db](const std::string& path) -> std::string {
        if (path != db.finance_path()) throw DbError(3024, "no such file: " + path);
        return "fin";
    });
    std::vector<std::string> seeds = Seeds();
    for (std::string& seed : seeds)
        for (std::size_t p; (p = seed.find("$FIN")) != std::string::npos;) seed.replace(p, 4, db.finance_path());
    tlx4r::test::Mutator mutator(20241205, Pieces());
    long translated = 0;
    long refused = 0;
    for (long i = 0; i < iterations; ++i) {
        const std::string text = mutator.MutateOneOf(seeds);
        try {
            const Translation translation = jet.Translate(text);
            ++translated;
            sqlite3_stmt* statement = nullptr;
            // preparing is enough: SQLite may refuse the translation, but must be able to read it
            sqlite3_prepare_v2(db.db(), translation.sql.c_str(), -1, &statement, nullptr);
            sqlite3_finalize(statement);
        } catch (const DbError&) {
            ++refused;
        } catch (const std::exception& e) {
            ADD_FAILURE() << "not a DbError: " << e.what() << "\nfor: " << text;
        }
        if (i % 1000 == 999) jet.ClearCache();  // the cache would keep every input
    }
    EXPECT_EQ(translated + refused, iterations);
    EXPECT_GT(translated, 0) << "the mutations left nothing translatable: the test tests nothing";
    RecordProperty("translated", static_cast<int>(translated));
    RecordProperty("refused", static_cast<int>(refused));
}

}  // namespace
}  // namespace tlx4r::db
