#include "qt/ProjectOverviewView.h"

#include "qt/DateRangeView.h"
#include "qt/FormBinder.h"
#include "qt/MakeWidget.h"
#include "reporting/frmProjectView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QVBoxLayout>

namespace tlx4r::qt {

namespace {

QGroupBox* Options(QWidget* parent, const QString& frame, const QString& name, int count) {
    auto* box = MakeWidget<QGroupBox>(parent, frame);
    auto* column = new QVBoxLayout(box);
    for (int i = 0; i < count; ++i) column->addWidget(MakeWidget<QRadioButton>(box, QString("%1[%2]").arg(name).arg(i)));
    return box;
}

QPushButton* Button(QWidget* parent, const QString& key) {
    auto* b = MakeWidget<QPushButton>(parent, key);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

ProjectOverviewView::ProjectOverviewView(frmProjectView& form, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromStdString(form.Name()));
    auto* column = new QVBoxLayout(this);
    column->addWidget(MakeWidget<QTabBar>(this, "tabOptions"));

    auto* group = MakeWidget<QGroupBox>(this, "fraOptions[1]");
    auto* group_grid = new QGridLayout(group);
    group_grid->addWidget(Options(group, "fraGroup", "optGroup", 4), 0, 0, 2, 1);
    group_grid->addWidget(MakeWidget<QCheckBox>(group, "chkSelect"), 0, 1);
    group_grid->addWidget(MakeWidget<QComboBox>(group, "cbxSelect"), 1, 1);
    group_grid->addWidget(Options(group, "fraSort", "optOrder", 5), 2, 0);
    group_grid->addWidget(MakeWidget<QCheckBox>(group, "chkDesc"), 2, 1, Qt::AlignTop);
    column->addWidget(group);

    struct Tab {
        int index;
        ctlDateRange& range;
    };
    for (const Tab& t : {Tab{2, form.DateRange2}, Tab{3, form.DateRange3}, Tab{4, form.DateRange4}}) {
        auto* frame = MakeWidget<QGroupBox>(this, QString("fraOptions[%1]").arg(t.index));
        auto* frame_column = new QVBoxLayout(frame);
        frame_column->addWidget(MakeWidget<QLabel>(frame, QString("lblDate[%1]").arg(t.index)));
        frame_column->addWidget(new DateRangeView(t.range, frame));
        auto* empty = MakeWidget<QGroupBox>(frame, QString("fraDateEmpty[%1]").arg(t.index));
        auto* empty_row = new QHBoxLayout(empty);
        empty_row->addWidget(MakeWidget<QCheckBox>(empty, QString("chkDateEmptyOnly[%1]").arg(t.index)));
        empty_row->addWidget(MakeWidget<QCheckBox>(empty, QString("chkDateEmptyWithout[%1]").arg(t.index)));
        frame_column->addWidget(empty);
        column->addWidget(frame);
    }

    auto* misc = MakeWidget<QGroupBox>(this, "fraOptions[5]");
    auto* misc_row = new QHBoxLayout(misc);
    misc_row->addWidget(Options(misc, "fraFibu", "optFibu", 3));
    misc_row->addWidget(Options(misc, "fraClient", "optClient", 3));
    column->addWidget(misc);

    auto* exports = MakeWidget<QGroupBox>(this, "fraOptions[6]");
    auto* exports_column = new QVBoxLayout(exports);
    auto* data = MakeWidget<QGroupBox>(exports, "fraExport");
    auto* data_grid = new QGridLayout(data);
    data_grid->addWidget(MakeWidget<QCheckBox>(data, "chkExport"), 0, 0);
    data_grid->addWidget(MakeWidget<QCheckBox>(data, "chkExportMakeOneFile"), 1, 0);
    data_grid->addWidget(MakeWidget<QCheckBox>(data, "chkExportClearBefore"), 2, 0);
    data_grid->addWidget(Button(data, "btnFormats"), 0, 1);
    data_grid->addWidget(MakeWidget<QLabel>(data, "lblProjectExportFormats"), 1, 1);
    exports_column->addWidget(data);
    column->addWidget(exports);

    auto* description = MakeWidget<QLabel>(this, "lblDescription");
    description->setWordWrap(true);
    column->addWidget(description);
    auto* row = new QHBoxLayout;
    row->addWidget(Button(this, "btnStd"));
    row->addStretch(1);
    row->addWidget(Button(this, "btnOk"));
    row->addWidget(Button(this, "btnCancel"));
    column->addLayout(row);

    setMinimumWidth(ui::TwipsToPixels(ctlDateRange::MinWidth2()) + 40);
    binder_ = new FormBinder(form, this);
}

}  // namespace tlx4r::qt
