#pragma once
// The automatic collections of "Cuentas por Cobrar › Pagos": "Cobros Automáticos" (6518).
namespace qz::gui {

class Principal;
struct AppContext;

void register_collection_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
