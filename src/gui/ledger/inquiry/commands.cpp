#include "gui/ledger/inquiry/commands.h"

#include "gui/ledger/inquiry/inquiry_screen.h"
#include "gui/session/app_context.h"
#include "gui/shell/principal.h"

namespace qz::gui {

void register_inquiry_commands(Principal& w, AppContext& ctx) {
    w.register_command(6508, [&w, &ctx] {
        open_customer_inquiry(&w, *ctx.db, ctx.session.XU_COMP, ctx.session.XUSER_ABREVIA);
    });
}

}  // namespace qz::gui
