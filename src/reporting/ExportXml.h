#pragma once

#include "ExportFile.h"
#include "ExportFormat.h"

namespace tlx4r {

// The XML format: 7-bit text, CR LF, three blanks per level, root "Data", one element per item
// named by the exporter's DataName, one child per field.
class ExportXml : public ExportFormat {
public:
    explicit ExportXml(const std::string& data_name) : data_name_(data_name) {}

    std::vector<std::string> Patterns() const override { return {"*.xml"}; }
    std::vector<std::string> Finished() const override { return {file_.Path()}; }
    void Open(const std::string& base_path, const std::vector<std::string>& fields,
              const std::vector<std::string>& values) override;
    void Write(const std::vector<std::string>& values) override;
    void Close() override;
    void Abort() noexcept override { file_.Discard(); }

private:
    const std::string& data_name_;
    std::vector<std::string> fields_;
    ExportFile file_;
};

}  // namespace tlx4r
