#pragma once

#include "ExportFile.h"
#include "ExportFormat.h"
#include "dBase3.h"

namespace tlx4r {

// The dBase III format: a side file (".db3") with the leading "Info_" fields and the names of
// two tables, a field dictionary ("DBnnnnnA") mapping FLDnnnnn to the field names, and the data
// table ("DBnnnnnB") with one text field of 50 characters per data field.
class ExportDbf : public ExportFormat {
public:
    void ClearDirectory(const std::string& directory) override;
    void Open(const std::string& base_path, const std::vector<std::string>& fields,
              const std::vector<std::string>& values) override;
    void Write(const std::vector<std::string>& values) override;
    void Close() override;
    void Abort() noexcept override;

    // "FLD" + the 1-based field number with five digits.
    static std::string FieldName(std::size_t number);

private:
    std::size_t first_data_ = 0;  // 0-based index of the first field that is not "Info_"
    std::size_t field_count_ = 0;
    ExportFile side_;
    dBase3 data_;
};

}  // namespace tlx4r
