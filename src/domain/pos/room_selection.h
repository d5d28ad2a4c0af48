#pragma once
// What a room-charge tender may be charged to, as the room selection lists it: the rooms with a
// guest in house (and the guest's name) and the open master accounts; and where a guest's
// signature for a charge is kept (the reservation room line's FIRMA1 to FIRMA8).
#include <optional>
#include <string>
#include <vector>

#include "data/db.h"

namespace qz::domain::pos {

struct RoomChoice {
    std::string code;         // the room or master account, as the tender's ROOM takes it
    std::string reservation;  // the guest's reservation, or the master account
    std::string guest;        // the guest's or the account's name
    std::string room_type;
    long item = 0;
    bool master = false;
};

// Rooms with a guest in house, in room order, then the open master accounts in code order.
std::vector<RoomChoice> SEL_ROOM(data::Db& db, const std::string& business);

inline constexpr int kSignatureFields = 8;

// Keeps `file` in the first free FIRMA1..FIRMA8 of the reservation room line; the field used
// ("FIRMA3"), or nothing when the line is gone or all eight are taken.
std::optional<std::string> store_signature(data::Db& db, const std::string& business,
                                           const std::string& reservation,
                                           const std::string& room_type, long item,
                                           const std::string& file);

}  // namespace qz::domain::pos
