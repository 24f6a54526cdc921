#include "host/qt/OptionsView.h"

#include "host/frmOptions.h"
#include "qt/FormBinder.h"
#include "qt/ViewParts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

namespace tlx4r::qt {

OptionsView::OptionsView(frmOptions& form, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromStdString(form.Name()));
    auto* column = new QVBoxLayout(this);

    auto* office = MakeWidget<QGroupBox>(this, "fraOffice");
    auto* office_grid = new QGridLayout(office);
    LabelledRow(office, office_grid, 0, "lblOfficeName", "txtOfficeName");
    column->addWidget(office);

    auto* exporter = MakeWidget<QGroupBox>(this, "fraExport");
    auto* export_grid = new QGridLayout(exporter);
    export_grid->addWidget(MakeWidget<QCheckBox>(exporter, "chkEnableExporter"), 0, 0, 1, 3);
    LabelledRow(exporter, export_grid, 1, "lblProjectExportFormats", "txtProjectExportFormats");
    auto* formats = MakeWidget<QPushButton>(exporter, "btnFormats");
    formats->setAutoDefault(false);
    export_grid->addWidget(formats, 1, 2);
    column->addWidget(exporter);

    auto* contacts = MakeWidget<QGroupBox>(this, "fraContacts");
    auto* contacts_grid = new QGridLayout(contacts);
    contacts_grid->addWidget(MakeWidget<QLabel>(contacts, "lblContactsSource"), 0, 0, 1, 2);
    auto* source = MakeWidget<QLineEdit>(contacts, "txtContactsSource");
    contacts->findChild<QLabel*>("lblContactsSource")->setBuddy(source);
    contacts_grid->addWidget(source, 1, 0);
    auto* choose = MakeWidget<QPushButton>(contacts, "btnContactsSource");
    choose->setAutoDefault(false);
    contacts_grid->addWidget(choose, 1, 1);
    column->addWidget(contacts);

    auto* backups = MakeWidget<QGroupBox>(this, "fraBackups");
    auto* backups_grid = new QGridLayout(backups);
    LabelledRow(backups, backups_grid, 0, "lblBackupsKept", "txtBackupsKept")->setMaximumWidth(80);
    backups_grid->setColumnStretch(2, 1);
    column->addWidget(backups);

    column->addStretch(1);
    column->addLayout(ButtonRow(this, {"btnOk", "btnCancel"}));
    setMinimumSize(ui::TwipsToPixels(form.MinWidth()), ui::TwipsToPixels(form.MinHeight()));
    new FormBinder(form, this);
}

}  // namespace tlx4r::qt
