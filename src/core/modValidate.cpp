#include "modValidate.h"

#include "modStringLibrary.h"
#include "types/Date.h"
#include "types/Decimal.h"
#include "ui/Ui.h"

#include <cmath>
#include <limits>

namespace tlx4r {

namespace {

const std::string kAgain = "\r\nBitte nochmals eingeben!";

void Complain(const std::string& text, const std::string& caption, bool& cancel) {
    ui::MsgBox(text, ui::Buttons::Ok, ui::Icon::Exclamation, caption);
    cancel = true;
}

bool IsDigits(std::string_view t) {
    if (t.empty()) return false;
    for (char c : t) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

bool IsNumeric(std::string_view t) {
    return Decimal::Parse(t, true).has_value() || Decimal::Parse(t, false).has_value();
}

std::string TimeAsText(double fraction) {
    return tlx4r::Date(fraction).Format("HH:mm");
}

}  // namespace

std::string ValidateLong(std::string_view text, std::string_view default_text, bool& cancel) {
    auto number = Decimal::Parse(text, true);
    if (!number) number = Decimal::Parse(text, false);
    if (!number) {
        Complain("Kann die Zahl nicht erkennen!" + kAgain, "Zahl", cancel);
        return std::string(default_text);
    }
    auto whole = number->ToScaled(0);
    if (!whole || *whole > std::numeric_limits<std::int32_t>::max() ||
        *whole < std::numeric_limits<std::int32_t>::min()) {
        Complain("Ungültige Zahl!" + kAgain, "Zahl", cancel);
        return std::string(default_text);
    }
    return std::to_string(*whole);
}

std::string ValidateAmount(std::string_view text, tlx4r::Currency default_amount, bool& cancel) {
    auto amount = tlx4r::Currency::Parse(text);
    if (!amount) {
        Complain("Kann den Betrag nicht erkennen!" + kAgain, "Betrag", cancel);
        return AmountFormat(default_amount);
    }
    return AmountFormat(*amount);
}

std::string ValidateAmountOrEmpty(std::string_view text, tlx4r::Currency default_amount, bool& cancel) {
    if (Trim(text).empty()) return {};
    auto amount = tlx4r::Currency::Parse(text);
    if (!amount) {
        Complain("Kann den Betrag nicht erkennen!" + kAgain, "Betrag", cancel);
        return default_amount.IsZero() ? std::string() : AmountFormat(default_amount);
    }
    return amount->IsZero() ? std::string() : AmountFormat(*amount);
}

std::string NormalizeTypedTime(std::string_view typed) {
    std::string t = Trim(typed);
    if (t.empty()) return t;
    if (t.back() == '.' || t.back() == ':') t += '0';
    if (t.front() == '.' || t.front() == ':') t = std::string(1, '0').append(t);
    if (IsNumeric(t)) {
        for (char& c : t) {
            if (c == '.') c = ':';
        }
    }
    if (IsDigits(t) && t.size() < 5) {
        switch (t.size()) {
            case 1:
                t += ":00";
                break;
            case 2: {
                int v = std::stoi(t);
                if (v < 24) {
                    t += ":00";
                } else if (v < 60) {
                    t = std::string("0:").append(t);
                }
                break;
            }
            default:
                t = t.substr(0, t.size() - 2) + ":" + t.substr(t.size() - 2);
        }
    }
    return t;
}

std::optional<double> ParseTypedTime(std::string_view text) {
    auto date = tlx4r::Date::Parse(NormalizeTypedTime(text));
    if (!date) return std::nullopt;
    return date->TimeOfDay();
}

std::string ValidateTime(std::string_view text, std::string_view default_text, bool& cancel) {
    auto time = ParseTypedTime(text);
    if (!time) {
        Complain("Kann die Zeitangabe nicht erkennen!" + kAgain + "\r\nDas Zeitformat hier ist 'hh:mm'",
                 "Zeitangabe", cancel);
        return std::string(default_text);
    }
    return TimeAsText(*time);
}

std::string ValidateTimeOrEmpty(std::string_view text, std::string_view default_text, bool& cancel) {
    if (Trim(text).empty()) return {};
    std::string result = ValidateTime(text, default_text, cancel);
    return result == "00:00" ? std::string() : result;
}

int KeyFilterNumber(int key) {
    bool passes = key == 13 || key < 32 || key == '.' || key == '\'' || key == '-' || key == '+' ||
                  (key >= '0' && key <= '9');
    if (passes) return key;
    ui::Current().Beep();
    return 0;
}

}  // namespace tlx4r
