#include "host/qt/AccountChooseView.h"
#include "qt/MakeWidget.h"

#include "host/frmAccountChoose.h"
#include "qt/FormBinder.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tlx4r::qt {

AccountChooseView::AccountChooseView(frmAccountChoose& form, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromStdString(form.Name()));
    auto* column = new QVBoxLayout(this);

    auto* search_row = new QHBoxLayout;
    auto* label = MakeWidget<QLabel>(this, "lblSearch");
    auto* search = MakeWidget<QLineEdit>(this, "txtSearch");
    label->setBuddy(search);
    search_row->addWidget(label);
    search_row->addWidget(search, 1);
    column->addLayout(search_row);

    auto* list = MakeWidget<QTreeWidget>(this, "lvwAccounts");
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->header()->setStretchLastSection(true);
    column->addWidget(list, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(MakeWidget<QLabel>(this, "lblCount"), 1);
    auto* ok = MakeWidget<QPushButton>(this, "btnOk");
    auto* cancel = MakeWidget<QPushButton>(this, "btnCancel");
    // Enter in the search line must reach the form's default button, not a Qt one.
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    column->addLayout(buttons);

    setMinimumSize(ui::TwipsToPixels(form.MinWidth()), ui::TwipsToPixels(form.MinHeight()));
    binder_ = new FormBinder(form, this);
}

}  // namespace tlx4r::qt
