#pragma once
// The choices the reservation form and the lists offer: rooms, persons in charge, price types
// and the hotel rooms with a guest in house.
#include <optional>
#include <string>
#include <vector>

#include "data/db.h"
#include "domain/session/master_rows.h"
#include "domain/spa/master/agents.h"
#include "domain/spa/master/spa_rooms.h"

namespace qz::domain::spa {

struct Guest {
    std::string name, phone, email;
};

// The business's spa rooms in code order; blocked ones only when asked for.
std::vector<SpaRoom> spa_rooms(data::Db& db, const std::string& business,
                               bool with_blocked = false);
// Persons in charge: the agents not marked inactive that see the spa (VER_SPA), in code order.
std::vector<Agent> spa_agents(data::Db& db, const std::string& business);
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
