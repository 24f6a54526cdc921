#include "platform/MemoryStore.h"
#include "platform/RegistryError.h"
#include "platform/RegistryStore.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

namespace tlx4r::platform {
namespace {

namespace fs = std::filesystem;

using test::TempDir;

std::string ReadAll(const fs::path& p) { return test::FileBytes(p.string()); }

void WriteAll(const fs::path& p, const std::string& text) {
    std::ofstream out(p, std::ios::binary);
    out << text;
}

long ErrorNumber(const std::function<void()>& f) {
    try {
        f();
    } catch (const RegistryError& e) {
        return e.Number();
    }
    return 0;
}

const char kOptions[] = "Software\\Kelvora\\Finance\\V4\\Reporting\\Options";

// The behaviour both stores promise, whatever keeps the data.
struct StoreKind {
    const char* name;
    std::function<std::unique_ptr<SettingsStore>(const fs::path& dir)> make;
    friend std::ostream& operator<<(std::ostream& out, const StoreKind& k) { return out << k.name; }
};

class SettingsStoreContract : public ::testing::TestWithParam<StoreKind> {
protected:
    TempDir dir;
    std::unique_ptr<SettingsStore> store = GetParam().make(dir.Path());
};

TEST_P(SettingsStoreContract, NamesAreCaseInsensitiveAndKeepTheirSpelling) {
    store->KeyCreate(kOptions);
    EXPECT_TRUE(store->KeyExists("software\\KELVORA\\finance\\v4\\reporting\\OPTIONS"));
    store->KeyCreate("Software\\Kelvora\\Büro Zürich");
    EXPECT_TRUE(store->KeyExists("SOFTWARE\\kelvora\\BÜRO ZÜRICH"));

    store->ValueSet(kOptions, "PersonDefaultID", std::int32_t{7});
    store->ValueSet(kOptions, "PERSONDEFAULTID", std::int32_t{8});  // the same value
    store->ValueSet(kOptions, "Grüße", std::string("Äpfel"));
    EXPECT_EQ(store->ValueGet(kOptions, "persondefaultid"), RegistryValue(std::int32_t{8}));
    EXPECT_EQ(store->ValueGet(kOptions, "GRÜSSE"), std::nullopt);  // no ß folding to SS
    EXPECT_EQ(store->ValueGet(kOptions, "GRÜßE"), RegistryValue(std::string("Äpfel")));
    EXPECT_EQ(store->ValueNames(kOptions), (std::vector<std::string>{"PersonDefaultID", "Grüße"}));
    EXPECT_EQ(store->SubKeys("software\\kelvora"),
              (std::vector<std::string>{"Büro Zürich", "Finance"}));
}

TEST_P(SettingsStoreContract, EnumeratesSubKeysByNameAndValuesInOrderOfCreation) {
    for (const char* k : {"Zeta", "alpha", "Beta", "gamma"})
        store->KeyCreate(std::string("Root\\") + k);
    EXPECT_EQ(store->SubKeys("Root"), (std::vector<std::string>{"alpha", "Beta", "gamma", "Zeta"}));
    for (const char* v : {"zz", "Aa", "mm"}) store->ValueSet("Root", v, std::string(v));
    store->ValueSet("Root", "AA", std::string("again"));  // an update keeps the place
    EXPECT_EQ(store->ValueNames("Root"), (std::vector<std::string>{"zz", "Aa", "mm"}));
    EXPECT_TRUE(store->SubKeys("Nowhere").empty());
    EXPECT_TRUE(store->ValueNames("Nowhere").empty());
}

TEST_P(SettingsStoreContract, DeletesValuesAndWholeSubtrees) {
    store->KeyCreate("A\\B\\C");
    store->ValueSet("A\\B\\C", "x", std::int32_t{1});
    store->ValueSet("A", "", std::string("default"));
    EXPECT_EQ(store->ValueGet("\\A\\", ""), RegistryValue(std::string("default")));
    EXPECT_TRUE(store->ValueDelete("A", ""));
    EXPECT_FALSE(store->ValueDelete("A", ""));
    EXPECT_FALSE(store->ValueDelete("Missing", "x"));

    EXPECT_TRUE(store->KeyDelete("a\\b"));
    EXPECT_FALSE(store->KeyExists("A\\B\\C"));
    EXPECT_TRUE(store->KeyExists("A"));
    EXPECT_FALSE(store->KeyDelete("A\\B"));
    EXPECT_EQ(ErrorNumber([&] { store->KeyDelete(""); }), RegistryError::kInvalidName);
}

TEST_P(SettingsStoreContract, RefusesMissingKeysAndMalformedPaths) {
    EXPECT_EQ(ErrorNumber([&] { store->ValueSet("No\\Such\\Key", "x", std::int32_t{1}); }),
              RegistryError::kNotFound);
    EXPECT_FALSE(store->KeyExists("No"));  // a failed write creates nothing
    EXPECT_EQ(ErrorNumber([&] { store->KeyCreate("A\\\\B"); }), RegistryError::kInvalidName);
    EXPECT_EQ(ErrorNumber([&] { store->KeyCreate("A\\Line\nBreak"); }),
              RegistryError::kInvalidName);
    EXPECT_EQ(store->ValueGet("No\\Such\\Key", "x"), std::nullopt);

    store->KeyCreate("A");
    store->ValueSet("A", "v", std::string("text"));
    store->ValueSet("A", "v", std::int32_t{-1});  // another type replaces the value
    EXPECT_EQ(store->ValueGet("A", "v"), RegistryValue(std::int32_t{-1}));
}

INSTANTIATE_TEST_SUITE_P(Stores, SettingsStoreContract,
                         ::testing::Values(StoreKind{"Memory",
                                                     [](const fs::path&) {
                                                         return std::make_unique<MemoryStore>();
                                                     }},
                                           StoreKind{"File",
                                                     [](const fs::path& dir) {
                                                         return std::make_unique<RegistryStore>(
                                                             dir / "cfg" / "registry.ini");
                                                     }}),
                         [](const auto& p) { return std::string(p.param.name); });

// --- The file-backed store.

class RegistryFile : public ::testing::Test {
protected:
    TempDir dir;
    fs::path file = dir.Path() / "tlx4r" / "registry.ini";
    std::vector<std::string> warnings;
    RegistryStore::WarningSink sink = [this](const std::string& w) { warnings.push_back(w); };
};

TEST_F(RegistryFile, RoundTripsTextsNumbersAndPathsThroughTheFile) {
    const std::string tricky = "C:\\Daten\\Müller \"AG\"\r\nZeile 2\tTab";
    {
        RegistryStore store(file, RegistryStore::Access::ReadWrite, sink);
        store.KeyCreate(kOptions);
        store.KeyCreate("Software\\Kelvora\\Leer");  // an empty key survives
        store.ValueSet(kOptions, "PersonDefaultID", std::int32_t{42});
        store.ValueSet(kOptions, "Negative", std::int32_t{-1});
        store.ValueSet(kOptions, "Pfad", tricky);
        store.ValueSet(kOptions, "Größe \"Name\"", std::string("Ärger"));
        store.ValueSet(kOptions, "", std::string("Standard"));
    }
    std::string text = ReadAll(file);
    EXPECT_NE(text.find("[Software\\Kelvora\\Finance\\V4\\Reporting\\Options]\n"),
              std::string::npos);
    EXPECT_NE(text.find("\"PersonDefaultID\"=dword:0000002a\n"), std::string::npos);
    EXPECT_NE(text.find("\"Negative\"=dword:ffffffff\n"), std::string::npos);
    EXPECT_NE(text.find("@=\"Standard\"\n"), std::string::npos);

    RegistryStore again(file, RegistryStore::Access::ReadWrite, sink);
    EXPECT_EQ(again.ValueGet(kOptions, "persondefaultid"), RegistryValue(std::int32_t{42}));
    EXPECT_EQ(again.ValueGet(kOptions, "Negative"), RegistryValue(std::int32_t{-1}));
    EXPECT_EQ(again.ValueGet(kOptions, "PFAD"), RegistryValue(tricky));
    EXPECT_EQ(again.ValueGet(kOptions, "größe \"name\""), RegistryValue(std::string("Ärger")));
    EXPECT_EQ(again.ValueGet(kOptions, ""), RegistryValue(std::string("Standard")));
    EXPECT_TRUE(again.KeyExists("Software\\Kelvora\\Leer"));
    EXPECT_EQ(again.ValueNames(kOptions).front(), "PersonDefaultID");
    EXPECT_EQ(RegistryStore::Serialize(RegistryStore::Parse(text)), text);
    EXPECT_TRUE(warnings.empty());
}

TEST_F(RegistryFile, SeesWhatAnotherProgramWrote) {
    RegistryStore first(file, RegistryStore::Access::ReadWrite, sink);
    RegistryStore second(file, RegistryStore::Access::ReadWrite, sink);
    first.KeyCreate("K");
    EXPECT_TRUE(second.KeyExists("K"));
    second.ValueSet("K", "b", std::int32_t{2});
    first.ValueSet("K", "a", std::int32_t{1});  // must not drop the other program's value
    RegistryStore third(file);
    EXPECT_EQ(third.ValueNames("K"), (std::vector<std::string>{"b", "a"}));
}

TEST_F(RegistryFile, ACrashBeforeTheRenameLeavesTheOldFile) {
    {
        RegistryStore store(file, RegistryStore::Access::ReadWrite, sink);
        store.KeyCreate("K");
        store.ValueSet("K", "v", std::string("old"));
    }
    // What a crash between writing the temporary file and renaming it leaves behind.
    fs::path temp = file;
    temp += ".tmp";
    WriteAll(temp, "[K]\n\"v\"=\"half writ");

    RegistryStore store(file, RegistryStore::Access::ReadWrite, sink);
    EXPECT_EQ(store.ValueGet("K", "v"), RegistryValue(std::string("old")));
    store.ValueSet("K", "v", std::string("new"));
    EXPECT_FALSE(fs::exists(temp));
    EXPECT_EQ(RegistryStore(file).ValueGet("K", "v"), RegistryValue(std::string("new")));
    EXPECT_TRUE(warnings.empty());
}

TEST_F(RegistryFile, ACorruptFileIsSetAsideAndTheStoreStartsEmpty) {
    fs::create_directories(file.parent_path());
    const std::string damaged = "[K]\n\"v\"=\"ok\"\n\"w\"=garbage\n";
    WriteAll(file, damaged);

    RegistryStore store(file, RegistryStore::Access::ReadWrite, sink);
    EXPECT_FALSE(store.KeyExists("K"));
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("line 3"), std::string::npos) << warnings[0];

    std::vector<fs::path> backups;
    for (const auto& e : fs::directory_iterator(file.parent_path())) {
        if (e.path().filename().string().rfind("registry.ini.corrupt-", 0) == 0)
            backups.push_back(e.path());
    }
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(ReadAll(backups[0]), damaged);

    store.KeyCreate("Fresh");
    EXPECT_TRUE(RegistryStore(file).KeyExists("Fresh"));
    EXPECT_EQ(warnings.size(), 1u);
}

TEST_F(RegistryFile, AReadOnlyStoreReadsButRefusesEveryWriteClearly) {
    {
        RegistryStore writer(file);
        writer.KeyCreate("Release");
        writer.ValueSet("Release", "Version", std::string("4.0.0"));
    }
    RegistryStore machine(file, RegistryStore::Access::ReadOnly, sink);
    EXPECT_FALSE(machine.CanWrite());
    EXPECT_EQ(machine.ValueGet("release", "version"), RegistryValue(std::string("4.0.0")));
    try {
        machine.ValueSet("Release", "Version", std::string("5"));
        FAIL() << "a read-only store accepted a write";
    } catch (const RegistryError& e) {
        EXPECT_EQ(e.Number(), RegistryError::kAccessDenied);
        EXPECT_NE(e.Description().find(file.string()), std::string::npos) << e.Description();
        EXPECT_NE(e.Description().find("administrator"), std::string::npos) << e.Description();
    }
    EXPECT_EQ(ErrorNumber([&] { machine.KeyCreate("New"); }), RegistryError::kAccessDenied);
    EXPECT_EQ(ErrorNumber([&] { machine.ValueDelete("Release", "Version"); }),
              RegistryError::kAccessDenied);
    EXPECT_EQ(ErrorNumber([&] { machine.KeyDelete("Release"); }), RegistryError::kAccessDenied);

    // A damaged machine file is only reported: the reader may not move it.
    WriteAll(file, "not a settings file\n");
    RegistryStore damaged(file, RegistryStore::Access::ReadOnly, sink);
    EXPECT_FALSE(damaged.KeyExists("Release"));
    EXPECT_EQ(warnings.size(), 1u);
    EXPECT_TRUE(fs::exists(file));
}

TEST_F(RegistryFile, AFailedWriteReportsItAndChangesNothing) {
    WriteAll(dir.Path() / "plain-file", "x");
    RegistryStore store(dir.Path() / "plain-file" / "registry.ini");
    EXPECT_EQ(ErrorNumber([&] { store.KeyCreate("K"); }), RegistryError::kWriteFault);
    EXPECT_FALSE(store.KeyExists("K"));
}

TEST_F(RegistryFile, UserAndMachineFilesFollowTheXdgFolders) {
    auto restore = [](const char* name, const char* old) {
        if (old != nullptr) {
            ::setenv(name, old, 1);
        } else {
            ::unsetenv(name);
        }
    };
    std::string old_config = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
    std::string old_dirs = std::getenv("XDG_CONFIG_DIRS") ? std::getenv("XDG_CONFIG_DIRS") : "";
    bool had_config = std::getenv("XDG_CONFIG_HOME") != nullptr;
    bool had_dirs = std::getenv("XDG_CONFIG_DIRS") != nullptr;

    ::setenv("XDG_CONFIG_HOME", "/home/anna/.cfg", 1);
    ::setenv("XDG_CONFIG_DIRS", "/opt/etc/xdg:/etc/xdg", 1);
    EXPECT_EQ(RegistryStore::UserFile(), fs::path("/home/anna/.cfg/tlx4r/registry.ini"));
    EXPECT_EQ(RegistryStore::MachineFile(), fs::path("/opt/etc/xdg/tlx4r/registry.ini"));
    ::setenv("XDG_CONFIG_HOME", "relative/cfg", 1);  // not absolute: to be ignored
    ::unsetenv("XDG_CONFIG_DIRS");
    EXPECT_EQ(RegistryStore::UserFile().filename(), "registry.ini");
    EXPECT_EQ(RegistryStore::UserFile().parent_path().parent_path().filename(), ".config");
    EXPECT_EQ(RegistryStore::MachineFile(), fs::path("/etc/xdg/tlx4r/registry.ini"));

    restore("XDG_CONFIG_HOME", had_config ? old_config.c_str() : nullptr);
    restore("XDG_CONFIG_DIRS", had_dirs ? old_dirs.c_str() : nullptr);
}

TEST(RegistryStores, UserAndMachineAreSeparateAndReplaceable) {
    MemoryStore user;
    MemoryStore machine(false, "machine settings");
    SetSettingsStores(&user, &machine);
    UserSettings().KeyCreate("Software\\Kelvora");
    EXPECT_TRUE(user.KeyExists("Software\\Kelvora"));
    EXPECT_FALSE(MachineSettings().KeyExists("Software\\Kelvora"));
    EXPECT_FALSE(MachineSettings().CanWrite());
    EXPECT_EQ(ErrorNumber([] { MachineSettings().KeyCreate("Software"); }),
              RegistryError::kAccessDenied);
    SetSettingsStores(nullptr, nullptr);
    EXPECT_NE(&UserSettings(), &user);
}

// --- Files the parser must refuse, with the line it names.

struct BadFile {
    const char* text;
    const char* line;
    friend std::ostream& operator<<(std::ostream& out, const BadFile& b) { return out << b.text; }
};

class RegistryParse : public ::testing::TestWithParam<BadFile> {};

TEST_P(RegistryParse, RefusesMalformedFilesNamingTheLine) {
    try {
        RegistryStore::Parse(GetParam().text);
        FAIL() << "accepted: " << GetParam().text;
    } catch (const RegistryError& e) {
        EXPECT_EQ(e.Number(), RegistryError::kInvalidData);
        EXPECT_NE(e.Description().find(GetParam().line), std::string::npos) << e.Description();
    }
}

INSTANTIATE_TEST_SUITE_P(Malformed, RegistryParse,
                         ::testing::Values(BadFile{"\"v\"=\"value before a key\"\n", "line 1"},
                                           BadFile{"[K]\n\"v\"=\"no end\n", "line 2"},
                                           BadFile{"; c\n[K\n", "line 2"},
                                           BadFile{"[A\\\\B]\n", "line 1"},
                                           BadFile{"[K]\n\"v\"=dword:123456789\n", "line 2"},
                                           BadFile{"[K]\n\"v\"=dword:xyz\n", "line 2"},
                                           BadFile{"[K]\n\"v\" \"w\"\n", "line 2"},
                                           BadFile{"[K]\n\"v\"=\"a\" trailing\n", "line 2"},
                                           BadFile{"[K]\n\"v\"=\"bad \\q escape\"\n", "line 2"},
                                           BadFile{"[K]\n\n\nplain words\n", "line 4"}));

TEST(RegistryParseText, AcceptsCommentsBlanksCrLfAndAByteOrderMark) {
    MemoryStore tree = RegistryStore::Parse(
        "\xEF\xBB\xBF; comment\r\n# another\r\n\r\n[K\\Sub]\r\n  \"a\" = dword:A "
        "\r\n\"b\"=\"\\x01\"\r\n");
    EXPECT_EQ(tree.ValueGet("k\\sub", "A"), RegistryValue(std::int32_t{10}));
    EXPECT_EQ(tree.ValueGet("k\\sub", "b"), RegistryValue(std::string("\x01")));
}

}  // namespace
}  // namespace tlx4r::platform
