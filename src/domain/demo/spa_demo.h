#pragma once
// The spa's day for a demonstration: more rooms (one of them booked full), the sauna and
// jacuzzi services with their prices, the agenda and confirmation settings, and reservations of
// today in several rooms, some for guests in house.
#include "data/db.h"

namespace qz::domain {

// Adds what the demonstration spa lacks; running it again adds nothing. Runs in the caller's
// transaction when there is one. Today is the installation's business date.
void install_spa_demo(data::Db& db);

}  // namespace qz::domain
