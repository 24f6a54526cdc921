#include "masterdata/frmClient.h"

#include "core/Reporting.h"
#include "core/modReporting.h"
#include "core/modStringLibrary.h"
#include "masterdata/Clients.h"
#include "masterdata/OlContacts.h"
#include "masterdata/frmClientProjects.h"
#include "ui/Ui.h"

namespace tlx4r {

namespace {

constexpr const char* kNl = "\r\n";

}  // namespace

frmClient::frmClient() : ui::Form("frmClient", "Klient") {
    fraExtras.SetToolTip("Felder werden exportiert als KlieEx1 - KlieEx2");
    for (std::size_t i = 0; i < 5; ++i) lblKlieExt[i].SetCaption("Zusatztext " + std::to_string(i + 1));
    btnProjects.SetToolTip("Geschäfte zuweisen");
    btnAdrOutlook.SetToolTip("Adresse aus den Kontakten (vCard) übernehmen");
    btnSearch.SetToolTip("Anderen Klienten bearbeiten");
    txtID.SetReadOnly(true);
    btnClose.SetCancel(true);
    SetMinimumSize(ui::PixelsToTwips(560), ui::PixelsToTwips(440));
    for (auto& [box, field] : Boxes()) {
        ui::TextBox* b = box;
        b->GotFocus = [b] { b->SelectAll(); };
    }
    btnToggle.Click = [this] { ShowPage(!extras_front_); };
    btnSave.Click = [this] { Save(); };
    btnRestore.Click = [this] {
        client_->Restore();
        Display();
    };
    btnDelete.Click = [this] {
        client_->Delete(client_->ID());
        Hide();
    };
    btnNew.Click = [this] {
        if (!AskSave()) return;
        client_->Load(-1);
        Display();
        txtKeyName.SetFocus();
    };
    btnClose.Click = [this] {
        if (AskSave()) Hide();
    };
    QueryUnload = [this](bool& cancel) { cancel = !AskSave(); };
    btnSearch.Click = [this] {
        if (!AskSave()) return;
        Clients* clients = goReporting ? goReporting->Clients() : nullptr;
        if (clients == nullptr) return;
        const std::int32_t chosen = clients->Choose(client_->ID());
        if (chosen < 1) return;
        client_->Load(chosen);
        Display();
    };
    btnCopy.Click = [this] {
        const std::string address = client_->MailAddress();
        ui::Current().SetClipboardText(address);
        ui::MsgBox("Die (6-zeilige) Adresse wurde in der Zwischenablage abgelegt:" + std::string(kNl) +
                       "Sie kann mit der Tastenkombination 'Ctrl-V' in Word/Excel wieder etc. eingefügt werden!" +
                       kNl + "> " + StrReplace(address, kNl, std::string(kNl) + "> "),
                   ui::Buttons::Ok, ui::Icon::Information, "Adresse Klient");
    };
    btnProjects.Click = [this] {
        if (client_->ID() == 0) {
            ui::MsgBox("Bitte Klient zuerst speichern!", ui::Buttons::Ok, ui::Icon::Exclamation, "Geschäfte zuweisen");
            return;
        }
        // Made for this use and gone afterwards, as the old dialog was unloaded.
        frmClientProjects projects;
        projects.ShowFor(client_->ID(), "Klient - " + client_->KeyName);
    };
    btnAdrOutlook.Click = [this] { ContactImport(); };
    client_ = &empty_;
}

std::vector<std::pair<ui::TextBox*, std::string ClientFields::*>> frmClient::Boxes() {
    return {{&txtKeyName, &ClientFields::KeyName},   {&txtCompany, &ClientFields::Company},
            {&txtTitle, &ClientFields::Title},       {&txtFirstName, &ClientFields::FirstName},
            {&txtLastName, &ClientFields::LastName}, {&txtAddress1, &ClientFields::Address1},
            {&txtAddress2, &ClientFields::Address2}, {&txtZipCode, &ClientFields::ZipCode},
            {&txtCity, &ClientFields::City},         {&txtCountry, &ClientFields::Country},
            {&txtFone, &ClientFields::Fone},         {&txtFax, &ClientFields::Fax},
            {&txtEmail, &ClientFields::Email},       {&txtHomepage, &ClientFields::Homepage},
            {&txtKlieExt[0], &ClientFields::KlieExt1}, {&txtKlieExt[1], &ClientFields::KlieExt2},
            {&txtKlieExt[2], &ClientFields::KlieExt3}, {&txtKlieExt[3], &ClientFields::KlieExt4},
            {&txtKlieExt[4], &ClientFields::KlieExt5}};
}

void frmClient::Display() {
    ui::Form::EventScope scope(*this);
    SetCaption("Klient - " + client_->Topic());
    txtID.SetText(std::to_string(client_->ID()));
    for (auto& [box, field] : Boxes()) box->SetText(client_->*field);
    // The address of a stored client can be copied; a new one has none to copy yet.
    btnCopy.SetEnabled(client_->ID() != 0);
}

ClientFields frmClient::Collected() const {
    ClientFields f = *client_;
    for (auto& [box, field] : const_cast<frmClient*>(this)->Boxes()) f.*field = box->Text();
    return f;
}

bool frmClient::Changed() const { return Collected() != static_cast<const ClientFields&>(*client_); }

bool frmClient::Save() {
    try {
        static_cast<ClientFields&>(*client_) = Collected();
        client_->Update();
    } catch (const std::exception& e) {
        ui::MsgBox("Kann Eintrag nicht speichern!" + std::string(kNl) + e.what(), ui::Buttons::Ok, ui::Icon::Critical,
                   "Speichern");
        return false;
    }
    Display();
    return true;
}

bool frmClient::AskSave() {
    if (!Changed()) return true;
    return AskToSave("Wollen sie speichern!", [this] { return Save(); });
}

void frmClient::ShowPage(bool extras) {
    extras_front_ = extras;
    btnToggle.SetCaption(extras ? "<Adresse" : "Zusatztexte>");
    fraExtras.SetVisible(extras);
    fraAddress.SetVisible(!extras);
}

void frmClient::FillFromContact(const OlContact& c) {
    ui::Form::EventScope scope(*this);
    txtKeyName.SetText(c.FileAs);
    txtCompany.SetText(c.CompanyName);
    txtTitle.SetText(c.Title);
    txtFirstName.SetText(c.FirstName);
    txtLastName.SetText(c.LastName);
    txtAddress1.SetText(c.BusinessAddressStreet);
    txtAddress2.SetText(c.BusinessAddressPostOfficeBox);
    txtZipCode.SetText(c.MailingAddressPostalCode);
    txtCity.SetText(c.MailingAddressCity);
    txtCountry.SetText(c.MailingAddressCountry);
    txtFone.SetText(c.BusinessTelephoneNumber);
    txtFax.SetText(c.BusinessFaxNumber);
    txtEmail.SetText(c.Email1Address);
    txtHomepage.SetText(c.WebPage);
}

void frmClient::ContactImport() {
    OlContacts* contacts = goOlContacts;
    if (contacts == nullptr) return;
    if (!contacts->Active()) {
        // Without a readable source the user may name one now instead of going to the options.
        if (ui::MsgBox(OlContacts::kNotActiveMessage, ui::Buttons::OkCancel, ui::Icon::Exclamation,
                       OlContacts::kNotActiveCaption) != ui::Answer::Ok ||
            !contacts->SourceChoose() || !contacts->Active())
            return;
    }
    const int index = contacts->Choose();
    if (index < 1) return;
    if (const auto contact = contacts->Item(index)) FillFromContact(*contact);
}

void frmClient::Edit(Client& client) {
    client_ = &client;
    btnCopy.SetEnabled(false);
    Display();
    ShowPage(false);
    txtKeyName.SetFocus();
    Show(true);
    client_ = &empty_;
}

}  // namespace tlx4r
