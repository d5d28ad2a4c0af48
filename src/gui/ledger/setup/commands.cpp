#include "gui/ledger/setup/commands.h"

#include "gui/ledger/setup/accounting_screens.h"
#include "gui/ledger/setup/active_month_dialog.h"
#include "gui/ledger/setup/payment_setup_screens.h"
#include "gui/ledger/setup/period_dialog.h"
#include "gui/session/app_context.h"
#include "gui/shell/principal.h"

namespace qz::gui {

namespace {

using Opener = MasterListScreen* (*)(QWidget*, data::Db&, const std::string&);

void list_command(Principal& w, AppContext& ctx, int id, Opener open, const std::string& table) {
    w.register_command(id, [&w, &ctx, open] { open(&w, *ctx.db, ctx.session.XU_COMP); });
    register_list_operations(w, table);
}

}  // namespace

void register_list_operations(Principal& w, const std::string& table) {
    // The "Editar" operations of a list act on whichever list screen is active.
    const std::pair<const char*, void (MasterListScreen::*)()> ops[] = {
        {"ADD_", &MasterListScreen::ADD},
        {"MOD_", &MasterListScreen::MOD},
        {"DEL_", &MasterListScreen::DEL}};
    for (const auto& [prefix, op] : ops)
        w.register_operation(prefix + table, [op](QWidget* screen) {
            if (auto* list = as_master_list(screen)) (list->*op)();
        });
}

void register_setup_commands(Principal& w, AppContext& ctx) {
    w.register_command(2915, [&w, &ctx] { edit_active_month(&w, *ctx.db, ctx.session.XU_COMP); });
    list_command(w, ctx, 6502, &open_payment_concepts, "CONCEPT2");
    list_command(w, ctx, 6503, &open_payment_methods, "TIPO_MOV");
    list_command(w, ctx, 6504, &open_receipt_blocks, "T_RECIBO");
    list_command(w, ctx, 6510, &open_ledger_accounts, "CUENTAS");
    list_command(w, ctx, 6511, &open_ledger_links, "LIGAS");
    w.register_operation("DIS_LIGAS", [](QWidget* screen) {
        if (auto* list = as_master_list(screen)) list->ACTION(kDistribution);
    });
    list_command(w, ctx, 6512, &open_journal_classes, "CLAS_CON");
    w.register_command(6516,
                       [&w, &ctx] { edit_accounting_period(&w, *ctx.db, ctx.session.XU_COMP); });
    w.register_command(6513, [&w, &ctx] { open_voucher_viewer(&w, *ctx.db, ctx.session.XU_COMP); });
}

}  // namespace qz::gui
