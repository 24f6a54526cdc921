#pragma once

#include "ui/Control.h"

#include <string>
#include <vector>

namespace tlx4r::ui {

// A row of tabs; the form shows the frames that belong to the selected one in its Click handler.
class TabStrip : public Control {
public:
    TabStrip(Form& form, std::string name, Frame* container = nullptr)
        : Control(form, ControlKind::TabStrip, std::move(name), -1, container) {}

    int TabCount() const { return static_cast<int>(tabs_.size()); }
    // Throws std::out_of_range outside 0..TabCount()-1.
    const std::string& TabCaption(int index) const;
    int AddTab(std::string caption);
    void ClearTabs();

    // -1 only while there are no tabs; a new selection fires Click.
    int SelectedIndex() const { return selected_; }
    void SetSelectedIndex(int index);

    void UserSelect(int index);

private:
    std::vector<std::string> tabs_;
    int selected_ = -1;
};

}  // namespace tlx4r::ui
