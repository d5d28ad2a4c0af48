#include "gui/spa/master/commands.h"

#include "gui/session/app_context.h"
#include "gui/shell/principal.h"
#include "gui/lists/master_list.h"
#include "gui/spa/master/spa_master_screens.h"

namespace qz::gui {

namespace {

enum Command { kSpaParams = 6427, kSpaRooms = 6416, kAgents = 2831 };

using Opener = MasterListScreen* (*)(QWidget*, data::Db&, const std::string&);

void list_command(Principal& w, AppContext& ctx, int id, Opener open) {
    w.register_command(id, [&w, &ctx, open] { open(&w, *ctx.db, ctx.session.XU_COMP); });
}

// An "Editar" operation that runs on the active list screen.
void operation(Principal& w, const char* name, void (MasterListScreen::*op)()) {
    w.register_operation(name, [op](QWidget* screen) {
        if (auto* list = as_master_list(screen)) (list->*op)();
    });
}

}  // namespace

void register_spa_master_commands(Principal& w, AppContext& ctx) {
    w.register_command(kSpaParams, [&w, &ctx] {
        open_spa_params(&w, *ctx.db, ctx.session.XU_COMP, ctx.ini.get());
    });
    list_command(w, ctx, kSpaRooms, &open_spa_rooms);
    list_command(w, ctx, kAgents, &open_agents);
    list_command(w, ctx, kCmdSpaServices, &open_services);
    list_command(w, ctx, kCmdSpaSublines, &open_sublines);
    list_command(w, ctx, kCmdSpaPriceTypes, &open_price_types);
    list_command(w, ctx, kCmdSpaPriceLists, &open_price_lists);
    list_command(w, ctx, kCmdSpaSpecialPrices, &open_special_prices);
    operation(w, "ADD_SPA_SALA", &MasterListScreen::ADD);
    operation(w, "MOD_SPA_SALA", &MasterListScreen::MOD);
    operation(w, "DEL_SPA_SALA", &MasterListScreen::DEL);
    operation(w, "ADD_AGENTE", &MasterListScreen::ADD);
    operation(w, "MOD_AGENTE", &MasterListScreen::MOD);
    operation(w, "DEL_AGENTE", &MasterListScreen::DEL);
}

}  // namespace qz::gui
