#include "PdfOutput.h"

#include <stdexcept>

namespace tlx4r::cli {

bool PdfAvailable() { return false; }

void WritePdf(const report::ReportDocument&, const std::string&) {
    throw std::runtime_error("this build of tlx4r has no PDF output (built without Qt)");
}

}  // namespace tlx4r::cli
