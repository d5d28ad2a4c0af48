#pragma once
// The menu "Depósitos": "Registro de Depósitos" (6705), "Personas que Depositan" (6706) and
// "Conceptos de Depósito" (6700), each list with its "Editar" operations, "Consulta de
// Depósitos" (6707), "Reservaciones del Hotel" (6701) and the listings of "Reportes de
// Depósitos" (6708 to 6710).
namespace qz::gui {

class Principal;
struct AppContext;

void register_deposit_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
