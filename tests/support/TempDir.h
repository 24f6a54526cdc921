#pragma once

#include <filesystem>
#include <string>

namespace tlx4r::test {

// A fresh folder under the system's temporary folder, removed with everything in it (write
// permissions a test took away are given back first).
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// The bytes of a file ("" when it cannot be read), for checking that a failed operation left a
// file untouched and for golden files.
std::string FileBytes(const std::string& path);

}  // namespace tlx4r::test
