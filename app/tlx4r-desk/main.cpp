// tlx4r-desk: the desktop program, the substitute host's main window on an office.
//   tlx4r-desk [FINANCE.tdb4f]                  opens that office (else the last one)
//   tlx4r-desk --screenshot FORM FILE.png       renders a registered form's view (or "first-start",
//                                               the first start's question) to a picture
//   tlx4r-desk --screenshot-main FINANCE FILE.png  renders the main window on an office
#include "host/qt/HostViews.h"
#include "host/qt/MainWindow.h"
#include "qt/FormDialog.h"
#include "qt/QtUi.h"
#include "qt/ViewRegistry.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPixmap>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

namespace {

int Screenshot(const std::string& form_name, const QString& file) {
    if (form_name == "first-start") {
        auto box = tlx4r::qt::MainWindow::FirstStartQuestion(nullptr);
        box->show();
        QApplication::processEvents();
        return box->grab().save(file, "PNG") ? 0 : 1;
    }
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
    const bool screenshot = argc > 1 && std::strcmp(argv[1], "--screenshot") == 0;
    const bool screenshot_main = argc > 1 && std::strcmp(argv[1], "--screenshot-main") == 0;
    if ((screenshot || screenshot_main) && argc != 4) {
        std::fprintf(stderr, "usage: tlx4r-desk [FINANCE.tdb4f]\n"
                             "       tlx4r-desk --screenshot FORM FILE.png\n"
                             "       tlx4r-desk --screenshot-main FINANCE.tdb4f FILE.png\n");
        return 2;
    }
    // Pictures need no display.
    if ((screenshot || screenshot_main) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName("tlx4r-desk");
    // The desktop file's name ties the window to its launcher; the theme's icon wins when the
    // program is installed, the built-in one serves a build tree.
    QApplication::setDesktopFileName("tlx4r-desk");
    QApplication::setWindowIcon(QIcon::fromTheme("tlx4r", QIcon(":/icons/tlx4r.png")));
    tlx4r::qt::RegisterHostViews(tlx4r::qt::ViewRegistry::Instance());
    if (screenshot) return Screenshot(argv[2], QString::fromLocal8Bit(argv[3]));

    std::optional<std::string> finance;
    if (screenshot_main || argc > 1) finance = argv[screenshot_main ? 2 : 1];
    tlx4r::qt::MainWindow window(finance);
    if (screenshot_main) {
        window.show();
        QApplication::processEvents();
        return window.grab().save(QString::fromLocal8Bit(argv[3]), "PNG") ? 0 : 1;
    }
    window.show();
    return QApplication::exec();
}
