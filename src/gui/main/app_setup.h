#pragma once
// How the application puts a session together: the services screens reach through the session,
// and the menu commands of every subsystem.
#include "gui/session/app_context.h"

namespace qz::gui {

// After a login or a change of business: what grids, exports, mail and the error handler take
// from the session (session_services.cpp).
void install_session_services(AppContext& ctx);
// When the session ends: nothing shared by the framework (hooks, print context, main window)
// points into it any more.
void remove_session_services();

// The commands of the menu that have a screen: each subsystem registers its own (commands.cpp).
void register_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
