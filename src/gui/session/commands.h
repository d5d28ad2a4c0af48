#pragma once
// The session's commands of the "&Archivo" menu: "Usuarios" (2000).
namespace qz::gui {

class Principal;
struct AppContext;

void register_session_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
