#include "core/date.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <stdexcept>

namespace qz {

namespace {

// Days from civil, shifted so that 0001-01-01 is serial 1.
long to_serial(int y, int m, int d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153L * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 306 + 1;  // 0000-03-01 based, then to 0001-01-01 = 1
}

void from_serial_ymd(long serial, int& y, int& m, int& d) {
    long z = serial - 1 + 306;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

bool all_digits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

bool all_blank(std::string_view s) {
    for (char c : s)
        if (c != ' ' && c != '/') return false;
    return true;
}

int to_int(std::string_view s) {
    int v = 0;
    for (char c : s) v = v * 10 + (c - '0');
    return v;
}

}  // namespace

bool Date::valid(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= days_in_month(year, month);
}

int Date::days_in_month(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2) {
        bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        return leap ? 29 : 28;
    }
    return kDays[month - 1];
}

Date::Date(int year, int month, int day) {
    if (!valid(year, month, day)) throw std::invalid_argument("fecha inválida");
    m_serial = to_serial(year, month, day);
}

Date Date::from_serial(long serial) {
    Date d;
    d.m_serial = serial;
    return d;
}

std::optional<Date> Date::from_dtos(std::string_view s) {
    if (all_blank(s)) return Date();
    if (s.size() != 8 || !all_digits(s)) return std::nullopt;
    int y = to_int(s.substr(0, 4)), m = to_int(s.substr(4, 2)), d = to_int(s.substr(6, 2));
    if (!valid(y, m, d)) return std::nullopt;
    return Date(y, m, d);
}

std::optional<Date> Date::from_ctod(std::string_view s) {
    if (all_blank(s)) return Date();
    size_t p1 = s.find('/');
    size_t p2 = p1 == std::string_view::npos ? p1 : s.find('/', p1 + 1);
    if (p2 == std::string_view::npos) return std::nullopt;
    auto trim = [](std::string_view v) {
        while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
        while (!v.empty() && v.back() == ' ') v.remove_suffix(1);
        return v;
    };
    std::string_view ds = trim(s.substr(0, p1)), ms = trim(s.substr(p1 + 1, p2 - p1 - 1)),
                     ys = trim(s.substr(p2 + 1));
    if (!all_digits(ds) || !all_digits(ms) || !all_digits(ys) || ds.size() > 2 || ms.size() > 2)
        return std::nullopt;
    int y = to_int(ys);
    if (ys.size() <= 2)
        y += y >= 80 ? 1900 : 2000;
    else if (ys.size() != 4)
        return std::nullopt;
    int m = to_int(ms), d = to_int(ds);
    if (!valid(y, m, d)) return std::nullopt;
    return Date(y, m, d);
}

std::optional<Date> typed_date(std::string_view text) {
    if (text.find_first_not_of("/ ") == std::string_view::npos) return Date();
    const size_t slash = text.rfind('/');
    if (slash == std::string_view::npos) return std::nullopt;
    std::string_view year = text.substr(slash + 1);
    while (!year.empty() && year.back() == ' ') year.remove_suffix(1);
    while (!year.empty() && year.front() == ' ') year.remove_prefix(1);
    if (year.size() != 2 && year.size() != 4) return std::nullopt;
    auto d = Date::from_ctod(text);
    if (!d || d->empty()) return std::nullopt;
    return d;
}

int Date::year() const {
    int y = 0, m = 0, d = 0;
    if (!empty()) from_serial_ymd(m_serial, y, m, d);
    return y;
}

int Date::month() const {
    int y = 0, m = 0, d = 0;
    if (!empty()) from_serial_ymd(m_serial, y, m, d);
    return m;
}

int Date::day() const {
    int y = 0, m = 0, d = 0;
    if (!empty()) from_serial_ymd(m_serial, y, m, d);
    return d;
}

int Date::dow() const {
    if (empty()) return 0;
    // 0001-01-01 was a Monday (serial 1): Monday = 2 in the 1 = Sunday numbering.
    return static_cast<int>(((m_serial - 1) % 7 + 7) % 7 + 1) % 7 + 1;
}

std::string Date::dtos() const {
    if (empty()) return std::string(8, ' ');
    int y, m, d;
    from_serial_ymd(m_serial, y, m, d);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d", y, m, d);
    return buf;
}

std::string Date::dtoc() const {
    if (empty()) return "  /  /  ";
    int y, m, d;
    from_serial_ymd(m_serial, y, m, d);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%02d", d, m, y % 100);
    return buf;
}

std::string Date::dtoc4() const {
    if (empty()) return "  /  /    ";
    int y, m, d;
    from_serial_ymd(m_serial, y, m, d);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", d, m, y);
    return buf;
}

std::string Date::iso() const {
    if (empty()) return "";
    int y, m, d;
    from_serial_ymd(m_serial, y, m, d);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, d);
    return buf;
}

Date Date::add_days(long n) const {
    if (empty()) return *this;
    return from_serial(m_serial + n);
}

Date Date::add_months(int n) const {
    if (empty()) return *this;
    int y, m, d;
    from_serial_ymd(m_serial, y, m, d);
    int total = y * 12 + (m - 1) + n;
    int ny = total / 12, nm = total % 12 + 1;
    int nd = std::min(d, days_in_month(ny, nm));
    return Date(ny, nm, nd);
}

Date date_2090() { return Date(2090, 1, 1); }

long days_to_2090(const Date& d) { return date_2090().serial() - d.serial(); }

}  // namespace qz
