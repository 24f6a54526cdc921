#pragma once

#include "ui/Control.h"

#include <string>
#include <vector>

namespace tlx4r::ui {

// The item list that combo boxes and list boxes share: texts with a number each (ItemData) and
// one selected index, -1 for none. Changing the index fires Click, whoever changes it.
class ListControl : public Control {
public:
    int ListCount() const { return static_cast<int>(items_.size()); }
    // Throws std::out_of_range for an index outside 0..ListCount()-1.
    const std::string& List(int index) const;
    long ItemData(int index) const;
    void SetItemData(int index, long data);
    // Appends, or inserts before position; returns the new item's index.
    int AddItem(std::string text, long data = 0);
    int AddItem(std::string text, long data, int position);
    void RemoveItem(int index);
    void Clear();
    // The index of the item with exactly this text, -1 when none.
    int FindItem(const std::string& text) const;

    int ListIndex() const { return list_index_; }
    // -1 clears the selection; other values outside the list throw std::out_of_range.
    void SetListIndex(int index);
    // The selected item's text ("" when none).
    virtual std::string Text() const;

    // The user picks the item at index.
    void UserSelect(int index);

protected:
    using Control::Control;
    void CheckIndex(int index) const;
    // Runs after the index changed, before Click fires.
    virtual void IndexChanged() {}

private:
    struct Item {
        std::string text;
        long data;
    };
    std::vector<Item> items_;
    int list_index_ = -1;
};

}  // namespace tlx4r::ui
