#include "qt/TransferView.h"

#include "core/frmTransfer.h"
#include "qt/FormBinder.h"
#include "qt/MakeWidget.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tlx4r::qt {

TransferView::TransferView(frmTransfer& form, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromStdString(form.Name()));
    auto* column = new QVBoxLayout(this);

    auto* explanation = MakeWidget<QLabel>(this, "Label1");
    explanation->setWordWrap(true);
    column->addWidget(explanation);

    auto* group = MakeWidget<QGroupBox>(this, "grpTransfer");
    auto* options = new QVBoxLayout(group);
    options->addWidget(MakeWidget<QRadioButton>(group, "optTransferClear"));
    auto* until = new QHBoxLayout;
    until->addWidget(MakeWidget<QRadioButton>(group, "optTransferDatum"));
    until->addWidget(MakeWidget<QDateEdit>(group, "dtpDatum"));
    until->addStretch(1);
    options->addLayout(until);
    options->addWidget(MakeWidget<QRadioButton>(group, "optTransferAll"));
    column->addWidget(group);

    column->addWidget(MakeWidget<QProgressBar>(this, "ctlProgress"));
    column->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (const char* name : {"btnTest", "btnOk", "btnCancel"}) {
        auto* button = MakeWidget<QPushButton>(this, name);
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    column->addLayout(buttons);

    setMinimumWidth(420);
    binder_ = new FormBinder(form, this);
}

}  // namespace tlx4r::qt
