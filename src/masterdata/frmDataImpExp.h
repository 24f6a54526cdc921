#pragma once

#include "masterdata/DataTextFile.h"
#include "ui/Button.h"
#include "ui/CommonDialog.h"
#include "ui/Form.h"
#include "ui/Frame.h"
#include "ui/OptionButton.h"

#include <string>

namespace tlx4r {

// The settings of a lookup table's text file export or import: extension, field separator,
// text delimiter, header line, and for import whether to empty the table first and whether a
// line replaces the row of its ID. Its file dialog remembers the last folder and file.
class frmDataImpExp : public ui::Form {
public:
    frmDataImpExp();

    ui::Frame fraExt{*this, "fraExt", "Dateiendung"};
    ui::OptionButton optExtCSV{*this, "optExtCSV", "Comma Separates Values", &fraExt};
    ui::OptionButton optExtTXT{*this, "optExtTXT", "Text", &fraExt};
    ui::Frame fraSep{*this, "fraSep", "Feldtrenner"};
    ui::OptionButton optSepSemicolon{*this, "optSepSemicolon", "Semikolon", &fraSep};
    ui::OptionButton optSepComma{*this, "optSepComma", "Komma", &fraSep};
    ui::OptionButton optSepTab{*this, "optSepTab", "Tabulator", &fraSep};
    ui::Frame fraDelim{*this, "fraDelim", "Feldbegrenzer"};
    ui::OptionButton optDelimDouble{*this, "optDelimDouble", "Doppelhochkomma", &fraDelim};
    ui::OptionButton optDelimSingle{*this, "optDelimSingle", "Hochkomma", &fraDelim};
    ui::OptionButton optDelimNone{*this, "optDelimNone", "Ohne", &fraDelim};
    ui::Frame fraHeader{*this, "fraHeader", "Kopfzeile mit Feldnamen"};
    ui::OptionButton optHeaderYes{*this, "optHeaderYes", "Ja", &fraHeader};
    ui::OptionButton optHeaderNo{*this, "optHeaderNo", "Nein", &fraHeader};
    ui::Frame fraDeleteAll{*this, "fraDeleteAll", "Zuerst alle Einträge löschen"};
    ui::OptionButton optDeleteAllYes{*this, "optDeleteAllYes", "Ja", &fraDeleteAll};
    ui::OptionButton optDeleteAllNo{*this, "optDeleteAllNo", "Nein", &fraDeleteAll};
    ui::Frame fraOverwrite{*this, "fraOverwrite", "Bestehende Einträge überschreiben"};
    ui::OptionButton optOverwriteYes{*this, "optOverwriteYes", "Ja", &fraOverwrite};
    ui::OptionButton optOverwriteNo{*this, "optOverwriteNo", "Nein", &fraOverwrite};
    ui::Button btnDefault{*this, "btnDefault", "&Standard"};
    ui::Button btnOk{*this, "btnOk", "&Ok"};
    ui::Button btnCancel{*this, "btnCancel", "&Abbrechen"};
    ui::CommonDialog CommonDialog1{*this, "CommonDialog1"};

    // Show the settings modally, captioned "Einstellungen " + title + " Export" (or " Import");
    // the export hides the choices that only an import has. True when confirmed.
    bool ChooseExport(const std::string& title);
    bool ChooseImport(const std::string& title);

    bool Canceled() const { return canceled_; }
    // The chosen values.
    std::string Ext() const;
    std::string Sep() const;
    std::string Delim() const;
    bool WithHeader() const { return optHeaderYes.Value(); }
    bool DeleteAll() const { return optDeleteAllYes.Value(); }
    bool Overwrite() const { return optOverwriteYes.Value(); }
    // All of them together.
    DataTextSettings Settings() const;

    // ".csv", ";", no delimiter, no header, delete all first, do not overwrite.
    void Defaults();

    // True while the import-only choices are hidden (export), so that a view lays out the
    // default button where they were.
    bool ExportLayout() const { return !fraDeleteAll.Visible(); }

private:
    bool Run(const std::string& caption, bool import);

    bool canceled_ = true;
};

}  // namespace tlx4r
