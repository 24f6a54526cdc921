#pragma once

#include "types/AppError.h"

#include <fstream>
#include <string>

namespace tlx4r {

// A text or binary output file written as path + ".part" and renamed to path by Commit, so that
// a file with the real name is always complete. Errors throw AppError 75 naming the file and its
// folder.
class ExportFile {
public:
    ExportFile() = default;
    ~ExportFile() { Discard(); }
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;

    void Create(const std::string& path);
    bool IsOpen() const { return out_.is_open(); }
    const std::string& Path() const { return path_; }
    // Writes text followed by CR LF.
    void Line(const std::string& text);
    void Commit();
    void Discard() noexcept;

    // The error for a file that cannot be written: AppError 75 naming the file and its folder.
    static AppError Failure(const std::string& path);
    // Forces everything written into folder (files and names) to the disk: export files are
    // written without waiting for the disk, and a run waits once at its end instead of once per
    // file. AppError 75 when the disk refuses.
    static void MakeDurable(const std::string& folder);

private:
    [[noreturn]] void Fail() const;

    std::ofstream out_;
    std::string path_;
};

// True when the file name matches pattern (wildcards * and ?, letters compared without regard to
// case).
bool NameMatches(const std::string& name, const std::string& pattern);

}  // namespace tlx4r
