#include "host/frmAccountChoose.h"
#include "host/qt/AccountChooseView.h"
#include "host/qt/HostViews.h"
#include "qt/FormBinder.h"
#include "qt/ViewRegistry.h"

#include "support/ScriptedUi.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace tlx4r::qt {
namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "host_views_test";
    static char* argv[] = {name, nullptr};
    static auto* app = new QApplication(argc, argv);
    return *app;
}

TEST(HostViews, EveryControlOfTheHostFormsIsBoundAndTheChooserFollowsTheUser) {
    App();
    test::ScriptedUi ui;
    auto& registry = ViewRegistry::Instance();
    RegisterHostViews(registry);
    for (const char* name : {"frmAccountChoose", "frmAccount", "frmOptions", "frmBackups"}) {
        ASSERT_TRUE(registry.Has(name)) << name;
        auto sample = registry.CreateSample(name);
        std::unique_ptr<QWidget> sample_view(registry.CreateView(*sample));
        EXPECT_EQ(UnboundControls(*sample, sample_view.get()), std::vector<std::string>{}) << name;
    }

    frmAccountChoose form;
    std::vector<AccountData> accounts(3);
    const char* const names[] = {"Bachmann Immobilien AG", "Huber Erben", "Gemeinde Oberwil"};
    for (std::size_t i = 0; i < accounts.size(); ++i) {
        accounts[i].code = "1100.00" + std::to_string(i + 1);
        accounts[i].name = names[i];
    }
    form.Load(accounts, "1100.003");
    AccountChooseView view(form);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));

    auto* list = view.findChild<QTreeWidget*>("lvwAccounts");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->headerItem()->text(1), "Name");
    auto* search = view.findChild<QLineEdit*>("txtSearch");
    search->setFocus();
    QTest::keyClicks(search, "hub");
    EXPECT_EQ(form.txtSearch.Text(), "hub");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "1100.002");
    EXPECT_EQ(form.SelectedCode(), "1100.002");

    QTest::keyClicks(search, "zzz");
    EXPECT_FALSE(view.findChild<QPushButton*>("btnOk")->isEnabled());
}

}  // namespace
}  // namespace tlx4r::qt
