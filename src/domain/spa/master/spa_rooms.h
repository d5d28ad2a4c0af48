#pragma once
// Treatment rooms of the spa (SPA_SALA): adding, changing and deleting them. A room's code is
// kept by every reservation made in it, so changing the code re-codes them in the same
// transaction that renames the room (SPA_ESAL).
#include <optional>
#include <string>

#include "core/user_port.h"
#include "data/db.h"

namespace qz::domain::spa {

inline constexpr size_t kRoomCodeWidth = 4;

struct SpaRoom {
    std::string code;
    std::string name;      // DESCRIP
    long capacity = 0;     // CAPAC_MAX: persons at the same time
    bool blocked = false;  // BLOQUEADO: offered no more, kept for the statistics
};

std::optional<SpaRoom> read_room(data::Db& db, const std::string& business,
                                 const std::string& code);

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
// at nothing). True when deleted.
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

}  // namespace qz::domain::spa
