#pragma once

#include "masterdata/Data.h"
#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/TextBox.h"

#include <cstdint>
#include <string>

namespace tlx4r {

// The editor of one lookup row: its name, the short name (persons), and the rate, or for
// templates the default charges and expenses with their tariff categories.
class frmData : public ui::Form {
public:
    frmData();

    ui::Label lblID{*this, "lblID", "ID"};
    ui::TextBox txtID{*this, "txtID"};
    ui::Label lblNameFull{*this, "lblNameFull", "Name"};
    ui::TextBox txtNameFull{*this, "txtNameFull"};
    ui::Label lblNameShort{*this, "lblNameShort", "Kurz"};
    ui::TextBox txtNameShort{*this, "txtNameShort"};
    ui::Label lblRate{*this, "lblRate", "Ansatz"};
    ui::TextBox txtRate{*this, "txtRate"};
    ui::Button btnCharges{*this, "btnCharges", "Gebühren"};
    ui::TextBox txtCharges{*this, "txtCharges"};
    ui::Button btnExpenses{*this, "btnExpenses", "Auslagen"};
    ui::TextBox txtExpenses{*this, "txtExpenses"};
    ui::Button btnOk{*this, "btnOk", "&Ok"};
    ui::Button btnCancel{*this, "btnCancel", "&Abbruch"};

    // Shows the row with caption modally; true and data updated from the boxes when the user
    // confirmed, false (data untouched) when cancelled.
    bool Edit(Data& data, const std::string& caption);

    // The tariff categories chosen for the template (0 or 1: none).
    std::int32_t TypeCharges() const { return type_charges_; }
    std::int32_t TypeExpenses() const { return type_expenses_; }
    // "Gebühren" and "Auslagen", each followed by "-" and the category's code when one is chosen.
    void SetTypeButtons();

private:
    void AmountBox(ui::TextBox& box, Currency Data::*field);
    void ChooseType(bool charges);

    Data data_;
    std::int32_t type_charges_ = 0;
    std::int32_t type_expenses_ = 0;
    bool canceled_ = true;
};

}  // namespace tlx4r
