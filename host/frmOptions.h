#pragma once

#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Form.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/TextBox.h"

namespace tlx4r {

class HostOptions;
class Reporting;

// The desktop program's options: the office name printed on reports, the project export the
// component offers and runs on changes, the contacts (vCard) source and how many automatic
// backups are kept. The host's own options go to the host's section, the contacts source and
// the backups to the component's user options. Nothing is stored before Ok, and Ok stores
// nothing while a value is refused.
class frmOptions : public ui::Form {
public:
    frmOptions(HostOptions& options, Reporting& root);

    ui::Frame fraOffice{*this, "fraOffice", "Kanzlei"};
    ui::Label lblOfficeName{*this, "lblOfficeName", "&Name auf den Berichten", &fraOffice};
    ui::TextBox txtOfficeName{*this, "txtOfficeName", &fraOffice};

    ui::Frame fraExport{*this, "fraExport", "Geschäftsexport"};
    ui::CheckBox chkEnableExporter{*this, "chkEnableExporter", "Export in der Geschäftsübersicht an&bieten",
                                   &fraExport};
    ui::Label lblProjectExportFormats{*this, "lblProjectExportFormats", "&Formate bei jeder Änderung", &fraExport};
    ui::TextBox txtProjectExportFormats{*this, "txtProjectExportFormats", &fraExport};
    ui::Button btnFormats{*this, "btnFormats", "Forma&te...", &fraExport};

    ui::Frame fraContacts{*this, "fraContacts", "Kontakte"};
    ui::Label lblContactsSource{*this, "lblContactsSource", "&Kontaktdatei oder -ordner (vCard)", &fraContacts};
    ui::TextBox txtContactsSource{*this, "txtContactsSource", &fraContacts};
    ui::Button btnContactsSource{*this, "btnContactsSource", "&Wählen...", &fraContacts};

    ui::Frame fraBackups{*this, "fraBackups", "Datensicherung"};
    ui::Label lblBackupsKept{*this, "lblBackupsKept", "&Sicherungen je Datenbank (0 = alle behalten)", &fraBackups};
    ui::TextBox txtBackupsKept{*this, "txtBackupsKept", &fraBackups};

    ui::Button btnOk{*this, "btnOk", "&Ok"};
    ui::Button btnCancel{*this, "btnCancel", "&Abbrechen"};

    // Shows the options modally; true when the user stored them.
    bool Edit();

private:
    void Load();
    // True when every value is acceptable; otherwise says why and focuses the box.
    bool Check();
    void Store();

    HostOptions& options_;
    Reporting& root_;
    bool stored_ = false;
};

}  // namespace tlx4r
