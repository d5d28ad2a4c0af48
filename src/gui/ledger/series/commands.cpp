#include "gui/ledger/series/commands.h"

#include "gui/ledger/series/series_screens.h"
#include "gui/session/app_context.h"
#include "gui/shell/principal.h"

namespace qz::gui {

void register_series_commands(Principal& w, AppContext& ctx) {
    w.register_command(kCmdSeries, [&w, &ctx] {
        open_series_maintenance(&w, *ctx.db, ctx.session.XU_COMP);
    });
}

}  // namespace qz::gui
