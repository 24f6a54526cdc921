#include "JetServerDb.h"
#include "JetTestDb.h"
#include "support/TestPlace.h"

#include "db/DbError.h"
#include "db/JetSql.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <sstream>
#include <thread>

namespace tlx4r::db {
namespace {

using test::JetTestDb;
using ::testing::HasSubstr;

std::string WithFinance(std::string s, const std::string& path) {
    for (std::size_t p; (p = s.find("$FIN")) != std::string::npos;) s.replace(p, 4, path);
    return s;
}

// Statements of the dialect as the component writes them, run on the test database. When
// `check` is given it is plain SQLite run afterwards: over the view "v" of a row-returning
// statement (so that rows can be ordered and picked), or over the tables a write changed.
struct RowCase {
    const char* name;
    const char* jet;  // one statement per line
    const char* check;
    const char* expected;
};

// A case on one engine: the file engine's SQLite or the test server.
struct EngineRowCase {
    test::EngineKind kind;
    RowCase c;
};

// ctest shows the printed parameter beside each test's name: the case's name keeps it stable.
void PrintTo(const EngineRowCase& c, std::ostream* out) { *out << c.c.name; }

class JetSqlRows : public ::testing::TestWithParam<EngineRowCase> {};

TEST_P(JetSqlRows, GivesTheRowsTheDialectGave) {
    TLX4R_SKIP_WITHOUT_SERVER(GetParam().kind);
    const RowCase& c = GetParam().c;
    std::unique_ptr<test::DialectDb> db;
    if (GetParam().kind == test::EngineKind::File)
        db = std::make_unique<JetTestDb>();
    else
        db = std::make_unique<test::JetServerDb>();
    std::istringstream lines(WithFinance(c.jet, db->finance_path()));
    std::string rows;
    try {
        for (std::string line; std::getline(lines, line);) {
            Translation t = db->Translate(line);
            SCOPED_TRACE(t.sql);
            if (c.check && t.returns_rows) {
                db->CreateTempView("v", t.sql);
                rows = db->Rows(db->Check(c.check));
            } else if (c.check) {
                db->Exec(t.sql);
                rows = db->Rows(db->Check(c.check));
            } else {
                rows = db->Rows(t.sql);
            }
        }
    } catch (const std::runtime_error& e) {
        ADD_FAILURE() << e.what();
    }
    EXPECT_EQ(rows, c.expected);
}

const RowCase kRowCases[] = {
    // Stored queries: nested, parenthesised RIGHT JOINs keep entries without person or project
    // type.
    {"vEntry",
     "SELECT Entry.*, Person.PersonNameShort FROM Person RIGHT JOIN Entry ON Person.ID = "
     "Entry.PersonID;",
     "SELECT ID, PersonNameShort FROM v ORDER BY ID", "1|AM;2|BH;3|NULL;4|NULL;5|NULL"},
    {"vEntryFull",
     "SELECT Entry.*, Person_1.*, Project.*, ProjectType.*, Person.*, Department.* FROM Person AS "
     "Person_1 RIGHT JOIN "
     "(Department RIGHT JOIN (Person RIGHT JOIN (ProjectType RIGHT JOIN (Project INNER JOIN Entry "
     "ON Project.ID = "
     "Entry.ProjectID) ON ProjectType.ID = Project.ProjectTypeID) ON Person.ID = Project.PersonID) "
     "ON Department.ID = "
     "Project.DepartmentID) ON Person_1.ID = Entry.PersonID;",
     "SELECT \"Entry.ID\", \"Person_1.PersonNameShort\", \"Project.ID\", AccountCode, "
     "\"Person.PersonNameShort\", "
     "DepartmentNameFull, ProjectTypeNameFull FROM v ORDER BY 1",
     "1|AM|1|K100|BH|Notariat|Beratung;2|BH|1|K100|BH|Notariat|Beratung;3|NULL|2|K200|AM|Advokatur|"
     "NULL;"
     "5|NULL|2|K200|AM|Advokatur|NULL"},
    {"vProjectFull",
     "SELECT Project.*, ProjectType.*, Person.*, Department.* FROM Person RIGHT JOIN (ProjectType "
     "RIGHT JOIN "
     "(Department RIGHT JOIN Project ON Department.ID = Project.DepartmentID) ON ProjectType.ID = "
     "Project.ProjectTypeID) ON Person.ID = Project.PersonID;",
     "SELECT \"Project.ID\", PersonNameShort, DepartmentNameFull, ProjectTypeNameFull FROM v ORDER "
     "BY 1",
     "1|BH|Notariat|Beratung;2|AM|Advokatur|NULL;3|NULL|NULL|NULL"},
    // The entries selection: TOP, computed columns, record-type letters, Booleans, dates, LIKE.
    {"entries_selection_last",
     "SELECT TOP 2 Project.ID AS ItemID, Project.AccountCode AS ItemCode, Project.AccountName AS "
     "ItemName, "
     "Person.PersonNameShort AS ItemShort, Entry.ID AS EntryID, Entry.PersonID AS PersonID, "
     "Entry.Archive AS "
     "Archive, Entry.Text AS TextLine, [Charges]+[Expenses]+[Adapted]+[Vat]-[Billed] AS Amount, "
     "[TimeTo]-[TimeFrom]-[TimeBreak] AS Hours, Entry.*, Project.*, Person.* FROM Person RIGHT "
     "JOIN (Project RIGHT "
     "JOIN Entry ON Project.ID = Entry.ProjectID) ON Person.ID = Entry.PersonID "
     "WHERE((Entry.RecTypeText "
     "IN(\"G\",\"R\",\"A\",\"N\",\"M\")) AND (Entry.Archive = FALSE)) ORDER BY Entry.ID "
     "DESC,Entry.BookDate DESC;",
     "SELECT EntryID, Amount, ItemShort, ItemCode FROM v ORDER BY EntryID DESC",
     "5|-30.0|NULL|K200;2|60.0|BH|K100"},
    {"entries_selection_text_and_dates",
     "SELECT Entry.ID AS EntryID, [TimeTo]-[TimeFrom]-[TimeBreak] AS Hours, Entry.* FROM Entry "
     "WHERE((Entry.BookDate "
     "BETWEEN #03/01/2024# AND #04/30/2024#) AND (Entry.RecTypeText IN(\"A\")) AND (Entry.Archive "
     "= FALSE) AND "
     "(Entry.Text LIKE \"*MÜLLER*\")) ORDER BY Entry.BookDate,Entry.ID;",
     nullptr,
     "1|0.125|1|1|1|3|A  |0|45352.0|Besprechung Müller|100.1|0.0|0.0|0.0|0.0|0.375|0.5|0.0|1"},
    {"record_type_letter_ignores_categories",
     "SELECT ID FROM Entry WHERE (Entry.RecTypeText IN(\"A\")) ORDER BY ID;", nullptr, "1;3"},
    {"record_type_letter_equal_and_not_in",
     "SELECT ID FROM Entry WHERE RecTypeText = \"a\" OR [RecTypeText] NOT IN ('G', 'A', 'R') ORDER "
     "BY ID",
     nullptr, "1;3;4"},
    {"record_type_whole_code_compares_whole", "SELECT ID FROM Entry WHERE RecTypeText = \"AA0\"",
     nullptr, "3"},
    {"archived_true", "SELECT ID FROM Entry WHERE (Entry.Archive = TRUE);", nullptr, "3"},
    {"date_literal_exact_and_iso",
     "SELECT ID FROM Entry WHERE BookDate = #03/01/2024# OR BookDate = #2024-04-30# ORDER BY ID",
     nullptr, "1"},
    {"date_literal_values",
     "SELECT #03/01/2024 18:00:00# AS A, #12/30/1899# AS B, #1/2/2024 6:00 PM# AS C, #1/2/24# AS "
     "D, #12:00# AS E",
     nullptr, "45352.75|0|45293.75|45293|0.5"},
    {"true_is_minus_one_in_arithmetic",
     "SELECT 1 + True AS A, True AS B, False * 3 AS C, IIf(True, 2, 3) AS D", nullptr, "0|1|0|2"},
    // Transfer, archive and verification statements.
    {"transfer_sums",
     "SELECT  First(Project.AccountCode) as AccountCode, "
     "SUM(Entry.Charges+Entry.Expenses+Entry.Adapted-Entry.Billed) "
     "AS WorkedBalance FROM Project INNER JOIN Entry ON Project.ID = Entry.ProjectID "
     "WHERE((Entry.Archive = False)) "
     "GROUP BY Entry.ProjectID;",
     "SELECT * FROM v ORDER BY 1", "K100|160.1;K200|-30.0"},
    {"transfer_accounts_in_file",
     "SELECT Accounts.Code As AccountCode, Accounts.WorkedBalance AS WorkedBalance FROM Accounts "
     "IN \"$FIN\" WHERE "
     "Accounts.IsGeneralLedger=FALSE ORDER BY Accounts.Code;",
     nullptr, "K100|5.0;K200|7.0"},
    {"transfer_reset_in_file", "UPDATE Accounts IN \"$FIN\" SET Accounts.WorkedBalance=0;",
     "SELECT Code, WorkedBalance FROM db1.Accounts ORDER BY ID", "K100|0.0;K200|0.0;1000|0.0"},
    {"projects_without_account",
     "SELECT Count(ID) AS ToBeDeleted FROM Project WHERE (AccountCode NOT IN (SELECT Code FROM "
     "[$FIN].Accounts) );",
     nullptr, "1"},
    {"archive_projects_marked_for_deletion",
     "UPDATE Entry Set Entry.Archive=True WHERE ((ProjectID IN (SELECT Project.ID FROM Project "
     "WHERE "
     "Project.AccountCode IN (SELECT DISTINCTROW Accounts.Code FROM Accounts IN \"$FIN\" WHERE "
     "(Accounts.DeleteOnCloture = True);))) AND (BookDate BETWEEN #01/01/2024# AND #12/31/2024#) "
     "AND (RecType IN "
     "(1,2)));",
     "SELECT ID, Archive FROM Entry ORDER BY ID", "1|0;2|0;3|1;4|0;5|1"},
    {"reactivate_all", "UPDATE Entry Set Entry.Archive=False;", "SELECT Sum(Archive) FROM Entry",
     "0"},
    {"delete_archive", "DELETE * FROM Entry WHERE (Entry.Archive<>0);",
     "SELECT ID FROM Entry ORDER BY ID", "1;2;4;5"},
    {"foreign_key_repair",
     "UPDATE Entry SET Entry.PersonID = 0 WHERE (Entry.PersonID Is Null);\n"
     "UPDATE Entry SET Entry.PersonID = 0 WHERE (((Entry.PersonID)<>0 And (Entry.PersonID) Not In "
     "(SELECT ID FROM "
     "Person;)));",
     "SELECT ID, PersonID FROM Entry ORDER BY ID", "1|1;2|2;3|0;4|0;5|0"},
    {"project_names_from_other_file",
     "UPDATE Project INNER JOIN [$FIN].Accounts ON Project.AccountCode = Accounts.Code SET "
     "Project.AccountName "
     "=Accounts.Name;",
     "SELECT ID, AccountName FROM Project ORDER BY ID", "1|Meier AG neu;2|Zürcher Hans;3|Alt"},
    {"projects_without_entries",
     "DELETE * FROM Project WHERE (Project.ID NOT IN (SELECT DISTINCTROW Entry.ProjectID FROM "
     "Entry GROUP BY "
     "Entry.ProjectID;));",
     "SELECT ID FROM Project ORDER BY ID", "1;2"},
    {"projects_not_in_accounting",
     "DELETE * FROM Project WHERE Project.AccountCode NOT IN (SELECT DISTINCTROW Accounts.Code "
     "FROM Accounts IN "
     "\"$FIN\";);",
     "SELECT ID FROM Project ORDER BY ID", "1;2"},
    {"payment_limit_default", "UPDATE Project SET PaymentLimit = 30 WHERE (PaymentLimit Is Null);",
     "SELECT ID, PaymentLimit FROM Project ORDER BY ID", "1|30;2|30;3|30"},
    {"delete_through_join",
     "DELETE Entry.* FROM Entry INNER JOIN Project ON Entry.ProjectID = Project.ID WHERE "
     "Project.AccountCode = \"K100\";",
     "SELECT ID FROM Entry ORDER BY ID", "3;4;5"},
    {"tariff_rows",
     "INSERT INTO TypeCharges( ID, TypeChargesCode ) SELECT 1 AS MyID, \" \" AS MyCode;\n"
     "UPDATE TypeCharges SET TypeChargesCode = \"0\" WHERE (ID = 1);\n"
     "UPDATE TypeCharges SET TypeChargesName = \"Gebühren\" WHERE ((ID = 1) AND (TypeChargesName "
     "Is Null));",
     "SELECT * FROM TypeCharges", "1|0|Gebühren"},
    {"import_matches_columns_by_name",
     "INSERT INTO Person SELECT * FROM [$FIN].Person WHERE (NOT ((PersonNameFull Is Null) AND "
     "(PersonNameShort Is "
     "Null)));",
     "SELECT * FROM Person WHERE ID >= 10", "10|Xaver Yz|50.0|XY"},
    {"lookup_sync",
     "SELECT PersonID FROM Entry WHERE ((PersonID NOT IN (Select ID FROM Person;)) AND PersonID > "
     "0) GROUP BY PersonID;",
     nullptr, "9"},
    {"lookup_copy_old_values",
     "UPDATE Person SET [PersonRate] = [ID] WHERE (([PersonRate] = 0) AND ([ID] <> 0));",
     "SELECT ID, PersonRate FROM Person ORDER BY ID", "1|100.0;2|120.0;3|3.0"},
    {"balance",
     "SELECT DISTINCTROW SUM(Entry.Charges+Entry.Expenses) AS [Saldo] FROM Entry WHERE "
     "(((Entry.BookDate) <= "
     "#03/01/2024# )) GROUP BY Entry.ProjectID HAVING (((Entry.ProjectID)=1));",
     nullptr, "100.1"},
    {"client_projects_search",
     "SELECT * FROM Project WHERE ((Project.ClientID = 0) AND ((Project.AccountCode LIKE "
     "\"*zür*\") OR "
     "(Project.AccountName LIKE \"*ZÜR*\"))) ORDER BY Project.AccountCode;",
     "SELECT ID, AccountName FROM v", "2|Zürcher"},
    {"chooser_search_words",
     "SELECT * FROM Person WHERE (PersonNameFull Like \"bea* hu*\") ORDER BY PersonNameFull;",
     "SELECT ID FROM v", "2"},
    {"text_equality_ignores_case_and_trailing_blanks",
     "SELECT ID FROM Person WHERE PersonNameFull = \"ANNA MÜLLER  \" OR PersonNameFull = \"äbi zürcher\" ORDER BY ID;",
     nullptr, "1;3"},
    // 625 rows, 125 of them 100.1: a floating-point sum would miss the rappen.
    {"sum_of_amounts_is_exact",
     "SELECT Sum(E.Charges) AS S, Count(*) AS N FROM Entry AS E, Entry AS B, Entry AS C, Entry AS D;", nullptr,
     "21262.5|625"},
    {"text_sort_umlauts_beside_base", "SELECT PersonNameShort FROM Person ORDER BY PersonNameFull;",
     nullptr, "ÄZ;AM;BH"},
    {"export_projects_of_client",
     "SELECT Project.*, Client.* FROM Project LEFT JOIN Client ON Project.ClientID = Client.ID "
     "WHERE (Client.ID=1) "
     "ORDER BY Project.AccountCode;",
     "SELECT \"Project.ID\", \"Client.ID\", AccountCode, KeyName FROM v", "1|1|K100|Meier"},
    {"project_overview_with_accounts",
     "SELECT Project.*, ProjectType.*, Department.*, Person.*, [_temp_fibutables_7].* FROM "
     "_temp_fibutables_7 RIGHT "
     "JOIN (Department RIGHT JOIN (Person RIGHT JOIN (ProjectType RIGHT JOIN Project ON "
     "ProjectType.ID = "
     "Project.ProjectTypeID) ON Person.ID = Project.PersonID) ON Department.ID = "
     "Project.DepartmentID) ON "
     "[_temp_fibutables_7].Code = Project.AccountCode WHERE ((NOT (Code Is Null))) ORDER BY "
     "DepartmentID, DateBegin "
     "DESC, AccountCode;",
     "SELECT \"Project.ID\", \"_temp_fibutables_7.ID\", Name, PersonNameShort FROM v ORDER BY 1",
     "1|1|Meier AG neu|BH;2|2|Zürcher Hans|AM"},
    // Sub-queries: TOP becomes LIMIT inside its own brackets, ';' is dropped there.
    {"top_in_sub_query",
     "SELECT ID FROM Entry WHERE ID IN (SELECT TOP 2 ID FROM Entry ORDER BY BookDate DESC;) ORDER "
     "BY ID",
     nullptr, "4;5"},
    {"sub_query_as_table",
     "SELECT X.* FROM (SELECT ID, Text AS T FROM Entry WHERE ID < 3;) AS X ORDER BY X.ID", nullptr,
     "1|Besprechung Müller;2|Gebühr"},
    {"union", "SELECT ID FROM Entry WHERE ID = 1 UNION SELECT ID FROM Project WHERE ID = 3;",
     nullptr, "1;3"},
    {"alias_before_file",
     "SELECT Count(*) AS N FROM Accounts AS A IN \"$FIN\" WHERE A.IsGeneralLedger = True", nullptr,
     "1"},
    {"distinctrow_single_table",
     "SELECT DISTINCTROW Entry.ProjectID FROM Entry GROUP BY Entry.ProjectID;", nullptr, "0;1;2"},
    // A double-quoted text is a text, even when a column of that name exists.
    {"quoted_text_equal_to_column",
     "SELECT \"ID\" AS Lit, Count(*) AS N FROM Entry WHERE Text <> \"Text\" AND \"ID\" = 'ID';",
     nullptr, "ID|5"},
    {"operators_and_functions",
     "SELECT Entry.Text & \" / \" & Null AS A, 7 \\ 2 AS B, 7.6 Mod 3 AS C, 1 + 2 Mod 2 AS D, "
     "Len(Entry.Text) AS E, "
     "Left(Entry.Text, 3) & Right(Entry.Text, 3) AS F, Nz(Entry.TypeCharges, 1) AS G, "
     "UCase(\"ärger\") AS H, "
     "Mid(Entry.Text, 8, 4) AS I, Year(Entry.BookDate) AS J, Format(Entry.BookDate, "
     "\"dd.mm.yyyy\") AS K, "
     "IIf(Entry.Archive, \"ja\", \"nein\") AS L FROM Entry WHERE Entry.ID = 4",
     nullptr, "Termin ohne Geschäft / |3|2|1|20|Teräft|1|ÄRGER|ohne|2024|18.04.2024|nein"},
};

std::vector<EngineRowCase> RowCasesOnBothEngines() {
    std::vector<EngineRowCase> cases;
    for (auto kind : {test::EngineKind::File, test::EngineKind::Server})
        for (const auto& c : kRowCases) cases.push_back({kind, c});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Statements, JetSqlRows, ::testing::ValuesIn(RowCasesOnBothEngines()), [](const auto& test) {
    return std::string(test.param.c.name) + (test.param.kind == test::EngineKind::File ? "" : "_on_server");
});

// Result names: plain when unique, "Alias.Field" when shared, ExprNNNN for unnamed expressions;
// the same on every run, also through a stored query.
TEST(JetSqlNames, AreStableAndQualifiedOnlyWhereShared) {
    JetTestDb db;
    const std::string full =
        "SELECT Entry.*, Person_1.*, Project.*, ProjectType.*, Person.*, Department.* FROM Person "
        "AS Person_1 RIGHT "
        "JOIN (Department RIGHT JOIN (Person RIGHT JOIN (ProjectType RIGHT JOIN (Project INNER "
        "JOIN Entry ON "
        "Project.ID = Entry.ProjectID) ON ProjectType.ID = Project.ProjectTypeID) ON Person.ID = "
        "Project.PersonID) ON "
        "Department.ID = Project.DepartmentID) ON Person_1.ID = Entry.PersonID;";
    db.Exec("CREATE VIEW vEntryFull AS " + db.jet().Translate(full).sql);

    std::vector<std::string> first, second;
    db.Run("SELECT * FROM vEntryFull", &first);
    db.jet().ClearCache();
    db.Run("SELECT * FROM vEntryFull;", &second);
    EXPECT_EQ(first, second);
    const std::vector<std::string> expected = {"Entry.ID",
                                               "ProjectID",
                                               "Entry.PersonID",
                                               "RecType",
                                               "RecTypeText",
                                               "Entry.Archive",
                                               "BookDate",
                                               "Entry.Text",
                                               "Charges",
                                               "Expenses",
                                               "Adapted",
                                               "Billed",
                                               "VAT",
                                               "TimeFrom",
                                               "TimeTo",
                                               "TimeBreak",
                                               "TypeCharges",
                                               "Person_1.ID",
                                               "Person_1.PersonNameFull",
                                               "Person_1.PersonRate",
                                               "Person_1.PersonNameShort",
                                               "Project.ID",
                                               "ClientID",
                                               "ProjectTypeID",
                                               "Project.PersonID",
                                               "DepartmentID",
                                               "Project.Archive",
                                               "AccountCode",
                                               "AccountName",
                                               "DateBegin",
                                               "DateEnd",
                                               "Project.Text",
                                               "Rate",
                                               "PaymentLimit",
                                               "ProjectType.ID",
                                               "ProjectTypeNameFull",
                                               "ProjectTypeRate",
                                               "Person.ID",
                                               "Person.PersonNameFull",
                                               "Person.PersonRate",
                                               "Person.PersonNameShort",
                                               "Department.ID",
                                               "DepartmentNameFull",
                                               "DepartmentRate"};
    EXPECT_EQ(second, expected);

    std::vector<std::string> cols;
    db.Run(
        "SELECT Entry.ID, Project.ID, Entry.PersonID AS PersonID, Entry.*, Charges * 2, Sum(1) "
        "FROM Project "
        "INNER JOIN Entry ON Project.ID = Entry.ProjectID GROUP BY Entry.ID",
        &cols);
    ASSERT_GE(cols.size(), 6u);
    EXPECT_EQ(cols[0], "Entry.ID");
    EXPECT_EQ(cols[1], "Project.ID");
    EXPECT_EQ(cols[2], "PersonID");  // named explicitly: never qualified
    EXPECT_EQ(cols[3], "Entry.ID");
    EXPECT_EQ(cols[5], "Entry.PersonID");
    EXPECT_EQ(cols[cols.size() - 2], "Expr1000");
    EXPECT_EQ(cols.back(), "Expr1001");
}

TEST(JetSqlText, RewritesTheDialectToken_by_token) {
    JetTestDb db;
    auto sql = [&](const char* jet) { return db.jet().Translate(jet).sql; };
    EXPECT_EQ(sql("DELETE * FROM Entry WHERE (Entry.Archive<>0);"),
              "DELETE FROM \"Entry\" WHERE (Entry.Archive <> 0)");
    EXPECT_EQ(sql("SELECT TOP 5 ID FROM Entry ORDER BY ID DESC"),
              "SELECT ID AS \"ID\" FROM \"Entry\" ORDER BY ID DESC LIMIT 5");
    EXPECT_EQ(sql("UPDATE Project INNER JOIN Client ON Project.ClientID = Client.ID SET "
                  "Project.Text = Client.KeyName "
                  "WHERE Client.Archive = False"),
              "UPDATE \"Project\" SET \"Text\" = Client.KeyName FROM \"Client\" WHERE "
              "(Project.ClientID = Client.ID) "
              "AND (Client.Archive = 0)");
    EXPECT_EQ(
        sql("SELECT [Entry].[Text] AS [Der Text] FROM [Entry] WHERE [Text] = 'It''s \"so\"'"),
        "SELECT \"Entry\".\"Text\" AS \"Der Text\" FROM \"Entry\" WHERE \"Text\" = 'It''s \"so\"'");
    // A criteria text (no statement) gets the expression rewrites only.
    EXPECT_EQ(sql("AccountCode=\"K100\" AND DateBegin >= #01/01/2024# AND Archive = False"),
              "AccountCode = 'K100' AND DateBegin >= 45292 AND Archive = 0");
    EXPECT_TRUE(db.jet().Translate("SELECT 1 AS X").returns_rows);
    EXPECT_FALSE(db.jet().Translate("UPDATE Entry SET Archive = 0").returns_rows);
}

// Another database file is attached once and then named by its schema; translations are
// cached until the cache is cleared.
TEST(JetSqlCache, TranslatesEachTextOnceAndAttachesThroughTheCallback) {
    JetTestDb db;
    std::atomic<int> attaches = 0;
    JetSql jet(db, [&](const std::string& path) {
        ++attaches;
        EXPECT_EQ(path, "C:\\Daten\\Kanzlei 2024.tdb4f");
        return std::string("fin");
    });
    const std::string stmt =
        "SELECT Code FROM [C:\\Daten\\Kanzlei 2024.tdb4f].Accounts WHERE Code = \"x\"";
    Translation a = jet.Translate(stmt);
    EXPECT_EQ(a.sql,
              "SELECT Code AS \"Code\" FROM \"fin\".\"Accounts\" AS \"Accounts\" WHERE Code = 'x'");
    jet.Translate(stmt);
    EXPECT_EQ(attaches, 1);
    jet.ClearCache();
    jet.Translate(stmt);
    EXPECT_EQ(attaches, 2);

    std::vector<std::thread> threads;
    std::atomic<int> mismatches = 0;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 50; ++i) {
                std::string s = "SELECT ID FROM Entry WHERE ID = " + std::to_string((i + t) % 10);
                if (jet.Translate(s).sql !=
                    "SELECT ID AS \"ID\" FROM \"Entry\" WHERE ID = " + std::to_string((i + t) % 10))
                    ++mismatches;
            }
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(mismatches, 0);
}

// Every prefix of every statement above, cut anywhere: an error is a DbError, never a crash
// or another exception.
TEST(JetSqlErrorsAnywhere, TruncatedStatementsFailCleanly) {
    JetTestDb db;
    JetSql jet(db, [](const std::string&) { return std::string("fin"); });
    int errors = 0;
    for (const RowCase& c : kRowCases) {
        const std::string full = c.jet;
        for (std::size_t n = 1; n <= full.size(); ++n) {
            try {
                jet.Translate(std::string_view(full).substr(0, n));
            } catch (const DbError& e) {
                ASSERT_EQ(e.Number(), 3000);
                ++errors;
            } catch (const std::exception& e) {
                FAIL() << e.what() << " for " << full.substr(0, n);
            }
        }
    }
    EXPECT_GT(errors, 0);
}

struct ErrorCase {
    const char* name;
    const char* jet;
    int position;  // 1-based, in characters
    const char* what;
};

void PrintTo(const ErrorCase& c, std::ostream* out) { *out << c.name; }

class JetSqlErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(JetSqlErrors, NameTheStatementAndThePosition) {
    const ErrorCase& c = GetParam();
    JetTestDb db;
    try {
        db.jet().Translate(c.jet);
        FAIL() << "no error for " << c.jet;
    } catch (const DbError& e) {
        EXPECT_EQ(e.Number(), 3000);
        EXPECT_THAT(e.Description(), HasSubstr(c.what));
        EXPECT_THAT(e.Description(), HasSubstr("position " + std::to_string(c.position) + " "));
        EXPECT_THAT(e.Description(), HasSubstr(c.jet));
    }
}

const ErrorCase kErrorCases[] = {
    {"unterminated_text", "SELECT * FROM Entry WHERE Text = \"abc", 34, "unterminated text"},
    {"unterminated_name", "SELECT [Text FROM Entry", 8, "unterminated name in brackets"},
    {"open_bracket", "SELECT ID FROM Entry WHERE (ID = 1", 28, "'(' without ')'"},
    {"close_bracket", "SELECT ID FROM Entry WHERE ID = 1)", 34, "')' without '('"},
    {"bad_date", "SELECT ID FROM Entry WHERE BookDate = #13/45/2024#", 39, "invalid date"},
    {"unknown_star_table", "SELECT Nope.* FROM Entry", 8, "unknown table 'Nope'"},
    {"missing_table", "SELECT * FROM Nowhere", 8, "'Nowhere' does not exist"},
    {"two_statements", "SELECT ID FROM Entry; DROP TABLE Entry", 21,
     "after the end of the statement"},
    {"top_without_number", "SELECT TOP x ID FROM Entry", 8, "TOP needs a whole number"},
    {"update_without_set", "UPDATE Entry Archive = 1", 1, "UPDATE without SET"},
    {"position_counts_characters", "SELECT \"Müller\" AS Ä, ID FROM Entry WHERE ID = ?", 48,
     "unexpected character '?'"},
    {"update_outer_join",
     "UPDATE Project LEFT JOIN Client ON Project.ClientID = Client.ID SET Project.Text = \"x\"", 16,
     "only INNER JOIN"},
    {"empty", "  ;", 1, "empty statement"},
    {"join_words_without_join", "SELECT * FROM Entry RIGHT Person", 27, "JOIN is missing"},
    {"join_words_at_the_end", "SELECT * FROM Entry LEFT OUTER", 31, "JOIN is missing"},
    {"nested_too_deeply",
     "SELECT "
     "((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((("
     "((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((("
     "("
     "((((((((((((((((((((((((((1",
     208, "nested too deeply"},
};

INSTANTIATE_TEST_SUITE_P(Malformed, JetSqlErrors, ::testing::ValuesIn(kErrorCases),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace tlx4r::db
