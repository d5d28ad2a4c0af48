#include "gui/pos/returns/commands.h"

#include "gui/ledger/viewer/document_viewer.h"
#include "gui/pos/returns/return_notes_screen.h"
#include "gui/session/app_context.h"
#include "gui/shell/principal.h"

namespace qz::gui {

void register_return_commands(Principal& w, AppContext& ctx) {
    w.register_command(kCmdReturnNotes,
                       [&w, &ctx] { open_return_notes(&w, *ctx.db, ctx.session.XU_COMP); });
    // The viewer sits below the point of sale, so the point of sale lends it this operation.
    w.register_operation("CREA_DEV", [&w, &ctx](QWidget* screen) {
        auto* viewer = as_document_viewer(screen);
        if (!viewer) return;
        if (const auto doc = viewer->chosen())
            open_return_of_document(&w, *ctx.db, ctx.session.XU_COMP, doc->number);
    });
}

}  // namespace qz::gui
