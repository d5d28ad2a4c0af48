#include "services/workbook/sheet_serial.h"

#include <cmath>

namespace qz::services {

namespace {
constexpr long kPhantomLeapDay = 60;

Date base_after_leap_day() { return Date(1899, 12, 30); }
Date base_before_leap_day() { return Date(1899, 12, 31); }
}  // namespace

std::optional<long> sheet_serial(const Date& date) {
    if (date.empty() || date < Date(1900, 1, 1)) return std::nullopt;
    if (date < Date(1900, 3, 1)) return date - base_before_leap_day();
    return date - base_after_leap_day();
}

std::optional<Date> date_from_sheet_serial(double serial) {
    if (!std::isfinite(serial) || serial < 1 || serial > 2958465) return std::nullopt;
    const long day = static_cast<long>(std::floor(serial));
    if (day == kPhantomLeapDay) return std::nullopt;
    if (day < kPhantomLeapDay) return base_before_leap_day() + day;
    return base_after_leap_day() + day;
}

}  // namespace qz::services
