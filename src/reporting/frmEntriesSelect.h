#pragma once

#include "reporting/ctlDateRange.h"
#include "ui/Controls.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tlx4r {

// The entries selection: the user describes which entries a report or list holds (a text
// search, sort order and maximum count, a date range, record types, archived or not, one project
// and one person); the form builds the statement over Entry, Project and Person and a one-line
// summary of the criteria. The statement's text is part of the component's interface: hosts run
// it as it is.
//
// The form keeps its criteria while it lives; Choose shows it modally and leaves DialogCanceled
// false only when the user confirmed.
class frmEntriesSelect : public ui::Form {
public:
    // The record-type codes in the order of the check boxes and of every list built from them.
    static constexpr const char* kTypeCodes = "GRATDNM";

    frmEntriesSelect();

    // Archive state 0, count "(Alle)", sorted by date forward, text "Enthält" and empty, every
    // record type, no project, no person; the date range is left as it is.
    void ResetAll();
    bool DialogCanceled() const { return dialog_canceled_; }
    // Sets DialogCanceled and shows the form modally.
    void Choose();

    // 0: only entries not archived, 1: only archived ones, nullopt: both.
    std::optional<int> Archive() const;
    // 0, 1 or 2 (both), as the check box cycles through them.
    int ArchiveState() const { return archive_state_; }

    // The codes of the checked record types, in the order G, R, A, T, D, N, M.
    std::vector<std::string> EntryType() const;
    // Checks exactly the boxes of the given codes (unknown codes are ignored).
    void SetEntryType(const std::vector<std::string>& codes);
    bool EntryTypeAll() const;
    void EntryTypeAllSet() { SetTypeAll(); }
    bool EntryTypeNone() const;
    void EntryTypeNoneSet() { SetTypeNone(); }
    void SetTypeStd();   // "Auszug": G R A N M
    void SetTypeWork();  // "Arbeitsrapport": A
    void SetTypeAll();
    void SetTypeNone();

    // By date, forward, all entries.
    void SortSelectAll();
    // By entry, backward, at most 100.
    void SortSelectLast100();
    bool SortDate() const { return optSortItem[0].Value(); }
    void SortDateSet() { optSortItem[0].SetValue(true); }
    bool SortID() const { return optSortItem[1].Value(); }
    void SortIDSet() { optSortItem[1].SetValue(true); }
    bool SortForward() const { return optSortDirection[0].Value(); }
    void SortForwardSet() { optSortDirection[0].SetValue(true); }
    bool SortReverse() const { return optSortDirection[1].Value(); }
    void SortReverseSet() { optSortDirection[1].SetValue(true); }

    // The maximum count; 0 = all.
    long MaxCount() const { return max_count_; }
    // 0 = all projects / persons. What the choose buttons store after the user's choice; the
    // summaries follow.
    std::int32_t ProjectID() const { return project_id_; }
    void SetProject(std::int32_t id);
    std::int32_t PersonID() const { return person_id_; }
    void SetPerson(std::int32_t id);

    // The statement and its parts, each as the host receives it.
    std::string SQL() const;
    std::string SQLTop() const;
    static std::string SQLFromSpecial();
    static std::string SQLFrom();
    std::string SQLWhere() const;
    std::string SQLWhereDate() const;
    std::string SQLWhereEntryTypes() const;
    std::string SQLWhereArchive() const;
    std::string SQLWhereText() const;
    std::string SQLOrderBy() const;

    ui::TabStrip tabSelect{*this, "tabSelect"};
    ui::ControlArray<ui::Frame> fraSelect{*this, "fraSelect", {0, 1, 2, 3, 4}};

    // "Text"
    ui::Label lblTextSearch{*this, "lblTextSearch", "&Suchen nach", &fraSelect[0]};
    ui::TextBox txtTextSearch{*this, "txtTextSearch", &fraSelect[0]};
    ui::Button btnTextClear{*this, "btnTextClear", "&Löschen", &fraSelect[0]};
    ui::Frame fraText{*this, "fraText", "Methode", &fraSelect[0]};
    ui::ControlArray<ui::OptionButton> optText{*this, "optText", {0, 1, 2, 3}, &fraText};
    ui::Label lblText{*this, "lblText", "", &fraSelect[0]};

    // "Sortieren/Anzahl"
    ui::Frame fraSortItem{*this, "fraSortItem", "Sortieren nach", &fraSelect[1]};
    ui::ControlArray<ui::OptionButton> optSortItem{*this, "optSortItem", {0, 1}, &fraSortItem};
    ui::Frame fraSortDirection{*this, "fraSortDirection", "Sortier-Richtung", &fraSelect[1]};
    ui::ControlArray<ui::OptionButton> optSortDirection{*this, "optSortDirection", {0, 1}, &fraSortDirection};
    ui::Label lblCount{*this, "lblCount", "Anzahl &Einträge", &fraSelect[1]};
    ui::ComboBox cbxCount{*this, "cbxCount", &fraSelect[1]};
    ui::Button btnSelectAll{*this, "btnSelectAll", "&Alle", &fraSelect[1]};
    ui::Button btnSelectLast100{*this, "btnSelectLast100", "Letzte &100", &fraSelect[1]};
    ui::Label lblSort{*this, "lblSort", "", &fraSelect[1]};
    ui::Label lblMaxCount{*this, "lblMaxCount", "", &fraSelect[1]};

    // "Datumsbereich"
    ctlDateRange DateRange{*this, "DateRange"};

    // "Eintragstypen"
    ui::CheckBox cbG{*this, "cbG", "&Gebühren", &fraSelect[3]};
    ui::CheckBox cbR{*this, "cbR", "&Rechnung", &fraSelect[3]};
    ui::CheckBox cbA{*this, "cbA", "Arbeits&zeit", &fraSelect[3]};
    ui::CheckBox cbT{*this, "cbT", "&Termin", &fraSelect[3]};
    ui::CheckBox cbD{*this, "cbD", "&Dokument", &fraSelect[3]};
    ui::CheckBox cbN{*this, "cbN", "&Notariatstarif", &fraSelect[3]};
    ui::CheckBox cbM{*this, "cbM", "&Mehrwertsteuer", &fraSelect[3]};
    ui::Button btnSelAll{*this, "btnSelAll", "Al&le", &fraSelect[3]};
    ui::Button btnSelNone{*this, "btnSelNone", "&Keine", &fraSelect[3]};
    ui::Button btnSelStd{*this, "btnSelStd", "A&uszug", &fraSelect[3]};
    ui::Button btnSelWork{*this, "btnSelWork", "Arbeitsra&pport", &fraSelect[3]};
    ui::CheckBox cbArchive{*this, "cbArchive", "Arc&hiviert", &fraSelect[3]};
    ui::Label lblType{*this, "lblType", "", &fraSelect[3]};
    ui::Label lblArchive{*this, "lblArchive", "", &fraSelect[3]};

    // "Geschäft/Person"
    ui::Frame fraProject{*this, "fraProject", "Geschäft", &fraSelect[4]};
    ui::Button btnProjectSel{*this, "btnProjectSel", "&Wählen", &fraProject};
    ui::Button btnProjectAll{*this, "btnProjectAll", "A&lle", &fraProject};
    ui::Frame fraPerson{*this, "fraPerson", "Person", &fraSelect[4]};
    ui::Button btnPersonSel{*this, "btnPersonSel", "W&ählen", &fraPerson};
    ui::Button btnPersonAll{*this, "btnPersonAll", "All&e", &fraPerson};
    ui::Label lblProject{*this, "lblProject", "", &fraSelect[4]};
    ui::Label lblPerson{*this, "lblPerson", "", &fraSelect[4]};

    ui::Frame fraSelected{*this, "fraSelected", "Einträge auswählen"};
    ui::Label lblSelected{*this, "lblSelected", "", &fraSelected};
    ui::Button btnOk{*this, "btnOk", "&Ok"};
    ui::Button btnCancel{*this, "btnCancel", "Abbruch"};

private:
    ui::CheckBox& TypeBox(int index);
    const ui::CheckBox& TypeBox(int index) const;
    void SetTypes(const char* codes);
    void ArchiveClicked();
    void ShowArchive();
    void ShowTab(int index);
    // Rebuilds every summary label; skipped while the form sets its own controls.
    void Summaries();

    long max_count_ = 0;
    std::int32_t project_id_ = 0;
    std::int32_t person_id_ = 0;
    int archive_state_ = 0;
    bool dialog_canceled_ = true;
    bool busy_ = false;
};

}  // namespace tlx4r
