#include "gui/customers/commands.h"

#include "gui/customers/customer_list.h"
#include "gui/customers/customer_screens.h"
#include "gui/customers/satellite_screens.h"
#include "gui/lists/master_list.h"
#include "gui/session/app_context.h"
#include "gui/shell/principal.h"

namespace qz::gui {

namespace {

namespace dc = qz::domain::customers;

// A code table's list command and its ADD_/MOD_/DEL_ operations, which act on whichever list
// screen is active.
void code_list_command(Principal& w, AppContext& ctx, int id, dc::CodeKind kind) {
    w.register_command(
        id, [&w, &ctx, kind] { open_code_list(&w, *ctx.db, ctx.session.XU_COMP, kind); });
    const std::pair<const char*, void (MasterListScreen::*)()> ops[] = {
        {"ADD_", &MasterListScreen::ADD},
        {"MOD_", &MasterListScreen::MOD},
        {"DEL_", &MasterListScreen::DEL}};
    for (const auto& [prefix, op] : ops)
        w.register_operation(prefix + std::string(dc::code_table(kind)), [op](QWidget* screen) {
            if (auto* list = as_master_list(screen)) (list->*op)();
        });
}

// An "Editar" operation of the customer list; the ones not built yet stay unregistered, so their
// items are greyed.
void customer_operation(Principal& w, const char* name, void (CustomerListScreen::*op)()) {
    w.register_operation(name, [op](QWidget* screen) {
        if (auto* list = as_customer_list(screen)) (list->*op)();
    });
}

}  // namespace

void register_customer_commands(Principal& w, AppContext& ctx) {
    w.register_command(2833, [&w, &ctx] {
        open_customer_list(&w, *ctx.db, ctx.session.XU_COMP, ctx.session.XUSER_ABREVIA);
    });
    customer_operation(w, "ADD_CLIENTE", &CustomerListScreen::ADD_CLIENTE);
    customer_operation(w, "MOD_CLIENTE", &CustomerListScreen::MOD_CLIENTE);
    customer_operation(w, "DEL_CLIENTE", &CustomerListScreen::DEL_CLIENTE);
    customer_operation(w, "ACT_NAME", &CustomerListScreen::ACT_NAME);
    customer_operation(w, "RECALC_ASOCIADOS", &CustomerListScreen::RECALC_ASOCIADOS);
    customer_operation(w, "EXPORTAR_XLS", &CustomerListScreen::EXPORTAR_XLS);
    customer_operation(w, "LIM_CREDITO", &CustomerListScreen::LIM_CREDITO);
    customer_operation(w, "PRUEBA_CREDITO", &CustomerListScreen::PRUEBA_CREDITO);
    register_satellite_operations(w);
    code_list_command(w, ctx, 6570, dc::CodeKind::Classification);
    code_list_command(w, ctx, 6571, dc::CodeKind::BranchClassification);
    code_list_command(w, ctx, 6572, dc::CodeKind::Category);
    code_list_command(w, ctx, 6573, dc::CodeKind::Zone);
}

}  // namespace qz::gui
