#include "host/frmAccount.h"

#include "core/modStringLibrary.h"
#include "core/modValidate.h"
#include "ui/Ui.h"

namespace tlx4r {

frmAccount::frmAccount() : ui::Form("frmAccount", "Konto") {
    txtCode.SetMaxLength(50);
    txtName.SetMaxLength(255);
    txtLevel.KeyPress = [](int& key) { key = KeyFilterNumber(key); };
    txtLevel.Validate = [this](bool& cancel) { txtLevel.SetText(ValidateLong(txtLevel.Text(), "2", cancel)); };
    btnOk.SetDefault(true);
    btnCancel.SetCancel(true);
    btnOk.Click = [this] { Accept(); };
    btnCancel.Click = [this] {
        result_.reset();
        Hide();
    };
    QueryUnload = [this](bool&) { result_.reset(); };
    SetMinimumSize(ui::PixelsToTwips(380), ui::PixelsToTwips(220));
}

std::optional<AccountData> frmAccount::Edit(const AccountData& data, bool is_new) {
    data_ = data;
    result_.reset();
    SetCaption(is_new ? std::string("Neues Konto") : "Konto " + data.code);
    txtCode.SetText(data.code);
    txtCode.SetReadOnly(!is_new);
    txtName.SetText(data.name);
    txtLevel.SetText(std::to_string(data.level));
    chkGeneralLedger.SetChecked(data.general_ledger);
    chkClosed.SetChecked(data.closed);
    chkDeleteOnCloture.SetChecked(data.delete_on_cloture);
    (is_new ? txtCode : txtName).SetFocus();
    Show(true);
    return result_;
}

void frmAccount::Accept() {
    bool cancel = false;
    const std::string level = ValidateLong(txtLevel.Text(), "2", cancel);
    if (cancel) {
        txtLevel.SetFocus();
        return;
    }
    if (Trim(txtCode.Text()).empty()) {
        ui::MsgBox("Bitte eine Kontonummer eingeben.", ui::Buttons::Ok, ui::Icon::Exclamation, Caption());
        txtCode.SetFocus();
        return;
    }
    AccountData out = data_;
    out.code = Trim(txtCode.Text());
    out.name = Trim(txtName.Text());
    out.level = std::stoi(level);
    out.general_ledger = chkGeneralLedger.Checked();
    out.closed = chkClosed.Checked();
    out.delete_on_cloture = chkDeleteOnCloture.Checked();
    result_ = out;
    Hide();
}

}  // namespace tlx4r
