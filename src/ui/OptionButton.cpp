#include "ui/OptionButton.h"

#include "ui/Form.h"

namespace tlx4r::ui {

void OptionButton::SetValue(bool value) {
    if (value == value_) return;
    Form::EventScope scope(Owner());
    value_ = value;
    Touch();
    if (!value) return;
    for (Control* c : Owner().Controls()) {
        auto* other = dynamic_cast<OptionButton*>(c);
        if (other != nullptr && other != this && other->Container() == Container()) other->value_ = false;
    }
    Fire(Click);
}

void OptionButton::UserClick() {
    if (!CanUse()) return;
    Form::EventScope scope(Owner());
    if (!UserFocus()) return;
    SetValue(true);
}

}  // namespace tlx4r::ui
