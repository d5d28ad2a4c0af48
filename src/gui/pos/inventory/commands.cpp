#include "gui/pos/inventory/commands.h"

#include "gui/lists/master_list.h"
#include "gui/pos/inventory/inventory_screens.h"
#include "gui/session/app_context.h"
#include "gui/shell/principal.h"

namespace qz::gui {

namespace {

using Opener = MasterListScreen* (*)(QWidget*, data::Db&, const std::string&);

void list_command(Principal& w, AppContext& ctx, int id, Opener open) {
    w.register_command(id, [&w, &ctx, open] { open(&w, *ctx.db, ctx.session.XU_COMP); });
}

}  // namespace

void register_inventory_commands(Principal& w, AppContext& ctx) {
    list_command(w, ctx, kCmdWarehouses, &open_warehouses);
    list_command(w, ctx, kCmdStock, &open_stock);
    list_command(w, ctx, kCmdInventoryConcepts, &open_inventory_concepts);
    list_command(w, ctx, kCmdInventoryMovements, &open_inventory_movements);
    w.register_command(kCmdManualMovement,
                       [&w, &ctx] { manual_movement_form(&w, *ctx.db, ctx.session.XU_COMP); });
}

}  // namespace qz::gui
