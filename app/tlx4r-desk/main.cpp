// tlx4r-desk: the desktop program. Until the host's main window arrives it shows the date range
// control as a demo; --screenshot FORM FILE.png renders a registered form's view to a picture.
#include "host/qt/HostViews.h"
#include "qt/FormDialog.h"
#include "qt/QtUi.h"
#include "qt/ViewRegistry.h"

#include <QApplication>
#include <QPixmap>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

int Screenshot(const std::string& form_name, const QString& file) {
    auto& registry = tlx4r::qt::ViewRegistry::Instance();
    auto form = registry.CreateSample(form_name);
    if (!form) {
        std::fprintf(stderr, "tlx4r-desk: no view for form %s\n", form_name.c_str());
        return 2;
    }
    QWidget* view = registry.CreateView(*form);
    view->adjustSize();
    view->resize(view->sizeHint());
    bool saved = view->grab().save(file, "PNG");
    delete view;
    if (!saved) {
        std::fprintf(stderr, "tlx4r-desk: cannot write %s\n", file.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    bool screenshot = argc > 1 && std::strcmp(argv[1], "--screenshot") == 0;
    if (screenshot && argc != 4) {
        std::fprintf(stderr, "usage: tlx4r-desk [--screenshot FORM FILE.png]\n");
        return 2;
    }
    // Pictures need no display.
    if (screenshot && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName("tlx4r-desk");
    tlx4r::qt::RegisterHostViews(tlx4r::qt::ViewRegistry::Instance());
    if (screenshot) return Screenshot(argv[2], QString::fromLocal8Bit(argv[3]));

    tlx4r::qt::QtUi qt_ui;
    tlx4r::ui::ScopedUi installed(qt_ui);
    auto form = tlx4r::qt::ViewRegistry::Instance().CreateSample("ctlDateRange");
    form->Show(true);
    return 0;
}
