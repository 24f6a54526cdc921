#include "ui/ListControl.h"

#include "ui/Form.h"

#include <stdexcept>

namespace tlx4r::ui {

void ListControl::CheckIndex(int index) const {
    if (index < 0 || index >= ListCount()) {
        throw std::out_of_range(Key() + ": no item " + std::to_string(index) + " (" +
                                std::to_string(ListCount()) + " items)");
    }
}

const std::string& ListControl::List(int index) const {
    CheckIndex(index);
    return items_[static_cast<std::size_t>(index)].text;
}

long ListControl::ItemData(int index) const {
    CheckIndex(index);
    return items_[static_cast<std::size_t>(index)].data;
}

void ListControl::SetItemData(int index, long data) {
    CheckIndex(index);
    items_[static_cast<std::size_t>(index)].data = data;
}

int ListControl::AddItem(std::string text, long data) { return AddItem(std::move(text), data, ListCount()); }

int ListControl::AddItem(std::string text, long data, int position) {
    if (position < 0 || position > ListCount()) throw std::out_of_range(Key() + ": cannot insert at " + std::to_string(position));
    items_.insert(items_.begin() + position, Item{std::move(text), data});
    if (list_index_ >= position) ++list_index_;
    Touch();
    return position;
}

void ListControl::RemoveItem(int index) {
    CheckIndex(index);
    items_.erase(items_.begin() + index);
    if (list_index_ == index) {
        list_index_ = -1;
    } else if (list_index_ > index) {
        --list_index_;
    }
    Touch();
}

void ListControl::Clear() {
    items_.clear();
    list_index_ = -1;
    Touch();
}

int ListControl::FindItem(const std::string& text) const {
    for (int i = 0; i < ListCount(); ++i) {
        if (items_[static_cast<std::size_t>(i)].text == text) return i;
    }
    return -1;
}

void ListControl::SetListIndex(int index) {
    if (index != -1) CheckIndex(index);
    if (index == list_index_) return;
    list_index_ = index;
    Touch();
    IndexChanged();
    Fire(Click);
}

std::string ListControl::Text() const {
    return list_index_ < 0 ? std::string() : items_[static_cast<std::size_t>(list_index_)].text;
}

void ListControl::UserSelect(int index) {
    if (!CanUse()) return;
    Form::EventScope scope(Owner());
    if (!UserFocus()) return;
    SetListIndex(index);
}

}  // namespace tlx4r::ui
