#pragma once
// Writing a reservation. The room's SPA_SALA row is locked inside the transaction that checks
// the capacity and writes the reservation, so two workstations booking the same room at once
// are served one after the other and the second sees the first's persons.
#include <string>
#include <vector>

#include "data/db.h"
#include "domain/spa/reservations/reservation_record.h"

namespace qz::domain::spa {

struct BookingRequest {
    std::string business, user;
    SpaHeader header;  // header.code: the reservation being changed; blank for a new one
    std::vector<SpaLine> lines;
    bool is_new = true;
};

enum class BookingStatus {
    Saved,
    NoRoom,
    RoomBlocked,
    OverCapacity,
    NoSerial,
    CodeTaken,
    Missing,
    Closed,  // cancelled or invoiced since the form read it
};

struct BookingResult {
    BookingStatus status = BookingStatus::Saved;
    std::string code;     // the number saved under
    std::string message;  // the refusal as the user reads it
    std::vector<SpaLine> lines;  // the lines as saved (row numbers filled, deleted ones gone)
};

inline constexpr const char* kNoSerialMessage =
    "Falta definir el serial. No se puede asignar un número de reserva...";
inline constexpr const char* kCodeTakenMessage = "Este Codigo de Reservación ya existe...";
// Another workstation deleted the reservation while it was being changed.
inline constexpr const char* kMissingMessage = "La reserva ya no existe.";
// The reservation was cancelled or invoiced while it was on screen.
inline constexpr const char* kCancelledMeanwhile =
    "La reserva ya fue anulada; no se guardaron los cambios.";
inline constexpr const char* kInvoicedMeanwhile =
    "La reserva ya fue facturada; no se guardaron los cambios.";

// Checks the room's capacity and writes the header and lines, all in one transaction holding
// the room's lock. A new reservation takes the next number of F_FAC.SPA_SERIAL, state 1 and
// the registration stamp (user, XDATE, XTIME). A change takes from the request only what the
// form edits, and only while the saved reservation is still active. Everything is decided on
// the rows as they are once locked: a room deleted, re-coded or blocked meanwhile, or a
// reservation cancelled or invoiced meanwhile, is refused. Nothing is written when it is
// refused.
BookingResult book_reservation(data::Db& db, const BookingRequest& r);

}  // namespace qz::domain::spa
