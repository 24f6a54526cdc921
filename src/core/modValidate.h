#pragma once

#include "types/Currency.h"

#include <optional>
#include <string>
#include <string_view>

// Validation of numbers, amounts and times typed into text boxes. On bad input each routine
// shows its exclamation message through the current Ui, sets cancel and returns the default;
// on good input it returns the normalised text and leaves cancel untouched.
namespace tlx4r {

std::string ValidateLong(std::string_view text, std::string_view default_text, bool& cancel);
std::string ValidateAmount(std::string_view text, tlx4r::Currency default_amount, bool& cancel);
// As ValidateAmount, but a blank text and an amount of 0 give "" (and so does a default of 0).
std::string ValidateAmountOrEmpty(std::string_view text, tlx4r::Currency default_amount, bool& cancel);
// The time as "HH:mm".
std::string ValidateTime(std::string_view text, std::string_view default_text, bool& cancel);
// As ValidateTime, but a blank text and 00:00 give "".
std::string ValidateTimeOrEmpty(std::string_view text, std::string_view default_text, bool& cancel);

// The typed time brought into a form the date parser reads ("830" → "8:30", "12.5" → "12:5",
// "45" → "0:45"); exposed for the time boxes that re-show what the user typed.
std::string NormalizeTypedTime(std::string_view text);
// The time of day of a typed time as a fraction of a day, nullopt when it is none.
std::optional<double> ParseTypedTime(std::string_view text);

// For key-press handlers of numeric boxes: Enter, control characters, ".", "'", "-", "+" and
// digits pass; any other key beeps and gives 0, which discards it.
int KeyFilterNumber(int key_ascii);

}  // namespace tlx4r
