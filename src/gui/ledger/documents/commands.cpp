#include "gui/ledger/documents/commands.h"

#include "gui/ledger/documents/annulment_screens.h"
#include "gui/session/app_context.h"
#include "gui/shell/principal.h"

namespace qz::gui {

void register_document_commands(Principal& w, AppContext& ctx) {
    w.register_command(6519, [&w, &ctx] {
        open_document_annulment(&w, *ctx.db, ctx.session.XU_COMP, ctx.session.XUSER_ABREVIA);
    });
    w.register_command(6564, [&w, &ctx] {
        void_blank_invoice_dialog(&w, *ctx.db, ctx.session.XU_COMP, ctx.session.XUSER_ABREVIA);
    });
}

}  // namespace qz::gui
