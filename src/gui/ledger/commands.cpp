#include "gui/ledger/commands.h"

namespace qz::gui {

// Each folder of the ledger's screens registers its own commands here.
void register_ledger_commands(Principal& /*w*/, AppContext& /*ctx*/) {}

}  // namespace qz::gui
