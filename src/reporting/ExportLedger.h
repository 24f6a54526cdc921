#pragma once

#include <string>
#include <vector>

namespace tlx4r {

// The list of files the exporter has written into a folder, kept in the folder as a small text
// file (one file name a line). Clearing a folder before an export removes only files on this
// list: a folder the users share holds their own files too, and possibly the open databases.
class ExportLedger {
public:
    static constexpr const char* kFileName = ".tlx4r-exported";

    explicit ExportLedger(std::string directory) : directory_(std::move(directory)) {}

    // Notes finished files of an export (paths inside the folder; others are ignored). A list
    // that cannot be written only means those files will not be cleared later: never throws.
    void Add(const std::vector<std::string>& paths) noexcept;
    // Deletes the listed files whose names match one of patterns, never one of keep (full paths,
    // such as the open databases), and drops them from the list. Errors are ignored.
    void Clear(const std::vector<std::string>& patterns, const std::vector<std::string>& keep) noexcept;
    // The listed names.
    std::vector<std::string> Names() const;

private:
    std::string ListPath() const;
    void Save(const std::vector<std::string>& names) const;

    std::string directory_;
};

}  // namespace tlx4r
