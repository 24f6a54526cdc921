#pragma once

#include "masterdata/Client.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/TextBox.h"

#include <array>
#include <string>
#include <type_traits>
#include <vector>

namespace tlx4r {

struct OlContact;

// The client editor: key name, postal address, contact data and five extra texts. Save, restore,
// delete, new, switch to another client, copy the address to the clipboard, fill the boxes from
// a contact (vCard) and link projects. The address and the extra texts share one place;
// btnToggle brings either to the front.
class frmClient : public ui::Form {
public:
    frmClient();

    ui::Frame fraID{*this, "fraID", "Identifikation"};
    ui::Label lblID{*this, "lblID", "ID", &fraID};
    ui::TextBox txtID{*this, "txtID", &fraID};
    ui::Label lblKeyNam{*this, "lblKeyNam", "Schlüsselname", &fraID};
    ui::TextBox txtKeyName{*this, "txtKeyName", &fraID};

    ui::Frame fraAddress{*this, "fraAddress", "Adresse"};
    ui::Label lblCompany{*this, "lblCompany", "Firma", &fraAddress};
    ui::TextBox txtCompany{*this, "txtCompany", &fraAddress};
    ui::Label lblTitle{*this, "lblTitle", "Titel", &fraAddress};
    ui::TextBox txtTitle{*this, "txtTitle", &fraAddress};
    ui::Label lblFirstName{*this, "lblFirstName", "Vorname", &fraAddress};
    ui::TextBox txtFirstName{*this, "txtFirstName", &fraAddress};
    ui::Label lblLastName{*this, "lblLastName", "Nachname", &fraAddress};
    ui::TextBox txtLastName{*this, "txtLastName", &fraAddress};
    ui::Label lblAddress{*this, "lblAddress", "Adresse", &fraAddress};
    ui::TextBox txtAddress1{*this, "txtAddress1", &fraAddress};
    ui::TextBox txtAddress2{*this, "txtAddress2", &fraAddress};
    ui::Label lblZipCode{*this, "lblZipCode", "Postleitzahl", &fraAddress};
    ui::TextBox txtZipCode{*this, "txtZipCode", &fraAddress};
    ui::Label lblCity{*this, "lblCity", "Ort", &fraAddress};
    ui::TextBox txtCity{*this, "txtCity", &fraAddress};
    ui::Label lblCountry{*this, "lblCountry", "Land", &fraAddress};
    ui::TextBox txtCountry{*this, "txtCountry", &fraAddress};

    ui::Frame fraExtras{*this, "fraExtras", "Zusatztexte (KlieEx.)"};
    // Element i is "lblKlieExt[i]" / "txtKlieExt[i]" for KlieExt i + 1.
    std::array<ui::Label, 5> lblKlieExt{Extra<ui::Label>("lblKlieExt", 0), Extra<ui::Label>("lblKlieExt", 1),
                                        Extra<ui::Label>("lblKlieExt", 2), Extra<ui::Label>("lblKlieExt", 3),
                                        Extra<ui::Label>("lblKlieExt", 4)};
    std::array<ui::TextBox, 5> txtKlieExt{Extra<ui::TextBox>("txtKlieExt", 0), Extra<ui::TextBox>("txtKlieExt", 1),
                                          Extra<ui::TextBox>("txtKlieExt", 2), Extra<ui::TextBox>("txtKlieExt", 3),
                                          Extra<ui::TextBox>("txtKlieExt", 4)};

    ui::Frame fraContact{*this, "fraContact", "Kontakt"};
    ui::Label lblFone{*this, "lblFone", "Telefon", &fraContact};
    ui::TextBox txtFone{*this, "txtFone", &fraContact};
    ui::Label lblFax{*this, "lblFax", "Fax", &fraContact};
    ui::TextBox txtFax{*this, "txtFax", &fraContact};
    ui::Label lblEmail{*this, "lblEmail", "E-Mail", &fraContact};
    ui::TextBox txtEmail{*this, "txtEmail", &fraContact};
    ui::Label lblHomepage{*this, "lblHomepage", "Homepage", &fraContact};
    ui::TextBox txtHomepage{*this, "txtHomepage", &fraContact};

    ui::Button btnToggle{*this, "btnToggle", "Zusatztexte>"};
    ui::Button btnProjects{*this, "btnProjects", "Geschäfte"};
    ui::Button btnAdrOutlook{*this, "btnAdrOutlook", "Kontakt"};
    ui::Button btnSearch{*this, "btnSearch", "S&uchen..."};
    ui::Button btnClose{*this, "btnClose", "&Fertig"};
    ui::Button btnDelete{*this, "btnDelete", "&Löschen"};
    ui::Button btnCopy{*this, "btnCopy", "&Kopieren"};
    ui::Button btnSave{*this, "btnSave", "&Speichern"};
    ui::Button btnNew{*this, "btnNew", "&Neu"};
    ui::Button btnRestore{*this, "btnRestore", "&Zurücksetzten"};

    // Shows client modally (it must outlive the call).
    void Edit(Client& client);

    // The client as the boxes have it.
    ClientFields Collected() const;
    // The boxes differ from the client.
    bool Changed() const;
    bool ExtrasInFront() const { return extras_front_; }
    // Fills the boxes from a contact; the client changes only when the user saves.
    void FillFromContact(const OlContact& contact);

private:
    template <class T>
    T Extra(const char* name, int index) {
        std::string key = std::string(name) + "[" + std::to_string(index) + "]";
        if constexpr (std::is_same_v<T, ui::Label>)
            return T(*this, std::move(key), {}, &fraExtras);
        else
            return T(*this, std::move(key), &fraExtras);
    }
    std::vector<std::pair<ui::TextBox*, std::string ClientFields::*>> Boxes();
    void Display();
    bool Save();
    bool AskSave();
    void ShowPage(bool extras);
    void ContactImport();

    Client* client_ = nullptr;
    Client empty_;
    bool extras_front_ = false;
};

}  // namespace tlx4r
