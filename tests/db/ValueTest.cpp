#include "db/DbError.h"
#include "db/Value.h"

#include <gtest/gtest.h>

namespace tlx4r::db {
namespace {

TEST(Value, ConvertsBetweenKindsAsTheOldEngineDid) {
    EXPECT_EQ(Value(true).ToDouble(), -1.0);
    EXPECT_EQ(Value(std::int32_t{42}).ToCurrency(), Currency::FromInt(42));
    EXPECT_EQ(Value("1,234.50").ToCurrency(), *Currency::Parse("1234.5"));
    EXPECT_EQ(Value(2.5).ToLong(), 2) << "ties to even";
    EXPECT_EQ(Value(3.5).ToLong(), 4);
    EXPECT_EQ(Value(*Currency::Parse("-2.5")).ToLong(), -2);
    EXPECT_EQ(Value("15.05.2024").ToDate(), Date::FromYmd(2024, 5, 15));
    EXPECT_EQ(Value(45352.0).ToDate(), Date::FromYmd(2024, 3, 1));
    EXPECT_TRUE(Value("True").ToBool());
    EXPECT_FALSE(Value(std::int32_t{0}).ToBool());
    EXPECT_EQ(Value(0.1).ToCurrency(), *Currency::Parse("0.1"));
}

TEST(Value, GivesTheDefaultTexts) {
    EXPECT_EQ(Value().ToText(), "");
    EXPECT_EQ(Value(false).ToText(), "False");
    EXPECT_EQ(Value(*Currency::Parse("12.5")).ToText(), "12.5");
    EXPECT_EQ(Value(*Currency::Parse("1234")).ToText(), "1234");
    EXPECT_EQ(Value(0.1).ToText(), "0.1");
    EXPECT_EQ(Value(Date::FromYmd(2024, 5, 15)).ToText(), "15.05.2024");
    EXPECT_EQ(Value(Date::FromYmdHms(2024, 5, 15, 8, 5, 0)).ToText(), "15.05.2024 08:05:00");
}

TEST(Value, RefusesImpossibleConversionsWithTheEngineErrors) {
    auto number = [](auto f) {
        try {
            f();
        } catch (const DbError& e) {
            return e.Number();
        }
        return 0L;
    };
    EXPECT_EQ(number([] { (void)Value().ToLong(); }), 13) << "Null is no number";
    EXPECT_EQ(number([] { (void)Value("abc").ToCurrency(); }), 13);
    EXPECT_EQ(number([] { (void)Value("abc").ToDouble(); }), 13);
    EXPECT_EQ(number([] { (void)Value(3e10).ToLong(); }), 6);
    EXPECT_EQ(number([] { (void)Value(1e300).ToCurrency(); }), 6);
}

}  // namespace
}  // namespace tlx4r::db
