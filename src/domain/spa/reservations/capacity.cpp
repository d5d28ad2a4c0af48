#include "domain/spa/reservations/capacity.h"

#include <algorithm>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/spa/reservations/reservation_record.h"
#include "domain/spa/reservations/reservation_row.h"

namespace qz::domain::spa {

std::string state_name(int state) {
    switch (state) {
    case kActive: return "Activa";
    case kInvoiced: return "Facturada";
    case kCancelled: return "Anulada";
    default: return "";
    }
}

Peak peak_persons(const std::vector<Occupancy>& others, const std::string& start,
                  const std::string& end, int persons) {
    struct Event {
        std::string at;
        int delta;
        size_t who;
    };
    std::vector<Event> events;
    for (size_t i = 0; i < others.size(); ++i) {
        const Occupancy& o = others[i];
        if (!(o.start < end && start < o.end)) continue;
        events.push_back({std::max(o.start, start), o.persons, i});
        events.push_back({std::min(o.end, end), -o.persons, i});
    }
    std::sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        if (a.at != b.at) return a.at < b.at;
        return a.delta < b.delta;  // leaving before arriving: touching periods do not overlap
    });
    Peak peak{persons, std::nullopt};
    int now = persons;
    for (const Event& e : events) {
        now += e.delta;
        if (e.delta > 0 && now > peak.persons) {
            peak.persons = now;
            peak.holder = others[e.who];
        }
    }
    return peak;
}

std::vector<Occupancy> room_day_bookings(data::Db& db, const std::string& business,
                                         const std::string& room, const Date& date,
                                         const std::string& exclude_code) {
    auto t = data::USE(db, "SPA_RESE", "SPA_RESE12");
    const std::string key = data::order_key("SPA_RESE", "SPA_RESE12", {business, room, date});
    t->SetScope(key, key);
    std::vector<Occupancy> out;
    const std::string exclude = trim(exclude_code);
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        SpaHeader h = reservation_from_row(*t);
        if (h.state != kActive && h.state != kInvoiced) continue;
        if (!exclude.empty() && h.code == exclude) continue;
        out.push_back({std::move(h.code), std::move(h.start), std::move(h.end), h.persons});
    }
    data::KILLTABLA(db, t);
    return out;
}

std::optional<Overbooking> first_overbooked_day(data::Db& db, const std::string& business,
                                                const std::string& room, const Date& from,
                                                long capacity) {
    auto t = data::USE(db, "SPA_RESE", "SPA_RESE12");
    t->SetScope(data::order_key("SPA_RESE", "SPA_RESE12", {business, room, from}),
                data::order_key("SPA_RESE", "SPA_RESE12", {business, room}));
    std::optional<Overbooking> found;
    std::vector<Occupancy> day;
    Date date;
    // The order runs by date, so a day is complete when the next one begins.
    const auto weigh = [&] {
        const Peak peak = peak_persons(day, "00:00", "99:99", 0);
        if (peak.persons > capacity && peak.holder) found = Overbooking{date, peak};
        day.clear();
    };
    for (t->GoTop(); !t->Eof() && !found; t->Skip()) {
        const long state = t->num("ESTADO").to_int();
        if (state != kActive && state != kInvoiced) continue;
        if (t->date("FECHA") != date) weigh();
        date = t->date("FECHA");
        day.push_back({trim(t->str("CODIGO")), trim(t->str("HORA_INI")), trim(t->str("HORA_FIN")),
                       static_cast<int>(t->num("NUM_PERSON").to_int())});
    }
    if (!found) weigh();
    data::KILLTABLA(db, t);
    return found;
}

std::string capacity_refusal(const Occupancy& holder) {
    return std::string(kOverRoomCapacity) +
           ". Existe al menos una reserva que tiene apartado este espacio:\rReserva : " +
           holder.code + " (" + holder.start + " - " + holder.end + ")";
}

}  // namespace qz::domain::spa
