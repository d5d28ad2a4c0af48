#include "gui/ledger/commands.h"

#include "gui/ledger/collections/commands.h"
#include "gui/ledger/concepts/commands.h"
#include "gui/ledger/currencies/commands.h"
#include "gui/ledger/documents/commands.h"
#include "gui/ledger/formats/commands.h"
#include "gui/ledger/inquiry/commands.h"
#include "gui/ledger/payments/commands.h"
#include "gui/ledger/series/commands.h"
#include "gui/ledger/setup/commands.h"
#include "gui/ledger/viewer/commands.h"

namespace qz::gui {

// Each folder of the ledger's screens registers its own commands here.
void register_ledger_commands(Principal& w, AppContext& ctx) {
    register_concept_commands(w, ctx);
    register_setup_commands(w, ctx);
    register_series_commands(w, ctx);
    register_currency_commands(w, ctx);
    register_format_commands(w, ctx);
    register_inquiry_commands(w, ctx);
    register_viewer_commands(w, ctx);
    register_document_commands(w, ctx);
    register_payment_commands(w, ctx);
    register_collection_commands(w, ctx);
}

}  // namespace qz::gui
