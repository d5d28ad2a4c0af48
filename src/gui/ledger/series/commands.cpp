#include "gui/ledger/series/commands.h"

#include "gui/ledger/series/series_screens.h"
#include "gui/session/app_context.h"
#include "gui/shell/principal.h"

namespace qz::gui {

void register_series_commands(Principal& w, AppContext& ctx) {
    w.register_command(kCmdSeries, [&w, &ctx] {
        open_series_maintenance(&w, *ctx.db, ctx.session.XU_COMP);
    });
    // "Editar" acts on the series tree when it is the active screen.
    const std::pair<const char*, void (MANT_SER::*)()> ops[] = {{"ADD_SERIALES", &MANT_SER::ADD},
                                                                {"MOD_SERIALES", &MANT_SER::MOD},
                                                                {"DEL_SERIALES", &MANT_SER::DEL}};
    for (const auto& [name, op] : ops)
        w.register_operation(name, [op](QWidget* screen) {
            if (auto* tree = dynamic_cast<MANT_SER*>(screen)) (tree->*op)();
        });
}

}  // namespace qz::gui
