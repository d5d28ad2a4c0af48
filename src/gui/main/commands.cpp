// The menu commands that have a screen in this build: each subsystem registers its own, with
// the "Editar" operations they offer. A command not registered stays greyed in the menu until
// its screen exists.
#include "gui/customers/commands.h"

#include "gui/card/commands.h"
#include "gui/cash/commands.h"
#include "gui/collections/commands.h"
#include "gui/deposits/commands.h"
#include "gui/ledger/commands.h"
#include "gui/logs/commands.h"
#include "gui/mail/commands.h"
#include "gui/main/app_setup.h"
#include "gui/pos/inventory/commands.h"
#include "gui/pos/returns/commands.h"
#include "gui/pos/sale/commands.h"
#include "gui/pos/settle/commands.h"
#include "gui/print/commands.h"
#include "gui/regular/commands.h"
#include "gui/regular/maintenance_screens.h"
#include "gui/session/commands.h"
#include "gui/settings/commands.h"
#include "gui/spa/commands.h"

namespace qz::gui {

void register_commands(Principal& w, AppContext& ctx) {
    register_settings_commands(w, ctx);
    register_log_commands(w, ctx);
    register_mail_commands(w, ctx);
    register_print_commands(w, ctx);
    register_session_commands(w, ctx);
    register_customer_commands(w, ctx);
    register_ledger_commands(w, ctx);
    register_inventory_commands(w, ctx);
    register_spa_commands(w, ctx);
    register_cash_commands(w, ctx);
    register_card_commands(w, ctx);
    register_sale_commands(w, ctx);
    register_settle_commands(w, ctx);
    register_return_commands(w, ctx);
    register_regular_commands(w, ctx);
    register_regular_maintenance_commands(w, ctx);
    register_deposit_commands(w, ctx);
    register_collection_stage_commands(w, ctx);
}

}  // namespace qz::gui
