#pragma once

#include "ui/Controls.h"

namespace tlx4r {

// Asks how a project list is filtered and sorted: with or without a client address, with or
// without an accounting account, by account or by name. Every new form starts at "Alle",
// "Alle", "Nach Konto".
class frmProjectSelect : public ui::Form {
public:
    frmProjectSelect();

    bool DialogCanceled() const { return dialog_canceled_; }

    ui::Frame fraClients{*this, "fraClients", "Klienten"};
    ui::ControlArray<ui::OptionButton> optClient{*this, "optClient", {0, 1, 2}, &fraClients};
    ui::Frame fraFibu{*this, "fraFibu", "Fibu-Konto"};
    ui::ControlArray<ui::OptionButton> optFibu{*this, "optFibu", {0, 1, 2}, &fraFibu};
    ui::Frame fraSort{*this, "fraSort", "Sortieren"};
    ui::ControlArray<ui::OptionButton> optSort{*this, "optSort", {0, 1}, &fraSort};
    ui::Button btnOk{*this, "btnOk", "&Ok"};
    ui::Button btnCancel{*this, "btnCancel", "&Abbruch"};

private:
    bool dialog_canceled_ = true;
};

}  // namespace tlx4r
