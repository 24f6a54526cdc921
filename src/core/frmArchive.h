#pragma once

#include "masterdata/Project.h"
#include "reporting/ctlDateRange.h"
#include "types/Date.h"
#include "ui/Controls.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tlx4r {

// Archives entries (sets their flag Archive, which takes them out of the daily lists) or
// reactivates them: of all projects, of the projects whose account is marked for deletion at
// closing, or of one project; within a date range of their booking date; of the ticked record
// types. A new dialog starts on all projects, all record types and an open range, counting as
// cancelled until OK.
class frmArchive : public ui::Form {
public:
    frmArchive();

    ui::Frame fraSelection{*this, "fraSelection", "Aktion"};
    ui::ControlArray<ui::OptionButton> optArchive{*this, "optArchive", {0, 1}, &fraSelection};
    ui::Frame fraProject{*this, "fraProject", "Geschäfte"};
    ui::OptionButton optMarkedForDelete{*this, "optMarkedForDelete", "Zum Lö&schen markierte", &fraProject};
    ui::OptionButton optAll{*this, "optAll", "Alle Gesc&häfte", &fraProject};
    ui::OptionButton optSelect{*this, "optSelect", "Einzelnes Geschä&ft", &fraProject};
    ui::Label lblProject{*this, "lblProject", "Geschäft", &fraProject};
    ui::TextBox txtProject{*this, "txtProject", &fraProject};
    ui::Button btnProjectChoose{*this, "btnProjectChoose", "...", &fraProject};
    ui::Frame fraChargesFrame{*this, "fraChargesFrame", "Datumsbereich"};
    ctlDateRange DateRange{*this, "DateRange"};
    ui::Frame fraSelect{*this, "fraSelect", "Eintragstypen"};
    ui::CheckBox cbG{*this, "cbG", "&Gebühren", &fraSelect};
    ui::CheckBox cbR{*this, "cbR", "&Rechnung", &fraSelect};
    ui::CheckBox cbA{*this, "cbA", "Ar&beitszeit", &fraSelect};
    ui::CheckBox cbT{*this, "cbT", "&Termin", &fraSelect};
    ui::CheckBox cbD{*this, "cbD", "&Dokument", &fraSelect};
    ui::CheckBox cbN{*this, "cbN", "&Notariatstarif", &fraSelect};
    ui::CheckBox cbM{*this, "cbM", "&Mehrwertsteuer", &fraSelect};
    ui::Button btnSelStd{*this, "btnSelStd", "A&uszug", &fraSelect};
    ui::Button btnSelWork{*this, "btnSelWork", "Arbeitsra&pport", &fraSelect};
    ui::Button btnSelAll{*this, "btnSelAll", "A&lle", &fraSelect};
    ui::Button btnSelNone{*this, "btnSelNone", "&Keine", &fraSelect};
    ui::Button btnOk{*this, "btnOk", "&Ok"};
    ui::Button btnCancel{*this, "btnCancel", "&Abbrechen"};

    // Non-zero: that one project, shown without opening the chooser; 0: all projects.
    void ProjectID(std::int32_t id);
    // The range ends on date (no start date).
    void DateTo(Date date);
    // True until OK was pressed.
    bool DialogCanceled() const { return dialog_canceled_; }

    // The code letters of the ticked record types, in the order of the boxes ("G", "R", …).
    std::vector<std::string> EntryType() const;
    // Ticks exactly the boxes of the letters (any case); a letter of no record type is ignored.
    void EntryType(const std::vector<std::string>& letters);
    bool EntryTypeAll() const;
    bool EntryTypeNone() const;
    void EntryTypeAllSet();
    void EntryTypeNoneSet();
    // The presets of the four buttons: "Auszug" (G, R, A, N, M), "Arbeitsrapport" (A), all, none.
    void SetTypeStd();
    void SetTypeWork();
    void SetTypeAll();
    void SetTypeNone();

    // The action of OK after its question: archives or reactivates the chosen entries and
    // returns how many rows the statement set; nullopt when it ended without a change (the
    // question not answered Yes, no project chosen, no record type ticked). The engine's error
    // passes to the caller.
    std::optional<long long> Execute();
    // The statement Execute runs for the criteria as they are set (a project chosen when the
    // dialog is on one project, a record type ticked).
    std::string Statement() const;

private:
    void ProjectOption();
    void ProjectChoose();
    void ProjectShow(std::int32_t id);
    void OkClick();

    std::vector<ui::CheckBox*> boxes_;
    Project project_;
    bool dialog_canceled_ = true;
    bool presetting_ = false;
};

}  // namespace tlx4r
