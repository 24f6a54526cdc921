#pragma once

#include "reporting/ctlDateRange.h"
#include "ui/Controls.h"

#include <optional>
#include <string>
#include <vector>

namespace tlx4r {

// Asks, for one item already chosen (a project), which entries a work report or a fee statement
// holds: a date range, record types and whether archived entries count. It hands back the raw
// criteria; the caller builds its own query. The date range and the record types stay from one
// Choose to the next; the archive state starts at "not archived" each time.
class frmEntriesRange : public ui::Form {
public:
    frmEntriesRange();

    // Caption of the item frame, the item's name, and whether a work report ("Arbeitsrapport",
    // else "Gebührenauszug") is asked for; set before Choose.
    bool WorkType = false;
    std::string Topic;
    std::string SelectedName;

    // Sets DialogCanceled, archive state 0, the captions, and shows the form modally.
    void Choose();
    bool DialogCanceled() const { return dialog_canceled_; }
    // 0: only entries not archived, 1: only archived ones, nullopt: both.
    std::optional<int> Archive() const;
    // The codes of the checked record types, in the order G, R, A, T, D, N, M.
    std::vector<std::string> EntryType() const;
    // Checks exactly the boxes of the given codes.
    void SetEntryType(const std::vector<std::string>& codes);
    std::optional<Date> DateFrom() const { return DateRange.DateFrom(); }
    std::optional<Date> DateTo() const { return DateRange.DateTo(); }
    // None, then "Arbeitszeit" for a work report, else "Gebühren", "Arbeitszeit", "Notariatstarif".
    void SetDefault();

    ctlDateRange DateRange{*this, "DateRange"};
    ui::Frame frmType{*this, "frmType", "Eintragstypen"};
    ui::CheckBox cbG{*this, "cbG", "&Gebühren", &frmType};
    ui::CheckBox cbR{*this, "cbR", "&Rechnung", &frmType};
    ui::CheckBox cbA{*this, "cbA", "Arbeits&zeit", &frmType};
    ui::CheckBox cbT{*this, "cbT", "&Termin", &frmType};
    ui::CheckBox cbD{*this, "cbD", "&Dokument", &frmType};
    ui::CheckBox cbN{*this, "cbN", "&Notariatstarif", &frmType};
    ui::CheckBox cbM{*this, "cbM", "&Mehrwertsteuer", &frmType};
    ui::CheckBox cbArchive{*this, "cbArchive", "Arc&hiviert", &frmType};
    ui::Button btnSelAll{*this, "btnSelAll", "&Alle", &frmType};
    ui::Button btnSelNone{*this, "btnSelNone", "&Keine", &frmType};
    ui::Button btnSelDefault{*this, "btnSelDefault", "&Standard", &frmType};
    ui::Frame fraTopic{*this, "fraTopic", ""};
    ui::Label lblItem{*this, "lblItem", "", &fraTopic};
    ui::Button btnOk{*this, "btnOk", "&Ok"};
    ui::Button btnCancel{*this, "btnCancel", "Abbruch"};

private:
    ui::CheckBox& TypeBox(int index) const;
    void SetTypes(const std::string& codes);
    void ShowArchive();

    bool dialog_canceled_ = true;
    int archive_state_ = 0;
    bool busy_ = false;
};

}  // namespace tlx4r
