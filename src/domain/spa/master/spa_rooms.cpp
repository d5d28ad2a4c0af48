#include "domain/spa/master/spa_rooms.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/sql.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/master_rows.h"
#include "domain/spa/reservations/capacity.h"
#include "domain/spa/reservations/reservation_record.h"

namespace qz::domain::spa {

namespace {

// Whether the room holds an active reservation dated today or later (order SPA_RESE10 =
// business + state + room + date).
bool has_coming_reservations(data::Db& db, const std::string& business, const std::string& code) {
    const long long active = kActive;
    const std::string prefix = data::order_key("SPA_RESE", "SPA_RESE10", {business, active, code});
    data::Table t = data::USE(db, "SPA_RESE", "SPA_RESE10");
    // A soft seek: the first one dated today or later, whether or not one is dated today.
    t->Seek(data::order_key("SPA_RESE", "SPA_RESE10", {business, active, code, db.clock().XDATE()}),
            true);
    const bool coming = !t->Eof() && starts_with(t->CurrentKey(), prefix);
    data::KILLTABLA(db, t);
    return coming;
}

}  // namespace

SpaRoom room_from_row(const data::WDBTable& t) {
    return SpaRoom{trim(t.str("CODIGO")), trim(t.str("DESCRIP")),
                   static_cast<long>(t.num("CAPAC_MAX").to_int()),
                   t.num("BLOQUEADO") == Decimal(1)};
}

void put_room_row(data::WDBTable& t, const std::string& business, const SpaRoom& r) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CODIGO", normal_code(r.code));
    t.FieldPut("DESCRIP", trim(r.name));
    t.FieldPut("CAPAC_MAX", Decimal(r.capacity));
    t.FieldPut("BLOQUEADO", Decimal(r.blocked ? 1 : 0));
}

std::string room_key(const std::string& business, const std::string& code) {
    return data::order_key("SPA_SALA", "SPA_SALA", {business, code});
}

std::string room_gone(const std::string& code) { return "La Sala " + code + " ya no existe..."; }

namespace {

// A capacity lowered below what the room's coming bookings hold would leave them over it, and
// every later change to one of them (even a note) refused. "" when they fit.
std::string lowered_capacity_problem(data::Db& db, const std::string& business,
                                     const std::string& code, long capacity) {
    const auto over = first_overbooked_day(db, business, code, db.clock().XDATE(), capacity);
    if (!over) return "";
    const Occupancy& holder = *over->peak.holder;
    return "No se puede reducir la capacidad de la Sala a " + std::to_string(capacity) +
           ": hay reservas de hoy en adelante que la exceden.\rReserva : " + holder.code + " del " +
           over->date.dtoc() + " (" + holder.start + " - " + holder.end + "), " +
           std::to_string(over->peak.persons) + " personas a la vez.";
}

}  // namespace

std::optional<SpaRoom> read_room(data::Db& db, const std::string& business,
                                 const std::string& code) {
    data::Table t = data::USE(db, "SPA_SALA", "SPA_SALA");
    std::optional<SpaRoom> room;
    if (t->Seek(room_key(business, normal_code(code)))) room = room_from_row(*t);
    data::KILLTABLA(db, t);
    return room;
}

std::vector<SpaRoom> business_rooms(data::Db& db, const std::string& business) {
    std::vector<SpaRoom> rooms;
    for_business_rows(db, "SPA_SALA", business,
                      [&](const data::WDBTable& t) { rooms.push_back(room_from_row(t)); });
    return rooms;
}

std::string check_room(const SpaRoom& r) {
    const std::string code = normal_code(r.code);
    if (code.empty()) return "El código de Sala es requerido...";
    if (auto problem = code_width_problem("El código de Sala", code, "SPA_SALA", "CODIGO");
        !problem.empty())
        return problem;
    if (trim(r.name).empty()) return "La descripción de la Sala es requerida...";
    if (r.capacity < 1 || r.capacity > 9999)
        return "La capacidad máxima de personas debe estar entre 1 y 9999...";
    return "";
}

bool add_room(data::Db& db, UserPort& port, const std::string& business, const SpaRoom& room) {
    if (auto problem = check_room(room); !problem.empty()) return refuse(port, problem);
    if (key_exists(db, "SPA_SALA", "SPA_SALA", {business, normal_code(room.code)}))
        return refuse(port, kRoomDuplicate);
    data::Transaction tx(db);
    data::Table t = data::USE(db, "SPA_SALA", "SPA_SALA");
    data::ADD_NEW_REC(*t);
    put_room_row(*t, business, room);
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(db, t);
    tx.commit();
    return true;
}

long recode_room_reservations(data::Db& db, const std::string& business,
                              const std::string& old_code, const std::string& new_code,
                              WaitWindow* wait) {
    return recode_by_order(db, "SPA_RESE", "SPA_RESE12", {business, old_code}, "COD_SALA", new_code,
                           wait);
}

bool modify_room(data::Db& db, UserPort& port, const std::string& business,
                 const std::string& old_code, const SpaRoom& room) {
    if (auto problem = check_room(room); !problem.empty()) return refuse(port, problem);
    const std::string old_c = normal_code(old_code), new_c = normal_code(room.code);
    const bool recode = old_c != new_c;
    const auto before = read_room(db, business, old_c);
    if (!before) return refuse(port, room_gone(old_c));
    const bool lowered = room.capacity < before->capacity;
    if (lowered) {
        if (auto problem = lowered_capacity_problem(db, business, old_c, room.capacity);
            !problem.empty())
            return refuse(port, problem);
    }
    if (recode) {
        if (key_exists(db, "SPA_SALA", "SPA_SALA", {business, new_c}))
            return refuse(port, kRoomDuplicate);
        if (!port.confirm("Advertencia", std::string(kRoomRecodeAsk) + "\rCódigo anterior: " +
                                             old_c + "\rCódigo nuevo: " + new_c))
            return false;
    }
    auto wait = recode ? port.wait("Un momento por favor...") : nullptr;
    try {
        data::Transaction tx(db);
        data::Table t = data::USE(db, "SPA_SALA", "SPA_SALA");
        // Another workstation may have deleted or re-coded it since: nothing is written.
        if (!lock_at_key(*t, room_key(business, old_c))) {
            data::KILLTABLA(db, t);
            tx.commit();  // nothing was written
            return refuse(port, room_gone(old_c));
        }
        // Again under the room's lock, which every booking takes too: none can slip in now.
        if (lowered) {
            if (auto problem = lowered_capacity_problem(db, business, old_c, room.capacity);
                !problem.empty()) {
                data::UNLOCK_FOR_MODIFY(*t);
                data::KILLTABLA(db, t);
                tx.commit();  // nothing was written
                return refuse(port, problem);
            }
        }
        put_room_row(*t, business, room);
        data::UNLOCK_FOR_MODIFY(*t);
        data::KILLTABLA(db, t);
        if (recode) {
            wait->put_text(kRoomRecodeWait);
            recode_room_reservations(db, business, old_c, new_c, wait.get());
        }
        tx.commit();
    } catch (const data::TransactionAborted&) {
        return refuse(port, kRecodeAborted);
    }
    return true;
}

bool delete_room(data::Db& db, UserPort& port, const std::string& business,
                 const std::string& code) {
    const std::string c = normal_code(code);
    if (has_coming_reservations(db, business, c)) return refuse(port, kRoomHasBookings);
    if (!port.confirm("Advertencia",
                      "Al eliminar la Sala las estadísticas perderán su referencia; lo más seguro "
                      "es bloquearla en lugar de eliminarla.\r¿Desea eliminar la Sala " +
                          c + "?"))
        return false;
    data::Transaction tx(db);
    data::Table t = data::USE(db, "SPA_SALA", "SPA_SALA");
    const bool found = lock_at_key(*t, room_key(business, c));
    // A booking holds the room's lock until it is saved: only now are all of them in sight.
    const bool booked = found && has_coming_reservations(db, business, c);
    if (found && !booked) t->Delete();
    if (found) data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(db, t);
    tx.commit();
    if (booked) return refuse(port, kRoomHasBookings);
    return found;
}

}  // namespace qz::domain::spa
