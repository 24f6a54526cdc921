#pragma once

#include "host/HostAccount.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/TextBox.h"

#include <optional>

namespace tlx4r {

// The host's editor of one client account: code, name, level and the accounting's flags. A new
// account takes any code not in use; an existing one keeps its code (it is the account's key in
// the accounting and in the component's projects).
class frmAccount : public ui::Form {
public:
    frmAccount();

    ui::Label lblCode{*this, "lblCode", "&Konto"};
    ui::TextBox txtCode{*this, "txtCode"};
    ui::Label lblName{*this, "lblName", "&Name"};
    ui::TextBox txtName{*this, "txtName"};
    ui::Label lblLevel{*this, "lblLevel", "&Stufe"};
    ui::TextBox txtLevel{*this, "txtLevel"};
    ui::CheckBox chkGeneralLedger{*this, "chkGeneralLedger", "&Hauptbuchkonto"};
    ui::CheckBox chkClosed{*this, "chkClosed", "&Geschlossen"};
    ui::CheckBox chkDeleteOnCloture{*this, "chkDeleteOnCloture", "Beim &Jahresabschluss löschen"};
    ui::Button btnOk{*this, "btnOk", "&Ok"};
    ui::Button btnCancel{*this, "btnCancel", "&Abbrechen"};

    // Shows the editor modally on data; the edited account, or nullopt when cancelled.
    std::optional<AccountData> Edit(const AccountData& data, bool is_new);

private:
    void Accept();

    AccountData data_;
    std::optional<AccountData> result_;
};

}  // namespace tlx4r
