#include "domain/spa/agenda/spa_agenda.h"

#include <algorithm>

#include "core/picture.h"
#include "core/text.h"
#include "domain/spa/agenda/spa_day_reader.h"
#include "domain/spa/master/spa_params.h"

namespace qz::domain::spa {

namespace {

// The hour of an "HH:MM" setting, or `fallback` when blank or not an hour.
int hour_of(const std::string& text, int fallback) {
    const std::string t = trim(text);
    const std::string hh = t.substr(0, t.find(':'));
    if (hh.empty() || hh.size() > 2 || !std::all_of(hh.begin(), hh.end(), ::isdigit))
        return fallback;
    const int h = std::stoi(hh);
    return h <= 23 ? h : fallback;
}

std::string join(const std::vector<std::string>& parts) {
    std::string out;
    for (const auto& p : parts) {
        if (p.empty()) continue;
        if (!out.empty()) out += kAgendaBreak;
        out += p;
    }
    return out;
}

// The text of a cell from its first reservation and how many share the cell.
std::string cell_text(SpaDayReader& reader, const DayReservation& r, int count) {
    const std::string guest = upper_latin(r.name);
    std::vector<std::string> parts;
    parts.push_back(r.hotel_room.empty() ? guest : "ROOM: " + r.hotel_room + " (" + guest + ")");
    if (!r.agent.empty()) parts.push_back(upper_latin(reader.agent_name(r.agent)));
    parts.push_back(upper_latin(reader.first_service(r.code)));
    if (count > 1)
        parts.push_back("...");
    else
        parts.push_back(r.notes);
    return join(parts);
}

void fill_room(SpaDayReader& reader, const SpaRoom& room, const Date& day, int column,
               AgendaDay& agenda) {
    const auto reservations = reader.room_reservations(room.code, day, day, {kActive, kInvoiced});
    if (reservations.empty()) return;
    const int span = slot_span(agenda.settings.interval);
    for (AgendaRow& row : agenda.rows) {
        const int slot = *minutes_of(row.time);
        AgendaCell& cell = row.cells[column];
        const DayReservation* first = nullptr;
        for (const auto& r : reservations) {
            if (!falls_in_slot(r.start_min, r.end_min, slot, span)) continue;
            if (!first) first = &r;
            ++cell.reservations;
            cell.persons += r.persons;
        }
        if (!first) continue;
        cell.text = cell_text(reader, *first, cell.reservations);
        cell.state = cell.persons >= room.capacity ? CellState::Full : CellState::Partly;
    }
}

}  // namespace

AgendaSettings read_agenda_settings(data::Db& db, const std::string& negocio) {
    const SpaParams p = read_spa_params(db, negocio, nullptr);
    AgendaSettings s;
    s.interval = std::clamp(p.agenda_step, 0, 2);
    s.first_hour = hour_of(p.first_hour, 0);
    s.last_hour = hour_of(p.last_hour, 23);
    if (s.first_hour > s.last_hour) std::swap(s.first_hour, s.last_hour);
    return s;
}

int slot_span(int interval) {
    switch (interval) {
        case 1:
            return 29;
        case 2:
            return 14;
        default:
            return 59;
    }
}

std::vector<int> agenda_slots(const AgendaSettings& s) {
    const int step = s.interval == 2 ? 15 : s.interval == 1 ? 30 : 60;
    std::vector<int> slots;
    for (int h = s.first_hour; h <= s.last_hour; ++h)
        for (int m = 0; m < 60; m += step) slots.push_back(h * 60 + m);
    return slots;
}

bool falls_in_slot(int start, int end, int slot, int span) {
    return start <= slot + span && slot < end;
}

std::vector<SpaRoom> agenda_rooms(data::Db& db, const std::string& negocio) {
    std::vector<SpaRoom> rooms = business_rooms(db, negocio);
    if (rooms.size() > static_cast<size_t>(kAgendaRooms)) rooms.resize(kAgendaRooms);
    return rooms;
}

AgendaDay fill_agenda(data::Db& db, const std::string& negocio, const Date& day) {
    AgendaDay agenda;
    agenda.negocio = negocio;
    agenda.date = day;
    agenda.settings = read_agenda_settings(db, negocio);
    agenda.rooms = agenda_rooms(db, negocio);
    for (int slot : agenda_slots(agenda.settings)) agenda.rows.push_back({hhmm(slot), {}});
    SpaDayReader reader(db, negocio);
    for (size_t c = 0; c < agenda.rooms.size(); ++c)
        fill_room(reader, agenda.rooms[c], day, static_cast<int>(c), agenda);
    return agenda;
}

}  // namespace qz::domain::spa
