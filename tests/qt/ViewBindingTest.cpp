#include "entries/frmEntryTypeChoose.h"
#include "qt/DateRangeView.h"
#include "qt/FormDialog.h"
#include "qt/FormBinder.h"
#include "qt/ViewRegistry.h"
#include "ui/Controls.h"

#include "support/ScriptedUi.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace tlx4r::qt {
namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "qt_views_test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: a QApplication torn down by exit handlers crashes in Qt's own clean-up.
    static auto* app = new QApplication(argc, argv);
    return *app;
}

TEST(Views, EveryControlOfEveryFormIsBound) {
    App();
    auto& registry = ViewRegistry::Instance();
    ASSERT_FALSE(registry.Names().empty());
    for (const auto& name : registry.Names()) {
        auto form = registry.CreateSample(name);
        ASSERT_TRUE(form) << name;
        std::unique_ptr<QWidget> view(registry.CreateView(*form));
        auto unbound = UnboundControls(*form, view.get());
        EXPECT_TRUE(unbound.empty()) << name << " leaves " << unbound.size() << " control(s) unbound, first "
                                     << (unbound.empty() ? "" : unbound.front());
    }
}

// A form whose view forgot a widget, and one that put the wrong kind of widget in: the check
// must notice both.
class frmBroken : public ui::Form {
public:
    frmBroken() : Form("frmBroken") {}
    ui::TextBox txtName{*this, "txtName"};
    ui::Button btnOk{*this, "btnOk", "&Ok"};
    ui::CheckBox chkAll{*this, "chkAll"};
};

TEST(Views, TheBindingCheckFindsMissingAndWrongWidgets) {
    App();
    frmBroken form;
    QWidget view;
    auto* layout = new QVBoxLayout(&view);
    auto* name = new QLineEdit(&view);
    name->setObjectName("txtName");
    layout->addWidget(name);
    auto* all = new QLabel(&view);  // a label cannot stand for a check box
    all->setObjectName("chkAll");
    layout->addWidget(all);
    EXPECT_EQ(UnboundControls(form, &view), (std::vector<std::string>{"btnOk", "chkAll"}));
}

TEST(Views, TypingIntoTheDateRangeWidgetsDrivesTheControl) {
    App();
    test::ScriptedUi ui;
    ctlDateRange range;
    DateRangeView view(range);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));

    auto* from_frame = view.findChild<QGroupBox*>("fraFrom");
    ASSERT_NE(from_frame, nullptr);
    EXPECT_EQ(from_frame->title(), "(von)");
    auto* exact = view.findChild<QRadioButton*>("optFromMode[3]");
    ASSERT_NE(exact, nullptr);
    EXPECT_EQ(exact->text(), "Exakt");
    EXPECT_EQ(exact->toolTip(), "Exakt an einem Tag");
    EXPECT_EQ(view.findChild<QPushButton*>("btnFromYearNext")->text(), "vorwärts");

    // "Datum", then the period type "Jahr", then the year typed and the box left with Tab.
    QTest::mouseClick(view.findChild<QRadioButton*>("optFromMode[1]"), Qt::LeftButton);
    EXPECT_TRUE(range.optFromMode[1].Value());
    auto* type = view.findChild<QComboBox*>("cbxFromType");
    ASSERT_EQ(type->count(), 6);
    EXPECT_EQ(type->itemText(5), "Jahr");
    type->setFocus();
    QTest::keyClick(type, Qt::Key_End);  // a keyboard choice activates the item
    EXPECT_EQ(range.cbxFromType.Text(), "Jahr");
    auto* year = view.findChild<QLineEdit*>("txtFromYear");
    ASSERT_TRUE(year->isVisible());
    year->setFocus();
    QTest::qWait(10);
    year->selectAll();
    QTest::keyClicks(year, "2023");
    EXPECT_EQ(range.txtFromYear.Text(), "2023");
    view.findChild<QCheckBox*>("chkFromYearEnd")->setFocus();
    QTest::qWait(10);
    EXPECT_EQ(range.Description(), "Datum: Ab dem 01.01.2023");
    EXPECT_EQ(from_frame->title(), "Ab dem 01.01.2023");
    EXPECT_FALSE(view.findChild<QGroupBox*>("fraFromDate")->isVisible());
    EXPECT_FALSE(view.findChild<QWidget*>("fraFromCount")->isVisible());
}

TEST(Views, ChoosersOpenWhereTheyArePlacedAndAreWorkedByKeyboard) {
    App();
    test::ScriptedUi ui;
    for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
        frmEntryTypeChoose form;
        form.SetInitValue(3);
        form.SetPosition(ui::PixelsToTwips(200), ui::PixelsToTwips(150));
        form.Show(false);
        FormDialog dialog(form, ViewRegistry::Instance().CreateView(form));
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        EXPECT_EQ(dialog.pos(), QPoint(200, 150));
        auto* list = dialog.findChild<QTreeWidget*>("ListView1");
        ASSERT_NE(list, nullptr);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Down);
        EXPECT_EQ(form.ListView1.SelectedIndex(), 4) << "the arrow keys move the form's selection";
        QTest::keyClick(list, static_cast<Qt::Key>(key));
        EXPECT_FALSE(form.Visible());
        EXPECT_EQ(form.Result(), key == Qt::Key_Return ? 5 : -1);
    }
}

}  // namespace
}  // namespace tlx4r::qt
