#pragma once
// The spa agenda's commands: "Agenda" (6415, also the module's start command), and the reports
// "Agenda Spa" (6436) and "Agenda Spa por Encargado" (6437).
namespace qz::gui {

class Principal;
struct AppContext;

void register_spa_agenda_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
