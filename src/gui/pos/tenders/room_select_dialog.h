#pragma once
// The room selection (SEL_ROOM): the rooms with guests in house and the open master accounts;
// the one chosen goes into the tender row's room.
#include <optional>
#include <string>

#include "data/db.h"
#include "domain/pos/room_selection.h"

class QWidget;

namespace qz::gui {

std::optional<domain::pos::RoomChoice> choose_room(QWidget* owner, data::Db& db,
                                                   const std::string& business);

namespace sel_room {
enum : int { kGrid = 500 };
}  // namespace sel_room

}  // namespace qz::gui
