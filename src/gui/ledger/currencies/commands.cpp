#include "gui/ledger/currencies/commands.h"

#include "gui/ledger/currencies/currency_screens.h"
#include "gui/ledger/currencies/rates_window.h"
#include "gui/ledger/setup/commands.h"
#include "gui/lists/master_list.h"
#include "gui/session/app_context.h"
#include "gui/shell/principal.h"

namespace qz::gui {

void register_currency_commands(Principal& w, AppContext& ctx) {
    w.register_command(kCmdRateCheck,
                       [&w, &ctx] { open_rate_check(&w, *ctx.db, ctx.session.XU_COMP); });
    w.register_command(kCmdCurrencies,
                       [&w, &ctx] { open_currencies(&w, *ctx.db, ctx.session.XU_COMP); });
    w.register_command(kCmdRates, [&w, &ctx] {
        open_rates_window(&w, *ctx.db, ctx.session.XU_COMP, ctx.session.XUSER_ABREVIA);
    });
    w.register_command(kCmdDiffTypes,
                       [&w, &ctx] { open_diff_types(&w, *ctx.db, ctx.session.XU_COMP); });
    // "Editar" acts on the rates window when it is the active screen: its rates and its pairs.
    const std::pair<const char*, void (RatesWindow::*)()> rate_ops[] = {
        {"ADD_T_CAMBIO", &RatesWindow::ADD_TC}, {"MOD_T_CAMBIO", &RatesWindow::MOD_TC},
        {"DEL_T_CAMBIO", &RatesWindow::DEL_TC}, {"ADD_DET_MON", &RatesWindow::ADD_REF},
        {"MOD_DET_MON", &RatesWindow::MOD_REF}, {"DEL_DET_MON", &RatesWindow::DEL_REF}};
    for (const auto& [name, op] : rate_ops)
        w.register_operation(name, [op](QWidget* screen) {
            if (auto* rates = as_rates_window(screen)) (rates->*op)();
        });
    register_list_operations(w, "MONEDAS");
    register_list_operations(w, "COD_DIFF");
    w.register_command(kCmdRevaluation, [&w, &ctx] {
        open_revaluation_report(&w, *ctx.db, ctx.session.XU_COMP, ctx.clock);
    });
}

}  // namespace qz::gui
