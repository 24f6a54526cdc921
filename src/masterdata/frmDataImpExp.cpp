#include "masterdata/frmDataImpExp.h"

namespace tlx4r {

frmDataImpExp::frmDataImpExp() : ui::Form("frmDataImpExp", "Format Data Import/Export") {
    btnDefault.SetToolTip("Standardeinstellungen verwenden");
    btnOk.SetDefault(true);
    btnCancel.SetCancel(true);
    btnDefault.Click = [this] { Defaults(); };
    btnOk.Click = [this] {
        canceled_ = false;
        Hide();
    };
    btnCancel.Click = [this] {
        canceled_ = true;
        Hide();
    };
    QueryUnload = [this](bool&) { canceled_ = true; };
    Defaults();
}

void frmDataImpExp::Defaults() {
    optExtCSV.SetValue(true);
    optSepSemicolon.SetValue(true);
    optDelimNone.SetValue(true);
    optHeaderNo.SetValue(true);
    optDeleteAllYes.SetValue(true);
    optOverwriteNo.SetValue(true);
}

std::string frmDataImpExp::Ext() const { return optExtTXT.Value() ? ".txt" : ".csv"; }

std::string frmDataImpExp::Sep() const {
    if (optSepComma.Value()) return ",";
    if (optSepTab.Value()) return "\t";
    return ";";
}

std::string frmDataImpExp::Delim() const {
    if (optDelimDouble.Value()) return "\"";
    if (optDelimSingle.Value()) return "'";
    return "";
}

DataTextSettings frmDataImpExp::Settings() const {
    DataTextSettings s;
    s.Extension = Ext();
    s.Separator = Sep();
    s.Delimiter = Delim();
    s.Header = WithHeader();
    s.DeleteAllFirst = DeleteAll();
    s.Overwrite = Overwrite();
    return s;
}

bool frmDataImpExp::Run(const std::string& caption, bool import) {
    SetCaption(caption);
    fraDeleteAll.SetVisible(import);
    fraOverwrite.SetVisible(import);
    canceled_ = true;
    btnOk.SetFocus();
    Show(true);
    return !canceled_;
}

bool frmDataImpExp::ChooseExport(const std::string& title) { return Run("Einstellungen " + title + " Export", false); }

bool frmDataImpExp::ChooseImport(const std::string& title) { return Run("Einstellungen " + title + " Import", true); }

}  // namespace tlx4r
