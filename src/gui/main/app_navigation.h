#pragma once
// The application's links between screens: the session's Navigation, opening the screens of
// whichever folder a link leads to.
#include <memory>

#include "gui/session/app_context.h"

namespace qz::gui {

std::unique_ptr<Navigation> make_app_navigation(AppContext& ctx);

}  // namespace qz::gui
