#pragma once

#include "ExportFile.h"
#include "ExportFormat.h"

namespace tlx4r {

// The two line formats: CSV (values in double quotes, inner quotes doubled, ";" between) and
// TXT (values as they are, a tab between). The first line holds the field names. Text is UTF-8
// with CR LF line ends. Tabs and line breaks inside a value are written as blanks, so that a
// value can never split a row or a field.
class ExportDelimited : public ExportFormat {
public:
    enum class Kind { Csv, Txt };
    explicit ExportDelimited(Kind kind) : kind_(kind) {}

    std::vector<std::string> Patterns() const override { return {kind_ == Kind::Csv ? "*.csv" : "*.txt"}; }
    std::vector<std::string> Finished() const override { return {file_.Path()}; }
    void Open(const std::string& base_path, const std::vector<std::string>& fields,
              const std::vector<std::string>& values) override;
    void Write(const std::vector<std::string>& values) override;
    void Close() override { file_.Commit(); }
    void Abort() noexcept override { file_.Discard(); }

private:
    std::string Join(const std::vector<std::string>& items, std::size_t count) const;

    Kind kind_;
    std::size_t field_count_ = 0;
    ExportFile file_;
};

}  // namespace tlx4r
