#include "qt/DataView.h"

#include "masterdata/frmData.h"
#include "qt/FormBinder.h"
#include "qt/ViewParts.h"

#include <QVBoxLayout>

namespace tlx4r::qt {

DataView::DataView(frmData& form, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromStdString(form.Name()));
    auto* column = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    LabelledRow(this, grid, 0, "lblID", "txtID");
    LabelledRow(this, grid, 1, "lblNameFull", "txtNameFull");
    LabelledRow(this, grid, 2, "lblNameShort", "txtNameShort");
    LabelledRow(this, grid, 3, "lblRate", "txtRate");
    auto* charges = MakeWidget<QPushButton>(this, "btnCharges");
    charges->setAutoDefault(false);
    grid->addWidget(charges, 4, 0);
    grid->addWidget(MakeWidget<QLineEdit>(this, "txtCharges"), 4, 1);
    auto* expenses = MakeWidget<QPushButton>(this, "btnExpenses");
    expenses->setAutoDefault(false);
    grid->addWidget(expenses, 5, 0);
    grid->addWidget(MakeWidget<QLineEdit>(this, "txtExpenses"), 5, 1);
    column->addLayout(grid);
    column->addStretch(1);
    column->addLayout(ButtonRow(this, {"btnOk", "btnCancel"}));
    setMinimumSize(ui::TwipsToPixels(form.MinWidth()), ui::TwipsToPixels(form.MinHeight()));
    new FormBinder(form, this);
}

}  // namespace tlx4r::qt
