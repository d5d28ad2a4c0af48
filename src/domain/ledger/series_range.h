#pragma once
// The range of a series as the point of sale resets it (MOD_SERI): the next number to issue,
// the last valid one and whether the series is disabled.
#include <string>

#include "core/user_port.h"
#include "data/db.h"

namespace qz::domain {

struct SeriesRange {
    std::string next;   // typed: the first number of the new range (digits)
    std::string last;   // typed: the last valid number (digits)
    bool disabled = false;
};

// Sets the range of the series `code`. Unless it is marked disabled, refuses a last number
// below 1, a range whose first number - 1 or last number falls inside the range of another
// active series of its MUTUO group, and a range holding a number a DOCUMENT already has. Then
// NUMERO := next - 1, NUMERO2 := last, INACTIVO := disabled, under the series' lock in one
// transaction. True when saved.
bool MOD_SERI(data::Db& db, UserPort& port, const std::string& business, const std::string& code,
              const SeriesRange& range);

inline constexpr const char* kNoLastSerial = "Debe de Digitar el Serial Final";

}  // namespace qz::domain
