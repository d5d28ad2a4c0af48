#include "gui/ledger/collections/commands.h"

#include "gui/ledger/collections/auto_collection_screen.h"
#include "gui/session/app_context.h"
#include "gui/shell/principal.h"

namespace qz::gui {

void register_collection_commands(Principal& w, AppContext& ctx) {
    w.register_command(6518, [&w, &ctx] {
        open_auto_collection(&w, *ctx.db, ctx.session.XU_COMP, ctx.ini.get());
    });
}

}  // namespace qz::gui
