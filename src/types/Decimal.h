#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tlx4r {

__extension__ typedef __int128 Int128;

// An exact decimal number mantissa × 10^-scale, the working form behind Currency's parsing,
// products and formatting. Internal to the value types; the component uses Currency.
class Decimal {
public:
    Decimal(Int128 mantissa, int scale) : mantissa_(mantissa), scale_(scale) {}

    // The shortest decimal text that reads back as the double; nullopt for NaN, infinities and
    // magnitudes beyond 10^30.
    static std::optional<Decimal> FromDouble(double value);
    // Optional sign, digits (grouping separators "," or "'" between digits when allowed),
    // optional "." and digits, optional exponent when grouping is not allowed; blanks around.
    static std::optional<Decimal> Parse(std::string_view text, bool allow_grouping);
    static Decimal Product(const Decimal& a, const Decimal& b);
    // a / b rounded to the nearest integer, ties to even. b != 0.
    static std::int64_t DivRoundHalfEven(std::int64_t a, std::int64_t b);

    // The value in units of 10^-scale, rounded half-to-even; nullopt when it leaves int64.
    std::optional<std::int64_t> ToScaled(int scale) const;
    // Fixed decimals, "," grouping optional, rounding half away from zero.
    std::string Format(int decimals, bool grouping) const;

private:
    Int128 mantissa_;
    int scale_;
};

}  // namespace tlx4r
