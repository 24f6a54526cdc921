#include "reporting/frmExporter.h"

#include "core/modReporting.h"
#include "reporting/Tags.h"

#include <array>
#include <utility>

namespace tlx4r {

namespace {

constexpr std::array<const char*, 5> kTags{"XML", "MDB", "CSV", "TXT", "DBF"};

}  // namespace

frmExporter::frmExporter() : ui::Form("frmExporter", "Export") {
    btnExportStd.SetToolTip("Standardauswahl wiederherstellen");
    btnExportAll.SetToolTip("Alle Aktionen");
    btnExportNone.SetToolTip("Keine Aktionen");
    btnOK.SetDefault(true);
    btnCancel.SetCancel(true);
    btnExportStd.Click = [this] { SetStd(); };
    btnExportAll.Click = [this] { SetAll(); };
    btnExportNone.Click = [this] { SetNone(); };
    btnOK.Click = [this] {
        dialog_canceled_ = false;
        Hide();
    };
    btnCancel.Click = [this] { Hide(); };
    SetStd();
}

std::string frmExporter::Formats() const {
    const std::array<const ui::CheckBox*, 5> boxes{&chkXML, &chkMDB, &chkCSV, &chkTXT, &chkDBF};
    Tags tags;
    for (std::size_t i = 0; i < boxes.size(); ++i)
        if (boxes[i]->Checked()) tags.Add(kTags[i]);
    return tags.Full();
}

void frmExporter::SetFormats(const std::string& formats) {
    Tags tags;
    tags.SetFull(formats);
    ui::Form::EventScope scope(*this);
    const std::array<ui::CheckBox*, 5> boxes{&chkXML, &chkMDB, &chkCSV, &chkTXT, &chkDBF};
    for (std::size_t i = 0; i < boxes.size(); ++i) boxes[i]->SetChecked(tags.IsHere(kTags[i]));
}

void frmExporter::SetAll() { SetFormats("XML;MDB;CSV;TXT;DBF"); }
void frmExporter::SetNone() { SetFormats(""); }
void frmExporter::SetStd() { SetFormats("XML"); }

bool frmExporter::Choose() {
    dialog_canceled_ = true;
    FormShowModal(*this);
    return !dialog_canceled_;
}

}  // namespace tlx4r
