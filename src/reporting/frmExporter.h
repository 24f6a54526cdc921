#pragma once

#include "ui/Controls.h"

#include <string>

namespace tlx4r {

// The export format chooser: one check box per format. Formats are written as tags joined with
// ";" in the order XML, MDB, CSV, TXT, DBF ("XML;CSV").
class frmExporter : public ui::Form {
public:
    frmExporter();

    std::string Formats() const;
    // Checks exactly the boxes whose tags are in formats.
    void SetFormats(const std::string& formats);
    void SetAll();
    void SetNone();
    // The dialog's standard: XML alone.
    void SetStd();

    // Shows the form modally; true iff the user left it with OK.
    bool Choose();
    bool DialogCanceled() const { return dialog_canceled_; }

    ui::Frame fraExportFormat{*this, "fraExportFormat", "Format"};
    ui::CheckBox chkXML{*this, "chkXML", "&XML - Extended Markup Language", &fraExportFormat};
    ui::CheckBox chkMDB{*this, "chkMDB", "&MDB - Access 2000", &fraExportFormat};
    ui::CheckBox chkCSV{*this, "chkCSV", "&CSV - Excel (comma separated values)", &fraExportFormat};
    ui::CheckBox chkTXT{*this, "chkTXT", "&TXT - Text (tab separated values)", &fraExportFormat};
    ui::CheckBox chkDBF{*this, "chkDBF", "&DBF - dBase III", &fraExportFormat};
    ui::Button btnExportStd{*this, "btnExportStd", "&Standard"};
    ui::Button btnExportAll{*this, "btnExportAll", "&Alle"};
    ui::Button btnExportNone{*this, "btnExportNone", "&Keine"};
    ui::Button btnOK{*this, "btnOK", "&Ok"};
    ui::Button btnCancel{*this, "btnCancel", "A&bbrechen"};

private:
    bool dialog_canceled_ = true;
};

}  // namespace tlx4r
