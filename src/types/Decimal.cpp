#include "Decimal.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

namespace tlx4r {

namespace {

constexpr int kMaxScale = 36;
constexpr Int128 kLimit = static_cast<Int128>(1000000000000000000LL) * 1000000000000LL;  // 10^30

Int128 Pow10(int n) {
    Int128 r = 1;
    for (int i = 0; i < n; ++i) r *= 10;
    return r;
}

// q = a / b rounded half-to-even (b > 0).
Int128 DivHalfEven(Int128 a, Int128 b) {
    Int128 q = a / b;
    Int128 r = a % b;
    if (r == 0) return q;
    Int128 twice = (r < 0 ? -r : r) * 2;
    bool negative = a < 0;
    if (twice > b || (twice == b && (q % 2 != 0))) q += negative ? -1 : 1;
    return q;
}

// q = a / b rounded half away from zero (b > 0).
Int128 DivHalfUp(Int128 a, Int128 b) {
    Int128 q = a / b;
    Int128 r = a % b;
    if ((r < 0 ? -r : r) * 2 >= b) q += a < 0 ? -1 : 1;
    return q;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Exactly three digits from i, not followed by a fourth.
bool IsGroupOfThree(std::string_view t, std::size_t i) {
    if (i + 3 > t.size()) return false;
    for (std::size_t k = i; k < i + 3; ++k) {
        if (!IsDigit(t[k])) return false;
    }
    return i + 3 == t.size() || !IsDigit(t[i + 3]);
}

}  // namespace

std::optional<Decimal> Decimal::FromDouble(double value) {
    if (!std::isfinite(value) || std::fabs(value) >= 1e30) return std::nullopt;
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    if (res.ec != std::errc()) return std::nullopt;
    return Parse(std::string_view(buf, res.ptr - buf), false);
}

std::optional<Decimal> Decimal::Parse(std::string_view text, bool allow_grouping) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    Int128 mantissa = 0;
    int scale = 0;
    int digits = 0;
    bool seen_point = false;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (IsDigit(c)) {
            if (mantissa >= kLimit) return std::nullopt;
            if (seen_point) {
                if (scale >= kMaxScale) continue;  // digits beyond the precision kept: dropped
                ++scale;
            }
            mantissa = mantissa * 10 + (c - '0');
            ++digits;
        } else if (c == '.' && !seen_point) {
            seen_point = true;
        } else if (allow_grouping && !seen_point && (c == ',' || c == '\'') && i > 0 &&
                   IsDigit(text[i - 1]) && IsGroupOfThree(text, i + 1)) {
            // a thousands separator; "12,50" is refused rather than read as 1250
        } else {
            break;
        }
    }
    if (digits == 0) return std::nullopt;
    if (i < text.size() && !allow_grouping && (text[i] == 'e' || text[i] == 'E')) {
        int exp = 0;
        auto res = std::from_chars(text.data() + i + 1, text.data() + text.size(), exp);
        if (res.ec != std::errc() || res.ptr != text.data() + text.size()) return std::nullopt;
        if (exp > 30 || exp < -kMaxScale) return std::nullopt;
        scale -= exp;
        i = text.size();
        if (scale < 0) {
            mantissa *= Pow10(-scale);
            scale = 0;
        }
        if (scale > kMaxScale) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    return Decimal(negative ? -mantissa : mantissa, scale);
}

Decimal Decimal::Product(const Decimal& a, const Decimal& b) {
    Int128 m = 0;
    if (__builtin_mul_overflow(a.mantissa_, b.mantissa_, &m)) {
        throw std::overflow_error("Decimal: product out of range");
    }
    Decimal r(m, a.scale_ + b.scale_);
    // Keep the scale within the range of Pow10's exact powers.
    if (r.scale_ > kMaxScale) {
        r.mantissa_ = DivHalfEven(r.mantissa_, Pow10(r.scale_ - kMaxScale));
        r.scale_ = kMaxScale;
    }
    return r;
}

std::int64_t Decimal::DivRoundHalfEven(std::int64_t a, std::int64_t b) {
    if (b == 0) throw std::domain_error("Decimal: division by zero");
    if (b < 0) {
        a = -a;
        b = -b;
    }
    return static_cast<std::int64_t>(DivHalfEven(a, b));
}

std::optional<std::int64_t> Decimal::ToScaled(int scale) const {
    Int128 m = mantissa_;
    if (scale >= scale_) {
        Int128 f = Pow10(scale - scale_);
        if (__builtin_mul_overflow(m, f, &m)) return std::nullopt;
    } else {
        m = DivHalfEven(m, Pow10(scale_ - scale));
    }
    if (m > INT64_MAX || m < INT64_MIN) return std::nullopt;
    return static_cast<std::int64_t>(m);
}

std::string Decimal::Format(int decimals, bool grouping) const {
    Int128 m = mantissa_;
    if (decimals >= scale_) {
        m *= Pow10(decimals - scale_);
    } else {
        m = DivHalfUp(m, Pow10(scale_ - decimals));
    }
    bool negative = m < 0;
    if (negative) m = -m;
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(m % 10)));
        m /= 10;
    } while (m != 0);
    while (static_cast<int>(digits.size()) <= decimals) digits.insert(digits.begin(), '0');
    std::string whole = digits.substr(0, digits.size() - decimals);
    std::string frac = digits.substr(digits.size() - decimals);
    if (grouping) {
        for (int pos = static_cast<int>(whole.size()) - 3; pos > 0; pos -= 3) whole.insert(pos, ",");
    }
    std::string out = negative ? "-" : "";
    out += whole;
    if (decimals > 0) out += "." + frac;
    return out;
}

}  // namespace tlx4r
