#include "masterdata/frmProject.h"

#include "core/Finance.h"
#include "core/Reporting.h"
#include "core/modReporting.h"
#include "core/modStringLibrary.h"
#include "core/modValidate.h"
#include "masterdata/Clients.h"
#include "masterdata/Datas.h"
#include "ui/Ui.h"

#include <cctype>
#include <initializer_list>

namespace tlx4r {

namespace {

constexpr const char* kNl = "\r\n";

std::optional<Date> PickerValue(Date date) {
    if (date.IsNull()) return std::nullopt;
    return date;
}

Date DateOf(const ui::DatePicker& picker) { return picker.Value() ? picker.Value()->DateOnly() : Date(); }

Datas* Lookup(int kind) {
    if (goReporting == nullptr) return nullptr;
    switch (kind) {
        case 2: return goReporting->Persons();
        case 3: return goReporting->ProjectTypes();
        case 4: return goReporting->Departments();
        default: return nullptr;
    }
}

}  // namespace

frmProject::frmProject() : ui::Form("frmProject", "Geschäft") {
    fraExtras.SetToolTip("Felder werden exportiert als GeschEx1 - GeschEx2");
    for (int i = 0; i < 5; ++i) {
        const std::string n = std::to_string(i + 1);
        lblProjExt[static_cast<std::size_t>(i)].SetCaption("Zusatztext " + n);
        ui::TextBox& box = txtProjExt[static_cast<std::size_t>(i)];
        box.SetToolTip("Feld wird exportiert als GeschEx" + n);
        box.GotFocus = [&box] { box.SelectAll(); };
    }
    lblDateBegin.SetToolTip("Eröffnung des Geschäfts");
    dtpDateBegin.SetToolTip("Eröffnung des Geschäfts");
    lblDateEnd.SetToolTip("Abschluss des Geschäfts");
    dtpDateEnd.SetToolTip("Abschluss des Geschäfts");
    lblDateBilled.SetToolTip("Datum der Rechnungsstellung");
    dtpDateBilled.SetToolTip("Datum der Rechnungsstellung");
    for (ui::DatePicker* p : {&dtpDateBegin, &dtpDateEnd, &dtpDateBilled}) p->SetAllowEmpty(true);
    txtID.SetReadOnly(true);
    txtProject.SetReadOnly(true);
    btnClose.SetCancel(true);
    SetMinimumSize(ui::PixelsToTwips(520), ui::PixelsToTwips(420));

    for (ui::TextBox* box : {&txtRate, &txtPaymentLimit}) box->KeyPress = [](int& key) { key = KeyFilterNumber(key); };
    for (ui::TextBox* box : {&txtText, &txtRate, &txtPaymentLimit}) box->GotFocus = [box] { box->SelectAll(); };
    txtRate.Validate = [this](bool& cancel) { cancel = !CheckRate(); };
    txtPaymentLimit.Validate = [this](bool& cancel) { cancel = !CheckPaymentLimit(); };

    btnToggle.Click = [this] { ShowPage(!extras_front_); };
    btnPersonChoose.Click = [this] { ChooseData(2); };
    btnProjectTypeChoose.Click = [this] { ChooseData(3); };
    btnDepartmentChoose.Click = [this] { ChooseData(4); };
    btnClientChoose.Click = [this] { ChooseClient(); };
    btnSave.Click = [this] { Save(); };
    btnRestore.Click = [this] {
        project_->Restore();
        Display();
    };
    btnDelete.Click = [this] {
        if (ui::MsgBox("Alle Einträge zu diesem Geschäft werden gelöscht!" + std::string(kNl) + project_->Topic(),
                       ui::Buttons::YesNoCancel, ui::Icon::Exclamation, "Reporting Daten") != ui::Answer::Yes)
            return;
        project_->Delete(project_->ID());
        Hide();
    };
    btnClose.Click = [this] {
        if (!CheckRate() || !CheckPaymentLimit()) return;
        if (!AskSave()) return;
        client_ = tlx4r::Client();
        Hide();
    };
    QueryUnload = [this](bool& cancel) {
        if (!CheckRate() || !CheckPaymentLimit() || !AskSave()) cancel = true;
    };
    btnSearch.Click = [this] {
        if (!AskSave()) return;
        if (goReporting == nullptr || goReporting->Finance() == nullptr) return;
        const std::int32_t id = goReporting->Finance()->ProjectChoose();
        if (id <= 0) return;
        project_->Load(id);
        Display();
    };
    project_ = &empty_;
}

std::int32_t frmProject::LeadingNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    std::int64_t n = 0;
    bool any = false;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && n < 1000000000; ++i) {
        n = n * 10 + (text[i] - '0');
        any = true;
    }
    return any && n <= INT32_MAX ? static_cast<std::int32_t>(n) : 0;
}

void frmProject::Display() {
    ui::Form::EventScope scope(*this);
    const Project& p = *project_;
    txtID.SetText(std::to_string(p.ID()));
    txtProject.SetText(p.Topic());
    txtText.SetText(p.Text);
    dtpDateBegin.SetValue(PickerValue(p.DateBegin));
    dtpDateEnd.SetValue(PickerValue(p.DateEnd));
    dtpDateBilled.SetValue(PickerValue(p.DateBilled));
    txtRate.SetText(AmountFormat(p.Rate));
    txtPaymentLimit.SetText(std::to_string(p.PaymentLimit));
    const auto topic = [](int kind, std::int32_t id) {
        Datas* table = Lookup(kind);
        return table ? table->Item(id).Topic() : std::to_string(id);
    };
    txtPerson.SetText(topic(2, p.PersonID));
    txtProjectType.SetText(topic(3, p.ProjectTypeID));
    txtDepartment.SetText(topic(4, p.DepartmentID));
    Clients* clients = goReporting ? goReporting->Clients() : nullptr;
    client_ = clients ? clients->Item(p.ClientID) : tlx4r::Client();
    txtClient.SetText(client_.Topic());
    const std::string* extras[] = {&p.ProjExt1, &p.ProjExt2, &p.ProjExt3, &p.ProjExt4, &p.ProjExt5};
    for (std::size_t i = 0; i < 5; ++i) txtProjExt[i].SetText(*extras[i]);
}

ProjectFields frmProject::Collected() const {
    ProjectFields f = *project_;
    f.Text = txtText.Text();
    f.DateBegin = DateOf(dtpDateBegin);
    f.DateEnd = DateOf(dtpDateEnd);
    f.DateBilled = DateOf(dtpDateBilled);
    f.Rate = AmountFromText(txtRate.Text());
    f.PaymentLimit = LeadingNumber(txtPaymentLimit.Text());
    f.PersonID = LeadingNumber(txtPerson.Text());
    f.ProjectTypeID = LeadingNumber(txtProjectType.Text());
    f.DepartmentID = LeadingNumber(txtDepartment.Text());
    f.ClientID = client_.ID();
    std::string* extras[] = {&f.ProjExt1, &f.ProjExt2, &f.ProjExt3, &f.ProjExt4, &f.ProjExt5};
    for (std::size_t i = 0; i < 5; ++i) *extras[i] = txtProjExt[i].Text();
    return f;
}

bool frmProject::Changed() const {
    try {
        return Collected() != static_cast<const ProjectFields&>(*project_);
    } catch (const std::exception&) {
        return true;  // a box that cannot be read differs from any stored value
    }
}

bool frmProject::CheckRate() {
    bool cancel = false;
    const std::string text = ValidateAmount(txtRate.Text(), project_->Rate, cancel);
    txtRate.SetText(text);
    txtRate.SelectAll();
    if (cancel) txtRate.SetFocus();
    return !cancel;
}

bool frmProject::CheckPaymentLimit() {
    bool cancel = false;
    const std::string text = ValidateLong(txtPaymentLimit.Text(), std::to_string(project_->PaymentLimit), cancel);
    txtPaymentLimit.SetText(text);
    txtPaymentLimit.SelectAll();
    if (cancel) txtPaymentLimit.SetFocus();
    return !cancel;
}

bool frmProject::Save() {
    if (project_->ID() == 0) return true;
    try {
        static_cast<ProjectFields&>(*project_) = Collected();
        project_->Update();
    } catch (const std::exception& e) {
        ui::MsgBox("Kann Eintrag nicht speichern!" + std::string(kNl) + e.what(), ui::Buttons::Ok, ui::Icon::Critical,
                   "Speichern");
        return false;
    }
    Display();
    return true;
}

bool frmProject::AskSave() {
    if (!Changed()) return true;
    return AskToSave("Wollen sie speichern?", [this] { return Save(); });
}

void frmProject::ShowPage(bool extras) {
    extras_front_ = extras;
    btnToggle.SetCaption(extras ? "<Zuordnung" : "Zusatztexte>");
    fraExtras.SetVisible(extras);
    fraLinks.SetVisible(!extras);
}

void frmProject::ChooseData(int kind) {
    Datas* table = Lookup(kind);
    if (table == nullptr) return;
    ui::TextBox& box = kind == 2 ? txtPerson : kind == 3 ? txtProjectType : txtDepartment;
    const std::int32_t chosen = table->Choose(LeadingNumber(box.Text()));
    if (chosen >= 0) box.SetText(table->Item(chosen).Topic());
}

void frmProject::ChooseClient() {
    Clients* clients = goReporting ? goReporting->Clients() : nullptr;
    if (clients == nullptr) return;
    const std::int32_t chosen = clients->Choose(LeadingNumber(txtClient.Text()));
    if (client_.ID() >= 1 && chosen == 0 &&
        ui::MsgBox("Verbindung zu Klient löschen?", ui::Buttons::YesNoCancel, ui::Icon::Question,
                   "Kelvora Reporting V4") != ui::Answer::Yes)
        return;
    client_ = clients->Item(chosen);
    txtClient.SetText(client_.Topic());
}

void frmProject::Edit(Project& project) {
    project_ = &project;
    client_ = tlx4r::Client();
    Display();
    ShowPage(false);
    txtRate.SetFocus();
    Show(true);
    project_ = &empty_;
}

}  // namespace tlx4r
