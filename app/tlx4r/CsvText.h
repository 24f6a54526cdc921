#pragma once

#include <string>
#include <vector>

namespace tlx4r::cli {

// One CSV line (RFC 4180, without its line end): a field with a comma, a quote or a line break
// is quoted, inner quotes doubled.
inline std::string CsvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += ',';
        const std::string& f = fields[i];
        if (f.find_first_of(",\"\r\n") == std::string::npos) {
            line += f;
            continue;
        }
        line += '"';
        for (char c : f) {
            if (c == '"') line += '"';
            line += c;
        }
        line += '"';
    }
    return line;
}

}  // namespace tlx4r::cli
