#pragma once

#include "ui/Control.h"

#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace tlx4r::ui {

class Form;

// Controls sharing one name, told apart by index; the indexes need not be contiguous
// (optToMode has 0, 1, 2 and 4). Elements are created with (form, name, index, container)
// passed to T's constructor as (form, name, caption, container, index).
template <class T>
class ControlArray {
public:
    ControlArray(Form& form, const std::string& name, std::initializer_list<int> indexes,
                 Frame* container = nullptr) {
        for (int i : indexes) items_.push_back(std::make_unique<T>(form, name, std::string(), container, i));
    }

    // Throws std::out_of_range for an index the array does not have.
    T& operator[](int index) const {
        for (const auto& item : items_) {
            if (item->Index() == index) return *item;
        }
        throw std::out_of_range("no element " + std::to_string(index) + " in control array");
    }
    bool Has(int index) const {
        for (const auto& item : items_) {
            if (item->Index() == index) return true;
        }
        return false;
    }
    std::vector<int> Indexes() const {
        std::vector<int> out;
        for (const auto& item : items_) out.push_back(item->Index());
        return out;
    }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::vector<std::unique_ptr<T>> items_;
};

}  // namespace tlx4r::ui
