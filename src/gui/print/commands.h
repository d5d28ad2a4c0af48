#pragma once
// The print engine in the running application: the session's environment for print jobs, and
// the printer profiles screen (command 2782).
namespace qz::gui {

class Principal;
struct AppContext;

void register_print_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
