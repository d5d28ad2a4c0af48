#pragma once
// The confirmation mail of a spa reservation: what goes into the template, the default
// template itself, and the wait for the mail service to report it sent.
#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "core/user_port.h"
#include "data/db.h"
#include "domain/spa/reservations/reservation_record.h"

namespace qz::domain::spa {

inline constexpr const char* kConfirmTemplate = "SPA.HTM";
inline constexpr const char* kConfirmSubject = "SPA Reservation";
inline constexpr const char* kConfirmSent = "Confirmación de Reserva enviada con exito.";
// Queuing is not sending: the suite's mail service sends it later (the system's words for a mail
// left to the mail service).
inline constexpr const char* kConfirmQueued =
    "Confirmación de Reserva guardada en Espera por enviar por MAILSERVER";

struct Confirmation {
    std::string code, to, hotel;
    std::vector<std::pair<std::string, std::string>> fields;  // XDATE, XTIME, XINFO1, XINFO2, XUSUARIO
};

// The mail of a reservation: its date and start, the descriptions of its services (one a line),
// F_FAC.SPA_I_MAIL, the guest's address; plain text, which the queue escapes into the body (line
// breaks become "<br>").
Confirmation confirmation_of(data::Db& db, const std::string& business, const SpaHeader& h,
                             const std::vector<SpaLine>& lines);

// Writes the bilingual default template HTML/SPA.HTM of the installation when it is missing,
// so a confirmation never fails for want of one. False when it cannot be written.
bool ensure_spa_template(const std::string& home);
// The default template's text.
const std::string& default_spa_template();

// Whether E_MSGS (order E_MSGS8) holds a message to `to` with `subject`, sent, dated `date`
// and queued at `since` ("HH:MM:SS") or later.
bool confirmation_sent(data::Db& db, const std::string& business, const std::string& to,
                       const std::string& subject, const Date& date, const std::string& since);

struct SentWait {
    std::chrono::milliseconds poll{1000};
    std::chrono::milliseconds timeout{60000};
};
// Shows the wait window and looks once every poll for the message sent; tells the user the
// outcome ("Confirmación de Reserva enviada con exito." + number, or the time-out reasons).
// True when it was sent.
bool wait_confirmation_sent(data::Db& db, UserPort& port, const std::string& business,
                            const Confirmation& c, const DateTime& queued, SentWait w = {});
// The time-out message.
std::string confirmation_timeout_text();

}  // namespace qz::domain::spa
