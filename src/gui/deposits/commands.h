#pragma once
// The menu "Depósitos": "Conceptos de Depósito" (6700, with its "Editar" operations),
// "Consulta de Depósitos" (6707), "Reservaciones del Hotel" (6701) and the listings of
// "Reportes de Depósitos" (6708 to 6710).
namespace qz::gui {

class Principal;
struct AppContext;

void register_deposit_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
