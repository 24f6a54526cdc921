#include "core/modPathGet.h"
#include "core/modShellExec.h"

#include "platform/DocumentOpener.h"
#include "types/AppError.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace tlx4r {
namespace {

namespace fs = std::filesystem;

class RecordingOpener : public platform::DocumentOpener {
public:
    int Open(const std::string& path, const std::string& dir) override {
        last_path = path;
        last_dir = dir;
        return result;
    }
    int result = 42;
    std::string last_path, last_dir;
};

using test::TempDir;

TEST(ShellOpen, HandsTheDocumentToTheOpenerAndReportsItsFailures) {
    RecordingOpener opener;
    platform::SetDefaultOpener(&opener);
    ShellOpen("/srv/akten/Vertrag Müller.pdf");
    EXPECT_EQ(opener.last_path, "/srv/akten/Vertrag Müller.pdf");
    EXPECT_EQ(opener.last_dir, "/srv/akten/");

    for (auto [code, text] : {std::pair{2, "File not found"}, std::pair{31, "No association for file extension"},
                              std::pair{32, "DLL not found"}, std::pair{0, "Unknown error"},
                              std::pair{17, "Unknown error"}}) {
        opener.result = code;
        try {
            ShellOpen("/x");
            ADD_FAILURE() << "no error for code " << code;
        } catch (const AppError& e) {
            EXPECT_EQ(e.Number(), code);
            EXPECT_EQ(e.Description(), text);
            EXPECT_EQ(e.Source(), "ShellOpen");
        }
    }
    opener.result = 33;
    EXPECT_NO_THROW(ShellOpen("/x"));
    platform::SetDefaultOpener(nullptr);
}

TEST(ShellOpen, TheDesktopOpenerChecksTheFileFirst) {
    TempDir dir;
    platform::XdgOpener xdg;
    EXPECT_EQ(xdg.Open((dir.Path() / "fehlt.pdf").string(), dir.Path().string()), 2);
    EXPECT_EQ(xdg.Open((dir.Path() / "kein" / "ordner.pdf").string(), ""), 3);
    if (::geteuid() != 0) {  // root reads everything
        fs::path locked = dir.Path() / "gesperrt.txt";
        std::ofstream(locked) << "x";
        fs::permissions(locked, fs::perms::none);
        EXPECT_EQ(xdg.Open(locked.string(), ""), 5);
    }
}

TEST(DocumentsFolder, TakesTheFirstWritableCandidate) {
    TempDir dir;
    const char* old = std::getenv("KELVORA_DEBUG");
    std::string saved = old ? old : "";

    ::setenv("KELVORA_DEBUG", dir.Path().c_str(), 1);
    EXPECT_EQ(DocumentsFolderGet(), dir.Path().string());
    EXPECT_TRUE(fs::is_empty(dir.Path())) << "the probe file is removed again";

    ::setenv("KELVORA_DEBUG", (dir.Path() / "fehlt").c_str(), 1);
    std::string fallback = DocumentsFolderGet();
    EXPECT_NE(fallback, (dir.Path() / "fehlt").string());
    EXPECT_TRUE(fs::is_directory(fallback));

    if (::geteuid() != 0) {
        fs::permissions(dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
        ::setenv("KELVORA_DEBUG", dir.Path().c_str(), 1);
        EXPECT_NE(DocumentsFolderGet(), dir.Path().string()) << "a read-only folder does not qualify";
    }

    if (old) {
        ::setenv("KELVORA_DEBUG", saved.c_str(), 1);
    } else {
        ::unsetenv("KELVORA_DEBUG");
    }
}

}  // namespace
}  // namespace tlx4r
