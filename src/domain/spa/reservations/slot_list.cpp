#include <algorithm>

#include "core/text.h"
#include "data/table_ops.h"
#include "domain/spa/reservations/form_lists.h"
#include "domain/spa/reservations/reservation.h"

namespace qz::domain::spa {

std::vector<SpaHeader> slot_reservations(data::Db& db, const std::string& business,
                                         const std::string& room, const Date& date,
                                         const std::string& time) {
    std::vector<std::string> rooms;
    if (trim(room) == "TODAS")
        for (const auto& r : spa_rooms(db, business, true)) rooms.push_back(r.code);
    else
        rooms.push_back(trim(room));
    std::vector<std::string> codes;
    auto t = data::USE(db, "SPA_RESE", "SPA_RESE12");
    for (const auto& r : rooms) {
        const std::string key = pad_right(business, 15) + pad_right(r, 4) + date.dtos();
        t->SetScope(key, key);
        for (t->GoTop(); !t->Eof(); t->Skip()) {
            const long st = t->num("ESTADO").to_int();
            if (st != kActive && st != kInvoiced) continue;
            if (trim(t->str("HORA_INI")) <= time && time < trim(t->str("HORA_FIN")))
                codes.push_back(trim(t->str("CODIGO")));
        }
    }
    data::KILLTABLA(db, t);
    std::vector<SpaHeader> out;
    ConsoleUserPort quiet;
    for (const auto& c : codes) {
        SpaReservation r(db, quiet, business, "");
        if (r.load(c, FormMode::Consult)) out.push_back(r.header);
    }
    std::stable_sort(out.begin(), out.end(), [](const SpaHeader& a, const SpaHeader& b) {
        return std::tie(a.room, a.start) < std::tie(b.room, b.start);
    });
    return out;
}

}  // namespace qz::domain::spa
