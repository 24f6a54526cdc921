#include "qt/EntriesRangeView.h"

#include "qt/DateRangeView.h"
#include "qt/FormBinder.h"
#include "qt/MakeWidget.h"
#include "reporting/frmEntriesRange.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tlx4r::qt {

EntriesRangeView::EntriesRangeView(frmEntriesRange& form, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromStdString(form.Name()));
    auto* column = new QVBoxLayout(this);

    auto* topic = MakeWidget<QGroupBox>(this, "fraTopic");
    auto* topic_row = new QHBoxLayout(topic);
    topic_row->addWidget(MakeWidget<QLabel>(topic, "lblItem"));
    column->addWidget(topic);

    column->addWidget(new DateRangeView(form.DateRange, this));

    auto* types = MakeWidget<QGroupBox>(this, "frmType");
    auto* grid = new QGridLayout(types);
    const char* boxes[] = {"cbG", "cbR", "cbA", "cbT", "cbD", "cbN", "cbM"};
    for (int i = 0; i < 7; ++i) grid->addWidget(MakeWidget<QCheckBox>(types, boxes[i]), i % 4, i / 4);
    grid->addWidget(MakeWidget<QCheckBox>(types, "cbArchive"), 3, 1);
    int r = 0;
    for (const char* key : {"btnSelAll", "btnSelNone", "btnSelDefault"}) {
        auto* b = MakeWidget<QPushButton>(types, key);
        b->setAutoDefault(false);
        grid->addWidget(b, r++, 2);
    }
    column->addWidget(types);

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
