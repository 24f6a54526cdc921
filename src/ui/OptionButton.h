#pragma once

#include "ui/Control.h"

namespace tlx4r::ui {

// An option button. The option buttons with the same container (frame, or the form itself)
// form a group in which at most one is selected. Selecting one fires its Click, whether the
// user or the program selects it; clicking the selected one again changes nothing.
class OptionButton : public Control {
public:
    OptionButton(Form& form, std::string name, std::string caption = {}, Frame* container = nullptr,
                 int index = -1)
        : Control(form, ControlKind::OptionButton, std::move(name), index, container) {
        SetCaption(std::move(caption));
    }

    bool Value() const { return value_; }
    // true deselects the others of the group and fires Click; false only clears this one.
    void SetValue(bool value);

    void UserClick() override;

private:
    bool value_ = false;
};

}  // namespace tlx4r::ui
