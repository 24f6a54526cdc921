#include "ExportDelimited.h"

#include "core/modStringLibrary.h"
#include "types/Utf8.h"

namespace tlx4r {

namespace {

// Readers of these files split rows at line ends and TXT fields at tabs, whatever the quotes say.
// The files are UTF-8 throughout: a byte that is no UTF-8 (a value from an older file) is taken
// as its Windows-1252 character, as everywhere else in the program.
std::string OneLine(std::string_view value) {
    std::string text = utf8::Encode(utf8::Decode(value));
    for (char& c : text) {
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    }
    return text;
}

}  // namespace

void ExportDelimited::Open(const std::string& base_path, const std::vector<std::string>& fields,
                           const std::vector<std::string>&) {
    field_count_ = fields.size();
    file_.Create(base_path + (kind_ == Kind::Csv ? ".csv" : ".txt"));
    file_.Line(Join(fields, fields.size()));
}

void ExportDelimited::Write(const std::vector<std::string>& values) { file_.Line(Join(values, field_count_)); }

std::string ExportDelimited::Join(const std::vector<std::string>& items, std::size_t count) const {
    std::string line;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string item = OneLine(i < items.size() ? items[i] : std::string());
        if (i > 0) line += kind_ == Kind::Csv ? ';' : '\t';
        line += kind_ == Kind::Csv ? Quote(item) : item;
    }
    return line;
}

}  // namespace tlx4r
