#include "qt/ArchiveView.h"

#include "core/frmArchive.h"
#include "qt/DateRangeView.h"
#include "qt/FormBinder.h"
#include "qt/MakeWidget.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tlx4r::qt {

ArchiveView::ArchiveView(frmArchive& form, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromStdString(form.Name()));
    auto* column = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    auto* action = MakeWidget<QGroupBox>(this, "fraSelection");
    auto* action_column = new QVBoxLayout(action);
    action_column->addWidget(MakeWidget<QRadioButton>(action, "optArchive[0]"));
    action_column->addWidget(MakeWidget<QRadioButton>(action, "optArchive[1]"));
    action_column->addStretch(1);
    top->addWidget(action);

    auto* projects = MakeWidget<QGroupBox>(this, "fraProject");
    auto* project_grid = new QGridLayout(projects);
    project_grid->addWidget(MakeWidget<QRadioButton>(projects, "optMarkedForDelete"), 0, 0, 1, 3);
    project_grid->addWidget(MakeWidget<QRadioButton>(projects, "optAll"), 1, 0, 1, 3);
    project_grid->addWidget(MakeWidget<QRadioButton>(projects, "optSelect"), 2, 0, 1, 3);
    project_grid->addWidget(MakeWidget<QLabel>(projects, "lblProject"), 3, 0);
    project_grid->addWidget(MakeWidget<QLineEdit>(projects, "txtProject"), 3, 1);
    auto* choose = MakeWidget<QPushButton>(projects, "btnProjectChoose");
    choose->setAutoDefault(false);
    choose->setMaximumWidth(choose->fontMetrics().horizontalAdvance("...") + 24);
    project_grid->addWidget(choose, 3, 2);
    project_grid->setColumnStretch(1, 1);
    top->addWidget(projects, 1);
    column->addLayout(top);

    auto* dates = MakeWidget<QGroupBox>(this, "fraChargesFrame");
    auto* dates_column = new QVBoxLayout(dates);
    range_ = new DateRangeView(form.DateRange, dates);
    dates_column->addWidget(range_);
    column->addWidget(dates);

    auto* types = MakeWidget<QGroupBox>(this, "fraSelect");
    auto* types_grid = new QGridLayout(types);
    const char* const boxes[] = {"cbG", "cbR", "cbA", "cbT", "cbD", "cbN", "cbM"};
    for (int i = 0; i < 7; ++i) types_grid->addWidget(MakeWidget<QCheckBox>(types, boxes[i]), i % 4, i / 4);
    const char* const presets[] = {"btnSelStd", "btnSelWork", "btnSelAll", "btnSelNone"};
    for (int i = 0; i < 4; ++i) {
        auto* button = MakeWidget<QPushButton>(types, presets[i]);
        button->setAutoDefault(false);
        types_grid->addWidget(button, i, 2);
    }
    types_grid->setColumnStretch(1, 1);
    column->addWidget(types);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (const char* name : {"btnOk", "btnCancel"}) {
        auto* button = MakeWidget<QPushButton>(this, name);
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    column->addLayout(buttons);

    // Both sides of the range with room for their dates.
    setMinimumWidth(ui::TwipsToPixels(ctlDateRange::MinWidth2()) + 60);
    binder_ = new FormBinder(form, this);
}

}  // namespace tlx4r::qt
