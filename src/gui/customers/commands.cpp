#include "gui/customers/commands.h"

#include "gui/customers/credit_screens.h"
#include "gui/customers/customer_list.h"
#include "gui/customers/customer_log_window.h"
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

// The credit authorisation screens beside the credit control, with their "Editar" operations.
void credit_commands(Principal& w, AppContext& ctx) {
    w.register_command(6588, [&w, &ctx] {
        open_pre_authorisations(&w, *ctx.db, ctx.session.XU_COMP, ctx.session.XUSER_ABREVIA);
    });
    w.register_command(6589, [&w, &ctx] {
        open_blocks(&w, *ctx.db, ctx.session.XU_COMP, ctx.session.XUSER_ABREVIA);
    });
    w.register_command(6590, [&w, &ctx] {
        open_remote_approvals(&w, *ctx.db, ctx.session.XU_COMP, ctx.session.XUSER_ABREVIA);
    });
    w.register_command(6591, [&w, &ctx] { run_credit_keys(&w, *ctx.db, ctx.session.XU_COMP); });
    const std::pair<const char*, void (MasterListScreen::*)()> list_ops[] = {
        {"ADD_AUT_CRED", &MasterListScreen::ADD}, {"MOD_AUT_CRED", &MasterListScreen::MOD},
        {"DEL_AUT_CRED", &MasterListScreen::DEL}, {"ADD_BLQ", &MasterListScreen::ADD},
        {"MOD_BLQ", &MasterListScreen::MOD},      {"DEL_BLQ", &MasterListScreen::DEL}};
    for (const auto& [name, op] : list_ops)
        w.register_operation(name, [op](QWidget* screen) {
            if (auto* list = as_master_list(screen)) (list->*op)();
        });
    const std::pair<const char*, void (RemoteApprovalScreen::*)()> answers[] = {
        {"APROBAR", &RemoteApprovalScreen::APROBAR}, {"RECHAZAR", &RemoteApprovalScreen::RECHAZAR}};
    for (const auto& [name, op] : answers)
        w.register_operation(name, [op](QWidget* screen) {
            if (auto* approvals = as_remote_approvals(screen)) (approvals->*op)();
        });
}

// An "Editar" operation of the customer-log window.
void log_operation(Principal& w, const char* name, void (CustomerLogWindow::*op)()) {
    w.register_operation(name, [op](QWidget* screen) {
        if (auto* log = as_customer_log(screen)) (log->*op)();
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
    customer_operation(w, "PRINT_CLIENTES", &CustomerListScreen::PRINT_CLIENTES);
    customer_operation(w, "COPIAR_BITACORA", &CustomerListScreen::COPIAR_BITACORA);
    log_operation(w, "ADD_ITEM", &CustomerLogWindow::ADD_ITEM);
    log_operation(w, "MOD_ITEM", &CustomerLogWindow::MOD_ITEM);
    log_operation(w, "DEL_ITEM", &CustomerLogWindow::DEL_ITEM);
    register_satellite_operations(w);
    code_list_command(w, ctx, 6570, dc::CodeKind::Classification);
    code_list_command(w, ctx, 6571, dc::CodeKind::BranchClassification);
    code_list_command(w, ctx, 6572, dc::CodeKind::Category);
    code_list_command(w, ctx, 6573, dc::CodeKind::Zone);
    credit_commands(w, ctx);
}

}  // namespace qz::gui
