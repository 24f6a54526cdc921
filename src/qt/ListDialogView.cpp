#include "qt/ListDialogView.h"

#include "qt/FormBinder.h"
#include "qt/MakeWidget.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tlx4r::qt {

namespace {

void AddButtons(QWidget* parent, QHBoxLayout* row, const QStringList& names) {
    for (const QString& name : names) {
        auto* button = MakeWidget<QPushButton>(parent, name);
        // Enter must reach the form's default button, not the one that has the focus.
        button->setAutoDefault(false);
        row->addWidget(button);
    }
}

}  // namespace

ListDialogView::ListDialogView(ui::Form& form, const QStringList& left, const QStringList& right,
                               QWidget* parent)
    : QWidget(parent), form_(form) {
    setObjectName(QString::fromStdString(form.Name()));
    auto* column = new QVBoxLayout(this);

    auto* list = MakeWidget<QTreeWidget>(this, "ListView1");
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->header()->setStretchLastSection(true);
    list->header()->setSectionsMovable(false);
    column->addWidget(list, 1);

    auto* buttons = new QHBoxLayout;
    AddButtons(this, buttons, left);
    buttons->addStretch(1);
    AddButtons(this, buttons, right);
    column->addLayout(buttons);

    setMinimumSize(ui::TwipsToPixels(form.MinWidth()), ui::TwipsToPixels(form.MinHeight()));
    binder_ = new FormBinder(form, this);
}

QSize ListDialogView::sizeHint() const {
    if (form_.Width() > 0 && form_.Height() > 0) {
        return {ui::TwipsToPixels(form_.Width()), ui::TwipsToPixels(form_.Height())};
    }
    return QWidget::sizeHint();
}

void ListDialogView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    auto* list = findChild<QTreeWidget*>("ListView1");
    if (list != nullptr && list->currentItem() != nullptr) list->scrollToItem(list->currentItem());
}

}  // namespace tlx4r::qt
