#pragma once
// Exact decimal numbers for money, rates, quantities and percentages.
//
// A Decimal is a signed 128-bit integer counting units of 10^-10. Ten decimal places keep the
// inverse of an exchange rate (1/535 = 0.0018691589) precise enough that converting a million
// colones still rounds to the right cent. Every operation is exact or rounds half away from zero
// at the tenth place; an overflow throws instead of wrapping.
#include <compare>
#include <concepts>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qz {

class DecimalError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Whole numbers that may stand next to a Decimal in arithmetic: not bool, not characters.
template <class I>
concept WholeNumber = std::integral<I> && !std::same_as<I, bool> && !std::same_as<I, char>;

class Decimal {
public:
    static constexpr int kScale = 10;
    using Raw = __int128;

    constexpr Decimal() = default;
    // Explicit, so that a whole number never becomes an amount by accident (an int passed where
    // a function takes a column number and an increment, say). In arithmetic and comparisons a
    // whole number means itself: `total * 2`, `balance > 0`.
    explicit constexpr Decimal(int v) : m_raw(static_cast<Raw>(v) * pow10(kScale)) {}
    explicit constexpr Decimal(long v) : m_raw(static_cast<Raw>(v) * pow10(kScale)) {}
    explicit constexpr Decimal(long long v) : m_raw(static_cast<Raw>(v) * pow10(kScale)) {}

    // Parses "-1234.5", "+0.25", ".5"; blanks around are ignored, an empty text is zero.
    // Throws DecimalError on anything else. Thousands separators are the picture parser's job.
    static Decimal parse(std::string_view text);
    // Non-throwing variant: false when the text is not a number.
    static bool try_parse(std::string_view text, Decimal& out);
    // value = units * 10^-scale, e.g. from_scaled(12345, 2) == 123.45
    static Decimal from_scaled(long long units, int scale);
    static constexpr Decimal from_raw(Raw r) {
        Decimal d;
        d.m_raw = r;
        return d;
    }

    constexpr Raw raw() const { return m_raw; }
    // The value as an integer count of 10^-scale units, rounded half away from zero.
    long long to_scaled(int scale) const;
    // Whole part, truncated toward zero.
    long long to_int() const;

    // Rounds to `places` decimals, halves away from zero.
    Decimal round(int places) const;
    // Truncates to `places` decimals toward zero.
    Decimal trunc(int places) const;

    // Plain text with exactly `places` decimals (rounded), "-" for negatives, no separators.
    std::string to_string(int places) const;
    // Shortest plain text that keeps every significant decimal ("1234.5", "0.0018691589").
    std::string to_string() const;

    constexpr bool is_zero() const { return m_raw == 0; }
    constexpr int sign() const { return m_raw > 0 ? 1 : (m_raw < 0 ? -1 : 0); }
    constexpr Decimal abs() const { return from_raw(m_raw < 0 ? -m_raw : m_raw); }
    constexpr Decimal operator-() const { return from_raw(-m_raw); }

    Decimal operator+(const Decimal& o) const;
    Decimal operator-(const Decimal& o) const;
    Decimal operator*(const Decimal& o) const;
    // Division rounds half away from zero at the tenth decimal; by zero throws DecimalError.
    Decimal operator/(const Decimal& o) const;
    Decimal& operator+=(const Decimal& o) { return *this = *this + o; }
    Decimal& operator-=(const Decimal& o) { return *this = *this - o; }
    Decimal& operator*=(const Decimal& o) { return *this = *this * o; }
    Decimal& operator/=(const Decimal& o) { return *this = *this / o; }

    constexpr auto operator<=>(const Decimal& o) const = default;
    constexpr bool operator==(const Decimal& o) const = default;

    template <WholeNumber I>
    constexpr auto operator<=>(I n) const {
        return *this <=> Decimal(static_cast<long long>(n));
    }
    template <WholeNumber I>
    constexpr bool operator==(I n) const {
        return *this == Decimal(static_cast<long long>(n));
    }
    template <WholeNumber I>
    friend Decimal operator+(const Decimal& a, I n) { return a + Decimal(static_cast<long long>(n)); }
    template <WholeNumber I>
    friend Decimal operator+(I n, const Decimal& a) { return Decimal(static_cast<long long>(n)) + a; }
    template <WholeNumber I>
    friend Decimal operator-(const Decimal& a, I n) { return a - Decimal(static_cast<long long>(n)); }
    template <WholeNumber I>
    friend Decimal operator-(I n, const Decimal& a) { return Decimal(static_cast<long long>(n)) - a; }
    template <WholeNumber I>
    friend Decimal operator*(const Decimal& a, I n) { return a * Decimal(static_cast<long long>(n)); }
    template <WholeNumber I>
    friend Decimal operator*(I n, const Decimal& a) { return Decimal(static_cast<long long>(n)) * a; }
    template <WholeNumber I>
    friend Decimal operator/(const Decimal& a, I n) { return a / Decimal(static_cast<long long>(n)); }
    template <WholeNumber I>
    friend Decimal operator/(I n, const Decimal& a) { return Decimal(static_cast<long long>(n)) / a; }

    static constexpr Raw pow10(int n) {
        Raw r = 1;
        for (int i = 0; i < n; ++i) r *= 10;
        return r;
    }

private:
    Raw m_raw = 0;
};

// The system's money rounding: two decimals, halves away from zero.
inline Decimal ROUND5(const Decimal& v) { return v.round(2); }

inline namespace literals {
// 12.50_d
inline Decimal operator""_d(const char* text) { return Decimal::parse(text); }
}  // namespace literals

}  // namespace qz
