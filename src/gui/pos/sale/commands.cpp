#include "gui/pos/sale/commands.h"

#include "gui/pos/sale/fac_pos.h"
#include "gui/session/app_context.h"
#include "gui/shell/principal.h"

namespace qz::gui {

void register_sale_commands(Principal& w, AppContext& ctx) {
    w.register_command(kCmdPointOfSale, [&w, &ctx] {
        open_fac_pos(&w, *ctx.db, ctx.session, ctx.ini.get(), domain::pos::SaleMode{});
    });
}

}  // namespace qz::gui
