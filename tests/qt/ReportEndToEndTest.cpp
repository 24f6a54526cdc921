// The desktop program end to end with its real views: a new office, an account, a working-time
// entry typed into the entry form, and the entries report saved as PDF from the print preview.
#include "core/Reporting.h"
#include "host/HostDocuments.h"
#include "host/HostInterface.h"
#include "host/HostOptions.h"
#include "host/HostTrace.h"
#include "host/qt/HostViews.h"
#include "host/qt/MainWindow.h"
#include "qt/ViewRegistry.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace tlx4r::test {
namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "qt_report_end_to_end_test";
    static char* argv[] = {name, nullptr};
    static auto* app = new QApplication(argc, argv);
    return *app;
}

// The user's hands on whatever modal window is on top. Each step waits for a window holding its
// marker control and then acts on it; the act runs from the event loop, so that a window it
// opens runs its own loop while the hands go on. A message box nobody expected is noted and
// closed; a step that never comes ends every window after a minute.
class Hands {
public:
    using Act = std::function<void(QWidget&)>;
    Hands() {
        poll_.setInterval(20);
        QObject::connect(&poll_, &QTimer::timeout, [this] { Poll(); });
        poll_.start();
        watchdog_.setSingleShot(true);
        watchdog_.setInterval(60000);
        QObject::connect(&watchdog_, &QTimer::timeout, [this] {
            failures.push_back("timed out waiting for " +
                               (steps_.empty() ? std::string("nothing") : steps_.front().marker));
            steps_.clear();
            while (QWidget* top = QApplication::activeModalWidget()) {
                failures.push_back("left open: " + top->windowTitle().toStdString());
                top->close();
            }
        });
    }
    void On(std::string marker, Act act) { steps_.push_back({std::move(marker), std::move(act)}); }
    // Runs an action of the main window (its dialogs run their own loops) until every step is done.
    void Run(QAction* action) {
        ASSERT_NE(action, nullptr);
        watchdog_.start();
        action->trigger();
        watchdog_.stop();
        EXPECT_TRUE(steps_.empty()) << steps_.size() << " steps left, next " << steps_.front().marker;
        steps_.clear();
    }
    std::vector<std::string> failures;

private:
    struct Step {
        std::string marker;
        Act act;
    };
    void Poll() {
        QWidget* top = QApplication::activeModalWidget();
        if (top == nullptr || busy_ == top) return;
        if (auto* box = qobject_cast<QMessageBox*>(top)) {
            failures.push_back("unexpected message: " + box->text().toStdString());
            box->reject();
            return;
        }
        if (steps_.empty()) return;
        const bool preview = steps_.front().marker == "preview" && qobject_cast<QPrintPreviewDialog*>(top) != nullptr;
        if (!preview && top->findChild<QWidget*>(QString::fromStdString(steps_.front().marker)) == nullptr) return;
        Step step = std::move(steps_.front());
        steps_.pop_front();
        busy_ = top;
        QTimer::singleShot(0, top, [this, top, act = std::move(step.act)] {
            act(*top);
            if (busy_ == top) busy_ = nullptr;
        });
    }

    std::deque<Step> steps_;
    QWidget* busy_ = nullptr;
    QTimer poll_;
    QTimer watchdog_;
};

template <class W = QWidget>
W* Child(QWidget& window, const char* name) {
    W* w = window.findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
}

void Type(QWidget& window, const char* name, const QString& text) {
    auto* edit = Child<QLineEdit>(window, name);
    if (edit == nullptr) return;
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);
}

void Press(QWidget& window, const char* name) {
    if (auto* button = Child<QPushButton>(window, name)) QTest::mouseClick(button, Qt::LeftButton);
}

// Makes the item of a list current whose text in some column is text.
void Pick(QWidget& window, const char* list_name, const QString& text) {
    auto* list = Child<QTreeWidget>(window, list_name);
    if (list == nullptr) return;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list->topLevelItem(i);
        for (int c = 0; c < item->columnCount(); ++c) {
            if (item->text(c) == text) {
                list->setCurrentItem(item);
                list->scrollToItem(item);
                return;
            }
        }
    }
    ADD_FAILURE() << list_name << " has no " << text.toStdString();
}

QAction* ActionOf(QWidget& window, const QString& text) {
    for (QAction* a : window.findChildren<QAction*>())
        if (a->text() == text) return a;
    return nullptr;
}

TEST(ReportEndToEnd, AnEntryTypedIntoTheFormAppearsInTheEntriesReportsPdf) {
    App();
    TempDir dir;
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_DOCUMENTS_DIR"})
        qputenv(name, QByteArray::fromStdString(dir.Path().string()));
    qt::RegisterHostViews(qt::ViewRegistry::Instance());
    const std::string finance = dir.File("Kanzlei Test.tdb4f");
    {
        // A new, empty office, as the main window's "Neue Kanzlei" makes it.
        HostOptions options;
        HostTrace trace(dir.File("trace.log"));
        HostDocuments documents;
        HostInterface host(options, trace, documents);
        Reporting root;
        root.SetInterface(&host);
        host.DatabaseNew(finance);
        root.DatabaseNew(dir.File("Kanzlei Test.tdb4r"));
        root.Tini();
        host.DatabaseClose();
    }
    qt::MainWindow window(finance);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    Hands hands;

    hands.On("txtLevel", [](QWidget& d) {
        Type(d, "txtCode", "1100.900");
        Type(d, "txtName", "Muster Treuhand AG");
        Press(d, "btnOk");
    });
    // The component shows the project it made for the new account.
    hands.On("btnProjectTypeChoose", [](QWidget& d) { Press(d, "btnClose"); });
    hands.Run(ActionOf(window, "&Neues Konto…"));

    hands.On("ListView1", [](QWidget& d) {
        Pick(d, "ListView1", "Arbeitszeit");
        Press(d, "btnOk");
    });
    hands.On("txtTimeFrom", [](QWidget& d) {
        Press(d, "btnProjectChoose");
        Type(d, "txtTimeFrom", "08:00");
        Type(d, "txtTimeTo", "10:30");
        Type(d, "txtRate", "240");
        Type(d, "txtText", "Entwurf Aktionaersbindungsvertrag");
        Press(d, "btnSave");
        Press(d, "btnClose");
    });
    hands.On("lvwAccounts", [](QWidget& d) {
        Pick(d, "lvwAccounts", "1100.900");
        Press(d, "btnOk");
    });
    hands.Run(ActionOf(window, "&Neuer Eintrag…"));

    const std::string pdf = dir.File("Einträge.pdf");
    hands.On("txtTextSearch", [](QWidget& d) { Press(d, "btnOk"); });
    hands.On("preview", [&pdf](QWidget& d) {
        auto& preview = static_cast<QPrintPreviewDialog&>(d);
        preview.printer()->setOutputFormat(QPrinter::PdfFormat);
        preview.printer()->setOutputFileName(QString::fromStdString(pdf));
        Child<QPrintPreviewWidget>(d, nullptr)->print();
        preview.reject();
    });
    hands.Run(ActionOf(window, "&Einträge…"));
    for (auto& f : hands.failures) ADD_FAILURE() << f;

    const Outcome text = RunProgram("pdftotext", {"-layout", pdf, "-"}, dir);
    ASSERT_EQ(text.exit_code, 0) << text.err;
    for (const char* shown : {"Entwurf Aktionaersbindungsvertrag", "1100.900", "02:30", "600.00", "1 Einträge",
                              "Kanzlei Test", "Seite 1 von 1"})
        EXPECT_NE(text.out.find(shown), std::string::npos) << shown << "\n" << text.out;
}

}  // namespace
}  // namespace tlx4r::test
