#pragma once

#include "ui/Control.h"

namespace tlx4r::ui {

// Progress of a long loop. Values are kept within Min..Max.
class ProgressBar : public Control {
public:
    ProgressBar(Form& form, std::string name, Frame* container = nullptr)
        : Control(form, ControlKind::ProgressBar, std::move(name), -1, container) {}

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Value() const { return value_; }
    // Throws std::invalid_argument when min > max.
    void SetRange(int min, int max);
    void SetValue(int value);

protected:
    bool TakesFocus() const override { return false; }

private:
    int min_ = 0;
    int max_ = 100;
    int value_ = 0;
};

}  // namespace tlx4r::ui
