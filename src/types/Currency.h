#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tlx4r {

// A money amount in units of 1/10000, as the accounting stores amounts. All arithmetic is exact
// integer arithmetic; an operation whose result leaves the 64-bit range throws
// std::overflow_error instead of wrapping. Rounding to a step is half-to-even (a tie goes to the
// even neighbour), the rule the accounting applies to fees and VAT.
class Currency {
public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Currency() = default;

    static constexpr Currency FromUnits(std::int64_t units) { return Currency(units); }
    // Whole francs.
    static Currency FromInt(std::int64_t whole);
    // The nearest amount to a double, ties to even at the fourth decimal. A double such as 0.1
    // that has no exact binary form is taken by its shortest decimal text, so 0.1 is 0.1000.
    // Throws std::overflow_error for NaN, infinities and values beyond the range.
    static Currency FromDouble(double value);
    // Parses an amount as users type it: optional sign, digits with optional thousands
    // separators ("," or "'" before each group of three digits), optional "." and decimals. More than four
    // decimals round half-to-even. Blanks around are ignored. Returns nullopt for anything else.
    static std::optional<Currency> Parse(std::string_view text);

    constexpr std::int64_t Units() const { return units_; }
    double ToDouble() const { return static_cast<double>(units_) / kScale; }
    constexpr bool IsZero() const { return units_ == 0; }

    Currency operator+(Currency o) const;
    Currency operator-(Currency o) const;
    Currency operator-() const;
    Currency& operator+=(Currency o) { return *this = *this + o; }
    Currency& operator-=(Currency o) { return *this = *this - o; }
    Currency operator*(std::int64_t n) const;
    constexpr auto operator<=>(const Currency&) const = default;

    // The product with a decimal factor (a rate, a number of hours), computed exactly in
    // decimal and rounded half-to-even to 1/10000. The factor is taken by its shortest
    // decimal text with at most 9 decimals, so 0.076 multiplies as 0.076, not as its binary
    // neighbour.
    Currency MulRound(double factor) const;
    // The nearest multiple of step (> 0), ties to the even multiple.
    Currency RoundTo(Currency step) const;

    // "#,##0.00" with "," for thousands and "." for decimals; decimals = 0..4 and the grouping
    // switchable. Display rounding goes half away from zero, as the old number formatting did.
    std::string Format(int decimals = 2, bool grouping = true) const;

private:
    constexpr explicit Currency(std::int64_t units) : units_(units) {}
    std::int64_t units_ = 0;
};

}  // namespace tlx4r
