// PFAC_REG: what a generation of a set would produce, one line per regular document (customer,
// description, cut-off, amount) and the total, through the printer choice, so it can be read on
// screen, printed, kept as PDF or taken to a workbook.
#include "core/amount.h"
#include "domain/regular/regular_maintenance.h"
#include "gui/framework/qt_user_port.h"
#include "gui/lists/master_form.h"
#include "gui/print/column_listing.h"
#include "gui/print/print_job.h"
#include "gui/print/setup_printer.h"
#include "gui/regular/maintenance_screens.h"
#include "gui/session/app_context.h"
#include "gui/shell/principal.h"
#include "services/print/print_ops.h"

namespace qz::gui {

namespace {

namespace dr = qz::domain::regular;

const std::vector<ListingColumn> kColumns = {
    {"Código", 0, 8, false},        {"Cliente", 9, 15, false}, {"Nombre", 25, 30, false},
    {"Descripción", 56, 30, false}, {"Corte", 87, 10, false},  {"Monto", 98, 18, true}};
constexpr double kBasis = 116;

std::string money(const Decimal& d) { return AmountField{"", 16, 2, true}.show(d); }

void draw_preview(services::PrinterFunction& job, const std::vector<dr::PreviewRow>& rows) {
    ColumnListing out(job, kColumns, kBasis);
    out.header();
    Decimal total;
    for (const auto& r : rows) {
        total += r.amount;
        if (!out.line({std::to_string(r.code), r.customer, r.name, r.description,
                       r.cut_off.empty() ? "" : r.cut_off.dtoc4(), money(r.amount)}))
            return;
    }
    out.rule();
    out.put(0, "***Total: " + std::to_string(rows.size()) + " documentos");
    out.put(5, money(total));
    out.next();
}

// The set of the preview, chosen on a small form; "" when cancelled.
std::string choose_set(QWidget* owner, data::Db& db, const std::string& business) {
    FormField set{kRfSet, "Conjunto", FormField::Kind::Choice, ""};
    for (const auto& s : dr::regular_sets(db, business))
        set.choices.push_back({s.code, s.code + " - " + s.description});
    if (set.choices.empty()) return "";
    set.value = set.choices.front().first;
    std::string chosen;
    std::function<bool(const FormValues&)> take = [&](const FormValues& v) {
        chosen = v.at(kRfSet);
        return true;
    };
    run_master_form(owner, "ESCOGE_CONJ", "Conjunto de Facturas Regulares", {set}, take);
    return chosen;
}

}  // namespace

void print_regular_preview(QWidget* owner, data::Db& db, const std::string& business,
                           const std::string& set) {
    const auto rows = dr::PFAC_REG(db, business, set);
    services::PrinterFunction job;
    prepare_job(job);
    job.TITLE1("VISTA PREVIA DE FACTURAS REGULARES");
    job.TITLE2("Conjunto: " + set);
    if (!SETUPPRINTER(job, 1, true, owner)) return;
    if (START_DOC(owner, job, "FACTURAS REGULARES")) draw_preview(job, rows);
    RESETPRINT(owner, job);
}

void register_regular_maintenance_commands(Principal& w, AppContext& ctx) {
    w.register_command(kCmdRegularSets,
                       [&w, &ctx] { open_regular_sets(&w, *ctx.db, ctx.session.XU_COMP); });
    w.register_command(kCmdRegularDocuments, [&w, &ctx] {
        const std::string set = choose_set(&w, *ctx.db, ctx.session.XU_COMP);
        if (!set.empty()) open_regular_documents(&w, *ctx.db, ctx.session.XU_COMP, set);
    });
    w.register_command(kCmdRegularTemplates,
                       [&w, &ctx] { open_regular_templates(&w, *ctx.db, ctx.session.XU_COMP); });
    w.register_command(kCmdRegularPreview, [&w, &ctx] {
        const std::string set = choose_set(&w, *ctx.db, ctx.session.XU_COMP);
        if (!set.empty()) print_regular_preview(&w, *ctx.db, ctx.session.XU_COMP, set);
    });
}

}  // namespace qz::gui
