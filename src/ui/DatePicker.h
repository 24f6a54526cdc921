#pragma once

#include "types/Date.h"
#include "ui/Control.h"

#include <optional>

namespace tlx4r::ui {

// A date picker. With AllowEmpty its check box lets the date be absent (Value() nullopt).
// The value always lies within MinDate..MaxDate: values outside are moved to the nearer bound,
// as the picker cannot show them. Change fires when the value changes.
class DatePicker : public Control {
public:
    // The picker's own limits when no bound is set.
    static Date Earliest() { return Date::FromYmd(1601, 1, 1); }
    static Date Latest() { return Date::FromYmd(9999, 12, 31); }

    DatePicker(Form& form, std::string name, Frame* container = nullptr);

    std::optional<Date> Value() const { return value_; }
    // nullopt is refused with std::invalid_argument unless AllowEmpty. The time of day is
    // dropped.
    void SetValue(std::optional<Date> value);
    bool AllowEmpty() const { return allow_empty_; }
    void SetAllowEmpty(bool value);

    Date MinDate() const { return min_; }
    Date MaxDate() const { return max_; }
    // Throws std::invalid_argument when min would lie after max.
    void SetMinDate(Date date);
    void SetMaxDate(Date date);

    // The user picks or types a date (nullopt: unticks the box).
    void UserSetValue(std::optional<Date> value);

private:
    std::optional<Date> Clamp(std::optional<Date> value) const;
    std::optional<Date> value_;
    bool allow_empty_ = false;
    Date min_;
    Date max_;
};

}  // namespace tlx4r::ui
