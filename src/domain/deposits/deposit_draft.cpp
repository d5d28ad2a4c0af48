#include "domain/deposits/deposit_draft.h"

#include <algorithm>

#include "core/text.h"

namespace qz::domain {

namespace {

bool same_room_line(const DepositReservationLine& a, const DepositReservationLine& b) {
    return trim(a.reservation) == trim(b.reservation) && trim(a.room_type) == trim(b.room_type) &&
           a.item == b.item;
}

}  // namespace

bool DepositDraft::add_reservation(const DepositReservationLine& line) {
    const bool listed = std::any_of(reservations.begin(), reservations.end(),
                                    [&](const auto& l) { return same_room_line(l, line); });
    if (!listed) reservations.push_back(line);
    return !listed;
}

Decimal DepositDraft::applied() const {
    Decimal total;
    for (const auto& l : reservations)
        if (!trim(l.reservation).empty()) total += l.amount * reservation_rate;
    return total;
}

}  // namespace qz::domain
