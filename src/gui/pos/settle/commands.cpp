#include "gui/pos/settle/commands.h"

#include "gui/pos/settle/fac_canc.h"
#include "gui/session/app_context.h"
#include "gui/shell/principal.h"

namespace qz::gui {

void register_settle_commands(Principal& w, AppContext& ctx) {
    w.register_command(kCmdSettle,
                       [&w, &ctx] { open_fac_canc(&w, *ctx.db, ctx.session, ctx.ini.get()); });
}

}  // namespace qz::gui
