#include "ExportDelimited.h"

#include "core/modStringLibrary.h"

namespace tlx4r {

namespace {

// Readers of these files split rows at line ends and TXT fields at tabs, whatever the quotes say.
std::string OneLine(std::string value) {
    for (char& c : value) {
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    }
    return value;
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
