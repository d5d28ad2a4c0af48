#include "gui/cash/turn_report.h"

#include "core/amount.h"
#include "gui/print/column_listing.h"
#include "gui/print/print_job.h"
#include "gui/print/setup_printer.h"
#include "services/print/print_ops.h"

namespace qz::gui {

namespace {

const std::vector<ListingColumn> kColumns = {{"Documento", 0, 15, false},
                                             {"Fecha", 16, 10, false},
                                             {"Hora", 27, 8, false},
                                             {"Total", 36, 18, true},
                                             {"Recaudado", 55, 18, true}};
constexpr double kBasis = 74;

std::string money(const Decimal& d) { return AmountField{"", 16, 2, true}.show(d); }

std::string moment(const DateTime& t) {
    return t.date.empty() ? "" : t.date.dtoc4() + " " + t.time;
}

}  // namespace

void draw_turn_report(services::PrinterFunction& job, const domain::cash::TurnReport& r) {
    ColumnListing out(job, kColumns, kBasis, [&r](ColumnListing& page) {
        page.note("Mesero: " + r.waiter.code + " " + r.waiter.name);
        page.note("Turno: " + moment(r.from) + " a " + moment(r.to));
    });
    out.header();
    for (const auto& s : r.sales)
        if (!out.line({s.document, s.date.empty() ? "" : s.date.dtoc4(), s.time, money(s.total),
                       money(s.collected)}))
            return;
    out.rule();
    out.put(0, "***Gran Total: ");
    out.put(3, money(r.total));
    out.next();
    out.put(0, "***Gran Total Recaudado:");
    out.put(4, money(r.collected));
    out.next();
}

void print_turn_report(QWidget* owner, const domain::cash::TurnReport& report) {
    services::PrinterFunction job;
    prepare_job(job);
    job.TITLE1("CIERRE DE TURNO");
    job.TITLE2(report.waiter.code + " " + report.waiter.name);
    if (!SETUPPRINTER(job, 1, true, owner)) return;
    if (START_DOC(owner, job, "CIERRE DE TURNO")) draw_turn_report(job, report);
    RESETPRINT(owner, job);
}

}  // namespace qz::gui
