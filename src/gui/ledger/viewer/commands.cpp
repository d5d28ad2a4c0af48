#include "gui/ledger/viewer/commands.h"

#include "gui/ledger/viewer/document_viewer.h"
#include "gui/session/app_context.h"
#include "gui/shell/principal.h"

namespace qz::gui {

void register_viewer_commands(Principal& w, AppContext& ctx) {
    w.register_command(DocumentViewer::kContext, [&w, &ctx] {
        open_document_viewer(&w, {*ctx.db, ctx.session.XU_COMP, ctx.session.XUSER_ABREVIA,
                                  ctx.session.rights, *ctx.ini});
    });
    const std::pair<const char*, void (DocumentViewer::*)()> ops[] = {
        {"CAMBIA_SUC", &DocumentViewer::CAMBIA_SUC},
        {"MOV_CLIENTE", &DocumentViewer::MOV_CLIENTE},
        {"MOV_DIFF", &DocumentViewer::MOV_DIFF},
        {"ED_DESCRIP", &DocumentViewer::ED_DESCRIP},
        {"CAMBIA_AGENTE", &DocumentViewer::CAMBIA_AGENTE},
        {"RECODE_DOC", &DocumentViewer::RECODE_DOC},
        {"MARCA_ENTREGA", &DocumentViewer::MARCA_ENTREGA},
        {"DESMARCA_ENTREGA", &DocumentViewer::DESMARCA_ENTREGA},
        {"REP_ENTREGADOS", &DocumentViewer::REP_ENTREGADOS},
        {"REP_NO_ENTREGADOS", &DocumentViewer::REP_NO_ENTREGADOS},
        {"RECALC_MONTO", &DocumentViewer::RECALC_MONTO},
        {"MOD_DOC", &DocumentViewer::MOD_DOC},
        {"FIX_SAL", &DocumentViewer::FIX_SAL},
        {"BLOQ_DOC", &DocumentViewer::BLOQ_DOC},
        {"REIMPRIMIR", &DocumentViewer::REIMPRIMIR},
        {"ANULA_DOC_VIEW", &DocumentViewer::ANULA_DOC},
        {"DUPLICA_DOC", &DocumentViewer::DUPLICA_DOC},
        {"ED2_DOC", &DocumentViewer::PLAN_PAGOS},
        {"DATOS_DOC", &DocumentViewer::DATOS_DOC},
        {"V_AB_FAC", &DocumentViewer::V_AB_FAC},
        {"ULT_ABONOS", &DocumentViewer::ULT_ABONOS}};
    for (const auto& [name, op] : ops)
        w.register_operation(name, [op](QWidget* screen) {
            if (auto* viewer = as_document_viewer(screen)) (viewer->*op)();
        });
}

}  // namespace qz::gui
