#include "core/ProgOption.h"

#include "platform/MemoryStore.h"
#include "platform/RegistryError.h"
#include "platform/RegistryStore.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

namespace tlx4r {
namespace {

using platform::MemoryStore;
using platform::RegistryError;
using platform::RegistryValue;

const std::string kOptionsKey = "Software\\Kelvora\\Finance\\V4\\Reporting\\Options";

class ProgOptionTest : public ::testing::Test {
protected:
    ProgOptionTest() { options.SetSectionRoot(ProgOption::kReportingRoot); }
    MemoryStore user;
    MemoryStore machine{false, "machine settings"};
    ProgOption options{user, machine};
};

TEST_F(ProgOptionTest, MissingValuesGiveTheDefaultOrEmpty) {
    EXPECT_EQ(options.CurrentUser("Options", "PersonDefaultID", db::Value(std::int32_t{0})),
              db::Value(std::int32_t{0}));
    EXPECT_TRUE(options.CurrentUser("Options", "PersonDefaultID").IsNull());
    EXPECT_TRUE(options.LocalMachine("Release", "Version").IsNull());
    EXPECT_EQ(options.LocalMachine("Release", "Version", db::Value("?")), db::Value("?"));
    // Reads create nothing.
    EXPECT_FALSE(user.KeyExists("Software"));
}

TEST_F(ProgOptionTest, WritesCreateTheSectionAndReadBackTyped) {
    options.CurrentUserSet("Options", "PersonDefaultID", db::Value(std::int32_t{12}));
    EXPECT_EQ(user.ValueGet(kOptionsKey, "PersonDefaultID"), RegistryValue(std::int32_t{12}));
    EXPECT_EQ(options.CurrentUser("options", "persondefaultid", db::Value(std::int32_t{0})),
              db::Value(std::int32_t{12}));

    options.CurrentUserSet("Options", "DepartmentDefaultID", db::Value(true));
    EXPECT_EQ(options.CurrentUser("Options", "DepartmentDefaultID"), db::Value(std::int32_t{-1}));
    options.CurrentUserSet("Neu\\Tiefer", "Text", db::Value("Grüezi"));
    EXPECT_EQ(options.CurrentUser("Neu\\Tiefer", "Text"), db::Value("Grüezi"));
    // A value of the section root itself.
    options.CurrentUserSet("", "AtRoot", db::Value("r"));
    EXPECT_EQ(user.ValueGet(ProgOption::kReportingRoot, "AtRoot"), RegistryValue(std::string("r")));

    options.CurrentUserDelete("Options", "PersonDefaultID");
    EXPECT_EQ(options.CurrentUser("Options", "PersonDefaultID", db::Value(std::int32_t{0})),
              db::Value(std::int32_t{0}));
    options.CurrentUserDelete("Options", "PersonDefaultID");  // gone already: ignored
    options.CurrentUserDelete("NoSuchSection", "X");
    EXPECT_FALSE(user.KeyExists(std::string(ProgOption::kReportingRoot) + "\\NoSuchSection"));
}

TEST_F(ProgOptionTest, TheMachineStoreOfAUserIsReadOnly) {
    EXPECT_TRUE(options.CurrentUserCanWrite());
    EXPECT_TRUE(options.CurrentUserCanWrite("Options"));
    EXPECT_TRUE(user.ValueNames(kOptionsKey).empty());  // the probe is gone again

    EXPECT_FALSE(options.LocalMachineCanWrite());
    try {
        options.LocalMachineSet("Release", "Version", db::Value("4.0"));
        FAIL() << "a read-only machine store accepted a write";
    } catch (const RegistryError& e) {
        EXPECT_EQ(e.Number(), RegistryError::kAccessDenied);
    }
    options.LocalMachineDelete("Release", "Version");  // errors ignored
}

TEST(ProgOptionStartUp, ReleaseValuesLandInTheMachineFileWhenItCanBeWritten) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("tlx4r-progoption-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    platform::RegistryStore machine(dir / "machine.ini");
    platform::RegistryStore user(dir / "user.ini");
    ProgOption options(user, machine);
    options.SetSectionRoot(ProgOption::kReportingRoot);
    ASSERT_TRUE(options.LocalMachineCanWrite());
    options.LocalMachineSet(ProgOption::kSectionRelease, ProgOption::kValueProductName,
                            db::Value("Kelvora Reporting V4"));

    platform::RegistryStore reread(dir / "machine.ini", platform::RegistryStore::Access::ReadOnly);
    ProgOption reader(user, reread);
    reader.SetSectionRoot(ProgOption::kReportingRoot);
    EXPECT_EQ(reader.LocalMachine("Release", "ProductName"), db::Value("Kelvora Reporting V4"));
    EXPECT_FALSE(reader.LocalMachineCanWrite("Release"));
    EXPECT_FALSE(fs::exists(dir / "user.ini"));
    fs::remove_all(dir);
}

struct PathCase {
    const char* root;
    const char* section;
    const char* path;
    friend std::ostream& operator<<(std::ostream& out, const PathCase& c) {
        return out << '"' << c.root << "\" + \"" << c.section << '"';
    }
};

class ProgOptionKeyPath : public ::testing::TestWithParam<PathCase> {};

TEST_P(ProgOptionKeyPath, JoinsRootAndSection) {
    MemoryStore user;
    MemoryStore machine;
    ProgOption options{user, machine};
    options.SetSectionRoot(GetParam().root);
    EXPECT_EQ(options.KeyPath(GetParam().section), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ProgOptionKeyPath,
    ::testing::Values(PathCase{"Software\\Kelvora", "Options", "Software\\Kelvora\\Options"},
                      PathCase{"Software\\Kelvora\\", "Options", "Software\\Kelvora\\Options"},
                      PathCase{"  Software\\Kelvora ", " Options  ", "Software\\Kelvora\\Options"},
                      PathCase{"Software\\Kelvora\\", "", "Software\\Kelvora"},
                      PathCase{"", "Options\\", "Options"}, PathCase{"", "", ""},
                      PathCase{"Software", "Options\\Sub\\", "Software\\Options\\Sub"}));

}  // namespace
}  // namespace tlx4r
