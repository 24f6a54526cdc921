#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tlx4r {

// How a lookup table is written to and read from a text file. The defaults are those the
// settings dialog starts with.
struct DataTextSettings {
    std::string Extension = ".csv";  // ".csv" or ".txt"
    std::string Separator = ";";     // ";", "," or a tab
    std::string Delimiter;           // "\"", "'" or "" for none
    bool Header = false;             // a first line with the column names
    bool DeleteAllFirst = true;      // import: empty the table first (after asking)
    bool Overwrite = false;          // import: a line whose ID exists replaces that row
};

// The line format of the lookup tables' text files: one row per line, fields joined with the
// separator, each enclosed in the delimiter with inner delimiters doubled. Files are written as
// UTF-8 and read as UTF-8, or as Windows-1252 when they are not valid UTF-8 (files of older
// installations), so that no umlaut is lost either way.
class DataTextFile {
public:
    // Throws AppError 5 unless the separator is one character and the delimiter is none or one
    // character other than the separator, a blank or a line break.
    explicit DataTextFile(DataTextSettings settings);

    const DataTextSettings& Settings() const { return settings_; }

    // delimiter + value with each delimiter doubled + delimiter.
    std::string Field(std::string_view value) const;
    // The fields, each through Field, joined with the separator (no line end).
    std::string Line(const std::vector<std::string>& values) const;
    // The values of a line: split at the separator, delimiters removed. Inside a delimited field
    // a separator belongs to the value, so that a name such as "Meier; Partner" survives; blanks
    // around a delimited field are ignored. Without a delimiter the line is split at every
    // separator.
    std::vector<std::string> Split(std::string_view line) const;

    // True when the value cannot be written so that Split gives it back: a line break, or the
    // separator while there is no delimiter.
    bool Unwritable(std::string_view value) const;

    // The file's lines (ended by CR LF, LF or CR) as UTF-8 text; a UTF-8 byte-order mark is
    // skipped. Throws AppError 53 when the file cannot be read.
    static std::vector<std::string> ReadLines(const std::string& path);
    // Creates or overwrites the file with the lines, each ended by CR LF, in UTF-8. Throws
    // AppError 75 when it cannot be written.
    static void WriteLines(const std::string& path, const std::vector<std::string>& lines);

private:
    DataTextSettings settings_;
};

}  // namespace tlx4r
