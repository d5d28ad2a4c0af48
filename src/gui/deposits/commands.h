#pragma once
// The menu "Depósitos": "Conceptos de Depósito" (6700, with its "Editar" operations) and
// "Reservaciones del Hotel" (6701).
namespace qz::gui {

class Principal;
struct AppContext;

void register_deposit_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
