#include "db/JetTokenizer.h"

#include "db/DbError.h"

#include <gtest/gtest.h>

namespace tlx4r::db {
namespace {

using Kind = JetToken::Kind;

TEST(JetTokenizer, SplitsTheDialectKeepingMeaningAndPosition) {
    const std::string sql =
        "SELECT [Der Text.x], \"Er sagte \"\"Ja\"\"\", 'it''s', #1/2/2024 6:00 PM#, 1.5E3, .5, "
        "Müller<>1<=2>=3&a\\b;";
    std::vector<JetToken> t = JetTokenizer(sql).Tokenize();
    struct Expected {
        Kind kind;
        const char* text;
        std::size_t pos;
    };
    const std::vector<Expected> expected = {
        {Kind::Name, "SELECT", 0},  {Kind::QuotedName, "Der Text.x", 7},
        {Kind::Punct, ",", 19},     {Kind::Text, "Er sagte \"Ja\"", 21},
        {Kind::Punct, ",", 38},     {Kind::Text, "it's", 40},
        {Kind::Punct, ",", 47},     {Kind::DateLiteral, "1/2/2024 6:00 PM", 49},
        {Kind::Punct, ",", 67},     {Kind::Number, "1.5E3", 69},
        {Kind::Punct, ",", 74},     {Kind::Number, ".5", 76},
        {Kind::Punct, ",", 78},     {Kind::Name, "Müller", 80},  // positions are bytes
        {Kind::Operator, "<>", 87}, {Kind::Number, "1", 89},
        {Kind::Operator, "<=", 90}, {Kind::Number, "2", 92},
        {Kind::Operator, ">=", 93}, {Kind::Number, "3", 95},
        {Kind::Operator, "&", 96},  {Kind::Name, "a", 97},
        {Kind::Operator, "\\", 98}, {Kind::Name, "b", 99},
        {Kind::Punct, ";", 100},    {Kind::End, "", 101},
    };
    ASSERT_EQ(t.size(), expected.size());
    for (std::size_t i = 0; i < t.size(); ++i) {
        EXPECT_EQ(t[i].kind, expected[i].kind) << i;
        EXPECT_EQ(t[i].text, expected[i].text) << i;
        EXPECT_EQ(t[i].pos, expected[i].pos) << i;
    }
    EXPECT_TRUE(t[0].IsWord("select"));
    EXPECT_FALSE(t[1].IsWord("Der Text.x"));  // a bracketed name is never a keyword
}

TEST(JetTokenizer, RefusesWhatTheDialectDoesNotKnow) {
    for (const char* bad : {"SELECT 'open", "SELECT [open", "SELECT #1/1/2024", "SELECT 12abc",
                            "SELECT a ! b", "SELECT []", "SELECT a ` b"}) {
        EXPECT_THROW(JetTokenizer(bad).Tokenize(), DbError) << bad;
    }
}

}  // namespace
}  // namespace tlx4r::db
