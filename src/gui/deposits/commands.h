#pragma once
// The menu "Depósitos": "Registro de Depósitos" (6705), "Personas que Depositan" (6706) and
// "Conceptos de Depósito" (6700), each list with its "Editar" operations, and "Reservaciones
// del Hotel" (6701).
namespace qz::gui {

class Principal;
struct AppContext;

void register_deposit_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
