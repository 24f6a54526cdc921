#include "entries/frmTypeBase.h"

#include "core/modReporting.h"
#include "core/modStringLibrary.h"
#include "entries/TypeBase.h"
#include "entries/modChooserLayout.h"
#include "entries/modTypeBase.h"
#include "hostapi/Interface.h"
#include "ui/Ui.h"

#include <algorithm>
#include <optional>

namespace tlx4r {

namespace {

const char* const kCaption = "Kelvora Reporting V4";

}  // namespace

frmTypeBase::frmTypeBase() : ui::Form("frmTypeBase", "Eintragsarten") {
    ListView1.AddColumn("Kurz", 600);
    ListView1.AddColumn("Name", 2400);
    ListView1.AddColumn("Konto", 1400);
    ListView1.AddColumn("Kontoname", 2400);
    ListView1.SetFullRowSelect(true);
    btnName.SetToolTip("Name des Eintrags bearbeiten");
    btnAccount.SetToolTip("Konto auswählen oder löschen (mit \"Abbrechen\")");
    btnDelete.SetToolTip("Eintrag löschen (Name und Konto entfernen)");
    btnDefault.SetToolTip("Standardwerte setzen");
    btnDone.SetToolTip("Dialog beenden");
    btnName.SetDefault(true);
    btnDone.SetCancel(true);
    SetMinimumSize(ui::PixelsToTwips(520), ui::PixelsToTwips(320));
    SetSize(ui::PixelsToTwips(680), ui::PixelsToTwips(480));
    ListView1.DblClick = [this] { NameEdit(); };
    chkActiveOnly.Click = [this] { Fill(SelectedNumber()); };
    btnName.Click = [this] { NameEdit(); };
    btnAccount.Click = [this] { AccountChoose(); };
    btnDelete.Click = [this] { Clear(); };
    btnDefault.Click = [this] { Defaults(); };
    btnDone.Click = [this] { Hide(); };
    Resize = [this] { FitColumns(); };
    FitColumns();
}

void frmTypeBase::Edit(TypeBase& catalogue) {
    catalogue_ = &catalogue;
    SetCaption("Eintragsarten " + catalogue.DisplayName());
    Refill(1);
    ListView1.SetFocus();
    Show(true);
    catalogue_ = nullptr;
}

void frmTypeBase::Load(const std::string& display_name, std::vector<Row> rows) {
    catalogue_ = nullptr;
    SetCaption("Eintragsarten " + display_name);
    rows_ = std::move(rows);
    Fill(1);
}

int frmTypeBase::SelectedNumber() const {
    const int row = ListView1.SelectedIndex();
    return row < 0 ? 0 : std::stoi(ListView1.Item(row).key);
}

void frmTypeBase::Refill(int select) {
    if (catalogue_ != nullptr) {
        rows_.clear();
        for (int n = 1; n <= kTypeMax; ++n) {
            rows_.push_back(
                {n, catalogue_->Topic(n), catalogue_->Account(n), catalogue_->AccountName(n)});
        }
    }
    Fill(select);
}

void frmTypeBase::Fill(int select) {
    Form::EventScope scope(*this);
    ListView1.ClearRows();
    int selected = -1;
    for (const Row& r : rows_) {
        // A row filtered out leaves the selection to the next one shown.
        if (chkActiveOnly.Checked() && Trim(r.name).empty()) continue;
        const int row = ListView1.AddRow({TypeCode(r.number),
                                          {r.name, r.account, r.account_name},
                                          std::to_string(r.number),
                                          ""});
        if (selected < 0 && r.number >= select) selected = row;
    }
    if (selected < 0) selected = ListView1.Count() - 1;
    ListView1.SetSelectedIndex(selected);
    const bool any = selected >= 0;
    btnName.SetEnabled(any);
    btnAccount.SetEnabled(any);
    btnDelete.SetEnabled(any);
}

void frmTypeBase::NameEdit() {
    const int number = SelectedNumber();
    if (number == 0 || catalogue_ == nullptr) return;
    const std::string prompt = "Bezeichnung eingeben für\r\n      Nr = " + std::to_string(number) +
                               "\r\n      Kurz = " + TypeCode(number);
    auto answer = ui::Current().InputBox(prompt, kCaption, catalogue_->Topic(number));
    // Names are cleared with btnDelete only: an empty answer is as good as a cancel.
    if (!answer || Trim(*answer).empty()) return;
    catalogue_->Update(number, Trim(*answer));
    Refill(number);
}

void frmTypeBase::AccountChoose() {
    const int number = SelectedNumber();
    if (number == 0 || catalogue_ == nullptr) return;
    // Without the accounting there is nothing to choose from, and a cancelled choice would
    // otherwise clear an account the user never meant to touch.
    if (goInterface == nullptr || goInterface->FinanceAccounts() == nullptr) {
        ui::MsgBox("Keine Buchhaltung geöffnet: die Konten können nicht ausgewählt werden.",
                   ui::Buttons::Ok, ui::Icon::Exclamation, kCaption);
        return;
    }
    auto account = goInterface->AccountChoose("Konto auswählen für " + catalogue_->Topic(number),
                                              catalogue_->Account(number));
    catalogue_->Update(number, std::nullopt, account ? account->Code() : std::string());
    Refill(number);
}

void frmTypeBase::Clear() {
    const int number = SelectedNumber();
    if (number == 0 || catalogue_ == nullptr) return;
    if (number == 1) {
        ui::MsgBox("Standardeintrag kann nicht gelöscht werden!", ui::Buttons::Ok,
                   ui::Icon::Exclamation, kCaption);
        return;
    }
    catalogue_->Update(number, std::string(), std::string());
    Refill(number);
}

void frmTypeBase::Defaults() {
    if (catalogue_ == nullptr) return;
    const int number = SelectedNumber();
    catalogue_->LoadDefaults();
    Refill(std::max(number, 1));
}

// The command buttons stand in a column right of the list.
void frmTypeBase::FitColumns() {
    ListColumnsFit(ListView1, Width(), {1, 4, 2, 4}, ui::PixelsToTwips(110));
}

}  // namespace tlx4r
