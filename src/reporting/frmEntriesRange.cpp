#include "reporting/frmEntriesRange.h"

#include "core/modReporting.h"
#include "reporting/frmEntriesSelect.h"

#include <array>

namespace tlx4r {

frmEntriesRange::frmEntriesRange() : ui::Form("frmEntriesRange", "Einträge wählen") {
    btnSelAll.SetToolTip("Alle Eintragstypen");
    btnSelNone.SetToolTip("Keine Eintragstypen");
    cbN.SetVisible(true);
    btnOk.SetDefault(true);
    btnCancel.SetCancel(true);
    btnSelAll.Click = [this] { SetTypes(frmEntriesSelect::kTypeCodes); };
    btnSelNone.Click = [this] { SetTypes(""); };
    btnSelDefault.Click = [this] { SetDefault(); };
    cbArchive.Click = [this] {
        if (busy_) return;
        archive_state_ = (archive_state_ + 1) % 3;
        ShowArchive();
    };
    btnOk.Click = [this] {
        dialog_canceled_ = false;
        Hide();
    };
    btnCancel.Click = [this] { Hide(); };
    SetDefault();
}

ui::CheckBox& frmEntriesRange::TypeBox(int index) const {
    const std::array<ui::CheckBox*, 7> boxes{const_cast<ui::CheckBox*>(&cbG), const_cast<ui::CheckBox*>(&cbR),
                                             const_cast<ui::CheckBox*>(&cbA), const_cast<ui::CheckBox*>(&cbT),
                                             const_cast<ui::CheckBox*>(&cbD), const_cast<ui::CheckBox*>(&cbN),
                                             const_cast<ui::CheckBox*>(&cbM)};
    return *boxes.at(static_cast<std::size_t>(index));
}

void frmEntriesRange::SetTypes(const std::string& codes) {
    ui::Form::EventScope scope(*this);
    for (int i = 0; i < 7; ++i)
        TypeBox(i).SetChecked(codes.find(frmEntriesSelect::kTypeCodes[i]) != std::string::npos);
}

void frmEntriesRange::SetDefault() { SetTypes(WorkType ? "A" : "GAN"); }

std::vector<std::string> frmEntriesRange::EntryType() const {
    std::vector<std::string> codes;
    for (int i = 0; i < 7; ++i)
        if (TypeBox(i).Checked()) codes.emplace_back(1, frmEntriesSelect::kTypeCodes[i]);
    return codes;
}

void frmEntriesRange::SetEntryType(const std::vector<std::string>& codes) {
    std::string letters;
    for (const auto& c : codes) letters += c;
    SetTypes(letters);
}

std::optional<int> frmEntriesRange::Archive() const {
    if (archive_state_ == 2) return std::nullopt;
    return archive_state_;
}

void frmEntriesRange::ShowArchive() {
    busy_ = true;
    cbArchive.SetValue(static_cast<ui::CheckState>(archive_state_));
    busy_ = false;
}

void frmEntriesRange::Choose() {
    dialog_canceled_ = true;
    archive_state_ = 0;
    ShowArchive();
    fraTopic.SetCaption(Topic);
    lblItem.SetCaption(SelectedName);
    SetCaption(std::string("Einträge für ") + (WorkType ? "Arbeitsrapport" : "Gebührenauszug") + " wählen");
    FormShowModal(*this);
}

}  // namespace tlx4r
