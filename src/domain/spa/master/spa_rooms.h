#pragma once
// Treatment rooms of the spa (SPA_SALA): adding, changing and deleting them. A room's code is
// kept by every reservation made in it, so changing the code re-codes them in the same
// transaction that renames the room (SPA_ESAL).
#include <optional>
#include <string>
#include <vector>

#include "core/user_port.h"
#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::domain::spa {

struct SpaRoom {
    std::string code;
    std::string name;      // DESCRIP
    long capacity = 0;     // CAPAC_MAX: persons at the same time
    bool blocked = false;  // BLOQUEADO: offered no more, kept for the statistics
};

// The one place that knows a room's row: every reader and writer of SPA_SALA goes through these.
SpaRoom room_from_row(const data::WDBTable& t);
void put_room_row(data::WDBTable& t, const std::string& business, const SpaRoom& r);
// The room's key in SPA_SALA.
std::string room_key(const std::string& business, const std::string& code);

std::optional<SpaRoom> read_room(data::Db& db, const std::string& business,
                                 const std::string& code);
// Every room of the business in code order, blocked ones too.
std::vector<SpaRoom> business_rooms(data::Db& db, const std::string& business);

// What is wrong with a room form, in the order the form asks for it; "" when nothing.
std::string check_room(const SpaRoom& room);

// ADD_SPA_SALA. Refuses (through `port`) a form that fails check_room or a code already
// defined. True when the room was added.
bool add_room(data::Db& db, UserPort& port, const std::string& business, const SpaRoom& room);

// MOD_SPA_SALA of the room `old_code`. A new code asks first whether to re-code every
// reference; the room and all the business's reservations in it are rewritten in one
// transaction, so a failure midway leaves everything as it was. True when saved.
bool modify_room(data::Db& db, UserPort& port, const std::string& business,
                 const std::string& old_code, const SpaRoom& room);

// DEL_SPA_SALA. Warns that the statistics lose the room and that blocking it is the safer
// choice; a room with active reservations from today on cannot be deleted (they would point
// at nothing). Those are looked for again once the room is locked, so a booking that held the
// room meanwhile is seen. True when deleted.
bool delete_room(data::Db& db, UserPort& port, const std::string& business,
                 const std::string& code);

// Rewrites COD_SALA of every reservation of the business from `old_code` to `new_code`, in the
// caller's transaction. Returns how many.
long recode_room_reservations(data::Db& db, const std::string& business,
                              const std::string& old_code, const std::string& new_code,
                              WaitWindow* wait = nullptr);

// Texts the rules show.
inline constexpr const char* kRoomDuplicate = "Código de Sala ya definido...";
inline constexpr const char* kRoomRecodeAsk =
    "Ha modificado el código de Sala por lo que se procederá con la recodificación de todas las "
    "referencias.";
inline constexpr const char* kRoomRecodeWait = "Actualizando Salas en Reservas...";
inline constexpr const char* kRoomBlocked =
    "La Sala está bloqueada y no admite nuevas reservaciones.";
inline constexpr const char* kRoomHasBookings =
    "La Sala tiene reservas activas de hoy en adelante y no se puede eliminar. Puede bloquearla "
    "para que no se ofrezca más.";
// "La Sala " + code + " ya no existe..."
std::string room_gone(const std::string& code);

}  // namespace qz::domain::spa
