#include "qt/ProjectEditView.h"

#include "masterdata/frmProject.h"
#include "qt/FormBinder.h"
#include "qt/ViewParts.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QVBoxLayout>

namespace tlx4r::qt {

namespace {

QPushButton* Dots(QWidget* parent, const char* key) {
    auto* button = MakeWidget<QPushButton>(parent, key);
    button->setAutoDefault(false);
    button->setMaximumWidth(32);
    return button;
}

}  // namespace

ProjectEditView::ProjectEditView(frmProject& form, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromStdString(form.Name()));
    auto* column = new QVBoxLayout(this);

    auto* project = MakeWidget<QGroupBox>(this, "fraProject");
    auto* project_grid = new QGridLayout(project);
    LabelledRow(project, project_grid, 0, "lblID", "txtID")->setMaximumWidth(80);
    project_grid->addWidget(MakeWidget<QLineEdit>(project, "txtProject"), 0, 2);
    project_grid->setColumnStretch(2, 1);
    column->addWidget(project);

    auto* links = MakeWidget<QGroupBox>(this, "fraLinks");
    auto* links_grid = new QGridLayout(links);
    LabelledRow(links, links_grid, 0, "lblRate", "txtRate");
    LabelledRow(links, links_grid, 1, "lblPerson", "txtPerson");
    links_grid->addWidget(Dots(links, "btnPersonChoose"), 1, 2);
    LabelledRow(links, links_grid, 2, "lblProjectType", "txtProjectType");
    links_grid->addWidget(Dots(links, "btnProjectTypeChoose"), 2, 2);
    LabelledRow(links, links_grid, 3, "lblDepartment", "txtDepartment");
    links_grid->addWidget(Dots(links, "btnDepartmentChoose"), 3, 2);
    column->addWidget(links);

    auto* extras = MakeWidget<QGroupBox>(this, "fraExtras");
    auto* extras_grid = new QGridLayout(extras);
    for (int i = 0; i < 5; ++i) {
        const QString n = QString::number(i);
        LabelledRow(extras, extras_grid, i, "lblProjExt[" + n + "]", "txtProjExt[" + n + "]");
    }
    column->addWidget(extras);
    auto* toggle_row = ButtonRow(this, {"btnToggle"});
    column->addLayout(toggle_row);

    auto* client = MakeWidget<QGroupBox>(this, "fraClient");
    auto* client_grid = new QGridLayout(client);
    LabelledRow(client, client_grid, 0, "lblClient", "txtClient");
    client_grid->addWidget(Dots(client, "btnClientChoose"), 0, 2);
    column->addWidget(client);

    auto* properties = MakeWidget<QGroupBox>(this, "fraProperties");
    auto* grid = new QGridLayout(properties);
    LabelledRow(properties, grid, 0, "lblPaymentLimit", "txtPaymentLimit");
    LabelledRow(properties, grid, 1, "lblText", "txtText");
    LabelledRow<QDateEdit>(properties, grid, 2, "lblDateBegin", "dtpDateBegin");
    LabelledRow<QDateEdit>(properties, grid, 3, "lblDateEnd", "dtpDateEnd");
    LabelledRow<QDateEdit>(properties, grid, 4, "lblDateBilled", "dtpDateBilled");
    column->addWidget(properties);

    column->addStretch(1);
    column->addLayout(ButtonRow(this, {"btnSearch", "btnDelete", "btnRestore", "btnSave", "btnClose"}));
    setMinimumSize(ui::TwipsToPixels(form.MinWidth()), ui::TwipsToPixels(form.MinHeight()));
    new FormBinder(form, this);
}

}  // namespace tlx4r::qt
