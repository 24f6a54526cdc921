#pragma once

#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/TextBox.h"

#include <optional>
#include <string>

namespace tlx4r {

// The text editor of the entry form: the entry's text in a box of several lines. Ok takes the
// edited text, Abbrechen, Escape or closing the window keep the old one. Enter in the box starts
// a new line, so Ok is a click or Alt+O there. Made for one use.
class frmEntryTextEdit : public ui::Form {
public:
    frmEntryTextEdit();

    ui::TextBox txtText{*this, "txtText"};
    ui::Button btnOk{*this, "btnOk", "&Ok"};
    ui::Button btnCancel{*this, "btnCancel", "&Abbrechen"};

    void SetPosition(std::optional<int> left, std::optional<int> top);
    // Shows the editor modally with text: the edited text (line breaks as CR LF), nullopt when
    // the user cancelled.
    std::optional<std::string> Choose(const std::string& text);

private:
    std::optional<std::string> result_;
};

}  // namespace tlx4r
