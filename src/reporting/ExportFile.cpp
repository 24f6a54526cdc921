#include "ExportFile.h"

#include "core/modStringLibrary.h"
#include "types/AppError.h"

#include <cctype>
#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

namespace tlx4r {

namespace fs = std::filesystem;

namespace {

bool Matches(const std::string& name, const std::string& pattern, std::size_t n = 0, std::size_t p = 0) {
    while (p < pattern.size()) {
        if (pattern[p] == '*') {
            for (std::size_t k = n; k <= name.size(); ++k) {
                if (Matches(name, pattern, k, p + 1)) return true;
            }
            return false;
        }
        if (n >= name.size()) return false;
        if (pattern[p] != '?' && std::toupper(static_cast<unsigned char>(pattern[p])) !=
                                     std::toupper(static_cast<unsigned char>(name[n]))) {
            return false;
        }
        ++n;
        ++p;
    }
    return n == name.size();
}

}  // namespace

void ExportFile::Create(const std::string& path) {
    Discard();
    path_ = path;
    out_.open(path + ".part", std::ios::binary | std::ios::trunc);
    if (!out_) Fail();
}

void ExportFile::Line(const std::string& text) {
    out_ << text << "\r\n";
    if (!out_) Fail();
}

void ExportFile::Commit() {
    if (!out_.is_open()) return;
    out_.close();
    if (!out_) Fail();
    std::error_code ec;
    fs::rename(path_ + ".part", path_, ec);
    if (ec) Fail();
}

void ExportFile::Discard() noexcept {
    if (out_.is_open()) out_.close();
    if (!path_.empty()) {
        std::error_code ec;
        fs::remove(path_ + ".part", ec);
    }
}

void ExportFile::Fail() const { throw Failure(path_); }

void ExportFile::MakeDurable(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) throw Failure(PathCombine(folder, "."));
    // syncfs: the file system of the folder as a whole, one flush for thousands of files
    const bool ok = ::syncfs(fd) == 0 && ::fsync(fd) == 0;
    ::close(fd);
    if (!ok) throw Failure(PathCombine(folder, "."));
}

AppError ExportFile::Failure(const std::string& path) {
    return AppError(75, "Exporter",
                    "Die Datei \"" + FileNameOf(path) + "\" kann im Ordner \"" + PathOf(path) +
                        "\" nicht geschrieben werden.");
}

bool NameMatches(const std::string& name, const std::string& pattern) { return Matches(name, pattern); }

}  // namespace tlx4r
