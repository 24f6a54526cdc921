#pragma once

#include "host/HostAccount.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/ListView.h"
#include "ui/TextBox.h"

#include <optional>
#include <string>
#include <vector>

namespace tlx4r {

// The host's account chooser: the client accounts with code and name, narrowed by a search
// text; OK (or a double click) takes the selected account, Cancel or closing the window none.
class frmAccountChoose : public ui::Form {
public:
    frmAccountChoose();

    ui::Label lblSearch{*this, "lblSearch", "&Suchen:"};
    ui::TextBox txtSearch{*this, "txtSearch"};
    ui::ListView lvwAccounts{*this, "lvwAccounts"};
    ui::Label lblCount{*this, "lblCount"};
    ui::Button btnOk{*this, "btnOk", "&Ok"};
    ui::Button btnCancel{*this, "btnCancel", "&Abbrechen"};

    // Fills the list with accounts (in the given order) and selects the one of code
    // preselection (case-insensitive), the first one without it.
    void Load(std::vector<AccountData> accounts, const std::string& preselection = {});
    // Shows the chooser modally with caption, at x, y (pixels) when given. The chosen account's
    // code, or nullopt when the user cancelled.
    std::optional<std::string> Choose(const std::string& caption, std::optional<int> x = std::nullopt,
                                      std::optional<int> y = std::nullopt);

    // The code of the selected row; "" when none is selected.
    std::string SelectedCode() const;

private:
    void Filter();
    void Accept();

    std::vector<AccountData> accounts_;
    std::optional<std::string> chosen_;
};

}  // namespace tlx4r
