#pragma once

#include "ui/Control.h"

namespace tlx4r::ui {

enum class CheckState { Unchecked = 0, Checked = 1, Grayed = 2 };

// A check box with the greyed third state, which only the program sets. Setting a different
// value fires Click, as the user's click does.
class CheckBox : public Control {
public:
    CheckBox(Form& form, std::string name, std::string caption = {}, Frame* container = nullptr, int index = -1)
        : Control(form, ControlKind::CheckBox, std::move(name), index, container) {
        SetCaption(std::move(caption));
    }

    CheckState Value() const { return value_; }
    bool Checked() const { return value_ == CheckState::Checked; }
    void SetValue(CheckState value);
    void SetChecked(bool checked) { SetValue(checked ? CheckState::Checked : CheckState::Unchecked); }

protected:
    // A click checks an unchecked or greyed box and unchecks a checked one; Click then fires
    // from SetValue.
    void ApplyClick() override;

private:
    bool in_click_ = false;
    CheckState value_ = CheckState::Unchecked;
};

}  // namespace tlx4r::ui
