#pragma once

#include "host/report/ReportDocument.h"

#include <string>

class QPagedPaintDevice;

namespace tlx4r::report {

// Paints a report on A4 pages: office and date of printing, title and subtitle, the table's
// header on every page, the address on the first, "Seite n von m" at the foot of each. Cells too
// wide for their column are cut with "…". Needs a QGuiApplication.
class ReportPainter {
public:
    // Paints every page on device (a PDF writer or a printer), which is set to A4 portrait.
    // Returns the number of pages.
    static int Paint(const ReportDocument& doc, QPagedPaintDevice& device);
    // Writes the report as a PDF file; std::runtime_error when the file cannot be written.
    static int WritePdf(const ReportDocument& doc, const std::string& path);
};

}  // namespace tlx4r::report
