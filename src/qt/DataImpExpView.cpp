#include "qt/DataImpExpView.h"

#include "masterdata/frmDataImpExp.h"
#include "qt/FormBinder.h"
#include "qt/ViewParts.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tlx4r::qt {

namespace {

QGroupBox* Group(QWidget* parent, const char* key, std::initializer_list<const char*> options) {
    auto* group = MakeWidget<QGroupBox>(parent, key);
    auto* column = new QVBoxLayout(group);
    for (const char* option : options) column->addWidget(MakeWidget<QRadioButton>(group, option));
    return group;
}

}  // namespace

DataImpExpView::DataImpExpView(frmDataImpExp& form, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromStdString(form.Name()));
    auto* column = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->addWidget(Group(this, "fraExt", {"optExtCSV", "optExtTXT"}), 0, 0);
    grid->addWidget(Group(this, "fraSep", {"optSepSemicolon", "optSepComma", "optSepTab"}), 0, 1);
    grid->addWidget(Group(this, "fraDelim", {"optDelimDouble", "optDelimSingle", "optDelimNone"}), 1, 0);
    grid->addWidget(Group(this, "fraHeader", {"optHeaderYes", "optHeaderNo"}), 1, 1);
    grid->addWidget(Group(this, "fraDeleteAll", {"optDeleteAllYes", "optDeleteAllNo"}), 2, 0);
    grid->addWidget(Group(this, "fraOverwrite", {"optOverwriteYes", "optOverwriteNo"}), 2, 1);
    column->addLayout(grid);
    column->addStretch(1);
    // Hidden import groups leave no gap: the buttons move up with the stretch.
    auto* buttons = ButtonRow(this, {"btnOk", "btnCancel"});
    auto* standard = MakeWidget<QPushButton>(this, "btnDefault");
    standard->setAutoDefault(false);
    buttons->insertWidget(0, standard);
    column->addLayout(buttons);
    new FormBinder(form, this);
}

}  // namespace tlx4r::qt
