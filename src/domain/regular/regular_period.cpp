#include "domain/regular/regular_period.h"

#include <algorithm>

#include "core/datetime_text.h"
#include "core/text.h"

namespace qz::domain::regular {

namespace {

std::string day_text(const Date& d) {
    return std::to_string(d.day()) + " DE " + MES_EN_LETRAS(d.month()) + " DE " +
           std::to_string(d.year());
}

// The first day of the month `shift` months after the month of `d`.
Date month_start(const Date& d, int shift) {
    const int serial = d.year() * 12 + (d.month() - 1) + shift;
    return Date(serial / 12, serial % 12 + 1, 1);
}

}  // namespace

Date day_of_month(int year, int month, int day) {
    return Date(year, month, std::clamp(day, 1, Date::days_in_month(year, month)));
}

Date advance_cut_off(const Date& cut_off, const Date& application, const Advance& a) {
    const Date from = cut_off.empty() ? application : cut_off;
    const int months = (from.year() + a.years) * 12 + (from.month() - 1) + a.months;
    return day_of_month(months / 12, months % 12 + 1, from.day()) + a.days;
}

Date regular_document_date(const RegularDocument& d, const Date& application) {
    if (!d.adjust_day) return application;
    return day_of_month(application.year(), application.month(), d.adjust_to);
}

std::string period_text(const RegularDocument& d, const Date& application, const std::string& typed,
                        bool append_description) {
    const Date billed = month_start(application, d.previous_month ? -1 : 0);
    std::string text;
    if (d.ranges) {
        const Date from = day_of_month(billed.year(), billed.month(), d.range_from);
        const Date end_month = month_start(billed, d.range_from > d.range_to ? 1 : 0);
        const Date to = day_of_month(end_month.year(), end_month.month(), d.range_to);
        text = "DEL " + day_text(from) + " AL " + day_text(to);
    } else {
        text = MES_EN_LETRAS(billed.month()) + " DE " + std::to_string(billed.year());
    }
    if (!d.adjust_day && !trim(typed).empty()) text = trim(typed);
    if (append_description && !trim(d.description).empty()) text += " " + trim(d.description);
    return text;
}

}  // namespace qz::domain::regular
