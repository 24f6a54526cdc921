#include "JetServerDb.h"
#include "JetTestDb.h"
#include "support/TestPlace.h"
#include "TestName.h"

#include "db/JetLike.h"
#include "db/JetTextCollation.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace tlx4r::db {
namespace {

using test::JetTestDb;

struct LikeCase {
    const char* pattern;
    const char* text;
    bool matches;
};

const LikeCase kLikeCases[] = {
    {"*müller*", "Besprechung MÜLLER", true},
    {"M?ller", "Müller", true},
    {"M?ller", "Mueller", false},
    {"a", "ä", false},  // case-insensitive, not accent-blind
    {"K#00", "K100", true},
    {"K#00", "KA00", false},
    {"[A-C]*", "äpfel", true},  // a range holds the accented forms of its letters
    {"[!A-C]*", "Zürich", true},
    {"[!A-C]*", "Äpfel", false},
    {"[*]*", "*x", true},
    {"a[*]", "ab", false},
    {"[ab][!ab]", "Ac", true},
    {"*", "", true},
    {"?", "", false},
    {"a*b*c", "aXXbYYc", true},
    {"a*b*c", "aXXbYY", false},
    {"*a", "banana", true},
    {"*an*an*", "banana", true},
    {"bea* hu*", "Beat Huber", true},
    {"100%", "100%", true},  // no SQL wildcards in this dialect
    {"a_c", "abc", false},
    {"a[]", "ab", false},  // an empty list holds nothing, its negation everything
    {"a[!]", "ab", true},
    {"[a^]-[.]", "^-.", true},
    {"(*)", "(x)", true},
};

// The file engine's LIKE is a function of SQLite (JetLike), the server's an operator of its own:
// the same statements of the dialect on both.
class JetLikePatterns : public ::testing::TestWithParam<test::EngineKind> {};

TEST_P(JetLikePatterns, MatchAsTheDialectDoes) {
    TLX4R_SKIP_WITHOUT_SERVER(GetParam());
    std::unique_ptr<test::DialectDb> db;
    if (GetParam() == test::EngineKind::File)
        db = std::make_unique<JetTestDb>();
    else
        db = std::make_unique<test::JetServerDb>();
    const auto like = [&](const std::string& text, const std::string& pattern) {
        return db->Rows(db->Translate("SELECT \"" + text + "\" LIKE \"" + pattern + "\" AS M").sql);
    };
    for (const LikeCase& c : kLikeCases) EXPECT_EQ(like(c.text, c.pattern), c.matches ? "1" : "0") << c.pattern << " ~ " << c.text;
    for (const char* bad : {"[ab", "[z-a]"}) EXPECT_THROW(like("x", bad), std::runtime_error) << bad;
}

INSTANTIATE_TEST_SUITE_P(Engines, JetLikePatterns,
                         ::testing::Values(test::EngineKind::File, test::EngineKind::Server), test::EngineName);

TEST(JetLike, RejectsAnOpenListAndFinishesOnManyStars) {
    EXPECT_THROW(JetLike("[ab"), std::invalid_argument);
    EXPECT_THROW(JetLike("[z-a]"), std::invalid_argument);
    std::string pattern;
    for (int i = 0; i < 40; ++i) pattern += "*a";
    pattern += "*b";
    const std::string text(20000, 'a');
    EXPECT_FALSE(JetLike(pattern).Matches(text));
    EXPECT_TRUE(JetLike(pattern).Matches(text + "b"));
}

TEST(JetLike, IsTheLikeOfEveryConnection) {
    JetTestDb db;
    EXPECT_EQ(db.Rows("SELECT 'Müller' LIKE 'MÜ*', 'x' LIKE NULL, 'abc' NOT LIKE 'a?c', 'a*c' LIKE "
                      "'a\\*c' ESCAPE '\\'"),
              "1|NULL|0|1");
    EXPECT_THROW(db.Rows("SELECT 'x' LIKE '[x'"), std::runtime_error);
    EXPECT_EQ(
        db.Rows("SELECT count(*) FROM Entry WHERE Text LIKE '*" + std::string(50, '*') + "ä*'"),
        "2");
}

TEST(JetTextCollation, IgnoresCaseAndTrailingBlanksAndSortsUmlautsBesideTheirLetter) {
    EXPECT_EQ(JetTextCollation::Compare("MÜLLER", "müller  "), 0);
    EXPECT_LT(JetTextCollation::Compare("Muller", "Müller"), 0);
    EXPECT_LT(JetTextCollation::Compare("Müller", "Mz"), 0);
    EXPECT_LT(JetTextCollation::Compare("A", "a b"), 0);
    EXPECT_NE(JetTextCollation::Compare(" a", "a"), 0);  // leading blanks count

    JetTestDb db;
    db.Exec(
        "CREATE TABLE Words (W TEXT COLLATE JETTEXT);"
        "INSERT INTO Words VALUES ('Birne'), ('Äpfel'), ('apfel'), ('Zebra'), ('Ähre'), ('Ahorn'), "
        "('azur');");
    EXPECT_EQ(db.Rows("SELECT group_concat(W, ',') FROM (SELECT W FROM Words ORDER BY W)"),
              "Ahorn,Ähre,apfel,Äpfel,azur,Birne,Zebra");
    EXPECT_EQ(db.Rows("SELECT count(*) FROM Words WHERE W = 'BIRNE ' OR W = 'ÄPFEL'"), "2");
}

// 1,000 × 0.10 must total 100 to the rappen, as the component's own Currency sums do.
TEST(JetAggregates, SumIsExactForAmountsAndOtherwiseSQLites) {
    JetTestDb db;
    db.Exec("CREATE TABLE Amounts (ID INTEGER PRIMARY KEY, A REAL, N INTEGER, F REAL)");
    db.Exec(
        "WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < 1000) "
        "INSERT INTO Amounts SELECT i, 0.10, i, 0.123456 FROM c");
    EXPECT_EQ(db.Rows("SELECT sum(A), typeof(sum(A)), sum(N), typeof(sum(N)), total(A) = sum(A) "
                      "FROM Amounts"),
              "100.0|real|500500|integer|0");
    // More than four decimals: SQLite's own floating-point sum.
    EXPECT_EQ(db.Rows("SELECT sum(F) = total(F) FROM Amounts"), "1");
    EXPECT_EQ(db.Rows("SELECT sum(A + N) FROM Amounts"), "500600.0");
    EXPECT_EQ(db.Rows("SELECT sum(A) FROM Amounts WHERE ID < 0"), "NULL");
    EXPECT_EQ(
        db.Rows("SELECT sum(x) FROM (SELECT 0.1 AS x UNION ALL SELECT 0.2 UNION ALL SELECT NULL)"),
        "0.3");
    EXPECT_EQ(db.Rows("SELECT sum(A) OVER (ORDER BY ID ROWS BETWEEN 2 PRECEDING AND CURRENT ROW) "
                      "FROM Amounts "
                      "WHERE ID IN (1, 2, 3, 4)"),
              "0.1;0.2;0.3;0.3");
    EXPECT_THROW(db.Rows("SELECT sum(x) FROM (SELECT 9223372036854775807 AS x UNION ALL SELECT 1)"),
                 std::runtime_error);
}

TEST(JetAggregates, FirstAndLastTakeTheRowsInScanOrder) {
    JetTestDb db;
    EXPECT_EQ(db.Rows("SELECT ProjectID, jet_first(Text), jet_last(TypeCharges) FROM "
                      "(SELECT * FROM Entry ORDER BY ID) GROUP BY ProjectID"),
              "0|Termin ohne Geschäft|NULL;1|Besprechung Müller|2;2|Archiviert|40");
    EXPECT_EQ(db.Rows("SELECT jet_first(x) FROM (SELECT NULL AS x UNION ALL SELECT 2)"), "NULL");
    EXPECT_EQ(db.Rows("SELECT jet_first(ID) FROM Entry WHERE ID < 0"), "NULL");
}

struct ScalarCase {
    const char* expression;
    const char* expected;
    // The same on the server where it differs: the server's functions take one type per
    // argument, and the translation writes every part of '&' as text first.
    const char* on_server = nullptr;
};

// A case on one engine: the functions registered on SQLite, or those of the test server.
struct EngineScalarCase {
    test::EngineKind kind;
    ScalarCase c;
};

void PrintTo(const EngineScalarCase& c, std::ostream* out) { *out << c.c.expression; }

class JetScalars : public ::testing::TestWithParam<EngineScalarCase> {};

TEST_P(JetScalars, BehaveAsTheDialectsFunctions) {
    TLX4R_SKIP_WITHOUT_SERVER(GetParam().kind);
    const ScalarCase& c = GetParam().c;
    std::unique_ptr<test::DialectDb> db;
    if (GetParam().kind == test::EngineKind::File)
        db = std::make_unique<JetTestDb>();
    else
        db = std::make_unique<test::JetServerDb>();
    try {
        const char* expression = GetParam().kind == test::EngineKind::Server && c.on_server ? c.on_server : c.expression;
        EXPECT_EQ(db->Rows(std::string("SELECT ") + expression), c.expected) << expression;
    } catch (const std::runtime_error& e) {
        ADD_FAILURE() << e.what();
    }
}

const ScalarCase kScalarCases[] = {
    {"jet_mid('Müller', 2, 3)", "üll"},
    {"jet_mid('Müller', 4)", "ler"},
    {"jet_right('Müller', 3), jet_right('ab', 5), jet_left('Müller', 2)", "ler|ab|Mü"},
    {"jet_left(NULL, 2), jet_len(NULL), jet_len('Zürich'), jet_len(12.5)", "NULL|NULL|6|4"},
    {"jet_instr('Müller', 'LL'), jet_instr(4, 'Müller', 'l'), jet_instr('abc', 'x')", "3|4|0"},
    {"jet_val(' 12.5 kg'), jet_val('abc'), jet_val('-3')", "12.5|0|-3"},
    {"jet_clng(2.5), jet_clng(3.5), jet_cint(-2.5)", "2|4|-2"},
    {"jet_ccur(2.71828), jet_cdbl('1.5'), jet_cbool(-1)", "2.7183|1.5|1"},
    {"jet_int(-2.5), jet_fix(-2.5), jet_int(2.5)", "-3|-2|2"},
    {"jet_round(2.5), jet_round(1.2345, 2), jet_sgn(-4)", "2|1.23|-1"},
    {"jet_year(45352), jet_month(45352), jet_day(45352), jet_weekday(45352), jet_hour(45352.75)",
     "2024|3|1|6|18"},
    {"jet_year('1.3.2024'), jet_year(NULL)", "2024|NULL"},
    {"jet_dateserial(2024, 13, 1), jet_dateserial(2024, 3, 0)", "45658|45351"},
    {"jet_format(1234.5, '#,##0.00'), jet_format(45352, 'dd.mm.yyyy'), jet_format(0.75, 'hh:nn')",
     "1,234.50|01.03.2024|18:00"},
    {"jet_nz(NULL), jet_nz(NULL, 7), jet_nz(3, 7)", "|7|3"},
    {"jet_concat(NULL, NULL), jet_concat('a', NULL, 1.5, 100.0, 7)", "NULL|a1.51007",
     "jet_concat(NULL, NULL), jet_concat(jet_cstr('a'), NULL, jet_cstr(1.5), jet_cstr(100.0), jet_cstr(7))"},
    {"jet_mod(-7, 3), jet_mod(7.5, 2), jet_idiv(-7, 2), jet_idiv(NULL, 2)", "-1|0|-3|NULL"},
    {"jet_ucase('straße ä'), jet_lcase('ÄÖÜ'), jet_cstr(2.50), jet_str(5)", "STRAßE Ä|äöü|2.5| 5"},
    {"jet_isnull(NULL), jet_isnull('')", "1|0"},
};

std::vector<EngineScalarCase> ScalarCasesOnBothEngines() {
    std::vector<EngineScalarCase> cases;
    for (auto kind : {test::EngineKind::File, test::EngineKind::Server})
        for (const auto& c : kScalarCases) cases.push_back({kind, c});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Functions, JetScalars, ::testing::ValuesIn(ScalarCasesOnBothEngines()),
                         [](const auto& test_case) {
                             std::string text = test_case.param.c.expression;
                             for (std::size_t p; (p = text.find("jet_")) != std::string::npos;) text.erase(p, 4);
                             if (test_case.param.kind == test::EngineKind::Server) text = "on server " + text;
                             return test::TestName(test_case.index, text);
                         });

TEST(JetScalars, ReportBadArgumentsAsErrors) {
    JetTestDb db;
    EXPECT_THROW(db.Rows("SELECT jet_idiv(7, 0)"), std::runtime_error);
    EXPECT_THROW(db.Rows("SELECT jet_left('abc', -1)"), std::runtime_error);
    EXPECT_THROW(db.Rows("SELECT jet_clng(3000000000)"), std::runtime_error);
    EXPECT_THROW(db.Rows("SELECT jet_mid('abc', 0)"), std::runtime_error);
}

}  // namespace
}  // namespace tlx4r::db
