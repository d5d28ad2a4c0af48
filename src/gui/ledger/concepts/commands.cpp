#include "gui/ledger/concepts/commands.h"

#include "gui/ledger/concepts/concept_screens.h"
#include "gui/session/app_context.h"
#include "gui/shell/principal.h"

namespace qz::gui {

void register_concept_commands(Principal& w, AppContext& ctx) {
    w.register_command(6514,
                       [&w, &ctx] { open_document_concepts(&w, *ctx.db, ctx.session.XU_COMP); });
    // The operations act on whichever concept window is active.
    const std::pair<const char*, void (ConceptListScreen::*)()> ops[] = {
        {"ADD_CONCEPT1", &ConceptListScreen::ADD},
        {"MOD_CONCEPT1", &ConceptListScreen::MOD},
        {"DEL_CONCEPT1", &ConceptListScreen::DEL}};
    for (const auto& [name, op] : ops)
        w.register_operation(name, [op](QWidget* screen) {
            if (auto* list = dynamic_cast<ConceptListScreen*>(screen)) (list->*op)();
        });
}

}  // namespace qz::gui
