#pragma once
// The spa's menu commands: the agenda and its reports, the reservations, and the spa's code
// tables ("Servicios Adicionales").
namespace qz::gui {

class Principal;
struct AppContext;

void register_spa_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
