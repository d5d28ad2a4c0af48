#pragma once
// The reservations of one agenda slot (VER_SRES).
#include <string>
#include <vector>

#include "core/date.h"
#include "data/db.h"
#include "domain/spa/reservations/reservation_record.h"

namespace qz::domain::spa {

// The reservations in state 1 or 2 of the room ("TODAS": every room of the business) on the day
// that fall into the agenda row at `time`: the rule of the agenda's cells over the row's whole
// span, so the list holds exactly what the cell shows. By room and start.
std::vector<SpaHeader> slot_reservations(data::Db& db, const std::string& business,
                                         const std::string& room, const Date& date,
                                         const std::string& time);

}  // namespace qz::domain::spa
