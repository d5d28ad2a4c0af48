#include "gui/ledger/formats/commands.h"

#include "gui/ledger/formats/format_list.h"
#include "gui/ledger/setup/commands.h"
#include "gui/session/app_context.h"
#include "gui/shell/principal.h"

namespace qz::gui {

void register_format_commands(Principal& w, AppContext& ctx) {
    w.register_command(kFormatListCommand, [&w, &ctx] {
        open_format_list(&w, *ctx.db, *ctx.ini, ctx.session.XU_COMP);
    });
    register_list_operations(w, "FORM_DOC");
    w.register_operation("DIS_FORM_DOC", [](QWidget* screen) {
        if (auto* list = as_master_list(screen)) list->ACTION(kDesignButton);
    });
}

}  // namespace qz::gui
