#include "gui/spa/reservations/commands.h"

#include <QPointer>

#include "domain/spa/reservations/invoice_release.h"
#include "domain/spa/reservations/reservation_actions.h"
#include "gui/framework/qt_user_port.h"
#include "gui/ledger/documents/annulment_screens.h"
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

// "Facturar" (6435) opens the point-of-sale screen as a spa sale of the reservation. "Anular
// Factura" (6434) annuls the reservation's invoice, which frees the reservation (the spa listens
// to the ledger's annulments from the start).
void register_spa_reservations_commands(Principal& w, AppContext& ctx) {
    domain::spa::listen_to_document_annulments();
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
    w.register_operation("FACTURAR", [&ctx](QWidget* screen) {
        if (auto* h = hist(screen)) {
            // The list may be closed before the sale screen is.
            QPointer<QWidget> list(screen);
            invoice_reservation(screen, ctx, h->current_code(), [list] {
                if (auto* l = list ? hist(list) : nullptr) l->refresh();
            });
        }
    });
    w.register_operation("ANL_FACTCXC", [&ctx](QWidget* screen) {
        auto* h = hist(screen);
        if (!h) return;
        QtUserPort port(screen);
        const auto invoice = domain::spa::check_invoice_annulment(
            *ctx.db, port, ctx.session.XU_COMP, h->current_code());
        if (invoice && annul_document_dialog(screen, *ctx.db, ctx.session.XU_COMP,
                                             ctx.session.XUSER_ABREVIA, *invoice))
            h->refresh();
    });
}

}  // namespace qz::gui
