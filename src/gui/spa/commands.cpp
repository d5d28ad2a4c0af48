#include "gui/spa/commands.h"

#include "gui/spa/agenda/commands.h"
#include "gui/spa/master/commands.h"
#include "gui/spa/reservations/commands.h"

namespace qz::gui {

void register_spa_commands(Principal& w, AppContext& ctx) {
    register_spa_agenda_commands(w, ctx);
    register_spa_reservations_commands(w, ctx);
    register_spa_master_commands(w, ctx);
}

}  // namespace qz::gui
