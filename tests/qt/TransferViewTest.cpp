// The transfer dialog's view during a run: the bar follows the run at every pump of pending
// events, and the keyboard reaches the controls in reading order.
#include "core/AccountingFixture.h"
#include "core/frmTransfer.h"
#include "entries/Entry.h"
#include "qt/TransferView.h"

#include <QApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace tlx4r::test {
namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "qt_transfer_view_test";
    static char* argv[] = {name, nullptr};
    static auto* app = new QApplication(argc, argv);
    return *app;
}

// Lets Qt run its pending events, as the desktop's Ui does, and notes what the bar shows then.
class PumpingUi : public ScriptedUi {
public:
    void DoEvents() override {
        ScriptedUi::DoEvents();
        QCoreApplication::processEvents();
        if (bar != nullptr) seen.push_back(bar->isVisible() ? bar->value() : -1);
        // A second click on OK while the run goes on would start a second run inside it.
        if (ok != nullptr && ok->isEnabled()) ++clickable;
    }
    QProgressBar* bar = nullptr;
    QWidget* ok = nullptr;
    int clickable = 0;
    std::vector<int> seen;
};

using TransferViewTest = AccountingFixture;

TEST_F(TransferViewTest, TheBarFollowsTheRunAndTabGoesInReadingOrder) {
    App();
    for (int i = 0; i < 20; ++i) {
        const std::string code = "K" + std::to_string(100 + i);
        Account(code);
        AddEntry(i + 1, code, Entry::kCharges, D(1, 1, 2024), "10");
    }
    PumpingUi pumping;
    frmTransfer form;
    qt::TransferView view(form);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    pumping.bar = view.findChild<QProgressBar*>("ctlProgress");
    ASSERT_NE(pumping.bar, nullptr);
    EXPECT_FALSE(pumping.bar->isVisible());

    // The focus chain of the bound widgets (a date picker's inner line edit is part of it).
    std::vector<std::string> order;
    QWidget* w = view.findChild<QWidget*>("optTransferClear");
    for (int steps = 0; order.size() < 7 && w != nullptr && steps < 50; ++steps, w = w->nextInFocusChain()) {
        const std::string name = w->objectName().toStdString();
        if ((w->focusPolicy() & Qt::TabFocus) && !name.empty() && name.rfind("qt_", 0) != 0) order.push_back(name);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"optTransferClear", "optTransferDatum", "dtpDatum", "optTransferAll",
                                               "btnTest", "btnOk", "btnCancel"}));
    EXPECT_EQ(view.findChild<QPushButton*>("btnTest")->text(), "&Testen");

    pumping.ok = view.findChild<QPushButton*>("btnOk");
    pumping.ExpectMessageContaining("CHF 200.00");
    QTest::mouseClick(view.findChild<QPushButton*>("btnTest"), Qt::LeftButton);
    ASSERT_EQ(pumping.seen.size(), 20u);
    EXPECT_EQ(pumping.seen.front(), 5);
    EXPECT_EQ(pumping.seen[9], 50);
    EXPECT_EQ(pumping.seen.back(), 100);
    EXPECT_EQ(pumping.clickable, 0);
    EXPECT_TRUE(pumping.ok->isEnabled());
}

}  // namespace
}  // namespace tlx4r::test
