#pragma once
// The spa reservation commands: "Reservas Registradas" (6429) and its "Editar" operations.
namespace qz::gui {

class Principal;
struct AppContext;

void register_spa_reservations_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
