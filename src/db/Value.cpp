#include "Value.h"

#include "DbError.h"
#include "types/Decimal.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace tlx4r::db {

namespace {

[[noreturn]] void Mismatch() { throw DbError(13, "Type mismatch"); }
[[noreturn]] void Overflow() { throw DbError(6, "Overflow"); }

std::string DoubleText(double d) {
    char buf[64];
    int n = std::snprintf(buf, sizeof buf, "%.15g", d);
    return std::string(buf, static_cast<std::size_t>(n));
}

}  // namespace

bool Value::ToBool() const {
    switch (kind()) {
        case Kind::Boolean:
            return std::get<bool>(v_);
        case Kind::Text: {
            const auto& s = std::get<std::string>(v_);
            if (s == "True" || s == "true" || s == "Wahr") return true;
            if (s == "False" || s == "false" || s == "Falsch") return false;
            return ToDouble() != 0;
        }
        case Kind::Null:
            Mismatch();
        default:
            return ToDouble() != 0;
    }
}

double Value::ToDouble() const {
    switch (kind()) {
        case Kind::Boolean:
            return std::get<bool>(v_) ? -1.0 : 0.0;
        case Kind::Long:
            return std::get<std::int32_t>(v_);
        case Kind::Double:
            return std::get<double>(v_);
        case Kind::Currency:
            return std::get<tlx4r::Currency>(v_).ToDouble();
        case Kind::Date:
            return std::get<tlx4r::Date>(v_).Serial();
        case Kind::Text: {
            const auto& s = std::get<std::string>(v_);
            if (Decimal::Parse(s, true) || Decimal::Parse(s, false)) {
                std::string plain;
                for (char ch : s) {
                    if (ch != ',' && ch != '\'') plain += ch;
                }
                return std::strtod(plain.c_str(), nullptr);
            }
            if (auto date = tlx4r::Date::Parse(s)) return date->Serial();
            Mismatch();
        }
        case Kind::Null:
            break;
    }
    Mismatch();
}

std::int32_t Value::ToLong() const {
    if (kind() == Kind::Long) return std::get<std::int32_t>(v_);
    if (kind() == Kind::Currency) {
        auto units = std::get<tlx4r::Currency>(v_).Units();
        auto whole = Decimal::DivRoundHalfEven(units, tlx4r::Currency::kScale);
        if (whole > std::numeric_limits<std::int32_t>::max() ||
            whole < std::numeric_limits<std::int32_t>::min()) {
            Overflow();
        }
        return static_cast<std::int32_t>(whole);
    }
    double d = ToDouble();
    double r = std::nearbyint(d);  // the default rounding mode is to even
    if (!(r <= std::numeric_limits<std::int32_t>::max() && r >= std::numeric_limits<std::int32_t>::min())) {
        Overflow();
    }
    return static_cast<std::int32_t>(r);
}

tlx4r::Currency Value::ToCurrency() const {
    switch (kind()) {
        case Kind::Currency:
            return std::get<tlx4r::Currency>(v_);
        case Kind::Long:
            return tlx4r::Currency::FromInt(std::get<std::int32_t>(v_));
        case Kind::Text: {
            if (auto c = tlx4r::Currency::Parse(std::get<std::string>(v_))) return *c;
            Mismatch();
        }
        case Kind::Null:
            Mismatch();
        default:
            try {
                return tlx4r::Currency::FromDouble(ToDouble());
            } catch (const std::overflow_error&) {
                Overflow();
            }
    }
}

tlx4r::Date Value::ToDate() const {
    switch (kind()) {
        case Kind::Date:
            return std::get<tlx4r::Date>(v_);
        case Kind::Text: {
            if (auto d = tlx4r::Date::Parse(std::get<std::string>(v_))) return *d;
            Mismatch();
        }
        case Kind::Null:
            Mismatch();
        default:
            return tlx4r::Date(ToDouble());
    }
}

std::string Value::ToText() const {
    switch (kind()) {
        case Kind::Null:
            return {};
        case Kind::Boolean:
            return std::get<bool>(v_) ? "True" : "False";
        case Kind::Long:
            return std::to_string(std::get<std::int32_t>(v_));
        case Kind::Double:
            return DoubleText(std::get<double>(v_));
        case Kind::Currency: {
            // the amount with as many decimals as it has (at most four, at least none)
            auto c = std::get<tlx4r::Currency>(v_);
            int decimals = 4;
            auto u = c.Units();
            while (decimals > 0 && u % 10 == 0) {
                u /= 10;
                --decimals;
            }
            return c.Format(decimals, false);
        }
        case Kind::Date: {
            auto d = std::get<tlx4r::Date>(v_);
            if (d.TimeOfDay() == 0) return d.Format("dd.mm.yyyy");
            if (d.DayNumber() == 0) return d.Format("hh:nn:ss");
            return d.Format("dd.mm.yyyy hh:nn:ss");
        }
        case Kind::Text:
            return std::get<std::string>(v_);
    }
    return {};
}

}  // namespace tlx4r::db
