#pragma once
// Membership cards of customers' associates are numbered from the business's series
// F_FAC->SER_CARNET.
#include <string>

#include "data/db.h"

namespace qz::domain {

// The next card number of the series, trimmed; "" when the business names no series or the
// series does not exist (the card is then left to be typed). The series row stays locked until
// the caller's transaction ends, so a save that fails gives the number back.
std::string draw_membership_card(data::Db& db, const std::string& business);

}  // namespace qz::domain
