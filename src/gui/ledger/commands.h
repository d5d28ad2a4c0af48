#pragma once
// The receivables ledger's menu commands: its set-up under "Archivo › Mantenimientos" (active
// months, currencies and rates, number series) and the "Cuentas por Cobrar" menu.
namespace qz::gui {

class Principal;
struct AppContext;

void register_ledger_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
