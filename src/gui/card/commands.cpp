#include "gui/card/commands.h"

#include <QCoreApplication>

#include "gui/card/card_screens.h"
#include "gui/lists/master_list.h"
#include "gui/session/app_context.h"
#include "gui/shell/principal.h"

namespace qz::gui {

namespace {

constexpr const char* kNoSettingsFile =
    "Esta estación no tiene archivo de configuración (QUARTZEN.INI): no se puede usar su "
    "asignación de Estación de tarjetas.";

// The station and the networks' libraries are this workstation's settings: without its file
// there is nothing to read them from.
bool has_settings(Principal& w, AppContext& ctx) {
    if (ctx.ini) return true;
    QtUserPort(&w).message(MsgStyle::Atencion, "Atencion", kNoSettingsFile);
    return false;
}

void register_closing(Principal& w, AppContext& ctx, int id, CardClosing which) {
    w.register_command(id, [&w, &ctx, which] {
        if (!has_settings(w, ctx)) return;
        // The simulators are built next to the programs.
        const std::filesystem::path dir = QCoreApplication::applicationDirPath().toStdString();
        open_card_closing(&w, *ctx.db, ctx.session.XU_COMP, *ctx.ini, dir, which);
    });
}

}  // namespace

void register_card_commands(Principal& w, AppContext& ctx) {
    w.register_command(kCmdCardStations,
                       [&w, &ctx] { open_card_stations(&w, *ctx.db, ctx.session.XU_COMP); });
    w.register_command(kCmdCardStationOfPc, [&w, &ctx] {
        if (has_settings(w, ctx)) open_station_of_pc(&w, *ctx.db, ctx.session.XU_COMP, *ctx.ini);
    });
    register_closing(w, ctx, kCmdCardClosingPosware, CardClosing::Posware);
    register_closing(w, ctx, kCmdCardPreClosingCredomatic, CardClosing::CredomaticReport);
    register_closing(w, ctx, kCmdCardClosingCredomatic, CardClosing::CredomaticSettlement);
    w.register_command(kCmdCardLog,
                       [&w, &ctx] { open_card_log(&w, *ctx.db, ctx.session.XU_COMP); });
}

}  // namespace qz::gui
