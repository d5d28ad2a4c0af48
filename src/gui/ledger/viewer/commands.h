#pragma once
// The document viewer's command (6505) and its "Editar" operations.

namespace qz::gui {

class Principal;
struct AppContext;

void register_viewer_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
