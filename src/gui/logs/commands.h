#pragma once
// The logs of the "&Archivo" menu: errors (2588), sessions (2590) and rolled-back postings
// (4146), the "LIMPIAR_LOG" operation of their screens, and a supervisor's right click on a
// command showing who used its screen.
namespace qz::gui {

class Principal;
struct AppContext;

void register_log_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
