#pragma once
// The hotel's reservations as the deposits see them: the room lines a deposit may be applied to
// (only those whose guest has not checked in) and the deposits already applied to each line.
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::domain {

// DET_RES2.ESTADO of a room line.
enum RoomLineState : int { kLineBooked = 0, kLineInHouse = 1, kLineCheckedOut = 2 };

struct RoomLine {
    std::string reservation, room_type, room, guest;  // COD_RES, COD_HAB, ROOM, COD_HUESP
    long item = 0;                                    // ITEM_HAB
    int state = kLineBooked;                          // ESTADO
    Date arrival, departure;
};

struct AppliedDeposit {
    std::string reservation, room_type;  // COD_RES, COD_HAB
    long item = 0;                       // ITEM_HAB
    std::string deposit, document;       // MOVIMIENTO, DOC_PAGO
    Date date;                           // FECHA_CREA
    Decimal amount;                      // MONTO_PAGO, in the reservation's currency
};

RoomLine room_line_from_row(const data::WDBTable& t);
AppliedDeposit applied_deposit_from_row(const data::WDBTable& t);

// A line whose guest has arrived (in house or gone) can no longer take a deposit: the money
// then goes through the folio.
inline bool checked_in(int state) { return state != kLineBooked; }

// "Reservada", "En Casa", "Salida".
std::string room_line_state_name(int state);
// The state of a whole reservation from its lines: "En Casa" while any guest is in house,
// "Salida" once every line has left, "Reservada" otherwise (also without lines).
std::string reservation_state_name(const std::vector<RoomLine>& lines);

// The room lines and the applied deposits of one reservation, in the tables' key order.
std::vector<RoomLine> reservation_room_lines(data::Db& db, const std::string& business,
                                             const std::string& reservation);
std::vector<AppliedDeposit> reservation_deposits(data::Db& db, const std::string& business,
                                                 const std::string& reservation);

}  // namespace qz::domain
