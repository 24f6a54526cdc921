#include "entries/frmEntry.h"

#include "core/DBReporting.h"
#include "core/Finance.h"
#include "core/Reporting.h"
#include "core/modReporting.h"
#include "core/modShellExec.h"
#include "core/modStringLibrary.h"
#include "core/modValidate.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "entries/Entries.h"
#include "entries/EntryTypes.h"
#include "entries/TypeCharges.h"
#include "entries/TypeExpenses.h"
#include "entries/frmEntryRateChoose.h"
#include "entries/frmEntryTextEdit.h"
#include "entries/modDateTime.h"
#include "entries/modTypeBase.h"
#include "entries/modVat.h"
#include "hostapi/Calculator.h"
#include "masterdata/Data.h"
#include "masterdata/Datas.h"
#include "masterdata/Project.h"
#include "reporting/frmEntriesShow.h"
#include "types/AppError.h"
#include "types/Decimal.h"
#include "types/Utf8.h"
#include "ui/Ui.h"

#include <cmath>

namespace tlx4r {

namespace {

constexpr const char* kCaption = "Kelvora Reporting V4";

std::string TimeText(Date time) { return time.IsNull() ? std::string() : time.Format("hh:mm"); }

Date TimeOf(const ui::TextBox& box) {
    auto fraction = ParseTypedTime(box.Text());
    return fraction ? Date(*fraction) : Date();
}

// What an amount box holds; a text that is no amount (yet) counts as 0 while typing.
Currency AmountOf(const ui::TextBox& box) {
    return Currency::Parse(Trim(box.Text())).value_or(Currency());
}

// A duration as "hh:mm", with a sign when the end lies before the start.
std::string LapText(Date lap) {
    if (lap.IsNull()) return {};
    const long long minutes = std::llround(lap.Serial() * 1440.0);
    const long long m = std::llabs(minutes);
    return std::string(minutes < 0 ? "-" : "") + NumZeroFill(static_cast<long>(m / 60), 2) + ":" +
           NumZeroFill(static_cast<long>(m % 60), 2);
}

Reporting& Root() {
    if (goReporting == nullptr) throw AppError(91, "frmEntry", "Es ist keine Datenbank geöffnet.");
    return *goReporting;
}

void ShowError(const std::string& first_line, const std::exception& e) {
    ui::MsgBox(first_line + "\r\n" + e.what(), ui::Buttons::Ok, ui::Icon::Critical, kCaption);
}

}  // namespace

frmEntry::frmEntry(Entries* owner) : ui::Form("frmEntry", "Eintrag"), owner_(owner) {
    for (ui::TextBox* box : {&txtID, &txtProject, &txtPerson, &txtTimeLap, &txtTotal}) box->SetReadOnly(true);
    txtText.SetMaxLength(255);
    btnProjectChoose.SetToolTip("Geschäft auswählen");
    btnPersonChoose.SetToolTip("Person auswählen");
    btnTemplateChoose.SetToolTip("Standardtext einfügen");
    btnRateChoose.SetToolTip("Ansatz auswählen");
    btnDocLinkChoose.SetToolTip("Dokument auswählen");
    btnTarifChoose.SetToolTip("Tarifberechnung auswählen");
    btnCalc.SetToolTip("Berechnet Gebühren und Auslagen per Datum und bucht sie via Gebühren/Auslagen auf null");
    btnPrevious.SetToolTip("Vorheriger Eintrag");
    btnNext.SetToolTip("Nächster Eintrag");
    btnLast.SetToolTip("Letzter Eintrag");
    btnClose.SetCancel(true);
    // The category buttons carry the caption and the code; the labels of the same name stay for
    // hosts that read them, but would only repeat the button.
    lblCharges.SetVisible(false);
    lblExpenses.SetVisible(false);
    CommonDialog1.Request().title = "Dokument auswählen";
    SetMinimumSize(ui::PixelsToTwips(560), ui::PixelsToTwips(420));
    Wire();
    Layout();
}

frmEntry::~frmEntry() = default;

void frmEntry::Wire() {
    for (ui::TextBox* box : {&txtTimeFrom, &txtTimeTo, &txtTimeBreak}) {
        box->GotFocus = [box] { box->SelectAll(); };
        box->Validate = [this, box](bool& cancel) { TimeLeave(*box, cancel); };
        // Enter moves on as Tab does: times are typed in a row.
        box->KeyPress = [this, box](int& key) {
            if (key == 13) {
                key = 0;
                MoveFocusOn(*box);
            }
        };
    }
    for (ui::TextBox* box :
         {&txtRate, &txtCharges, &txtExpenses, &txtAdapted, &txtBilled, &txtVATSold, &txtVATRate, &txtVAT}) {
        box->GotFocus = [box] { box->SelectAll(); };
        box->KeyPress = [](int& key) { key = KeyFilterNumber(key); };
        box->Validate = [this, box](bool& cancel) { AmountLeave(*box, cancel); };
    }
    for (ui::TextBox* box : {&txtCharges, &txtExpenses, &txtAdapted, &txtBilled, &txtVAT}) {
        box->Change = [this] { TotalCalc(); };
    }
    txtVATSold.Change = [this] { VatCalc(); };
    txtVATRate.Change = [this] { VatCalc(); };

    btnNew.Click = [this] { NewClick(); };
    btnSave.Click = [this] { SaveClick(); };
    btnCopy.Click = [this] { CopyClick(); };
    btnDelete.Click = [this] { DeleteClick(); };
    btnRestore.Click = [this] { RestoreClick(); };
    btnClose.Click = [this] { CloseClick(); };
    btnFirst.Click = [this] { Browse(-2); };
    btnPrevious.Click = [this] { Browse(-1); };
    btnNext.Click = [this] { Browse(1); };
    btnLast.Click = [this] { Browse(2); };
    btnCalc.Click = [this] { CalcClick(); };
    btnProjectChoose.Click = [this] { ProjectChoose(); };
    btnPersonChoose.Click = [this] { PersonChoose(); };
    btnCharges.Click = [this] { CategoryChoose(true); };
    btnExpenses.Click = [this] { CategoryChoose(false); };
    btnRateChoose.Click = [this] { RateChoose(); };
    btnTextEdit.Click = [this] { TextEdit(); };
    btnTemplateChoose.Click = [this] { TemplateChoose(); };
    btnDocLinkChoose.Click = [this] { DocLinkChoose(); };
    btnDocLinkOpen.Click = [this] { DocLinkOpen(); };
    btnTarifChoose.Click = [this] { TarifChoose(); };
    btnShow.Click = [this] { ShowList(); };
    QueryUnload = [this](bool& cancel) {
        if (!SaveAsk()) cancel = true;
    };
}

// ---------------------------------------------------------------------------------------------
// Showing and reading

void frmEntry::Load() {
    if (!entry_) entry_ = std::make_shared<tlx4r::Entry>(owner_);
    ShowEntry();
    Layout();
    TakeBaseline();
}

void frmEntry::Edit(int mode) {
    Reporting& root = Root();
    lblReporting.SetCaption(root.DatabaseName());
    lblFinance.SetCaption(root.Finance() != nullptr ? root.Finance()->DatabaseName() : std::string());
    Load();
    if (entry_->ID() == 0) NewClick();
    if (!Visible()) Show(mode == 1);
}

void frmEntry::Layout() {
    ui::Form::EventScope scope(*this);
    const int type = entry_ ? entry_->RecType() : Entry::kNone;
    const bool chosen = type != Entry::kNone;
    const bool fees = type == Entry::kCharges, invoice = type == Entry::kInvoice, work = type == Entry::kWork;
    const bool notary = type == Entry::kNotary, vat = type == Entry::kVat;
    const bool amounts = fees || work || notary;
    const auto show = [](bool on, std::initializer_list<ui::Control*> controls) {
        for (ui::Control* c : controls) c->SetVisible(on);
    };
    show(chosen, {&lblText, &txtText, &btnTextEdit, &btnTemplateChoose, &chkArchive});
    show(amounts, {&btnCharges, &txtCharges, &btnExpenses, &txtExpenses, &chkType1, &chkIsBaseCharge});
    show(amounts || invoice || vat, {&lblTotal, &txtTotal});
    show(fees || invoice || vat, {&btnCalc});
    show(invoice, {&lblAdapted, &txtAdapted, &lblBilled, &txtBilled});
    show(work || type == Entry::kMeeting, {&lblTimeFrom, &txtTimeFrom, &lblTimeTo, &txtTimeTo});
    show(work, {&lblTimeBreak, &txtTimeBreak, &lblTimeLap, &txtTimeLap, &lblRate, &txtRate, &btnRateChoose});
    show(type == Entry::kDocument, {&lblDocLink, &txtDocLink, &btnDocLinkChoose, &btnDocLinkOpen});
    show(notary, {&btnTarifChoose});
    show(vat, {&lblVATSold, &txtVATSold, &lblVATRate, &txtVATRate, &lblVAT, &txtVAT});
    for (ui::Control* c : std::initializer_list<ui::Control*>{&btnSave, &btnRestore, &btnCopy, &btnDelete,
                                                              &btnPersonChoose, &btnProjectChoose, &txtText}) {
        c->SetEnabled(chosen);
    }
}

void frmEntry::ShowEntry() {
    ui::Form::EventScope scope(*this);
    showing_ = true;
    const tlx4r::Entry& e = *entry_;
    SetCaption(e.RecType() == Entry::kNone ? std::string("Eintrag") : "Eintrag - " + e.RecTypeTopic());
    txtID.SetText(e.ID() == 0 ? std::string() : std::to_string(e.ID()));
    dtpBookDate.SetValue(e.BookDate.IsNull() ? Date::Today() : e.BookDate.DateOnly());
    ShowProject();
    ShowPerson();
    txtText.SetText(e.RecType() == Entry::kInvoice && e.Text.empty() ? std::string("Rechnung") : e.Text);
    txtTimeFrom.SetText(TimeText(e.TimeFrom));
    txtTimeTo.SetText(TimeText(e.TimeTo));
    txtTimeBreak.SetText(TimeText(e.TimeBreak));
    txtTimeLap.SetText(LapText(Entry::TimeLap(e.TimeFrom, e.TimeTo, e.TimeBreak)));
    txtRate.SetText(AmountFormat(e.Rate));
    txtCharges.SetText(AmountFormat(e.Charges));
    txtExpenses.SetText(AmountFormat(e.Expenses));
    txtAdapted.SetText(AmountFormat(e.Adapted));
    txtBilled.SetText(AmountFormat(e.Billed));
    chkType1.SetChecked(e.ChargesType != 0);
    chkIsBaseCharge.SetChecked(e.IsBaseCharge);
    chkArchive.SetChecked(e.Archive);
    txtDocLink.SetText(e.DocLink);
    if (e.RecType() == Entry::kVat) {
        txtVATSold.SetText(AmountFormat(e.CalcValue2));
        txtVATRate.SetText(AmountFormat(Currency::FromUnits(e.CalcValue1.Units() * 100)));
    } else {
        txtVATSold.SetText({});
        txtVATRate.SetText({});
    }
    txtVAT.SetText(AmountFormat(e.VAT));
    ShowTypeButtons();
    showing_ = false;
    TotalCalc();
}

void frmEntry::ShowProject() {
    txtProject.SetText(entry_->ProjectID() == 0 ? std::string() : entry_->Project().Topic());
}

void frmEntry::ShowPerson() {
    const Data& person = entry_->Person();
    txtPerson.SetText(person.ID == 0 ? std::string() : person.NameFull);
}

void frmEntry::ShowTypeButtons() {
    const auto caption = [](const char* name, std::int32_t category) {
        const std::string code = Trim(TypeCode(category));
        return code.empty() ? std::string(name) : std::string(name) + " " + code;
    };
    btnCharges.SetCaption(caption("Gebühren", entry_->TypeCharges));
    btnExpenses.SetCaption(caption("Auslagen", entry_->TypeExpenses));
}

void frmEntry::ReadInto(tlx4r::Entry& e) const {
    e.BookDate = dtpBookDate.Value().value_or(Date::Today());
    e.Text = txtText.Text();
    e.TimeFrom = TimeOf(txtTimeFrom);
    e.TimeTo = TimeOf(txtTimeTo);
    e.TimeBreak = TimeOf(txtTimeBreak);
    e.Rate = AmountOf(txtRate);
    e.Charges = AmountOf(txtCharges);
    e.Expenses = AmountOf(txtExpenses);
    e.Adapted = AmountOf(txtAdapted);
    e.Billed = AmountOf(txtBilled);
    e.IsBaseCharge = chkIsBaseCharge.Checked();
    e.ChargesType = chkType1.Checked() ? 1 : 0;
    e.Archive = chkArchive.Checked();
    e.DocLink = txtDocLink.Text();
    if (e.RecType() == Entry::kVat) {
        e.CalcValue2 = AmountOf(txtVATSold);
        e.CalcValue1 = Currency::FromUnits(Decimal::DivRoundHalfEven(AmountOf(txtVATRate).Units(), 100));
        e.VAT = AmountOf(txtVAT);
    }
}

frmEntry::Values frmEntry::Current() const {
    Values v;
    v.book_date = dtpBookDate.Value();
    v.text = txtText.Text();
    v.time_from = txtTimeFrom.Text();
    v.time_to = txtTimeTo.Text();
    v.time_break = txtTimeBreak.Text();
    v.rate = txtRate.Text();
    v.charges = txtCharges.Text();
    v.expenses = txtExpenses.Text();
    v.adapted = txtAdapted.Text();
    v.billed = txtBilled.Text();
    v.vat_sold = txtVATSold.Text();
    v.vat_rate = txtVATRate.Text();
    v.vat = txtVAT.Text();
    v.doc_link = txtDocLink.Text();
    v.type1 = chkType1.Checked();
    v.base_charge = chkIsBaseCharge.Checked();
    v.archive = chkArchive.Checked();
    if (entry_) {
        v.project = entry_->ProjectID();
        v.person = entry_->PersonID();
        v.type_charges = entry_->TypeCharges;
        v.type_expenses = entry_->TypeExpenses;
    }
    return v;
}

bool frmEntry::ValidateAll() {
    for (ui::TextBox* box : {&txtTimeFrom, &txtTimeTo, &txtTimeBreak, &txtRate, &txtCharges, &txtExpenses,
                             &txtAdapted, &txtBilled, &txtVATSold, &txtVATRate, &txtVAT}) {
        if (!box->EffectivelyVisible()) continue;
        bool cancel = false;
        box->Validate(cancel);
        if (cancel) {
            box->SetFocus();
            return false;
        }
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Recalculation

void frmEntry::TimeLeave(ui::TextBox& box, bool& cancel) {
    const std::string text = ValidateTimeOrEmpty(box.Text(), "", cancel);
    if (cancel) return;
    box.SetText(text);
    TimeCalc();
}

void frmEntry::AmountLeave(ui::TextBox& box, bool& cancel) {
    // An emptied box means 0, as the box shows it after leaving.
    const std::string typed = Trim(box.Text());
    const std::string text = typed.empty() ? AmountFormat(Currency()) : ValidateAmount(typed, Currency(), cancel);
    if (cancel) return;
    box.SetText(text);
    if (&box == &txtRate) FeeFromRate();
}

void frmEntry::TimeCalc() {
    if (showing_) return;
    const Date lap = Entry::TimeLap(TimeOf(txtTimeFrom), TimeOf(txtTimeTo), TimeOf(txtTimeBreak));
    txtTimeLap.SetText(LapText(lap));
    FeeFromRate();
}

void frmEntry::FeeFromRate() {
    if (showing_ || !entry_ || entry_->RecType() != Entry::kWork) return;
    const Currency rate = AmountOf(txtRate);
    const Date lap = Entry::TimeLap(TimeOf(txtTimeFrom), TimeOf(txtTimeTo), TimeOf(txtTimeBreak));
    if (rate.IsZero() || lap.IsNull()) return;
    txtCharges.SetText(AmountFormat(Entry::WorkFee(rate, lap)));
    TotalCalc();
}

void frmEntry::TotalCalc() {
    if (showing_) return;
    const Currency total =
        AmountOf(txtCharges) + AmountOf(txtExpenses) + AmountOf(txtAdapted) - AmountOf(txtBilled) + AmountOf(txtVAT);
    txtTotal.SetText(AmountFormat(total));
}

void frmEntry::VatCalc() {
    if (showing_ || Trim(txtVATRate.Text()).empty() || Trim(txtVATSold.Text()).empty()) return;
    auto sold = Currency::Parse(Trim(txtVATSold.Text()));
    auto rate = Currency::Parse(Trim(txtVATRate.Text()));
    if (!sold || !rate) return;
    txtVAT.SetText(AmountFormat(VatAmountAtRate(*sold, rate->ToDouble())));
    txtText.SetText(VatTextAtRate(*sold, rate->ToDouble()));
    TotalCalc();
}

void frmEntry::RateSet(Currency rate) {
    txtRate.SetText(AmountFormat(rate));
    FeeFromRate();
}

void frmEntry::MoveFocusOn(const ui::Control& from) {
    const std::vector<ui::Control*> order{&txtTimeFrom, &txtTimeTo, &txtTimeBreak, &txtRate, &txtCharges,
                                          &txtExpenses, &btnSave};
    bool after = false;
    for (ui::Control* c : order) {
        if (after && c->CanUse()) {
            c->UserFocus();
            return;
        }
        if (c == &from) after = true;
    }
}

int frmEntry::ScreenLeft(const ui::Control& control, int offset) const { return Left() + control.Left() + offset; }

int frmEntry::ScreenTop(const ui::Control& control, int offset) const { return Top() + control.Top() + offset; }

// ---------------------------------------------------------------------------------------------
// Commands

void frmEntry::NewClick() {
    if (!SaveAsk()) return;
    const std::int32_t project = entry_->ProjectID();
    const Date book_date = entry_->BookDate;
    const int old_type = entry_->RecType();
    Reporting& root = Root();
    const int chosen =
        root.EntryTypes()->Choose(old_type, ScreenLeft(btnNew, 420), ScreenTop(btnNew, 120));
    if (chosen == Entry::kNone) return;
    entry_->ClearAll();
    entry_->SetRecType(chosen);
    entry_->SetProjectID(project);
    if (!book_date.IsNull()) entry_->BookDate = book_date;
    if (root.Persons() != nullptr) entry_->SetPersonID(root.Persons()->DefaultID());
    if (chosen == Entry::kNotary) entry_->IsBaseCharge = true;
    // A new VAT entry starts at the rate of its day; the user may type another.
    if (chosen == Entry::kVat) entry_->CalcValue1 = Currency::FromDouble(VatRate(db::Value(entry_->BookDate)));
    ShowEntry();
    Layout();
    TakeBaseline();
    if (chosen == Entry::kNotary) TarifChoose();
}

bool frmEntry::SaveClick() {
    if (!ValidateAll()) return false;
    if (Trim(txtProject.Text()).empty()) {
        ui::MsgBox("Kein Geschäft ausgewählt!", ui::Buttons::Ok, ui::Icon::Exclamation, kCaption);
        btnProjectChoose.SetFocus();
        return false;
    }
    tlx4r::Entry edited = *entry_;
    ReadInto(edited);
    try {
        edited.Update();
    } catch (const std::exception& e) {
        // The form keeps what the user typed; nothing is lost by a failed write.
        ShowError("Kann Eintrag nicht speichern!", e);
        return false;
    }
    *entry_ = edited;
    ShowEntry();
    Layout();
    TakeBaseline();
    return true;
}

void frmEntry::CopyClick() {
    if (!SaveClick()) return;
    try {
        entry_->SaveAsNew();
    } catch (const std::exception& e) {
        ShowError("Kann Eintrag nicht kopieren!", e);
        return;
    }
    ShowEntry();
    TakeBaseline();
}

void frmEntry::DeleteClick() {
    try {
        entry_->Delete(entry_->ID());
    } catch (const std::exception& e) {
        ShowError("Kann Eintrag nicht löschen!", e);
        return;
    }
    entry_->ClearAll();
    Layout();
    ShowEntry();
    TakeBaseline();
}

void frmEntry::RestoreClick() {
    entry_->Restore();
    ShowEntry();
    Layout();
    TakeBaseline();
}

void frmEntry::CloseClick() {
    if (!SaveAsk()) return;
    Hide();
}

bool frmEntry::SaveAsk() {
    if (!entry_ || entry_->RecType() == Entry::kNone) return true;
    if (!ValidateAll()) return false;
    if (Current() == baseline_) return true;
    return AskToSave("Wollen sie speichern?", [this] { return SaveClick(); });
}

// direction: -2 first, -1 previous, 1 next, 2 last.
void frmEntry::Browse(int direction) {
    const std::int32_t id = entry_->ID();
    std::string sql;
    switch (direction) {
        case -2: sql = "SELECT TOP 1 ID FROM Entry ORDER BY ID;"; break;
        case -1: sql = "SELECT TOP 1 ID FROM Entry WHERE ID < " + std::to_string(id) + " ORDER BY ID DESC;"; break;
        case 1: sql = "SELECT TOP 1 ID FROM Entry WHERE ID > " + std::to_string(id) + " ORDER BY ID;"; break;
        default: sql = "SELECT TOP 1 ID FROM Entry ORDER BY ID DESC;"; break;
    }
    // A new entry has no place in the table: from it, backwards means the last row.
    if (id == 0 && direction == -1) sql = "SELECT TOP 1 ID FROM Entry ORDER BY ID DESC;";
    std::int32_t target = 0;
    {
        db::Recordset rs = Root().Database()->OpenRecordset(sql, db::RecordsetType::Snapshot);
        if (!rs.Eof()) target = rs.Get("ID").ToLong();
    }
    if (target == 0 || target == id) {
        ui::Current().Beep();
        return;
    }
    if (id != 0 && !SaveClick()) return;
    entry_->LoadByID(target);
    ShowEntry();
    Layout();
    TakeBaseline();
}

void frmEntry::CalcClick() {
    if (Trim(txtProject.Text()).empty()) {
        ui::MsgBox("Kein Geschäft ausgewählt!", ui::Buttons::Ok, ui::Icon::Exclamation, kCaption);
        return;
    }
    const Date book_date = dtpBookDate.Value().value_or(Date::Today());
    const auto balance = [&](const std::string& expression) {
        const std::string sql = "SELECT DISTINCTROW SUM(" + expression + ") AS [Saldo] " +
                                "FROM Entry WHERE (((Entry.BookDate) <= " + DateSqlLiteral(book_date) + " )) " +
                                "GROUP BY Entry.ProjectID HAVING (((Entry.ProjectID)=" +
                                std::to_string(entry_->ProjectID()) + "));";
        db::Recordset rs = Root().Database()->OpenRecordset(sql, db::RecordsetType::Snapshot);
        return rs.Eof() ? Currency() : NullToCurrency(rs.Get("Saldo"));
    };
    switch (entry_->RecType()) {
        case Entry::kCharges:
            txtCharges.SetText(AmountFormat(balance("[Charges]")));
            txtExpenses.SetText(AmountFormat(balance("[Expenses]")));
            if (txtText.Text().empty()) txtText.SetText("Rechnung");
            break;
        case Entry::kInvoice: {
            const Currency open = balance("[Charges]+[Expenses]+[Adapted]-[Billed]+[VAT]") - entry_->Adapted +
                                  entry_->Billed + AmountOf(txtAdapted);
            txtBilled.SetText(AmountFormat(open));
            if (txtText.Text().empty()) txtText.SetText("Rechnung");
            break;
        }
        case Entry::kVat:
            txtVATSold.SetText(AmountFormat(balance("[Charges]+[Expenses]+[Adapted]-[Billed]")));
            VatCalc();
            break;
        default: break;
    }
    TotalCalc();
}

// ---------------------------------------------------------------------------------------------
// Choosers

void frmEntry::ProjectChoose() {
    Reporting& root = Root();
    if (root.Finance() == nullptr) return;
    const std::string current = entry_->ProjectID() == 0 ? std::string() : entry_->Project().AccountCode;
    const std::int32_t id =
        root.Finance()->ProjectChoose(current, ui::TwipsToPixels(ScreenLeft(btnProjectChoose)),
                                      ui::TwipsToPixels(ScreenTop(btnProjectChoose, btnProjectChoose.Height())));
    if (id == 0) return;
    entry_->SetProjectID(id);
    ShowProject();
    if (entry_->RecType() == Entry::kWork && !entry_->Project().Rate.IsZero()) RateSet(entry_->Project().Rate);
}

void frmEntry::PersonChoose() {
    Datas* persons = Root().Persons();
    if (persons == nullptr) return;
    const std::int32_t id = persons->Choose(std::max(entry_->PersonID(), 0), ScreenLeft(txtPerson),
                                            ScreenTop(txtPerson, txtPerson.Height()));
    if (id < 0) return;
    entry_->SetPersonID(id);
    ShowPerson();
    if (entry_->RecType() == Entry::kWork && !entry_->Person().Rate.IsZero()) RateSet(entry_->Person().Rate);
}

void frmEntry::CategoryChoose(bool charges) {
    Reporting& root = Root();
    ui::Button& button = charges ? btnCharges : btnExpenses;
    const int left = ScreenLeft(button), top = ScreenTop(button, button.Height());
    const int chosen = charges ? root.TypeCharges()->Choose(entry_->TypeCharges, left, top)
                               : root.TypeExpenses()->Choose(entry_->TypeExpenses, left, top);
    if (chosen > 0) {
        if (charges) {
            entry_->TypeCharges = chosen;
        } else {
            entry_->TypeExpenses = chosen;
        }
        ShowTypeButtons();
    }
    (charges ? txtCharges : txtExpenses).UserFocus();
}

void frmEntry::RateChoose() {
    frmEntryRateChoose chooser;
    chooser.Move(ScreenLeft(txtRate), ScreenTop(txtRate, txtRate.Height()));
    tlx4r::Entry shown = *entry_;
    auto rate = chooser.Choose(shown, AmountOf(txtRate));
    if (rate) RateSet(*rate);
}

void frmEntry::TextEdit() {
    frmEntryTextEdit editor;
    editor.Move(ScreenLeft(txtText), ScreenTop(txtText));
    auto text = editor.Choose(txtText.Text());
    if (text) txtText.SetText(*text);
}

void frmEntry::TemplateChoose() {
    Datas* templates = Root().Templates();
    if (templates == nullptr) return;
    const std::int32_t id = templates->Choose(0, ScreenLeft(txtText), ScreenTop(txtText, txtText.Height()));
    if (id <= 0) return;
    const Data row = templates->Item(id);
    const std::string text = row.NameFull;
    const std::string old = txtText.Text();
    const auto ends_with_dot = [](const std::string& s) {
        const std::string t = Trim(s);
        return !t.empty() && t.back() == '.';
    };
    if (templates->Prefix()) {
        txtText.SetText(old.empty() ? text : text + (ends_with_dot(text) ? " " : ". ") + old);
    } else if (templates->Postfix()) {
        txtText.SetText(old.empty() ? text : old + (ends_with_dot(old) ? " " : ". ") + text);
    } else if (entry_->RecType() == Entry::kCharges) {
        auto answer = ui::Current().InputBox("Anzahl eingeben", "Anzahl eingeben", "");
        if (!answer || Trim(*answer).empty()) return;
        const std::string typed = Trim(*answer);
        char* end = nullptr;
        const long count = std::strtol(typed.c_str(), &end, 10);
        if (end == typed.c_str() || *end != '\0') {
            ui::MsgBox("'" + typed + "' ist keine ganze Zahl", ui::Buttons::Ok, ui::Icon::Exclamation,
                       "Anzahl eingeben");
            return;
        }
        if (count <= 0) return;
        txtText.SetText(count == 1 ? text : std::to_string(count) + " x " + text);
        txtCharges.SetText(AmountFormat(row.Charges * count));
        txtExpenses.SetText(AmountFormat(row.Expenses * count));
        txtCharges.SetFocus();
        TotalCalc();
    } else {
        txtText.SetText(text);
    }
}

void frmEntry::DocLinkChoose() {
    ui::FileDialogRequest& request = CommonDialog1.Request();
    request.filters = {{"Word (*.doc?)", "*.doc?"},
                       {"Excel (*.xls?)", "*.xls?"},
                       {"PowerPoint (*.pp?)", "*.pp?"},
                       {"PDF (*.pdf)", "*.pdf"},
                       {"OpenDocument (*.odt, *.ods, *.odp)", "*.odt;*.ods;*.odp"},
                       {"Alle Dateien (*.*)", "*"}};
    request.must_exist = true;
    const std::string current = txtDocLink.Text();
    if (!current.empty()) {
        request.initial_dir = PathOf(current);
        request.file_name = current;
    }
    if (!CommonDialog1.ShowOpen()) return;
    txtDocLink.SetText(CommonDialog1.FileName());
    txtText.SetText(FileNameOf(CommonDialog1.FileName()));
}

void frmEntry::DocLinkOpen() {
    const std::string path = Trim(txtDocLink.Text());
    if (path.empty()) {
        ui::Current().Beep();
        return;
    }
    try {
        const std::string ext = utf8::Lower(ExtOf(path));
        if (ext.rfind(".xl", 0) == 0) {
            HostDocumentOpen(db::Value("open"), db::Value(path), db::Value());
        } else {
            ShellOpen(path);
        }
    } catch (const std::exception& e) {
        ShowError("Kann Dokument nicht öffnen!", e);
        TraceWrite({"DocLinkOpen", "failed", path});
    }
}

void frmEntry::TarifChoose() {
    if (goCalculator == nullptr) return;
    try {
        goCalculator->SetFee(AmountOf(txtCharges));
        if (!Root().CalculatorShow()) return;
        txtCharges.SetText(AmountFormat(goCalculator->Fee()));
        txtText.SetText("Bemessungsgrundlage CHF " + AmountFormat(goCalculator->AssessmentBase()));
        TotalCalc();
    } catch (const std::exception& e) {
        ui::MsgBox(e.what(), ui::Buttons::Ok, ui::Icon::Exclamation, "Tarif");
    }
}

void frmEntry::ShowList() {
    // The list keeps its criteria from one use to the next, as long as the form lives.
    if (!list_) list_ = std::make_unique<frmEntriesShow>();
    auto id = list_->ChooseEntry();
    if (!id || *id <= 0 || *id == entry_->ID()) return;
    if (!SaveAsk()) return;
    entry_->LoadByID(*id);
    ShowEntry();
    Layout();
    TakeBaseline();
}

}  // namespace tlx4r
