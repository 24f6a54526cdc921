#pragma once

#include "ui/Control.h"

namespace tlx4r::ui {

// Static text. An access key in its caption moves the focus to the control after it.
class Label : public Control {
public:
    Label(Form& form, std::string name, std::string caption = {}, Frame* container = nullptr, int index = -1)
        : Control(form, ControlKind::Label, std::move(name), index, container) {
        SetCaption(std::move(caption));
    }

protected:
    bool TakesFocus() const override { return false; }
};

}  // namespace tlx4r::ui
