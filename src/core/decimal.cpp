#include "core/decimal.h"

#include <algorithm>
#include <cctype>

namespace qz {

namespace {

using Raw = Decimal::Raw;
constexpr Raw kOne = Decimal::pow10(Decimal::kScale);

Raw checked_add(Raw a, Raw b) {
    Raw r;
    if (__builtin_add_overflow(a, b, &r)) throw DecimalError("desbordamiento numérico");
    return r;
}

Raw checked_mul(Raw a, Raw b) {
    Raw r;
    if (__builtin_mul_overflow(a, b, &r)) throw DecimalError("desbordamiento numérico");
    return r;
}

// Divides and rounds half away from zero.
Raw div_round(Raw num, Raw den) {
    Raw q = num / den;
    Raw rem = num % den;
    if (rem < 0) rem = -rem;
    Raw aden = den < 0 ? -den : den;
    if (rem >= aden - rem) q += ((num < 0) != (den < 0)) ? -1 : 1;
    return q;
}

std::string raw_digits(Raw v) {
    if (v == 0) return "0";
    std::string s;
    while (v > 0) {
        s.push_back(static_cast<char>('0' + static_cast<int>(v % 10)));
        v /= 10;
    }
    std::reverse(s.begin(), s.end());
    return s;
}

}  // namespace

bool Decimal::try_parse(std::string_view text, Decimal& out) {
    size_t b = 0, e = text.size();
    while (b < e && std::isspace(static_cast<unsigned char>(text[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(text[e - 1]))) --e;
    text = text.substr(b, e - b);
    if (text.empty()) {
        out = Decimal();
        return true;
    }
    bool neg = false;
    size_t i = 0;
    if (text[0] == '-' || text[0] == '+') {
        neg = text[0] == '-';
        i = 1;
    }
    Raw whole = 0, frac = 0;
    int frac_digits = 0;
    bool any = false, point = false, round_up = false;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
        any = true;
        int d = c - '0';
        if (!point) {
            if (__builtin_mul_overflow(whole, 10, &whole) || __builtin_add_overflow(whole, d, &whole))
                return false;
        } else if (frac_digits < kScale) {
            frac = frac * 10 + d;
            ++frac_digits;
        } else if (frac_digits == kScale) {
            round_up = d >= 5;
            ++frac_digits;
        }
    }
    if (!any) return false;
    for (int k = std::min(frac_digits, kScale); k < kScale; ++k) frac *= 10;
    Raw r;
    if (__builtin_mul_overflow(whole, kOne, &r) || __builtin_add_overflow(r, frac, &r)) return false;
    if (round_up) r += 1;
    out.m_raw = neg ? -r : r;
    return true;
}

Decimal Decimal::parse(std::string_view text) {
    Decimal d;
    if (!try_parse(text, d)) throw DecimalError("número inválido: " + std::string(text));
    return d;
}

Decimal Decimal::from_scaled(long long units, int scale) {
    if (scale < 0 || scale > kScale) throw DecimalError("escala inválida");
    return from_raw(checked_mul(static_cast<Raw>(units), pow10(kScale - scale)));
}

long long Decimal::to_scaled(int scale) const {
    if (scale < 0 || scale > kScale) throw DecimalError("escala inválida");
    Raw v = div_round(m_raw, pow10(kScale - scale));
    if (v > INT64_MAX || v < INT64_MIN) throw DecimalError("desbordamiento numérico");
    return static_cast<long long>(v);
}

long long Decimal::to_int() const {
    Raw v = m_raw / kOne;
    if (v > INT64_MAX || v < INT64_MIN) throw DecimalError("desbordamiento numérico");
    return static_cast<long long>(v);
}

Decimal Decimal::round(int places) const {
    if (places >= kScale) return *this;
    if (places < 0) places = 0;
    Raw unit = pow10(kScale - places);
    return from_raw(div_round(m_raw, unit) * unit);
}

Decimal Decimal::trunc(int places) const {
    if (places >= kScale) return *this;
    if (places < 0) places = 0;
    Raw unit = pow10(kScale - places);
    return from_raw(m_raw / unit * unit);
}

std::string Decimal::to_string(int places) const {
    if (places < 0) places = 0;
    if (places > kScale) places = kScale;
    Raw units = div_round(m_raw, pow10(kScale - places));
    bool neg = units < 0;
    Raw a = neg ? -units : units;
    std::string digits = raw_digits(a);
    if (places > 0) {
        if (static_cast<int>(digits.size()) <= places)
            digits.insert(0, static_cast<size_t>(places + 1 - digits.size()), '0');
        digits.insert(digits.size() - static_cast<size_t>(places), ".");
    }
    return neg ? "-" + digits : digits;
}

std::string Decimal::to_string() const {
    int places = kScale;
    Raw v = m_raw;
    while (places > 0 && v % 10 == 0) {
        v /= 10;
        --places;
    }
    return to_string(places);
}

Decimal Decimal::operator+(const Decimal& o) const { return from_raw(checked_add(m_raw, o.m_raw)); }

Decimal Decimal::operator-(const Decimal& o) const {
    return from_raw(checked_add(m_raw, -o.m_raw));
}

Decimal Decimal::operator*(const Decimal& o) const {
    // With a = ah*10^s + al and b = bh*10^s + bl, a*b/10^s = ah*bh*10^s + ah*bl + al*bh +
    // al*bl/10^s. Splitting both operands keeps every partial product within 128 bits unless the
    // result itself does not fit, whichever operand is the large one; only the last term rounds.
    Raw ah = m_raw / kOne, al = m_raw % kOne;
    Raw bh = o.m_raw / kOne, bl = o.m_raw % kOne;
    Raw whole = checked_mul(checked_mul(ah, bh), kOne);
    Raw mixed = checked_add(checked_mul(ah, bl), checked_mul(al, bh));
    Raw frac = div_round(al * bl, kOne);
    return from_raw(checked_add(checked_add(whole, mixed), frac));
}

Decimal Decimal::operator/(const Decimal& o) const {
    if (o.m_raw == 0) throw DecimalError("división por cero");
    Raw num;
    if (!__builtin_mul_overflow(m_raw, kOne, &num)) return from_raw(div_round(num, o.m_raw));
    // Large dividend: long division one decimal at a time keeps 128 bits sufficient.
    Raw q = m_raw / o.m_raw, rem = m_raw % o.m_raw;
    Raw result = checked_mul(q, kOne);
    Raw frac = 0;
    for (int i = 0; i < kScale; ++i) {
        rem *= 10;
        frac = frac * 10 + rem / o.m_raw;
        rem %= o.m_raw;
    }
    Raw arem = rem < 0 ? -rem : rem, aden = o.m_raw < 0 ? -o.m_raw : o.m_raw;
    if (arem >= aden - arem) frac += ((m_raw < 0) != (o.m_raw < 0)) ? -1 : 1;
    return from_raw(checked_add(result, frac));
}

}  // namespace qz
