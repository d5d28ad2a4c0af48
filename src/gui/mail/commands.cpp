#include "gui/mail/commands.h"

#include "gui/mail/mail_screens.h"
#include "gui/session/app_context.h"
#include "gui/shell/principal.h"

namespace qz::gui {

namespace {

enum Command { kMailSettings = 2987, kMailLog = 6282 };

}  // namespace

void register_mail_commands(Principal& w, AppContext& ctx) {
    w.register_command(kMailSettings,
                       [&ctx, &w] { open_mail_settings(&w, *ctx.db, ctx.settings, ctx.home); });
    w.register_command(kMailLog, [&ctx, &w] { open_mail_log(&w, *ctx.db); });
}

}  // namespace qz::gui
