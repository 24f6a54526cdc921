#include "qt/DateRangeView.h"
#include "qt/MakeWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tlx4r::qt {

DateRangeView::DateRangeView(ctlDateRange& range, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromStdString(range.InstanceName()));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(BuildSide("From", {0, 1, 2, 3}), 1);
    layout->addWidget(BuildSide("To", {0, 1, 2, 4}), 1);
    setMinimumWidth(ui::TwipsToPixels(ctlDateRange::MinWidth1()));
    binder_ = new FormBinder(range, this);
}

QWidget* DateRangeView::BuildSide(const QString& side, std::initializer_list<int> modes) {
    auto* frame = MakeWidget<QGroupBox>(this, "fra" + side);
    auto* column = new QVBoxLayout(frame);

    auto* options = new QGridLayout;
    int n = 0;
    for (int i : modes) {
        options->addWidget(MakeWidget<QRadioButton>(frame, QString("opt%1Mode[%2]").arg(side).arg(i)), n / 2, n % 2);
        ++n;
    }
    column->addLayout(options);
    column->addWidget(MakeWidget<QComboBox>(frame, "cbx" + side + "Type"));

    auto* date = MakeWidget<QGroupBox>(frame, "fra" + side + "Date");
    auto* date_grid = new QGridLayout(date);
    date_grid->addWidget(MakeWidget<QLabel>(date, "lbl" + side + "Date"), 0, 0);
    date_grid->addWidget(MakeWidget<QDateEdit>(date, "dtp" + side), 0, 1);
    column->addWidget(date);

    auto* year = MakeWidget<QGroupBox>(frame, "fra" + side + "Year");
    auto* year_grid = new QGridLayout(year);
    year_grid->addWidget(MakeWidget<QLabel>(year, "lbl" + side + "Year"), 0, 0);
    year_grid->addWidget(MakeWidget<QLineEdit>(year, "txt" + side + "Year"), 0, 1, 1, 2);
    year_grid->addWidget(MakeWidget<QPushButton>(year, "btn" + side + "YearPrevious"), 1, 0);
    year_grid->addWidget(MakeWidget<QPushButton>(year, "btn" + side + "YearCurrent"), 1, 1);
    year_grid->addWidget(MakeWidget<QPushButton>(year, "btn" + side + "YearNext"), 1, 2);
    year_grid->addWidget(MakeWidget<QLabel>(year, "lbl" + side + "YearEnd"), 2, 0);
    year_grid->addWidget(MakeWidget<QCheckBox>(year, "chk" + side + "YearEnd"), 2, 1, 1, 2);
    column->addWidget(year);

    auto* count = MakeWidget<QGroupBox>(frame, "fra" + side + "Count");
    auto* count_grid = new QGridLayout(count);
    count_grid->addWidget(MakeWidget<QLabel>(count, "lbl" + side + "Count"), 0, 0);
    count_grid->addWidget(MakeWidget<QComboBox>(count, "cbx" + side + "Count"), 0, 1, 1, 2);
    count_grid->addWidget(MakeWidget<QLineEdit>(count, "txt" + side + "Count"), 0, 3, 1, 2);
    const char* buttons[] = {"First", "Previous", "Current", "Next", "Last"};
    for (int i = 0; i < 5; ++i) {
        auto* b = MakeWidget<QPushButton>(count, "btn" + side + "Count" + buttons[i]);
        b->setAutoDefault(false);
        count_grid->addWidget(b, 1, i);
    }
    count_grid->addWidget(MakeWidget<QLabel>(count, "lbl" + side + "End"), 2, 0);
    count_grid->addWidget(MakeWidget<QCheckBox>(count, "chk" + side + "End"), 2, 1, 1, 4);
    column->addWidget(count);
    column->addStretch(1);
    for (auto* b : frame->findChildren<QPushButton*>()) b->setAutoDefault(false);
    return frame;
}

}  // namespace tlx4r::qt
