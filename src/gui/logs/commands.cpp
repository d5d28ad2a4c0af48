#include "gui/logs/commands.h"

#include "gui/logs/log_viewers.h"
#include "gui/session/app_context.h"
#include "gui/shell/principal.h"

namespace qz::gui {

namespace {

enum Command { kErrorLog = 2588, kSessionLog = 2590, kRollbackLog = 4146 };

}  // namespace

void register_log_commands(Principal& w, AppContext& ctx) {
    w.register_command(kErrorLog, [&ctx, &w] { open_view_errors(&w, *ctx.db); });
    w.register_command(kSessionLog, [&ctx, &w] { open_view_sessions(&w, *ctx.db); });
    w.register_command(kRollbackLog, [&ctx, &w] { open_view_rollbacks(&w, *ctx.db); });
    w.register_operation("LIMPIAR_LOG", [](QWidget* screen) { LIMPIAR_LOG(screen); });
    w.hooks().usage_viewer = [&ctx, &w](int id) {
        open_log_diag(&w, *ctx.db, ctx.session.XU_COMP, id);
    };
}

}  // namespace qz::gui
