#pragma once
// Dates as spreadsheet day numbers. The spreadsheet calendar counts 1900-01-01 as day 1 and,
// to stay compatible with its oldest ancestor, believes 1900 was a leap year: day 60 is a
// 29 February 1900 that never existed. From 1900-03-01 (day 61) on, day n is 1899-12-30 + n;
// before it, day n is 1899-12-31 + n. A plain "1900-01-01 + n - 2" is one day early for every
// date of January and February 1900, so both directions go through these two functions.
#include <optional>

#include "core/date.h"

namespace qz::services {

// The day number of a date; nullopt for an empty date or one before 1900-01-01, which the
// spreadsheet calendar cannot hold.
std::optional<long> sheet_serial(const Date& date);

// The date of a day number (a fraction of a day, the time, is ignored); nullopt for day 0 and
// below, and for day 60, the phantom 29 February 1900.
std::optional<Date> date_from_sheet_serial(double serial);

}  // namespace qz::services
