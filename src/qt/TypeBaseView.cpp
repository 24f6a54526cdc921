#include "qt/TypeBaseView.h"

#include "entries/frmTypeBase.h"
#include "qt/FormBinder.h"
#include "qt/MakeWidget.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tlx4r::qt {

TypeBaseView::TypeBaseView(frmTypeBase& form, QWidget* parent) : QWidget(parent), form_(form) {
    setObjectName(QString::fromStdString(form.Name()));
    auto* row = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    auto* list = MakeWidget<QTreeWidget>(this, "ListView1");
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->header()->setStretchLastSection(true);
    list->header()->setSectionsMovable(false);
    left->addWidget(list, 1);
    left->addWidget(MakeWidget<QCheckBox>(this, "chkActiveOnly"));
    row->addLayout(left, 1);

    auto* commands = new QVBoxLayout;
    for (const char* name : {"btnName", "btnAccount", "btnDelete", "btnDefault"}) {
        auto* button = MakeWidget<QPushButton>(this, name);
        button->setAutoDefault(false);
        commands->addWidget(button);
    }
    commands->addStretch(1);
    auto* done = MakeWidget<QPushButton>(this, "btnDone");
    done->setAutoDefault(false);
    commands->addWidget(done);
    row->addLayout(commands);

    setMinimumSize(ui::TwipsToPixels(form.MinWidth()), ui::TwipsToPixels(form.MinHeight()));
    binder_ = new FormBinder(form, this);
}

QSize TypeBaseView::sizeHint() const {
    return {ui::TwipsToPixels(form_.Width()), ui::TwipsToPixels(form_.Height())};
}

void TypeBaseView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    auto* list = findChild<QTreeWidget*>("ListView1");
    if (list != nullptr && list->currentItem() != nullptr) list->scrollToItem(list->currentItem());
}

}  // namespace tlx4r::qt
