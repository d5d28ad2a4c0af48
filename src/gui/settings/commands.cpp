#include "gui/settings/commands.h"

#include <QApplication>

#include "gui/session/app_context.h"
#include "gui/session/password_dialogs.h"
#include "gui/session/session_context.h"
#include "gui/settings/about_boxes.h"
#include "gui/settings/settings_dialogs.h"
#include "gui/shell/look.h"
#include "gui/shell/principal.h"

namespace qz::gui {

namespace {

enum Command { kSysFont = 2152, kSysDb = 2539, kPasswordChange = 2904, kClockChoice = 4660 };

}  // namespace

void register_settings_commands(Principal& w, AppContext& ctx) {
    w.register_command(kSysFont, [&ctx, &w] { open_sys_font(&w, *ctx.db, ctx.settings); });
    w.register_command(kSysDb, [&ctx, &w] {
        // New interface colours take effect at once.
        if (open_sys_db(&w, *ctx.db, ctx.settings))
            apply_look(*qApp, ctx.settings.XO_COLOUR, ctx.settings.XH_COLOUR);
    });
    w.register_command(kClockChoice, [&ctx, &w] { open_fec_hora(&w, ctx.settings, ctx.clock); });
    w.register_command(kPasswordChange, [&ctx, &w] {
        CH_PASSWD(SessionContext{*ctx.db, ctx.port, ctx.session, ctx.settings, *ctx.ini}, &w);
    });
    PrincipalHooks& h = w.hooks();
    h.about = [&ctx, &w] { open_about(&w, ctx.session.USER_NAME); };
    h.ads_config = [&ctx, &w] { open_ads_config(&w, server_info(*ctx.db)); };
}

}  // namespace qz::gui
