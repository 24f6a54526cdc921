#include "ui/DatePicker.h"

#include "ui/Form.h"

#include <stdexcept>

namespace tlx4r::ui {

DatePicker::DatePicker(Form& form, std::string name, Frame* container)
    : Control(form, ControlKind::DatePicker, std::move(name), -1, container), value_(Date::Today()),
      min_(Earliest()), max_(Latest()) {}

std::optional<Date> DatePicker::Clamp(std::optional<Date> value) const {
    if (!value) return value;
    Date day = value->DateOnly();
    if (day < min_) return min_;
    if (day > max_) return max_;
    return day;
}

void DatePicker::SetValue(std::optional<Date> value) {
    if (!value && !allow_empty_) throw std::invalid_argument(Key() + " cannot be empty");
    value = Clamp(value);
    if (value == value_) return;
    value_ = value;
    Touch();
    Fire(Change);
}

void DatePicker::SetAllowEmpty(bool value) {
    allow_empty_ = value;
    if (!value && !value_) SetValue(Clamp(Date::Today()));
    Touch();
}

void DatePicker::SetMinDate(Date date) {
    date = date.DateOnly();
    if (date > max_) throw std::invalid_argument(Key() + ": minimum date after maximum date");
    min_ = date;
    Touch();
    if (value_ && *value_ < min_) SetValue(min_);
}

void DatePicker::SetMaxDate(Date date) {
    date = date.DateOnly();
    if (date < min_) throw std::invalid_argument(Key() + ": maximum date before minimum date");
    max_ = date;
    Touch();
    if (value_ && *value_ > max_) SetValue(max_);
}

void DatePicker::UserSetValue(std::optional<Date> value) {
    if (!CanUse() || (!value && !allow_empty_)) return;
    Form::EventScope scope(Owner());
    if (!UserFocus()) return;
    SetValue(value);
}

}  // namespace tlx4r::ui
