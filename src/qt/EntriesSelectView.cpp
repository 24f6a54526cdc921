#include "qt/EntriesSelectView.h"

#include "qt/DateRangeView.h"
#include "qt/FormBinder.h"
#include "qt/MakeWidget.h"
#include "reporting/frmEntriesSelect.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QVBoxLayout>

namespace tlx4r::qt {

namespace {

QPushButton* Button(QWidget* parent, const QString& key) {
    auto* b = MakeWidget<QPushButton>(parent, key);
    b->setAutoDefault(false);  // Enter belongs to the form's default button
    return b;
}

QGroupBox* Options(QWidget* parent, const QString& frame, const QString& name, int count) {
    auto* box = MakeWidget<QGroupBox>(parent, frame);
    auto* column = new QVBoxLayout(box);
    for (int i = 0; i < count; ++i) column->addWidget(MakeWidget<QRadioButton>(box, QString("%1[%2]").arg(name).arg(i)));
    return box;
}

QLabel* Summary(QWidget* parent, const QString& key) {
    auto* label = MakeWidget<QLabel>(parent, key);
    label->setStyleSheet("color: palette(dark)");
    return label;
}

}  // namespace

EntriesSelectView::EntriesSelectView(frmEntriesSelect& form, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromStdString(form.Name()));
    auto* column = new QVBoxLayout(this);
    column->addWidget(MakeWidget<QTabBar>(this, "tabSelect"));

    // "Text"
    auto* text = MakeWidget<QGroupBox>(this, "fraSelect[0]");
    auto* text_grid = new QGridLayout(text);
    text_grid->addWidget(MakeWidget<QLabel>(text, "lblTextSearch"), 0, 0);
    text_grid->addWidget(MakeWidget<QLineEdit>(text, "txtTextSearch"), 0, 1);
    text_grid->addWidget(Button(text, "btnTextClear"), 0, 2);
    text_grid->addWidget(Options(text, "fraText", "optText", 4), 1, 0, 1, 3);
    text_grid->addWidget(Summary(text, "lblText"), 2, 0, 1, 3);
    text_grid->setRowStretch(3, 1);
    column->addWidget(text);

    // "Sortieren/Anzahl"
    auto* sort = MakeWidget<QGroupBox>(this, "fraSelect[1]");
    auto* sort_grid = new QGridLayout(sort);
    sort_grid->addWidget(Options(sort, "fraSortItem", "optSortItem", 2), 0, 0);
    sort_grid->addWidget(Options(sort, "fraSortDirection", "optSortDirection", 2), 0, 1);
    sort_grid->addWidget(MakeWidget<QLabel>(sort, "lblCount"), 1, 0);
    sort_grid->addWidget(MakeWidget<QComboBox>(sort, "cbxCount"), 1, 1);
    sort_grid->addWidget(Button(sort, "btnSelectAll"), 2, 0);
    sort_grid->addWidget(Button(sort, "btnSelectLast100"), 2, 1);
    sort_grid->addWidget(Summary(sort, "lblSort"), 3, 0, 1, 2);
    sort_grid->addWidget(Summary(sort, "lblMaxCount"), 4, 0, 1, 2);
    sort_grid->setRowStretch(5, 1);
    column->addWidget(sort);

    // "Datumsbereich": the embedded control, bound to its own form.
    auto* dates = MakeWidget<QGroupBox>(this, "fraSelect[2]");
    auto* dates_column = new QVBoxLayout(dates);
    dates_column->addWidget(new DateRangeView(form.DateRange, dates));
    column->addWidget(dates);

    // "Eintragstypen"
    auto* types = MakeWidget<QGroupBox>(this, "fraSelect[3]");
    auto* types_grid = new QGridLayout(types);
    const char* boxes[] = {"cbG", "cbR", "cbA", "cbT", "cbD", "cbN", "cbM"};
    for (int i = 0; i < 7; ++i) types_grid->addWidget(MakeWidget<QCheckBox>(types, boxes[i]), i % 4, i / 4);
    types_grid->addWidget(MakeWidget<QCheckBox>(types, "cbArchive"), 3, 1);
    const char* buttons[] = {"btnSelAll", "btnSelNone", "btnSelStd", "btnSelWork"};
    for (int i = 0; i < 4; ++i) types_grid->addWidget(Button(types, buttons[i]), i, 2);
    types_grid->addWidget(Summary(types, "lblType"), 4, 0, 1, 3);
    types_grid->addWidget(Summary(types, "lblArchive"), 5, 0, 1, 3);
    types_grid->setRowStretch(6, 1);
    column->addWidget(types);

    // "Geschäft/Person"
    auto* who = MakeWidget<QGroupBox>(this, "fraSelect[4]");
    auto* who_grid = new QGridLayout(who);
    auto* project = MakeWidget<QGroupBox>(who, "fraProject");
    auto* project_row = new QHBoxLayout(project);
    project_row->addWidget(Button(project, "btnProjectSel"));
    project_row->addWidget(Button(project, "btnProjectAll"));
    who_grid->addWidget(project, 0, 0);
    auto* person = MakeWidget<QGroupBox>(who, "fraPerson");
    auto* person_row = new QHBoxLayout(person);
    person_row->addWidget(Button(person, "btnPersonSel"));
    person_row->addWidget(Button(person, "btnPersonAll"));
    who_grid->addWidget(person, 0, 1);
    who_grid->addWidget(Summary(who, "lblProject"), 1, 0, 1, 2);
    who_grid->addWidget(Summary(who, "lblPerson"), 2, 0, 1, 2);
    who_grid->setRowStretch(3, 1);
    column->addWidget(who);

    auto* selected = MakeWidget<QGroupBox>(this, "fraSelected");
    auto* selected_row = new QVBoxLayout(selected);
    auto* summary = MakeWidget<QLabel>(selected, "lblSelected");
    summary->setWordWrap(true);
    selected_row->addWidget(summary);
    column->addWidget(selected);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(Button(this, "btnOk"));
    row->addWidget(Button(this, "btnCancel"));
    column->addLayout(row);

    setMinimumWidth(ui::TwipsToPixels(7200));
    binder_ = new FormBinder(form, this);
}

}  // namespace tlx4r::qt
