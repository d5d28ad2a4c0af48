#pragma once
// The ledger's set-up commands: "Meses Activos Módulos" (2915) and the payment set-up of
// "Cuentas por Cobrar › Pagos" (6502 to 6504) with their "Editar" operations.
namespace qz::gui {

class Principal;
struct AppContext;

void register_setup_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
