#include "host/qt/AccountView.h"

#include "host/frmAccount.h"
#include "qt/MakeWidget.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tlx4r::qt {

AccountView::AccountView(frmAccount& form, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromStdString(form.Name()));
    auto* column = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const char* rows[][2] = {{"lblCode", "txtCode"}, {"lblName", "txtName"}, {"lblLevel", "txtLevel"}};
    int row = 0;
    for (const auto& [label, box] : rows) {
        grid->addWidget(MakeWidget<QLabel>(this, label), row, 0);
        grid->addWidget(MakeWidget<QLineEdit>(this, box), row, 1);
        ++row;
    }
    grid->setColumnStretch(1, 1);
    column->addLayout(grid);
    for (const char* name : {"chkGeneralLedger", "chkClosed", "chkDeleteOnCloture"}) {
        column->addWidget(MakeWidget<QCheckBox>(this, name));
    }
    column->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (const char* name : {"btnOk", "btnCancel"}) {
        auto* b = MakeWidget<QPushButton>(this, name);
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    column->addLayout(buttons);
    setMinimumSize(ui::TwipsToPixels(form.MinWidth()), ui::TwipsToPixels(form.MinHeight()));
    binder_ = new FormBinder(form, this);
}

}  // namespace tlx4r::qt
