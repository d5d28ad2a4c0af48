#include "gui/spa/reservations/commands.h"

#include "gui/session/app_context.h"
#include "gui/shell/principal.h"
#include "gui/spa/reservations/reservation_screens.h"
#include "gui/spa/reservations/spa_hist.h"

namespace qz::gui {

namespace {

enum Command { kSpaHist = 6429, kConsult = 6432 };

// The operation's screen when it is the registered-reservations list.
SpaHistScreen* hist(QWidget* screen) { return dynamic_cast<SpaHistScreen*>(screen); }

}  // namespace

// "Facturar" (6435) and "Anular Factura" (6434) open the point-of-sale screens, which this
// module does not have yet: they have no operation and stay greyed.
void register_spa_reservations_commands(Principal& w, AppContext& ctx) {
    w.register_command(kSpaHist, [&ctx, &w] { open_spa_hist(&w, ctx); });
    w.register_operation("ADD_RESERVA", [&ctx](QWidget* screen) {
        open_new_reservation(screen, ctx, "", ctx.db->clock().XDATE(), "");
    });
    w.register_operation("MOD_RESERVA", [&w](QWidget* screen) {
        if (auto* h = hist(screen))
            open_reservation_form(screen, h->context(), h->current_code(),
                                  w.XID_MENU() == kConsult ? domain::spa::FormMode::Consult
                                                           : domain::spa::FormMode::Modify);
    });
    w.register_operation("CANCEL_RESERVA", [](QWidget* screen) {
        if (auto* h = hist(screen))
            if (cancel_from_list(h->context(), h->current_code(), "Desea anular la reserva?"))
                h->refresh();
    });
    w.register_operation("SEND_CONFIRM", [](QWidget* screen) {
        if (auto* h = hist(screen)) resend_confirmation(h->context(), h->current_code());
    });
}

}  // namespace qz::gui
