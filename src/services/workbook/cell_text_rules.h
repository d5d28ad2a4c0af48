#pragma once
// How a displayed or printed text becomes a workbook value: which texts are numbers, which are
// dates. Grid exports and reports sent to a workbook share these rules.
#include <optional>
#include <string_view>

#include "core/date.h"
#include "core/decimal.h"

namespace qz::services {

// Made only of "0123456789.,-" with at least one digit and at most one "-", in first place.
bool looks_like_number(std::string_view text);

// The number a number-like text shows, thousands commas removed; nullopt when the text is not
// number-like or is no number ("1.2.3").
std::optional<Decimal> number_from_text(std::string_view text);

// A valid date written "dd/mm/yy" or "dd/mm/yyyy" ("/" in the third and sixth places).
bool looks_like_date(std::string_view text);

// The date of a "dd/mm/yy" text in the given century (19 or 20), or of a "dd/mm/yyyy" text as
// written; nullopt for anything else.
std::optional<Date> date_in_century(std::string_view text, int century);

// The century a report gives a two-digit year: 19 when the year is at least the current two-digit
// year + 30, else 20.
int report_century(int two_digit_year, int current_year);

}  // namespace qz::services
