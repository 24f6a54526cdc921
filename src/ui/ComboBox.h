#pragma once

#include "ui/ListControl.h"

namespace tlx4r::ui {

// A combo box: a drop-down list, or (editable) a text box with a list.
class ComboBox : public ListControl {
public:
    ComboBox(Form& form, std::string name, Frame* container = nullptr, bool editable = false)
        : ListControl(form, ControlKind::ComboBox, std::move(name), -1, container), editable_(editable) {}

    bool Editable() const { return editable_; }
    std::string Text() const override;
    // Selects the item with exactly this text. An editable box takes any text (and selects
    // the matching item, if any); a drop-down list throws std::invalid_argument for a text that
    // is not in its list.
    void SetText(const std::string& text);

    // The user types into an editable box (a drop-down list ignores it).
    void UserType(const std::string& text);

protected:
    void IndexChanged() override;

private:
    bool editable_;
    std::string edit_text_;
};

}  // namespace tlx4r::ui
