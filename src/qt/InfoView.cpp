#include "qt/InfoView.h"

#include "core/frmInfo.h"
#include "qt/FormBinder.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tlx4r::qt {

InfoView::InfoView(frmInfo& form, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromStdString(form.Name()));
    auto* column = new QVBoxLayout(this);
    column->setSpacing(8);

    auto* product = new QLabel(this);
    product->setObjectName("lblProduct");
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    product->setFont(big);
    column->addWidget(product);

    auto* program = new QLabel(this);
    program->setObjectName("lblProgram");
    program->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(program);

    auto* copyright = new QLabel(this);
    copyright->setObjectName("lblCopyright");
    copyright->setWordWrap(true);
    column->addWidget(copyright);
    column->addStretch(1);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* ok = new QPushButton(this);
    ok->setObjectName("btnOk");
    ok->setAutoDefault(false);
    row->addWidget(ok);
    column->addLayout(row);

    setMinimumWidth(320);
    binder_ = new FormBinder(form, this);
}

}  // namespace tlx4r::qt
