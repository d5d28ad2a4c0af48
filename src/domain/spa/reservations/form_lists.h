#pragma once
// The choices the reservation form and the lists offer: rooms, persons in charge, price types
// and the hotel rooms with a guest in house.
#include <optional>
#include <string>
#include <vector>

#include "data/db.h"

namespace qz::domain::spa {

struct RoomChoice {
    std::string code, description;
    int capacity = 0;
    bool blocked = false;
};
struct CodeName {
    std::string code, name;
};
struct Guest {
    std::string name, phone, email;
};

// The business's spa rooms in code order; blocked ones only when asked for.
std::vector<RoomChoice> spa_rooms(data::Db& db, const std::string& business,
                                  bool with_blocked = false);
// Persons in charge (AGENTES) not marked inactive, in code order.
std::vector<CodeName> spa_agents(data::Db& db, const std::string& business);
// Price types (ENC_PREC) in code order.
std::vector<CodeName> price_types(data::Db& db, const std::string& business);
// Hotel rooms with a guest in house (DET_RES2 state 1, order DET_RS30), each once.
std::vector<std::string> in_house_rooms(data::Db& db, const std::string& business);
// The guest in house in the room: first name and two surnames, phone and e-mail.
std::optional<Guest> in_house_guest(data::Db& db, const std::string& business,
                                    const std::string& room);
// Description of a room and name of a person in charge; blank when unknown.
std::string room_description(data::Db& db, const std::string& business, const std::string& room);
std::string agent_name(data::Db& db, const std::string& business, const std::string& agent);

}  // namespace qz::domain::spa

#include "domain/spa/reservations/reservation_record.h"

namespace qz::domain::spa {

// The reservations in state 1 or 2 of the room ("TODAS": every room of the business) on the
// day whose period holds the time (start <= time < end), by room and start.
std::vector<SpaHeader> slot_reservations(data::Db& db, const std::string& business,
                                         const std::string& room, const Date& date,
                                         const std::string& time);

}  // namespace qz::domain::spa
