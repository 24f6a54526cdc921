#pragma once

#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/ListView.h"

#include <optional>

namespace tlx4r {

// The record-type chooser: the seven record types with code and name. Ok, Enter or a double
// click take the selected type, Abbrechen, Escape or closing the window none. Made for one use
// by its caller.
class frmEntryTypeChoose : public ui::Form {
public:
    frmEntryTypeChoose();

    ui::ListView ListView1{*this, "ListView1"};
    ui::Button btnOk{*this, "btnOk", "&Ok"};
    ui::Button btnCancel{*this, "btnCancel", "A&bbrechen"};

    // Selects the row of record type init_value; the first row for any value outside 1..7.
    void SetInitValue(int init_value);
    // Places the window's top left corner at a screen position in twips; a missing coordinate
    // stays where it is.
    void SetPosition(std::optional<int> left, std::optional<int> top);
    // Shows the chooser modally: the chosen record type 1..7, or -1 when the user cancelled.
    int Choose();
    // The answer of the last Choose.
    int Result() const { return result_; }

private:
    void Accept();
    void FitColumns();

    int result_ = -1;
};

}  // namespace tlx4r
