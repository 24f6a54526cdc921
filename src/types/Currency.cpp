#include "Currency.h"

#include "Decimal.h"

#include <cmath>
#include <stdexcept>

namespace tlx4r {

namespace {

[[noreturn]] void Overflow() { throw std::overflow_error("Currency: amount out of range"); }

}  // namespace

Currency Currency::FromInt(std::int64_t whole) {
    std::int64_t units = 0;
    if (__builtin_mul_overflow(whole, kScale, &units)) Overflow();
    return Currency(units);
}

Currency Currency::FromDouble(double value) {
    auto d = Decimal::FromDouble(value);
    if (!d) Overflow();
    auto units = d->ToScaled(4);
    if (!units) Overflow();
    return Currency(*units);
}

std::optional<Currency> Currency::Parse(std::string_view text) {
    auto d = Decimal::Parse(text, /*allow_grouping=*/true);
    if (!d) return std::nullopt;
    auto units = d->ToScaled(4);
    if (!units) return std::nullopt;
    return Currency(*units);
}

Currency Currency::operator+(Currency o) const {
    std::int64_t r = 0;
    if (__builtin_add_overflow(units_, o.units_, &r)) Overflow();
    return Currency(r);
}

Currency Currency::operator-(Currency o) const {
    std::int64_t r = 0;
    if (__builtin_sub_overflow(units_, o.units_, &r)) Overflow();
    return Currency(r);
}

Currency Currency::operator-() const { return Currency() - *this; }

Currency Currency::operator*(std::int64_t n) const {
    std::int64_t r = 0;
    if (__builtin_mul_overflow(units_, n, &r)) Overflow();
    return Currency(r);
}

Currency Currency::MulRound(double factor) const {
    auto f = Decimal::FromDouble(factor);
    if (!f) Overflow();
    auto units = Decimal::Product(Decimal(units_, 4), *f).ToScaled(4);
    if (!units) Overflow();
    return Currency(*units);
}

Currency Currency::RoundTo(Currency step) const {
    if (step.units_ <= 0) throw std::invalid_argument("Currency::RoundTo: step must be positive");
    return Currency(Decimal::DivRoundHalfEven(units_, step.units_)) * step.units_;
}

std::string Currency::Format(int decimals, bool grouping) const {
    return Decimal(units_, 4).Format(decimals, grouping);
}

}  // namespace tlx4r
