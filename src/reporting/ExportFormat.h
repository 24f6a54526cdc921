#pragma once

#include <string>
#include <vector>

namespace tlx4r {

// One output format of the exporter. A file set is opened for a base path (directory + name,
// without extension), written item by item, and finished. Files are written under a temporary
// name and get their real name only when finished, so an interrupted export never leaves a file
// that looks complete.
class ExportFormat {
public:
    virtual ~ExportFormat() = default;

    // The name patterns of this format's files (wildcards * and ?, case ignored): an earlier
    // export's file of one of them is what clearing a folder may remove.
    virtual std::vector<std::string> Patterns() const = 0;
    // The files of the file set finished by the last Close.
    virtual std::vector<std::string> Finished() const = 0;
    // Creates the files and writes their headers. fields are the item's field names; values
    // those of the first item. Throws AppError naming the file when it cannot be written.
    virtual void Open(const std::string& base_path, const std::vector<std::string>& fields,
                      const std::vector<std::string>& values) = 0;
    // values has one entry per field; missing ones are empty.
    virtual void Write(const std::vector<std::string>& values) = 0;
    // Finishes the files and gives them their real names.
    virtual void Close() = 0;
    // Drops unfinished files after a failure; never throws.
    virtual void Abort() noexcept = 0;
};

}  // namespace tlx4r
