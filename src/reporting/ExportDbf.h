#pragma once

#include "ExportFile.h"
#include "ExportFormat.h"
#include "dBase3.h"

namespace tlx4r {

// The dBase III format: a side file (".db3") with the leading "Info_" fields and the names of
// two tables, a field dictionary ("DBnnnnnA") mapping FLDnnnnn to the field names, and the data
// table ("DBnnnnnB") with one text field of 50 characters per data field. The tables cannot be
// renamed once the side file names them, so they are written under their real names and
// deleted again when the run is abandoned.
class ExportDbf : public ExportFormat {
public:
    // first_free: where the search for a free table number starts, kept by the exporter for its
    // run (the numbers below were taken when last looked at); moved on to the number taken.
    explicit ExportDbf(int& first_free) : first_free_(first_free) {}

    std::vector<std::string> Patterns() const override { return {"*A.DBF", "DB?????B.DBF", "*.db3"}; }
    std::vector<std::string> Finished() const override { return finished_; }
    void Open(const std::string& base_path, const std::vector<std::string>& fields,
              const std::vector<std::string>& values) override;
    void Write(const std::vector<std::string>& values) override;
    void Close() override;
    void Abort() noexcept override;

    // "FLD" + the 1-based field number with five digits.
    static std::string FieldName(std::size_t number);

private:
    int& first_free_;
    std::size_t first_data_ = 0;  // 0-based index of the first field that is not "Info_"
    std::size_t field_count_ = 0;
    ExportFile side_;
    dBase3 data_;
    // The two tables of the open file set: removed again when the run is abandoned.
    std::vector<std::string> tables_;
    std::vector<std::string> finished_;
};

}  // namespace tlx4r
