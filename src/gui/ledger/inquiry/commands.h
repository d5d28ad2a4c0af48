#pragma once
// "Cuentas por Cobrar › Consultas": the customer inquiry RES_CXC (6508).
namespace qz::gui {

class Principal;
struct AppContext;

void register_inquiry_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
