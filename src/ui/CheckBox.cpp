#include "ui/CheckBox.h"

#include "ui/Form.h"

namespace tlx4r::ui {

void CheckBox::SetValue(CheckState value) {
    if (value == value_) return;
    value_ = value;
    Touch();
    if (!in_click_) Fire(Click);
}

void CheckBox::ApplyClick() {
    // UserClick fires Click itself after this; the flag keeps it from firing twice.
    in_click_ = true;
    SetValue(value_ == CheckState::Checked ? CheckState::Unchecked : CheckState::Checked);
    in_click_ = false;
}

}  // namespace tlx4r::ui
