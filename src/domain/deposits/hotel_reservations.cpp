#include "domain/deposits/hotel_reservations.h"

#include <algorithm>

#include "core/text.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

RoomLine room_line_from_row(const data::WDBTable& t) {
    RoomLine l;
    l.reservation = trim(t.str("COD_RES"));
    l.room_type = trim(t.str("COD_HAB"));
    l.item = t.num("ITEM_HAB").to_int();
    l.room = trim(t.str("ROOM"));
    l.guest = trim(t.str("COD_HUESP"));
    l.state = static_cast<int>(t.num("ESTADO").to_int());
    l.arrival = t.date("ENTRADA");
    l.departure = t.date("SALIDA");
    return l;
}

AppliedDeposit applied_deposit_from_row(const data::WDBTable& t) {
    AppliedDeposit d;
    d.reservation = trim(t.str("COD_RES"));
    d.room_type = trim(t.str("COD_HAB"));
    d.item = t.num("ITEM_HAB").to_int();
    d.deposit = trim(t.str("MOVIMIENTO"));
    d.document = trim(t.str("DOC_PAGO"));
    d.date = t.date("FECHA_CREA");
    d.amount = t.num("MONTO_PAGO");
    return d;
}

std::string room_line_state_name(int state) {
    switch (state) {
        case kLineBooked:
            return "Reservada";
        case kLineInHouse:
            return "En Casa";
        case kLineCheckedOut:
            return "Salida";
    }
    return std::to_string(state);
}

std::string reservation_state_name(const std::vector<RoomLine>& lines) {
    const auto is = [](int s) { return [s](const RoomLine& l) { return l.state == s; }; };
    if (std::any_of(lines.begin(), lines.end(), is(kLineInHouse)))
        return room_line_state_name(kLineInHouse);
    if (!lines.empty() && std::all_of(lines.begin(), lines.end(), is(kLineCheckedOut)))
        return room_line_state_name(kLineCheckedOut);
    return room_line_state_name(kLineBooked);
}

std::vector<RoomLine> reservation_room_lines(data::Db& db, const std::string& business,
                                             const std::string& reservation) {
    std::vector<RoomLine> out;
    for_code_rows(db, "DET_RES2", business, reservation,
                  [&out](const data::WDBTable& t) { out.push_back(room_line_from_row(t)); });
    return out;
}

std::vector<AppliedDeposit> reservation_deposits(data::Db& db, const std::string& business,
                                                 const std::string& reservation) {
    std::vector<AppliedDeposit> out;
    for_code_rows(db, "DET_RES8", business, reservation,
                  [&out](const data::WDBTable& t) { out.push_back(applied_deposit_from_row(t)); });
    return out;
}

}  // namespace qz::domain
