#include "gui/spa/agenda/commands.h"

#include "gui/session/app_context.h"
#include "gui/shell/principal.h"
#include "gui/spa/agenda/agenda_reports.h"
#include "gui/spa/agenda/agenda_screen.h"

namespace qz::gui {

namespace {

enum Command { kSpaAgenda = 6415, kAgendaReport = 6436, kAgentReport = 6437 };

}  // namespace

void register_spa_agenda_commands(Principal& w, AppContext& ctx) {
    w.register_command(kSpaAgenda, [&ctx, &w] {
        open_spa_agenda(&w, *ctx.db, ctx.session.XU_COMP, ctx.clock, *ctx.navigation);
    });
    w.register_command(kAgendaReport, [&ctx, &w] {
        open_agenda_report(&w, *ctx.db, ctx.session.XU_COMP, ctx.clock, AgendaReportKind::ByRoom);
    });
    w.register_command(kAgentReport, [&ctx, &w] {
        open_agenda_report(&w, *ctx.db, ctx.session.XU_COMP, ctx.clock, AgendaReportKind::ByAgent);
    });
}

}  // namespace qz::gui
