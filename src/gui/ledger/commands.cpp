#include "gui/ledger/commands.h"

#include "gui/ledger/currencies/commands.h"

namespace qz::gui {

// Each folder of the ledger's screens registers its own commands here.
void register_ledger_commands(Principal& w, AppContext& ctx) { register_currency_commands(w, ctx); }

}  // namespace qz::gui
