#include "ui/ProgressBar.h"

#include <algorithm>
#include <stdexcept>

namespace tlx4r::ui {

void ProgressBar::SetRange(int min, int max) {
    if (min > max) throw std::invalid_argument(Key() + ": minimum above maximum");
    min_ = min;
    max_ = max;
    value_ = std::clamp(value_, min_, max_);
    Touch();
}

void ProgressBar::SetValue(int value) {
    value = std::clamp(value, min_, max_);
    if (value == value_) return;
    value_ = value;
    Touch();
}

}  // namespace tlx4r::ui
