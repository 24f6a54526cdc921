#include "ui/TabStrip.h"

#include "ui/Form.h"

#include <stdexcept>

namespace tlx4r::ui {

const std::string& TabStrip::TabCaption(int index) const {
    if (index < 0 || index >= TabCount()) throw std::out_of_range(Key() + ": no tab " + std::to_string(index));
    return tabs_[static_cast<std::size_t>(index)];
}

int TabStrip::AddTab(std::string caption) {
    tabs_.push_back(std::move(caption));
    Touch();
    if (selected_ < 0) selected_ = 0;
    return TabCount() - 1;
}

void TabStrip::ClearTabs() {
    tabs_.clear();
    selected_ = -1;
    Touch();
}

void TabStrip::SetSelectedIndex(int index) {
    TabCaption(index);
    if (index == selected_) return;
    selected_ = index;
    Touch();
    Fire(Click);
}

void TabStrip::UserSelect(int index) {
    if (!CanUse()) return;
    Form::EventScope scope(Owner());
    if (!UserFocus()) return;
    SetSelectedIndex(index);
}

}  // namespace tlx4r::ui
