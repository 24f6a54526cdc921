#include "qt/ItemSelectView.h"

#include "qt/FormBinder.h"
#include "qt/MakeWidget.h"
#include "reporting/frmItemSelect.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tlx4r::qt {

ItemSelectView::ItemSelectView(frmItemSelect& form, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromStdString(form.Name()));
    auto* column = new QVBoxLayout(this);
    column->addWidget(MakeWidget<QLabel>(this, "lblSelect"));
    column->addWidget(MakeWidget<QComboBox>(this, "cbxSelect"));
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (const char* key : {"btnOk", "btnCancel"}) {
        auto* b = MakeWidget<QPushButton>(this, key);
        b->setAutoDefault(false);
        row->addWidget(b);
    }
    column->addLayout(row);
    setMinimumWidth(280);
    binder_ = new FormBinder(form, this);
}

}  // namespace tlx4r::qt
