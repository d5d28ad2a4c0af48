#include "gui/collections/commands.h"

#include <tuple>

#include "domain/collections/stage_chain.h"
#include "gui/collections/collection_screen.h"
#include "gui/collections/stage_screens.h"
#include "gui/ledger/setup/commands.h"
#include "gui/session/app_context.h"
#include "gui/shell/principal.h"

namespace qz::gui {

void register_collection_stage_commands(Principal& w, AppContext& ctx) {
    w.register_command(kCmdCollectionScreen, [&w, &ctx] { open_collection_screen(&w, ctx); });
    w.register_command(kCmdCollectionStages, [&w, &ctx] {
        open_stages(&w, *ctx.db, ctx.session.XU_COMP, domain::kCollectionWorkflow,
                    kCollectionStageScreens);
    });
    register_list_operations(w, "ETAPAS_B");
    w.register_command(kCmdCollectionAuthorisers, [&w, &ctx] {
        open_stage_authorisers(&w, *ctx.db, ctx.session.XU_COMP, domain::kCollectionWorkflow,
                               kCollectionAuthoriserScreens);
    });
    register_list_operations(w, "AUTO_COB");
    w.register_command(kCmdCollectors,
                       [&w, &ctx] { open_collectors(&w, *ctx.db, ctx.session.XU_COMP); });
    register_list_operations(w, "COBRADOR");
    const std::tuple<const domain::StageWorkflow*, const StageScreenNames*, const StageScreenNames*>
        staged[] = {
            {&domain::kOrderWorkflow, &kOrderStageScreens, &kOrderAuthoriserScreens},
            {&domain::kProformaWorkflow, &kProformaStageScreens, &kProformaAuthoriserScreens}};
    for (const auto& [flow, stages, authorisers] : staged) {
        w.register_command(stages->context_id, [&w, &ctx, flow, stages] {
            open_stages(&w, *ctx.db, ctx.session.XU_COMP, *flow, *stages);
        });
        register_list_operations(w, flow->stages);
        w.register_command(authorisers->context_id, [&w, &ctx, flow, authorisers] {
            open_stage_authorisers(&w, *ctx.db, ctx.session.XU_COMP, *flow, *authorisers);
        });
        register_list_operations(w, flow->authorisers);
    }
}

}  // namespace qz::gui
