#include "domain/spa/reservations/slot_list.h"

#include <algorithm>

#include "core/text.h"
#include "domain/spa/agenda/spa_agenda.h"
#include "domain/spa/agenda/spa_day_reader.h"
#include "domain/spa/reservations/form_lists.h"

namespace qz::domain::spa {

std::vector<SpaHeader> slot_reservations(data::Db& db, const std::string& business,
                                         const std::string& room, const Date& date,
                                         const std::string& time) {
    const auto slot = minutes_of(time);
    if (!slot) return {};
    const int span = slot_span(read_agenda_settings(db, business).interval);
    std::vector<std::string> rooms;
    if (trim(room) == "TODAS")
        for (const auto& r : spa_rooms(db, business, true)) rooms.push_back(r.code);
    else
        rooms.push_back(trim(room));
    SpaDayReader reader(db, business);
    std::vector<SpaHeader> out;
    for (const auto& code : rooms)
        for (auto& r : reader.room_reservations(code, date, date, {kActive, kInvoiced}))
            if (falls_in_slot(r.start_min, r.end_min, *slot, span)) out.push_back(std::move(r));
    std::stable_sort(out.begin(), out.end(), [](const SpaHeader& a, const SpaHeader& b) {
        return std::tie(a.room, a.start) < std::tie(b.room, b.start);
    });
    return out;
}

}  // namespace qz::domain::spa
