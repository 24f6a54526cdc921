#include "core/Registry.h"

#include "platform/MemoryStore.h"
#include "platform/RegistryError.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace tlx4r {
namespace {

using platform::MemoryStore;
using platform::RegistryError;
using platform::RegistryValue;

long ErrorNumber(const std::function<void()>& f) {
    try {
        f();
    } catch (const RegistryError& e) {
        return e.Number();
    }
    return 0;
}

class RegistryTest : public ::testing::Test {
protected:
    MemoryStore user;
    MemoryStore machine{true, "machine settings"};
    Registry reg{user, machine};
};

TEST_F(RegistryTest, OpensForReadingOnlyWhatExistsAndCreatesForWriting) {
    EXPECT_FALSE(reg.KeyOpenCurrentUser("Software\\Kelvora"));
    EXPECT_FALSE(reg.IsOpen());
    EXPECT_FALSE(user.KeyExists("Software\\Kelvora"));

    EXPECT_TRUE(reg.KeyOpenCurrentUser("Software\\Kelvora", true));
    EXPECT_TRUE(user.KeyExists("Software\\Kelvora"));
    EXPECT_FALSE(machine.KeyExists("Software\\Kelvora"));
    EXPECT_EQ(reg.Key(), "Software\\Kelvora");
    EXPECT_EQ(reg.CurrentHive(), Registry::Hive::CurrentUser);

    EXPECT_TRUE(reg.KeyOpenLocalMachine("Software\\Kelvora", true));
    EXPECT_TRUE(machine.KeyExists("Software\\Kelvora"));

    // Reading a key that is gone leaves nothing open.
    EXPECT_FALSE(reg.KeyOpenLocalMachine("Software\\Other"));
    EXPECT_FALSE(reg.IsOpen());
    EXPECT_EQ(reg.Key(), "");
}

TEST_F(RegistryTest, StoresValuesWithTheirOldTypes) {
    ASSERT_TRUE(reg.KeyOpenCurrentUser("K", true));
    reg.Value("Long", db::Value(std::int32_t{17}));
    reg.Value("True", db::Value(true));
    reg.Value("False", db::Value(false));
    reg.Value("Text", db::Value("Zürich"));
    reg.Value("Null", db::Value());
    reg.Value("Amount", db::Value(Currency::FromUnits(125000)));
    reg.Value("Date", db::Value(Date::FromYmd(2017, 12, 16)));

    EXPECT_EQ(user.ValueGet("K", "Long"), RegistryValue(std::int32_t{17}));
    EXPECT_EQ(user.ValueGet("K", "True"), RegistryValue(std::int32_t{-1}));
    EXPECT_EQ(user.ValueGet("K", "False"), RegistryValue(std::int32_t{0}));
    EXPECT_EQ(user.ValueGet("K", "Null"), RegistryValue(std::string()));
    EXPECT_EQ(user.ValueGet("K", "Date"), RegistryValue(std::string("16.12.2017")));

    EXPECT_EQ(reg.Value("long"), db::Value(std::int32_t{17}));
    EXPECT_EQ(reg.Value("TEXT"), db::Value("Zürich"));
    EXPECT_EQ(reg.Value("Amount")->kind(), db::Value::Kind::Text);
    EXPECT_EQ(reg.Value("Amount")->ToCurrency(), Currency::FromUnits(125000));
    EXPECT_EQ(reg.Value("Missing"), std::nullopt);

    reg.KeyClose();
    EXPECT_EQ(reg.Value("Long"), std::nullopt);
    EXPECT_EQ(ErrorNumber([&] { reg.Value("Long", db::Value(std::int32_t{1})); }),
              RegistryError::kInvalidHandle);
}

TEST_F(RegistryTest, AKeyOpenForReadingRefusesWrites) {
    user.KeyCreate("K");
    ASSERT_TRUE(reg.KeyOpenCurrentUser("K"));
    EXPECT_EQ(ErrorNumber([&] { reg.Value("v", db::Value("x")); }), RegistryError::kAccessDenied);
    EXPECT_EQ(ErrorNumber([&] { reg.SubKeyCreate("Sub"); }), RegistryError::kAccessDenied);
    EXPECT_EQ(ErrorNumber([&] { reg.ValueNameDelete("v"); }), RegistryError::kAccessDenied);
    EXPECT_TRUE(user.ValueNames("K").empty());

    MemoryStore locked(false, "machine settings");
    Registry limited(user, locked);
    EXPECT_EQ(ErrorNumber([&] { limited.KeyOpenLocalMachine("Software", true); }),
              RegistryError::kAccessDenied);
    EXPECT_FALSE(limited.IsOpen());
}

TEST_F(RegistryTest, EnumeratesSubKeysAndValueNames) {
    ASSERT_TRUE(reg.KeyOpenCurrentUser("Root", true));
    reg.SubKeyCreate("Zeta");
    reg.SubKeyCreate("alpha\\deeper");
    reg.Value("second", db::Value(std::int32_t{2}));
    reg.Value("first", db::Value(std::int32_t{1}));

    std::vector<std::string> keys;
    for (bool more = reg.SubKeyFirst(); more; more = reg.SubKeyNext()) keys.push_back(reg.SubKey());
    EXPECT_EQ(keys, (std::vector<std::string>{"alpha", "Zeta"}));
    EXPECT_EQ(reg.SubKey(), "");

    // Deleting while enumerating does not disturb the enumeration that runs.
    std::vector<std::string> names;
    for (bool more = reg.ValueNameFirst(); more; more = reg.ValueNameNext()) {
        names.push_back(reg.ValueName());
        EXPECT_TRUE(reg.ValueNameDelete(reg.ValueName()));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"second", "first"}));
    EXPECT_FALSE(reg.ValueNameFirst());

    EXPECT_TRUE(reg.SubKeyDelete("ALPHA"));
    EXPECT_FALSE(user.KeyExists("Root\\alpha\\deeper"));
    EXPECT_FALSE(reg.SubKeyDelete("alpha"));
    EXPECT_EQ(ErrorNumber([&] { reg.SubKeyDelete(""); }), RegistryError::kInvalidName);
}

TEST_F(RegistryTest, ClassesRootAndUsersMapOntoTheTwoStores) {
    machine.KeyCreate("Software\\Classes\\.tdb4r");
    machine.ValueSet("Software\\Classes\\.tdb4r", "", std::string("Kelvora.Reporting"));
    ASSERT_TRUE(reg.KeyOpenClassesRoot(".tdb4r"));
    EXPECT_EQ(reg.Value(""), db::Value("Kelvora.Reporting"));

    const char* old = std::getenv("USER");
    std::string saved = old ? old : "";
    ::setenv("USER", "anna", 1);
    user.KeyCreate("Software\\Kelvora");
    EXPECT_TRUE(reg.KeyOpenUsers("ANNA\\Software\\Kelvora"));
    EXPECT_FALSE(reg.KeyOpenUsers("bruno\\Software\\Kelvora"));
    EXPECT_EQ(ErrorNumber([&] { reg.KeyOpenUsers("bruno\\Software", true); }),
              RegistryError::kAccessDenied);
    if (old) {
        ::setenv("USER", saved.c_str(), 1);
    } else {
        ::unsetenv("USER");
    }
}

}  // namespace
}  // namespace tlx4r
