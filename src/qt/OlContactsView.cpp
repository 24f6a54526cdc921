#include "qt/OlContactsView.h"

#include "masterdata/frmOlContacts.h"
#include "qt/FormBinder.h"
#include "qt/KeyForward.h"
#include "qt/ViewParts.h"

#include <QListWidget>
#include <QVBoxLayout>

namespace tlx4r::qt {

OlContactsView::OlContactsView(frmOlContacts& form, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromStdString(form.Name()));
    auto* column = new QVBoxLayout(this);
    auto* label = MakeWidget<QLabel>(this, "lblCon");
    auto* search = MakeWidget<QLineEdit>(this, "txtCon");
    label->setBuddy(search);
    column->addWidget(label);
    column->addWidget(search);
    auto* list = MakeWidget<QListWidget>(this, "lstCon");
    column->addWidget(list, 1);
    auto* source = MakeWidget<QLabel>(this, "lblSource");
    source->setWordWrap(true);
    column->addWidget(source);
    auto* buttons = ButtonRow(this, {"btnOk", "btnCancel"});
    auto* choose = MakeWidget<QPushButton>(this, "btnSource");
    choose->setAutoDefault(false);
    buttons->insertWidget(0, choose);
    column->addLayout(buttons);
    new KeyForward(search, [&form](int key, bool) { return form.SearchKeyDown(key); });
    new KeyForward(list, [&form](int key, bool) { return form.ListKeyDown(key); });
    setMinimumSize(ui::TwipsToPixels(form.MinWidth()), ui::TwipsToPixels(form.MinHeight()));
    new FormBinder(form, this);
}

}  // namespace tlx4r::qt
