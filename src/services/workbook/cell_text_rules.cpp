#include "services/workbook/cell_text_rules.h"

#include <string>

namespace qz::services {

namespace {

bool digits(std::string_view s) {
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return !s.empty();
}

int to_int(std::string_view s) { return std::stoi(std::string(s)); }

}  // namespace

bool looks_like_number(std::string_view text) {
    bool digit = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c == '-' && i != 0)
            return false;
        else if (c != '.' && c != ',' && c != '-')
            return false;
    }
    return digit;
}

std::optional<Decimal> number_from_text(std::string_view text) {
    if (!looks_like_number(text)) return std::nullopt;
    std::string plain;
    for (char c : text)
        if (c != ',') plain += c;
    Decimal value;
    if (!Decimal::try_parse(plain, value)) return std::nullopt;
    return value;
}

std::optional<Date> date_in_century(std::string_view text, int century) {
    if ((text.size() != 8 && text.size() != 10) || text[2] != '/' || text[5] != '/')
        return std::nullopt;
    const auto dd = text.substr(0, 2), mm = text.substr(3, 2), yy = text.substr(6);
    if (!digits(dd) || !digits(mm) || !digits(yy)) return std::nullopt;
    const int year = text.size() == 8 ? century * 100 + to_int(yy) : to_int(yy);
    if (!Date::valid(year, to_int(mm), to_int(dd))) return std::nullopt;
    return Date(year, to_int(mm), to_int(dd));
}

bool looks_like_date(std::string_view text) { return date_in_century(text, 20).has_value(); }

int report_century(int two_digit_year, int current_year) {
    return two_digit_year >= current_year % 100 + 30 ? 19 : 20;
}

}  // namespace qz::services
