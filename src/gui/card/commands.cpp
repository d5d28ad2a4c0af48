#include "gui/card/commands.h"

#include "gui/session/app_context.h"
#include "gui/shell/principal.h"

namespace qz::gui {

void register_card_commands(Principal& w, AppContext& ctx) {
    (void)w;
    (void)ctx;
}

}  // namespace qz::gui
