#pragma once

#include <string>

namespace tlx4r::report {
class ReportDocument;
}

namespace tlx4r::cli {

// Whether this build of tlx4r writes PDF files (it does when built with Qt).
bool PdfAvailable();
// Writes doc as a PDF file, on the offscreen platform when there is no display. Throws
// std::runtime_error when the file cannot be written or the build has no PDF output.
void WritePdf(const report::ReportDocument& doc, const std::string& path);

}  // namespace tlx4r::cli
