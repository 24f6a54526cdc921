#include "qt/ProjectSelectView.h"

#include "qt/FormBinder.h"
#include "qt/MakeWidget.h"
#include "reporting/frmProjectSelect.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tlx4r::qt {

ProjectSelectView::ProjectSelectView(frmProjectSelect& form, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromStdString(form.Name()));
    auto* column = new QVBoxLayout(this);
    struct Group {
        const char* frame;
        const char* option;
        int count;
    };
    for (const Group& g : {Group{"fraClients", "optClient", 3}, Group{"fraFibu", "optFibu", 3},
                           Group{"fraSort", "optSort", 2}}) {
        auto* box = MakeWidget<QGroupBox>(this, g.frame);
        auto* inner = new QVBoxLayout(box);
        for (int i = 0; i < g.count; ++i)
            inner->addWidget(MakeWidget<QRadioButton>(box, QString("%1[%2]").arg(g.option).arg(i)));
        column->addWidget(box);
    }
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (const char* key : {"btnOk", "btnCancel"}) {
        auto* b = MakeWidget<QPushButton>(this, key);
        b->setAutoDefault(false);
        row->addWidget(b);
    }
    column->addLayout(row);
    binder_ = new FormBinder(form, this);
}

}  // namespace tlx4r::qt
