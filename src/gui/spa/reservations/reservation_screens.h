#pragma once
// The spa reservation screens: the form SPA_RESE, the registered reservations SPA_HIST and the
// reservations of one agenda slot VER_SRES.
#include <functional>
#include <string>

#include "core/date.h"
#include "domain/spa/reservations/reservation.h"

class QWidget;

namespace qz::gui {

struct AppContext;
class WDIAG;

// A new reservation for the room, day and start time of an agenda cell.
void open_new_reservation(QWidget* owner, AppContext& ctx, const std::string& room, Date date,
                          const std::string& start);
// The reservations of a room ("TODAS": every room) whose period holds the time on the day.
void open_slot_reservations(QWidget* owner, AppContext& ctx, const std::string& room, Date date,
                            const std::string& time);
// The form over a saved reservation, for changing or consulting it.
WDIAG* open_reservation_form(QWidget* owner, AppContext& ctx, const std::string& code,
                             domain::spa::FormMode mode);
// The registered reservations (command 6429).
WDIAG* open_spa_hist(QWidget* owner, AppContext& ctx);

// Queues the confirmation mail of a reservation (writing the default template first when the
// installation has none). True when queued; `queued` gets the moment it was queued.
bool queue_confirmation(AppContext& ctx, const domain::spa::SpaHeader& h,
                        const std::vector<domain::spa::SpaLine>& lines, DateTime* queued = nullptr);
// "Reenviar Email": queues it again and waits for the mail service to send it.
void resend_confirmation(AppContext& ctx, const std::string& code);
// Cancels after the question; true when cancelled.
bool cancel_from_list(AppContext& ctx, const std::string& code, const std::string& question);
// "Facturar": the point-of-sale screen as a spa sale of the reservation; `refresh` runs when it
// closes.
void invoice_reservation(QWidget* owner, AppContext& ctx, const std::string& code,
                         std::function<void()> refresh);

}  // namespace qz::gui
