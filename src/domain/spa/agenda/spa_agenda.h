#pragma once
// The spa agenda of one business and day: a column per treatment room (the first 15 of
// SPA_SALA), a row per slot from F_FAC.HI_AGE_RES to HF_AGE_RES every hour, half hour or quarter
// hour (SPA_H_AGEN), and in each cell what the receptionist needs at a glance: who is booked
// there, with whom, for what, and whether the room is free, partly taken or full.
//
// A reservation (state 1 or 2) falls into a slot when it has started by the slot's time or starts
// within the slot's span (59, 29 or 14 minutes), and ends after the slot's time.
#include <array>
#include <string>
#include <vector>

#include "core/date.h"
#include "data/db.h"
#include "domain/spa/master/spa_rooms.h"

namespace qz::domain::spa {

inline constexpr int kAgendaRooms = 15;
// What parts of a cell's text are separated by.
inline constexpr const char* kAgendaBreak = "\n";

// Cell states: nothing booked, some places taken, the room's capacity reached.
enum class CellState { Free = 0, Partly = 1, Full = 2 };

struct AgendaSettings {
    int interval = 0;  // SPA_H_AGEN: 0 hourly, 1 half hours, 2 quarter hours
    int first_hour = 0;
    int last_hour = 23;
};

struct AgendaCell {
    std::string text;
    CellState state = CellState::Free;
    int reservations = 0;
    int persons = 0;
};

struct AgendaRow {
    std::string time;  // "HH:MM"
    std::array<AgendaCell, kAgendaRooms> cells;
};

struct AgendaDay {
    std::string negocio;
    Date date;
    AgendaSettings settings;
    std::vector<SpaRoom> rooms;  // at most kAgendaRooms, blocked ones too
    std::vector<AgendaRow> rows;
};

// The business's agenda settings (F_FAC); defaults when it has no row. Only the hour of
// HI_AGE_RES and HF_AGE_RES counts; an hour that does not read takes its default, and a first
// hour after the last one is swapped with it so the day still shows.
AgendaSettings read_agenda_settings(data::Db& db, const std::string& negocio);

// Minutes a slot spans after its time: 59, 29 or 14.
int slot_span(int interval);
// Slot times in minutes after midnight, first to last hour both included.
std::vector<int> agenda_slots(const AgendaSettings& s);

// Whether a reservation [start, end) falls into the slot at `slot` spanning `span` minutes (all
// in minutes after midnight): it has started by the slot's time or starts within its span, and
// it ends after the slot's time.
bool falls_in_slot(int start, int end, int slot, int span);

// The first kAgendaRooms rooms of the business in SPA_SALA order. A blocked room keeps its
// column, so the bookings it still holds show; it takes no new ones.
std::vector<SpaRoom> agenda_rooms(data::Db& db, const std::string& negocio);

// Fills the whole day: one walk of the day's reservations per room.
AgendaDay fill_agenda(data::Db& db, const std::string& negocio, const Date& day);

}  // namespace qz::domain::spa
