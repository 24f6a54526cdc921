#pragma once

#include "ui/Control.h"

namespace tlx4r::ui {

// A command button. The default button is clicked by Enter, the cancel button by Escape.
class Button : public Control {
public:
    Button(Form& form, std::string name, std::string caption = {}, Frame* container = nullptr)
        : Control(form, ControlKind::Button, std::move(name), -1, container) {
        SetCaption(std::move(caption));
    }

    bool IsDefault() const { return default_; }
    void SetDefault(bool value) {
        default_ = value;
        Touch();
    }
    bool IsCancel() const { return cancel_; }
    void SetCancel(bool value) {
        cancel_ = value;
        Touch();
    }

private:
    bool default_ = false;
    bool cancel_ = false;
};

}  // namespace tlx4r::ui
