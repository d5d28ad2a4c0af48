#pragma once
// How the agenda opens the reservation windows, which live with the reservations: whoever builds
// them installs these once at start-up. Each is called with the agenda screen as owner, the
// room's code, the agenda's day and the slot's time ("HH:MM"); the agenda reads the day again
// once the call returns (and again when a window it opened over the agenda closes).
#include <functional>
#include <string>

#include "core/date.h"

class QWidget;

namespace qz::gui {

using AgendaSlotHook =
    std::function<void(QWidget* owner, const std::string& room, Date day, const std::string& time)>;

// A new reservation for an empty cell: that room, day and start time.
void set_agenda_new_reservation(AgendaSlotHook hook);
// The reservations of a taken cell (VER_SRES): that room, day and time.
void set_agenda_slot_list(AgendaSlotHook hook);

const AgendaSlotHook& agenda_new_reservation();
const AgendaSlotHook& agenda_slot_list();

}  // namespace qz::gui
