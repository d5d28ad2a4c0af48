#include "gui/ledger/payments/commands.h"

#include "gui/ledger/payments/payment_screens.h"
#include "gui/session/app_context.h"
#include "gui/shell/principal.h"

namespace qz::gui {

void register_payment_commands(Principal& w, AppContext& ctx) {
    w.register_command(
        6509, [&w, &ctx] { open_payment_window(&w, *ctx.db, ctx.session.XU_COMP, ctx.ini.get()); });
    w.register_command(6517,
                       [&w, &ctx] { open_payment_annulment(&w, *ctx.db, ctx.session.XU_COMP); });
}

}  // namespace qz::gui
