#pragma once
// The customer master's menu commands and the "Editar" operations of its screens.
namespace qz::gui {

class Principal;
struct AppContext;

void register_customer_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
