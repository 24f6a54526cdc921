#include "host/qt/AccountChooseView.h"

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

namespace {

template <class W>
W* Make(QWidget* parent, const QString& name) {
    auto* w = new W(parent);
    w->setObjectName(name);
    return w;
}

}  // namespace

AccountChooseView::AccountChooseView(frmAccountChoose& form, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromStdString(form.Name()));
    auto* column = new QVBoxLayout(this);

    auto* search_row = new QHBoxLayout;
    auto* label = Make<QLabel>(this, "lblSearch");
    auto* search = Make<QLineEdit>(this, "txtSearch");
    label->setBuddy(search);
    search_row->addWidget(label);
    search_row->addWidget(search, 1);
    column->addLayout(search_row);

    auto* list = Make<QTreeWidget>(this, "lvwAccounts");
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->header()->setStretchLastSection(true);
    column->addWidget(list, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Make<QLabel>(this, "lblCount"), 1);
    auto* ok = Make<QPushButton>(this, "btnOk");
    auto* cancel = Make<QPushButton>(this, "btnCancel");
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
