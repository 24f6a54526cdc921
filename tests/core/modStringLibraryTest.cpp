#include "core/modStringLibrary.h"

#include "db/DbError.h"

#include <gtest/gtest.h>

namespace tlx4r {
namespace {

TEST(StringLibrary, CutsPadsAndInsertsByCharacters) {
    EXPECT_EQ(StrMidSafe("Müller", 2, 3), "üll");
    EXPECT_EQ(StrMidSafe("Müller", 4), "ler");
    EXPECT_EQ(StrMidSafe("Müller", 7), "");
    EXPECT_EQ(StrMidSafe("", 1, 2), "");
    EXPECT_EQ(StrMidSafe("abc", 1, 0), "");
    EXPECT_EQ(StrMidSafe("abc", 0, 2), "");

    EXPECT_EQ(StrFix("Abc", 5, U'.'), "Abc..");
    EXPECT_EQ(StrFix("Abc", 2, U'.'), "Ab");
    EXPECT_EQ(StrFix("Zürcher", 3), "Zür") << "cut at a character, not a byte";
    EXPECT_EQ(StrFix("x", 0), "");

    EXPECT_EQ(StrPadLeft(" 42 ", 5), "   42");
    EXPECT_EQ(StrPadLeft("12345", 3, U'0'), "345");
    EXPECT_EQ(StrPadLeft("ä", 3, U'·'), "··ä");

    EXPECT_EQ(StrInsert("Grüsse", "-", 3), "Gr-üsse");
    EXPECT_EQ(StrInsert("abc", "X", 4), "abcX");
    EXPECT_EQ(StrInsert("abc", "X", 5), "abc");
    EXPECT_EQ(StrInsert("abc", "X", 0), "abc");
    EXPECT_EQ(StrInsert("abc", "", 2), "abc");

    EXPECT_EQ(NumZeroFill(7, 3), "007");
    EXPECT_EQ(NumZeroFill(1234, 2), "1234");
    EXPECT_EQ(NumZeroFill(-5, 3), "-005");
}

TEST(StringLibrary, FindsAndReplacesCharacters) {
    EXPECT_EQ(StrCharFind("Bärenstrasse 12", "0123456789"), 14);
    EXPECT_EQ(StrCharFind("Text   ", " ", true, true), 4) << "last character that is not a blank";
    EXPECT_EQ(StrCharFind("äbc", "c"), 3) << "positions count characters";
    EXPECT_EQ(StrCharFind("abc", ""), 0);
    EXPECT_EQ(StrCharFind("abc", "xyz"), 0);
    EXPECT_EQ(StrCharsReplace("Zürich/Bern", "ü/", "u-"), "Zurich-Bern");
    EXPECT_EQ(StrReplace("a--b--c", "--", "+"), "a+b+c");
    EXPECT_EQ(StrReplace("abc", "", "x"), "abc");
    EXPECT_EQ(Quote("Sie sagte \"Ja\""), "\"Sie sagte \"\"Ja\"\"\"");
    EXPECT_EQ(Quote("O'Neil", U'\''), "'O''Neil'");
    EXPECT_EQ(Unquote("  \"Bern\" "), "Bern");
    EXPECT_EQ(Unquote("Bern\""), "Bern");
    EXPECT_EQ(AmountFormat(*Currency::Parse("-1234.5")), "-1,234.50");
    EXPECT_EQ(CountFormat(1234567), "1,234,567");
}

TEST(StringLibrary, SplitsAndJoinsPathsWithEitherSeparator) {
    EXPECT_EQ(PathOf("C:\\Data\\Firma.tdb4f"), "C:\\Data\\");
    EXPECT_EQ(BaseNameOf("C:\\Data\\Firma.tdb4f"), "Firma");
    EXPECT_EQ(ExtOf("C:\\Data\\Firma.tdb4f"), ".tdb4f");
    EXPECT_EQ(PathOf("/home/anna/Firma 2017.tdb4f"), "/home/anna/");
    EXPECT_EQ(FileNameOf("/home/anna/Firma 2017.tdb4f"), "Firma 2017.tdb4f");
    EXPECT_EQ(BaseNameOf("/home/anna/archiv.2017.tdb4r"), "archiv.2017");
    EXPECT_EQ(ExtOf("/home/anna.d/README"), ".") << "a dot in the folder is no extension";
    EXPECT_EQ(PathOf("C:"), "C:\\");
    EXPECT_EQ(PathOf("Firma.tdb4f"), "");
    EXPECT_EQ(FileNameOf("Firma.tdb4f"), "Firma.tdb4f");

    EXPECT_EQ(PathCombine("C:\\Data", "Firma.tdb4r"), "C:\\Data\\Firma.tdb4r");
    EXPECT_EQ(PathCombine(" /srv/daten/ ", " /events "), "/srv/daten/events");
    EXPECT_EQ(PathCombine("/srv/daten", "x.xml"), "/srv/daten/x.xml");
    EXPECT_EQ(PathCombine("daten", "x.xml"), "daten/x.xml") << "no separator in the folder: /";
    EXPECT_EQ(PathCombine("C:", "x.xml"), "C:\\x.xml");
    EXPECT_EQ(PathCombine("", "x.xml"), "x.xml");
}

TEST(StringLibrary, ConvertsDatabaseValues) {
    EXPECT_EQ(NullToString(db::Value()), "");
    EXPECT_EQ(NullToLong(db::Value()), 0);
    EXPECT_EQ(NullToDouble(db::Value()), 0.0);
    EXPECT_EQ(NullToCurrency(db::Value()), Currency());
    EXPECT_EQ(NullToCurrency(db::Value(*Currency::Parse("3.35"))), *Currency::Parse("3.35"));
    EXPECT_EQ(AmountFromText("  "), Currency());
    EXPECT_EQ(AmountFromText("1'250.75"), *Currency::Parse("1250.75"));
    EXPECT_EQ(DateFromText(""), Date());
    EXPECT_EQ(DateFromText("1.3.2024"), Date::FromYmd(2024, 3, 1));
    EXPECT_TRUE(DateToField(Date()).IsNull());
    EXPECT_EQ(DateToField(Date::FromYmd(2024, 3, 1)).ToDate(), Date::FromYmd(2024, 3, 1));
    EXPECT_THROW(AmountFromText("zwölf"), db::DbError);
    EXPECT_THROW(DateFromText("31.4.2024"), db::DbError);
}

}  // namespace
}  // namespace tlx4r
