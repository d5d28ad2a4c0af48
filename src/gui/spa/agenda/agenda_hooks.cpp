#include "gui/spa/agenda/agenda_hooks.h"

namespace qz::gui {

namespace {

AgendaSlotHook& new_reservation_hook() {
    static AgendaSlotHook hook;
    return hook;
}

AgendaSlotHook& slot_list_hook() {
    static AgendaSlotHook hook;
    return hook;
}

}  // namespace

void set_agenda_new_reservation(AgendaSlotHook hook) { new_reservation_hook() = std::move(hook); }
void set_agenda_slot_list(AgendaSlotHook hook) { slot_list_hook() = std::move(hook); }
const AgendaSlotHook& agenda_new_reservation() { return new_reservation_hook(); }
const AgendaSlotHook& agenda_slot_list() { return slot_list_hook(); }

}  // namespace qz::gui
