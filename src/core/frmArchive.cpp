#include "core/frmArchive.h"

#include "core/Finance.h"
#include "core/Reporting.h"
#include "core/modReporting.h"
#include "core/modStringLibrary.h"
#include "db/Database.h"
#include "entries/EntryTypes.h"
#include "types/AppError.h"
#include "types/Utf8.h"
#include "ui/Ui.h"

#include <algorithm>
#include <exception>

namespace tlx4r {

namespace {

const char* const kCaption = "Kelvora Reporting V4";

// The record-type letter of a box: its name after "cb".
std::string Letter(const ui::CheckBox& box) { return box.Name().substr(2); }

}  // namespace

frmArchive::frmArchive() : ui::Form("frmArchive", "Archivieren") {
    boxes_ = {&cbG, &cbR, &cbA, &cbT, &cbD, &cbN, &cbM};
    optArchive[0].SetCaption("Arch&ivieren");
    optArchive[1].SetCaption("R&eaktivieren");
    optArchive[0].SetValue(true);
    txtProject.SetReadOnly(true);
    for (ui::OptionButton* option : {&optMarkedForDelete, &optAll, &optSelect})
        option->Click = [this] { ProjectOption(); };
    optAll.SetValue(true);
    btnProjectChoose.Click = [this] { ProjectChoose(); };
    btnSelStd.Click = [this] { SetTypeStd(); };
    btnSelWork.Click = [this] { SetTypeWork(); };
    btnSelAll.Click = [this] { SetTypeAll(); };
    btnSelNone.Click = [this] { SetTypeNone(); };
    SetTypeAll();
    btnOk.SetDefault(true);
    btnCancel.SetCancel(true);
    btnOk.Click = [this] { OkClick(); };
    btnCancel.Click = [this] { Hide(); };
}

void frmArchive::ProjectID(std::int32_t id) {
    if (id == 0) {
        optAll.SetValue(true);
        return;
    }
    presetting_ = true;
    optSelect.SetValue(true);
    presetting_ = false;
    ProjectShow(id);
}

void frmArchive::DateTo(Date date) { DateRange.SetFromTo(std::nullopt, date); }

void frmArchive::ProjectOption() {
    const bool single = optSelect.Value();
    txtProject.SetEnabled(single);
    btnProjectChoose.SetEnabled(single);
    if (!single) {
        // The text and the project the action takes stay one: a project cleared from view is
        // not archived unseen when the user comes back to "Einzelnes Geschäft".
        txtProject.SetText("");
        project_.ClearAll();
        return;
    }
    if (!presetting_) ProjectChoose();
}

void frmArchive::ProjectChoose() {
    if (goReporting == nullptr || goReporting->Finance() == nullptr) return;
    const std::int32_t id = goReporting->Finance()->ProjectChoose();
    if (id > 0) ProjectShow(id);
}

void frmArchive::ProjectShow(std::int32_t id) {
    project_.Load(id);
    txtProject.SetText(project_.Topic());
}

std::vector<std::string> frmArchive::EntryType() const {
    std::vector<std::string> letters;
    for (const ui::CheckBox* box : boxes_)
        if (box->Checked()) letters.push_back(Letter(*box));
    return letters;
}

void frmArchive::EntryType(const std::vector<std::string>& letters) {
    for (ui::CheckBox* box : boxes_) {
        const bool ticked = std::any_of(letters.begin(), letters.end(),
                                        [&](const std::string& l) { return utf8::Upper(l) == Letter(*box); });
        box->SetChecked(ticked);
    }
}

bool frmArchive::EntryTypeAll() const {
    return std::all_of(boxes_.begin(), boxes_.end(), [](const ui::CheckBox* b) { return b->Checked(); });
}

bool frmArchive::EntryTypeNone() const {
    return std::none_of(boxes_.begin(), boxes_.end(), [](const ui::CheckBox* b) { return b->Checked(); });
}

void frmArchive::EntryTypeAllSet() {
    for (ui::CheckBox* box : boxes_) box->SetChecked(true);
}

void frmArchive::EntryTypeNoneSet() {
    for (ui::CheckBox* box : boxes_) box->SetChecked(false);
}

void frmArchive::SetTypeStd() { EntryType({"G", "R", "A", "N", "M"}); }
void frmArchive::SetTypeWork() { EntryType({"A"}); }
void frmArchive::SetTypeAll() { EntryTypeAllSet(); }
void frmArchive::SetTypeNone() { EntryTypeNoneSet(); }

std::optional<long long> frmArchive::Execute() {
    const bool archive = optArchive[0].Value();
    const std::string verb = archive ? "Archivieren" : "Reaktivieren";
    if (ui::MsgBox(verb + "  ausführen?", ui::Buttons::YesNoCancel, ui::Icon::Question, kCaption) != ui::Answer::Yes)
        return std::nullopt;
    if (optSelect.Value() && project_.ID() == 0) {
        ui::MsgBox("Kein Geschäft ausgewählt!", ui::Buttons::Ok, ui::Icon::Exclamation, verb);
        return std::nullopt;
    }
    if (EntryTypeNone()) {
        ui::MsgBox("Keine Eintragstypen ausgewählt!", ui::Buttons::Ok, ui::Icon::Exclamation, verb);
        return std::nullopt;
    }
    const std::string sql = Statement();
    if (goDatabase == nullptr) throw AppError(91, "Archive", "Es ist keine Reporting Datenbank geöffnet.");
    long long changed = 0;
    {
        ui::BusyPointer busy;
        changed = goDatabase->Execute(sql);
    }
    ui::MsgBox(verb + " beendet!", ui::Buttons::Ok, ui::Icon::Information, kCaption);
    return changed;
}

std::string frmArchive::Statement() const {
    std::string condition;
    if (optSelect.Value()) {
        condition = "(ProjectID=" + std::to_string(project_.ID()) + ")";
    } else if (optMarkedForDelete.Value()) {
        const std::string finance = goReporting != nullptr && goReporting->Finance() != nullptr
                                        ? goReporting->Finance()->DatabaseName()
                                        : std::string();
        condition = "(ProjectID IN (SELECT Project.ID FROM Project WHERE Project.AccountCode IN (SELECT DISTINCTROW "
                    "Accounts.Code FROM Accounts IN " +
                    Quote(finance) + " WHERE (Accounts.DeleteOnCloture = True);)))";
    }
    const std::string dates = DateRange.SQL("BookDate");
    if (!dates.empty()) condition += (condition.empty() ? "" : " AND ") + dates;
    if (!EntryTypeAll()) {
        // The boxes carry the record types' letters, the entries their numbers.
        std::string numbers;
        for (const std::string& letter : EntryType())
            numbers += (numbers.empty() ? "" : ",") + std::to_string(EntryTypes::EntryType(letter));
        condition += (condition.empty() ? "" : " AND ") + std::string("(RecType IN (") + numbers + "))";
    }
    std::string sql = std::string("UPDATE Entry Set Entry.Archive=") + (optArchive[0].Value() ? "True" : "False");
    if (!condition.empty()) sql += " WHERE (" + condition + ")";
    return sql + ";";
}

void frmArchive::OkClick() {
    dialog_canceled_ = false;
    try {
        Execute();
    } catch (const std::exception& e) {
        // A click has no caller to take the engine's error: the user sees it.
        ui::MsgBox(e.what(), ui::Buttons::Ok, ui::Icon::Critical, kCaption);
    }
    Hide();
}

}  // namespace tlx4r
