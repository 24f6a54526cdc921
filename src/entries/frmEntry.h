#pragma once

#include "entries/Entry.h"
#include "ui/Controls.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tlx4r {

class Entries;
class frmEntriesShow;

// The entry form: one entry created, edited, copied, deleted and browsed. It shows only the
// fields the entry's record type uses, recalculates worked time, fees, VAT and the total while
// the user types, and writes back through Entry::Update.
//
// The manager owns one form and reuses it; the form edits the very Entry it was handed, which
// stays set while the form is hidden (EditDo shows it again).
class frmEntry : public ui::Form {
public:
    // owner: the manager whose entries the form creates (nullptr for a form that only shows
    // the entry it is given, as the view samples do).
    explicit frmEntry(Entries* owner);
    ~frmEntry() override;

    ui::Label lblID{*this, "lblID", "ID"};
    ui::TextBox txtID{*this, "txtID"};
    ui::Label lblBookDate{*this, "lblBookDate", "&Datum"};
    ui::DatePicker dtpBookDate{*this, "dtpBookDate"};
    ui::Label lblProject{*this, "lblProject", "&Geschäft"};
    ui::TextBox txtProject{*this, "txtProject"};
    ui::Button btnProjectChoose{*this, "btnProjectChoose", "..."};
    ui::Label lblPerson{*this, "lblPerson", "&Person"};
    ui::TextBox txtPerson{*this, "txtPerson"};
    ui::Button btnPersonChoose{*this, "btnPersonChoose", "..."};
    ui::Label lblText{*this, "lblText", "&Text"};
    ui::TextBox txtText{*this, "txtText"};
    ui::Button btnTextEdit{*this, "btnTextEdit", "Text bearbeiten"};
    ui::Button btnTemplateChoose{*this, "btnTemplateChoose", "..."};
    ui::Label lblTimeFrom{*this, "lblTimeFrom", "&Von"};
    ui::TextBox txtTimeFrom{*this, "txtTimeFrom"};
    ui::Label lblTimeTo{*this, "lblTimeTo", "B&is"};
    ui::TextBox txtTimeTo{*this, "txtTimeTo"};
    ui::Label lblTimeBreak{*this, "lblTimeBreak", "Pa&use"};
    ui::TextBox txtTimeBreak{*this, "txtTimeBreak"};
    ui::Label lblTimeLap{*this, "lblTimeLap", "Zeit"};
    ui::TextBox txtTimeLap{*this, "txtTimeLap"};
    ui::Label lblRate{*this, "lblRate", "&Ansatz"};
    ui::TextBox txtRate{*this, "txtRate"};
    ui::Button btnRateChoose{*this, "btnRateChoose", "..."};
    ui::Label lblCharges{*this, "lblCharges", "Gebühren"};
    ui::Button btnCharges{*this, "btnCharges", "Gebühren"};
    ui::TextBox txtCharges{*this, "txtCharges"};
    ui::Label lblExpenses{*this, "lblExpenses", "Auslagen"};
    ui::Button btnExpenses{*this, "btnExpenses", "Auslagen"};
    ui::TextBox txtExpenses{*this, "txtExpenses"};
    ui::Label lblAdapted{*this, "lblAdapted", "Ausgleich"};
    ui::TextBox txtAdapted{*this, "txtAdapted"};
    ui::Label lblBilled{*this, "lblBilled", "Rechnung"};
    ui::TextBox txtBilled{*this, "txtBilled"};
    ui::Label lblVATSold{*this, "lblVATSold", "Umsatz"};
    ui::TextBox txtVATSold{*this, "txtVATSold"};
    ui::Label lblVATRate{*this, "lblVATRate", "Steuersatz (%)"};
    ui::TextBox txtVATRate{*this, "txtVATRate"};
    ui::Label lblVAT{*this, "lblVAT", "Mehrwertsteuer"};
    ui::TextBox txtVAT{*this, "txtVAT"};
    ui::Label lblTotal{*this, "lblTotal", "Total"};
    ui::TextBox txtTotal{*this, "txtTotal"};
    ui::CheckBox chkType1{*this, "chkType1", "Proforma"};
    ui::CheckBox chkIsBaseCharge{*this, "chkIsBaseCharge", "Gebühr"};
    ui::CheckBox chkArchive{*this, "chkArchive", "Archiviert"};
    ui::Label lblDocLink{*this, "lblDocLink", "Dokument"};
    ui::TextBox txtDocLink{*this, "txtDocLink"};
    ui::Button btnDocLinkChoose{*this, "btnDocLinkChoose", "..."};
    ui::Button btnDocLinkOpen{*this, "btnDocLinkOpen", "Dokument öffnen"};
    ui::Button btnTarifChoose{*this, "btnTarifChoose", "Tarifrechner"};
    ui::Button btnCalc{*this, "btnCalc", "&Berechnen"};
    ui::Button btnShow{*this, "btnShow", "Auswählen"};
    ui::Button btnFirst{*this, "btnFirst", "<<"};
    ui::Button btnPrevious{*this, "btnPrevious", "<"};
    ui::Button btnNext{*this, "btnNext", ">"};
    ui::Button btnLast{*this, "btnLast", ">>"};
    ui::Button btnNew{*this, "btnNew", "&Neu"};
    ui::Button btnSave{*this, "btnSave", "&Speichern"};
    ui::Button btnCopy{*this, "btnCopy", "&Kopieren"};
    ui::Button btnDelete{*this, "btnDelete", "&Löschen"};
    ui::Button btnRestore{*this, "btnRestore", "&Zurücksetzen"};
    ui::Button btnClose{*this, "btnClose", "&Fertig"};
    ui::Label lblReporting{*this, "lblReporting"};
    ui::Label lblFinance{*this, "lblFinance"};
    ui::CommonDialog CommonDialog1{*this, "CommonDialog1"};

    // The entry being edited (nullptr before the first Edit).
    const std::shared_ptr<tlx4r::Entry>& Entry() const { return entry_; }
    void SetEntry(std::shared_ptr<tlx4r::Entry> entry) { entry_ = std::move(entry); }

    // Shows the entry; an entry without ID starts a new one as btnNew does. A hidden form is
    // shown with mode (1 modal: returns when the form is closed, 0 modeless); a visible one is
    // only refreshed.
    void Edit(int mode = 1);
    // Fills the form from its entry and lays it out for the entry's record type, without
    // showing the window or starting a new entry.
    void Load();

    // The form's values apart from the display-only boxes, for the change check.
    struct Values {
        std::optional<Date> book_date;
        std::string text, time_from, time_to, time_break, rate, charges, expenses, adapted, billed;
        std::string vat_sold, vat_rate, vat, doc_link;
        int type1 = 0, base_charge = 0, archive = 0;
        std::int32_t project = 0, person = 0, type_charges = 0, type_expenses = 0;
        bool operator==(const Values&) const = default;
    };

private:
    void Wire();
    void Layout();
    void ShowEntry();
    void ShowProject();
    void ShowPerson();
    void ShowTypeButtons();
    // Runs every visible box's check; false when one refused (the message was shown).
    bool ValidateAll();
    void ReadInto(tlx4r::Entry& entry) const;
    Values Current() const;
    void TakeBaseline() { baseline_ = Current(); }

    void TimeLeave(ui::TextBox& box, bool& cancel);
    void AmountLeave(ui::TextBox& box, bool& cancel);
    void TimeCalc();
    void TotalCalc();
    void VatCalc();
    void FeeFromRate();
    void RateSet(Currency rate);
    void MoveFocusOn(const ui::Control& from);
    // Screen position (twips) just below control, or at its left edge plus an offset.
    int ScreenLeft(const ui::Control& control, int offset = 0) const;
    int ScreenTop(const ui::Control& control, int offset = 0) const;

    void NewClick();
    bool SaveClick();
    void CopyClick();
    void DeleteClick();
    void RestoreClick();
    void CloseClick();
    // The pending-change question; false when the user cancelled.
    bool SaveAsk();
    void Browse(int direction);
    void CalcClick();
    void ProjectChoose();
    void PersonChoose();
    void CategoryChoose(bool charges);
    void RateChoose();
    void TextEdit();
    void TemplateChoose();
    void DocLinkChoose();
    void DocLinkOpen();
    void TarifChoose();
    void ShowList();

    Entries* owner_;
    std::unique_ptr<frmEntriesShow> list_;
    std::shared_ptr<tlx4r::Entry> entry_;
    Values baseline_;
    bool showing_ = false;  // suppresses recalculation while the form is being filled
};

}  // namespace tlx4r
