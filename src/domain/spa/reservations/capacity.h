#pragma once
// Room capacity of spa reservations. Periods are half-open [start, end): one ending at 11:00
// does not overlap one starting at 11:00. The persons present at every instant of the new
// period, counting every booking that is not cancelled, must stay within CAPAC_MAX; weighing
// each booking against the new one on its own would let three bookings overfill the room.
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "data/db.h"

namespace qz::domain::spa {

struct Occupancy {
    std::string code, start, end;
    int persons = 0;
};

struct Peak {
    int persons = 0;              // the most persons present at once, the new ones included
    std::optional<Occupancy> holder;  // a booking present at that instant
};

// The peak over [start, end) of `others` plus `persons`, swept over the start and end events
// of the bookings that overlap the period (ends before starts at the same instant).
Peak peak_persons(const std::vector<Occupancy>& others, const std::string& start,
                  const std::string& end, int persons);

// The bookings in state 1 or 2 of the room and date, except `exclude_code` (the one being
// changed). Walks the room's day on SPA_RESE12.
std::vector<Occupancy> room_day_bookings(data::Db& db, const std::string& business,
                                         const std::string& room, const Date& date,
                                         const std::string& exclude_code);

// A day on which a room's bookings hold more persons at once than a capacity.
struct Overbooking {
    Date date;
    Peak peak;
};
// The first day from `from` on whose bookings in state 1 or 2 of the room hold more than
// `capacity` persons at once; nullopt when every coming day fits.
std::optional<Overbooking> first_overbooked_day(data::Db& db, const std::string& business,
                                                const std::string& room, const Date& from,
                                                long capacity);

// The refusal text naming the booking that holds the space.
std::string capacity_refusal(const Occupancy& holder);
inline constexpr const char* kOverRoomCapacity = "Excede la capacidad máxima de personas en sala";

}  // namespace qz::domain::spa
