#include "PdfOutput.h"

#include "host/report/ReportPainter.h"

#include <QGuiApplication>

#include <cstdlib>
#include <memory>

namespace tlx4r::cli {

bool PdfAvailable() { return true; }

void WritePdf(const report::ReportDocument& doc, const std::string& path) {
    // Painting needs an application object with fonts; without a display the offscreen platform
    // serves, so that scripts and servers write the same file.
    std::unique_ptr<QGuiApplication> app;
    if (QGuiApplication::instance() == nullptr) {
        if (std::getenv("QT_QPA_PLATFORM") == nullptr && std::getenv("DISPLAY") == nullptr &&
            std::getenv("WAYLAND_DISPLAY") == nullptr)
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "tlx4r";
        static char* argv[] = {name, nullptr};  // QGuiApplication keeps references to both
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    report::ReportPainter::WritePdf(doc, path);
}

}  // namespace tlx4r::cli
