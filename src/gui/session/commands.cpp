#include "gui/session/commands.h"

#include "gui/session/app_context.h"
#include "gui/session/users_screen.h"
#include "gui/shell/principal.h"

namespace qz::gui {

namespace {

enum Command { kUsers = 2000 };

}  // namespace

void register_session_commands(Principal& w, AppContext& ctx) {
    w.register_command(
        kUsers, [&ctx, &w] { open_users_screen(&w, *ctx.db, ctx.session.XU_COMP, ctx.home); });
}

}  // namespace qz::gui
