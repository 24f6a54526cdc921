#include "qt/ClientEditView.h"

#include "masterdata/frmClient.h"
#include "qt/FormBinder.h"
#include "qt/ViewParts.h"

#include <QGroupBox>
#include <QVBoxLayout>

namespace tlx4r::qt {

ClientEditView::ClientEditView(frmClient& form, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromStdString(form.Name()));
    auto* column = new QVBoxLayout(this);

    auto* id = MakeWidget<QGroupBox>(this, "fraID");
    auto* id_grid = new QGridLayout(id);
    LabelledRow(id, id_grid, 0, "lblID", "txtID")->setMaximumWidth(80);
    LabelledRow(id, id_grid, 1, "lblKeyNam", "txtKeyName");
    column->addWidget(id);

    auto* address = MakeWidget<QGroupBox>(this, "fraAddress");
    auto* grid = new QGridLayout(address);
    LabelledRow(address, grid, 0, "lblCompany", "txtCompany");
    LabelledRow(address, grid, 1, "lblTitle", "txtTitle");
    LabelledRow(address, grid, 2, "lblFirstName", "txtFirstName");
    LabelledRow(address, grid, 3, "lblLastName", "txtLastName");
    LabelledRow(address, grid, 4, "lblAddress", "txtAddress1");
    grid->addWidget(MakeWidget<QLineEdit>(address, "txtAddress2"), 5, 1);
    LabelledRow(address, grid, 6, "lblZipCode", "txtZipCode");
    LabelledRow(address, grid, 7, "lblCity", "txtCity");
    LabelledRow(address, grid, 8, "lblCountry", "txtCountry");
    column->addWidget(address);

    auto* extras = MakeWidget<QGroupBox>(this, "fraExtras");
    auto* extras_grid = new QGridLayout(extras);
    for (int i = 0; i < 5; ++i) {
        const QString n = QString::number(i);
        LabelledRow(extras, extras_grid, i, "lblKlieExt[" + n + "]", "txtKlieExt[" + n + "]");
    }
    column->addWidget(extras);

    auto* contact = MakeWidget<QGroupBox>(this, "fraContact");
    auto* contact_grid = new QGridLayout(contact);
    LabelledRow(contact, contact_grid, 0, "lblFone", "txtFone");
    LabelledRow(contact, contact_grid, 1, "lblFax", "txtFax");
    LabelledRow(contact, contact_grid, 2, "lblEmail", "txtEmail");
    LabelledRow(contact, contact_grid, 3, "lblHomepage", "txtHomepage");
    column->addWidget(contact);

    column->addStretch(1);
    column->addLayout(ButtonRow(this, {"btnToggle", "btnProjects", "btnAdrOutlook", "btnSearch"}, false));
    column->addLayout(ButtonRow(this, {"btnNew", "btnCopy", "btnDelete", "btnRestore", "btnSave", "btnClose"}));
    setMinimumSize(ui::TwipsToPixels(form.MinWidth()), ui::TwipsToPixels(form.MinHeight()));
    new FormBinder(form, this);
}

}  // namespace tlx4r::qt
