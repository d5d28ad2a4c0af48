#pragma once
// The currency commands of the ledger: "Definición de Revisión de Tipos de Cambio" (2905),
// "Definición de Monedas" (2783), "Definición de Tipos de Cambio" (2901), "Tipos de
// Diferencial Cambiario" (6506) and "Reporte de Diferencial Cambiario" (6507).
namespace qz::gui {

class Principal;
struct AppContext;

void register_currency_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
