#include "qt/DataChooseView.h"

#include "masterdata/frmDataChoose.h"
#include "qt/FormBinder.h"
#include "qt/KeyForward.h"
#include "qt/ViewParts.h"

#include <QListWidget>
#include <QVBoxLayout>

namespace tlx4r::qt {

DataChooseView::DataChooseView(frmDataChoose& form, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromStdString(form.Name()));
    auto* column = new QVBoxLayout(this);
    auto* label1 = MakeWidget<QLabel>(this, "lblClient1");
    auto* search = MakeWidget<QLineEdit>(this, "txtData");
    label1->setBuddy(search);
    column->addWidget(label1);
    column->addWidget(search);
    auto* label2 = MakeWidget<QLabel>(this, "lblClient2");
    auto* list = MakeWidget<QListWidget>(this, "lstData");
    label2->setBuddy(list);
    column->addWidget(label2);
    column->addWidget(list, 1);
    column->addLayout(ButtonRow(this, {"btnNew", "btnOk", "btnCancel"}));
    new KeyForward(search, [&form](int key, bool) { return form.SearchKeyDown(key); });
    setMinimumSize(ui::TwipsToPixels(form.MinWidth()), ui::TwipsToPixels(form.MinHeight()));
    new FormBinder(form, this);
}

}  // namespace tlx4r::qt
