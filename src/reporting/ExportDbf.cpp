#include "ExportDbf.h"

#include "core/modStringLibrary.h"

#include <algorithm>
#include <filesystem>

namespace tlx4r {

namespace fs = std::filesystem;

namespace {

// The old files were found on a file system that ignores case; ours does not, so both spellings
// of the extension count as taken.
bool TableExists(const std::string& base) {
    std::error_code ec;
    return fs::exists(base + ".DBF", ec) || fs::exists(base + ".dbf", ec);
}

}  // namespace

std::string ExportDbf::FieldName(std::size_t number) { return "FLD" + NumZeroFill(static_cast<long>(number), 5); }

void ExportDbf::Open(const std::string& base_path, const std::vector<std::string>& fields,
                     const std::vector<std::string>& values) {
    field_count_ = fields.size();
    side_.Create(base_path + ".db3");
    first_data_ = 0;
    while (first_data_ < fields.size() && fields[first_data_].rfind("Info_", 0) == 0) {
        side_.Line(fields[first_data_] + "=" + (first_data_ < values.size() ? values[first_data_] : ""));
        ++first_data_;
    }

    const std::string directory = PathOf(base_path);
    // One file set per project would otherwise look at every taken number again for each one.
    int n = std::clamp(first_free_, 1, 9999);
    while (n < 9999 && TableExists(directory + "DB" + NumZeroFill(n, 5) + "B")) ++n;
    first_free_ = n;
    const std::string name = directory + "DB" + NumZeroFill(n, 5);

    dBase3 dictionary;
    dictionary.dBaseCreate(name + "A.DBF");
    tables_ = {dictionary.Fullpath()};
    dictionary.FieldCreate("FLDSHORT", dBase3::kText, 8);
    dictionary.FieldCreate("FLDFULL", dBase3::kText, 254);
    dictionary.TableDefSave();
    dictionary.RecordsetOpen();
    // written in one go: record by record, each with its header update, took a write per record
    std::vector<std::vector<std::string>> entries;
    for (std::size_t i = first_data_; i < fields.size(); ++i) entries.push_back({FieldName(i + 1), fields[i]});
    dictionary.Recordset().Append(entries);
    side_.Line("Fields=" + dictionary.Fullpath());
    dictionary.dBaseClose();

    data_.dBaseCreate(name + "B.DBF");
    tables_.push_back(data_.Fullpath());
    for (std::size_t i = first_data_; i < fields.size(); ++i) data_.FieldCreate(FieldName(i + 1), dBase3::kText, 50);
    data_.TableDefSave();
    data_.RecordsetOpen();
    side_.Line("Values=" + data_.Fullpath());
}

void ExportDbf::Write(const std::vector<std::string>& values) {
    auto& rs = data_.Recordset();
    rs.AddNew();
    // the table's fields are the data fields in their order
    for (std::size_t i = first_data_; i < field_count_; ++i) {
        rs.SetField(i - first_data_, i < values.size() ? Trim(StrMidSafe(values[i], 1, 50)) : std::string());
    }
    rs.Update();
}

void ExportDbf::Close() {
    data_.dBaseClose();
    side_.Commit();
    finished_ = tables_;
    finished_.push_back(side_.Path());
    tables_.clear();
}

void ExportDbf::Abort() noexcept {
    data_.dBaseClose();
    side_.Discard();
    for (const auto& table : tables_) {
        std::error_code ec;
        fs::remove(table, ec);
    }
    tables_.clear();
}

}  // namespace tlx4r
