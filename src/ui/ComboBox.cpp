#include "ui/ComboBox.h"

#include "ui/Form.h"

#include <stdexcept>

namespace tlx4r::ui {

std::string ComboBox::Text() const { return editable_ ? edit_text_ : ListControl::Text(); }

void ComboBox::SetText(const std::string& text) {
    int index = FindItem(text);
    if (!editable_) {
        if (index < 0) throw std::invalid_argument(Key() + " has no item \"" + text + "\"");
        SetListIndex(index);
        return;
    }
    Form::EventScope scope(Owner());
    if (text != edit_text_) {
        edit_text_ = text;
        Touch();
        Fire(Change);
    }
    if (index >= 0) SetListIndex(index);
}

void ComboBox::IndexChanged() {
    if (editable_ && ListIndex() >= 0) edit_text_ = List(ListIndex());
}

void ComboBox::UserType(const std::string& text) {
    if (!editable_ || !CanUse()) return;
    Form::EventScope scope(Owner());
    if (!UserFocus()) return;
    std::string typed;
    for (char c : text) {
        int key = UserKey(static_cast<unsigned char>(c));
        if (key == 0) continue;
        typed += static_cast<char>(key);
    }
    SetText(edit_text_ + typed);
}

}  // namespace tlx4r::ui
