#pragma once
// The ledger's set-up commands: "Meses Activos Módulos" (2915), the payment set-up of
// "Cuentas por Cobrar › Pagos" (6502 to 6504) and its "Contabilidad" (accounts, links, journal
// classes, 6510 to 6512, the accounting period, 6516, and the voucher viewer, 6513), with their
// "Editar" operations.
#include <string>

namespace qz::gui {

class Principal;
struct AppContext;

void register_setup_commands(Principal& w, AppContext& ctx);

// The "Editar" operations ADD_<table>, MOD_<table> and DEL_<table> of a code table's list screen.
void register_list_operations(Principal& w, const std::string& table);

}  // namespace qz::gui
