#include "qt/ArchiveDeleteView.h"

#include "core/frmArchiveDelete.h"
#include "qt/FormBinder.h"
#include "qt/MakeWidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tlx4r::qt {

ArchiveDeleteView::ArchiveDeleteView(frmArchiveDelete& form, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromStdString(form.Name()));
    auto* column = new QVBoxLayout(this);
    auto* warning = MakeWidget<QLabel>(this, "Label1");
    warning->setWordWrap(true);
    column->addWidget(warning, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (const char* name : {"btnOk", "btnCancel"}) {
        auto* button = MakeWidget<QPushButton>(this, name);
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    column->addLayout(buttons);

    setMinimumWidth(360);
    binder_ = new FormBinder(form, this);
}

}  // namespace tlx4r::qt
