#include "qt/EntriesShowView.h"

#include "qt/FormBinder.h"
#include "qt/MakeWidget.h"
#include "reporting/frmEntriesShow.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tlx4r::qt {

EntriesShowView::EntriesShowView(frmEntriesShow& form, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromStdString(form.Name()));
    auto* column = new QVBoxLayout(this);
    auto* frame = MakeWidget<QGroupBox>(this, "fraShow");
    auto* frame_column = new QVBoxLayout(frame);
    auto* list = MakeWidget<QTreeWidget>(frame, "ListView1");
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setAlternatingRowColors(true);
    frame_column->addWidget(list);
    column->addWidget(frame, 1);

    auto* row = new QHBoxLayout;
    auto* summary = MakeWidget<QLabel>(this, "lblSelected");
    summary->setWordWrap(true);
    row->addWidget(summary, 1);
    for (const char* key : {"btnOk", "btnCancel", "btnSelect", "btnRefresh"}) {
        auto* b = MakeWidget<QPushButton>(this, key);
        b->setAutoDefault(false);
        row->addWidget(b);
    }
    column->addLayout(row);

    setMinimumSize(ui::TwipsToPixels(form.MinWidth()), ui::TwipsToPixels(form.MinHeight()));
    resize(ui::TwipsToPixels(form.Width()), ui::TwipsToPixels(form.Height()));
    binder_ = new FormBinder(form, this);
}

}  // namespace tlx4r::qt
