#pragma once

#include "ui/ListControl.h"

namespace tlx4r::ui {

// A list box with one selected item; a double click usually means "take this one".
class ListBox : public ListControl {
public:
    ListBox(Form& form, std::string name, Frame* container = nullptr)
        : ListControl(form, ControlKind::ListBox, std::move(name), -1, container) {}
};

}  // namespace tlx4r::ui
