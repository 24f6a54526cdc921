#include "qt/EntryView.h"

#include "entries/frmEntry.h"
#include "qt/MakeWidget.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tlx4r::qt {

namespace {

QLineEdit* Amount(QWidget* parent, const char* name) {
    auto* edit = MakeWidget<QLineEdit>(parent, name);
    edit->setAlignment(Qt::AlignRight);
    edit->setMaximumWidth(130);
    return edit;
}

QLineEdit* Time(QWidget* parent, const char* name) {
    auto* edit = MakeWidget<QLineEdit>(parent, name);
    edit->setAlignment(Qt::AlignRight);
    edit->setMaximumWidth(70);
    return edit;
}

QPushButton* Small(QWidget* parent, const char* name) {
    auto* button = MakeWidget<QPushButton>(parent, name);
    button->setMaximumWidth(36);
    return button;
}

}  // namespace

EntryView::EntryView(frmEntry& form, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromStdString(form.Name()));
    auto* column = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    column->addLayout(grid);

    // Widgets are made in reading order: that is the order the Tab key follows.
    int row = 0;
    grid->addWidget(MakeWidget<QLabel>(this, "lblID"), row, 0);
    auto* id = MakeWidget<QLineEdit>(this, "txtID");
    id->setMaximumWidth(90);
    id->setFocusPolicy(Qt::NoFocus);
    grid->addWidget(id, row, 1, Qt::AlignLeft);
    grid->addWidget(MakeWidget<QLabel>(this, "lblBookDate"), row, 3);
    grid->addWidget(MakeWidget<QDateEdit>(this, "dtpBookDate"), row, 4, Qt::AlignLeft);

    ++row;
    grid->addWidget(MakeWidget<QLabel>(this, "lblProject"), row, 0);
    grid->addWidget(MakeWidget<QLineEdit>(this, "txtProject"), row, 1, 1, 4);
    grid->addWidget(Small(this, "btnProjectChoose"), row, 5);

    ++row;
    grid->addWidget(MakeWidget<QLabel>(this, "lblPerson"), row, 0);
    grid->addWidget(MakeWidget<QLineEdit>(this, "txtPerson"), row, 1, 1, 4);
    grid->addWidget(Small(this, "btnPersonChoose"), row, 5);

    ++row;
    grid->addWidget(MakeWidget<QLabel>(this, "lblText"), row, 0);
    grid->addWidget(MakeWidget<QLineEdit>(this, "txtText"), row, 1, 1, 4);
    grid->addWidget(Small(this, "btnTemplateChoose"), row, 5);
    ++row;
    grid->addWidget(MakeWidget<QPushButton>(this, "btnTextEdit"), row, 1, Qt::AlignLeft);

    ++row;
    auto* times = new QHBoxLayout;
    const char* time_names[][2] = {
        {"lblTimeFrom", "txtTimeFrom"}, {"lblTimeTo", "txtTimeTo"}, {"lblTimeBreak", "txtTimeBreak"}};
    for (const auto& [label, box] : time_names) {
        times->addWidget(MakeWidget<QLabel>(this, label));
        times->addWidget(Time(this, box));
    }
    times->addWidget(MakeWidget<QLabel>(this, "lblTimeLap"));
    auto* lap = Time(this, "txtTimeLap");
    lap->setFocusPolicy(Qt::NoFocus);
    times->addWidget(lap);
    times->addStretch(1);
    grid->addLayout(times, row, 0, 1, 6);

    ++row;
    grid->addWidget(MakeWidget<QLabel>(this, "lblRate"), row, 0);
    auto* rate_row = new QHBoxLayout;
    rate_row->addWidget(Amount(this, "txtRate"));
    rate_row->addWidget(Small(this, "btnRateChoose"));
    rate_row->addStretch(1);
    grid->addLayout(rate_row, row, 1);

    ++row;
    grid->addWidget(MakeWidget<QLabel>(this, "lblCharges"), row, 0);
    grid->addWidget(MakeWidget<QPushButton>(this, "btnCharges"), row, 0);
    grid->addWidget(Amount(this, "txtCharges"), row, 1);
    grid->addWidget(MakeWidget<QLabel>(this, "lblExpenses"), row, 3);
    grid->addWidget(MakeWidget<QPushButton>(this, "btnExpenses"), row, 3);
    grid->addWidget(Amount(this, "txtExpenses"), row, 4);

    ++row;
    grid->addWidget(MakeWidget<QLabel>(this, "lblAdapted"), row, 0);
    grid->addWidget(Amount(this, "txtAdapted"), row, 1);
    grid->addWidget(MakeWidget<QLabel>(this, "lblBilled"), row, 3);
    grid->addWidget(Amount(this, "txtBilled"), row, 4);

    ++row;
    grid->addWidget(MakeWidget<QLabel>(this, "lblVATSold"), row, 0);
    grid->addWidget(Amount(this, "txtVATSold"), row, 1);
    grid->addWidget(MakeWidget<QLabel>(this, "lblVATRate"), row, 3);
    grid->addWidget(Amount(this, "txtVATRate"), row, 4);
    ++row;
    grid->addWidget(MakeWidget<QLabel>(this, "lblVAT"), row, 0);
    grid->addWidget(Amount(this, "txtVAT"), row, 1);

    ++row;
    grid->addWidget(MakeWidget<QLabel>(this, "lblTotal"), row, 0);
    auto* total = Amount(this, "txtTotal");
    total->setFocusPolicy(Qt::NoFocus);
    QFont bold = total->font();
    bold.setBold(true);
    total->setFont(bold);
    grid->addWidget(total, row, 1);
    auto* checks = new QHBoxLayout;
    checks->addWidget(MakeWidget<QCheckBox>(this, "chkType1"));
    checks->addWidget(MakeWidget<QCheckBox>(this, "chkIsBaseCharge"));
    checks->addWidget(MakeWidget<QCheckBox>(this, "chkArchive"));
    checks->addStretch(1);
    grid->addLayout(checks, row, 3, 1, 3);

    ++row;
    grid->addWidget(MakeWidget<QLabel>(this, "lblDocLink"), row, 0);
    grid->addWidget(MakeWidget<QLineEdit>(this, "txtDocLink"), row, 1, 1, 4);
    grid->addWidget(Small(this, "btnDocLinkChoose"), row, 5);
    ++row;
    grid->addWidget(MakeWidget<QPushButton>(this, "btnDocLinkOpen"), row, 1, Qt::AlignLeft);

    ++row;
    auto* actions = new QHBoxLayout;
    actions->addWidget(MakeWidget<QPushButton>(this, "btnTarifChoose"));
    actions->addWidget(MakeWidget<QPushButton>(this, "btnCalc"));
    actions->addStretch(1);
    actions->addWidget(MakeWidget<QPushButton>(this, "btnShow"));
    grid->addLayout(actions, row, 0, 1, 6);
    column->addStretch(1);

    auto* commands = new QHBoxLayout;
    for (const char* name : {"btnFirst", "btnPrevious", "btnNext", "btnLast"}) commands->addWidget(Small(this, name));
    commands->addStretch(1);
    for (const char* name : {"btnNew", "btnSave", "btnCopy", "btnDelete", "btnRestore", "btnClose"}) {
        commands->addWidget(MakeWidget<QPushButton>(this, name));
    }
    column->addLayout(commands);

    for (const char* name : {"lblReporting", "lblFinance"}) {
        auto* path = MakeWidget<QLabel>(this, name);
        QFont small = path->font();
        small.setPointSizeF(small.pointSizeF() * 0.85);
        path->setFont(small);
        path->setForegroundRole(QPalette::PlaceholderText);
        column->addWidget(path);
    }
    // Enter belongs to the time boxes and the focused button, never to a hidden default.
    for (auto* b : findChildren<QPushButton*>()) b->setAutoDefault(false);

    setMinimumSize(ui::TwipsToPixels(form.MinWidth()), ui::TwipsToPixels(form.MinHeight()));
    binder_ = new FormBinder(form, this);
}

}  // namespace tlx4r::qt
