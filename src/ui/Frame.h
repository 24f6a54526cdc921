#pragma once

#include "ui/Control.h"

namespace tlx4r::ui {

// A captioned group box. Hiding or disabling it hides or disables what it holds, and the
// option buttons inside it form one group.
class Frame : public Control {
public:
    Frame(Form& form, std::string name, std::string caption = {}, Frame* container = nullptr, int index = -1)
        : Control(form, ControlKind::Frame, std::move(name), index, container) {
        SetCaption(std::move(caption));
    }

protected:
    bool TakesFocus() const override { return false; }
};

}  // namespace tlx4r::ui
