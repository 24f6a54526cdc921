#include "masterdata/DataTextFile.h"

#include "types/AppError.h"
#include "types/Utf8.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace tlx4r {

DataTextFile::DataTextFile(DataTextSettings settings) : settings_(std::move(settings)) {
    const std::string& sep = settings_.Separator;
    const std::string& del = settings_.Delimiter;
    if (sep.size() != 1 || sep[0] == '\r' || sep[0] == '\n')
        throw AppError(5, "DataTextFile", "Das Trennzeichen muss ein einzelnes Zeichen sein.");
    if (del.size() > 1 || (del.size() == 1 && (del == sep || del[0] == ' ' || del[0] == '\r' || del[0] == '\n')))
        throw AppError(5, "DataTextFile",
                       "Das Textbegrenzungszeichen muss ein einzelnes Zeichen sein, das nicht das Trennzeichen ist.");
}

std::string DataTextFile::Field(std::string_view value) const {
    const std::string& del = settings_.Delimiter;
    if (del.empty()) return std::string(value);
    std::string out = del;
    for (char c : value) {
        out += c;
        if (c == del[0]) out += c;
    }
    return out + del;
}

std::string DataTextFile::Line(const std::vector<std::string>& values) const {
    std::string line;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) line += settings_.Separator;
        line += Field(values[i]);
    }
    return line;
}

bool DataTextFile::Unwritable(std::string_view value) const {
    if (value.find_first_of("\r\n") != std::string_view::npos) return true;
    return settings_.Delimiter.empty() && value.find(settings_.Separator[0]) != std::string_view::npos;
}

std::vector<std::string> DataTextFile::Split(std::string_view line) const {
    const char sep = settings_.Separator[0];
    std::vector<std::string> values;
    if (settings_.Delimiter.empty()) {
        std::size_t start = 0;
        for (;;) {
            const std::size_t end = line.find(sep, start);
            values.emplace_back(line.substr(start, end == std::string_view::npos ? end : end - start));
            if (end == std::string_view::npos) return values;
            start = end + 1;
        }
    }
    // Separator, delimiter and blank are single bytes, which never occur inside the UTF-8 form of
    // another character: scanning bytes is safe.
    const char del = settings_.Delimiter[0];
    std::size_t i = 0;
    for (;;) {
        std::size_t j = i;
        while (j < line.size() && (line[j] == ' ' || line[j] == '\t') && line[j] != sep) ++j;
        std::string value;
        if (j < line.size() && line[j] == del) {
            ++j;
            for (; j < line.size(); ++j) {
                if (line[j] != del) {
                    value += line[j];
                } else if (j + 1 < line.size() && line[j + 1] == del) {
                    value += del;
                    ++j;
                } else {
                    ++j;
                    break;
                }
            }
            // Anything between the closing delimiter and the separator is kept, as the old
            // reader kept it; blanks are dropped.
            while (j < line.size() && line[j] != sep) {
                if (line[j] != ' ' && line[j] != '\t') value += line[j];
                ++j;
            }
        } else {
            j = i;
            while (j < line.size() && line[j] != sep) value += line[j++];
        }
        values.push_back(std::move(value));
        if (j >= line.size()) return values;
        i = j + 1;
    }
}

std::vector<std::string> DataTextFile::ReadLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw AppError(53, "DataTextFile", "Datei nicht gefunden: " + path);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw AppError(57, "DataTextFile", "Die Datei kann nicht gelesen werden: " + path);
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.erase(0, 3);
    // The whole file decides: a file of an older installation is Windows-1252 throughout, and a
    // single invalid sequence is enough to tell it from UTF-8.
    const std::string text = utf8::IsValid(bytes) ? bytes : utf8::FromCp1252(bytes);
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

void DataTextFile::WriteLines(const std::string& path, const std::vector<std::string>& lines) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw AppError(75, "DataTextFile", "Die Datei kann nicht geschrieben werden: " + path);
    for (const auto& line : lines) out << line << "\r\n";
    out.close();
    if (!out) throw AppError(75, "DataTextFile", "Die Datei kann nicht geschrieben werden: " + path);
}

}  // namespace tlx4r
