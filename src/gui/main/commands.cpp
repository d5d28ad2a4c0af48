// The menu commands that have a screen in this build, and the "Editar" operations they offer.
// A command not registered here stays greyed in the menu until its screen exists.
#include <QApplication>

#include "domain/session/rights.h"
#include "gui/logs/log_viewers.h"
#include "gui/main/app_context.h"
#include "gui/main/commands_mail.h"
#include "gui/main/commands_print.h"
#include "gui/main/commands_spa_agenda.h"
#include "gui/main/commands_spa_master.h"
#include "gui/main/commands_spa_reservations.h"
#include "gui/main/look.h"
#include "gui/main/principal.h"
#include "gui/main/start_steps.h"
#include "gui/session/password_dialogs.h"
#include "gui/session/rights_tree.h"
#include "gui/session/session_context.h"
#include "gui/session/users_screen.h"
#include "gui/settings/about_boxes.h"
#include "gui/settings/settings_dialogs.h"

namespace qz::gui {

namespace {

// Command ids of the "&Archivo" menu and the module's start command.
enum Command {
    kUsers = 2000,
    kSysFont = 2152,
    kSysDb = 2539,
    kErrorLog = 2588,
    kSessionLog = 2590,
    kPasswordChange = 2904,
    kRollbackLog = 4146,
    kClockChoice = 4660,
};

void register_settings(Principal& w, AppContext& ctx) {
    w.register_command(kSysFont, [&ctx, &w] { open_sys_font(&w, *ctx.db, ctx.settings); });
    w.register_command(kSysDb, [&ctx, &w] {
        // New interface colours take effect at once.
        if (open_sys_db(&w, *ctx.db, ctx.settings))
            apply_look(*qApp, ctx.settings.XO_COLOUR, ctx.settings.XH_COLOUR);
    });
    w.register_command(kClockChoice,
                       [&ctx, &w] { open_fec_hora(&w, ctx.settings, ctx.clock); });
    w.register_command(kPasswordChange, [&ctx, &w] {
        CH_PASSWD(SessionContext{*ctx.db, ctx.port, ctx.session, ctx.settings, *ctx.ini}, &w);
    });
}

void register_logs(Principal& w, AppContext& ctx) {
    w.register_command(kErrorLog, [&ctx, &w] { open_view_errors(&w, *ctx.db); });
    w.register_command(kSessionLog, [&ctx, &w] { open_view_sessions(&w, *ctx.db); });
    w.register_command(kRollbackLog, [&ctx, &w] { open_view_rollbacks(&w, *ctx.db); });
    w.register_operation("LIMPIAR_LOG", [](QWidget* screen) { LIMPIAR_LOG(screen); });
}

}  // namespace

void register_commands(Principal& w, AppContext& ctx) {
    register_settings(w, ctx);
    register_logs(w, ctx);
    register_mail_commands(w, ctx);
    register_print_commands(w, ctx);
    w.register_command(kUsers, [&ctx, &w] {
        open_users_screen(&w, *ctx.db, ctx.session.XU_COMP, ctx.home);
    });
    register_spa_agenda_commands(w, ctx);
    register_spa_reservations_commands(w, ctx);
    register_spa_master_commands(w, ctx);
    PrincipalHooks& h = w.hooks();
    h.about = [&ctx, &w] { open_about(&w, ctx.session.USER_NAME); };
    h.ads_config = [&ctx, &w] { open_ads_config(&w, server_info(*ctx.db)); };
    h.usage_viewer = [&ctx, &w](int id) { open_log_diag(&w, *ctx.db, ctx.session.XU_COMP, id); };
}

}  // namespace qz::gui
