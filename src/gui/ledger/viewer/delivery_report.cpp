#include "gui/ledger/viewer/delivery_report.h"

#include "core/amount.h"
#include "gui/framework/message_box.h"
#include "gui/print/column_listing.h"
#include "gui/print/print_job.h"
#include "gui/print/setup_printer.h"
#include "services/print/print_ops.h"

namespace qz::gui {

namespace {

const std::vector<ListingColumn> kColumns = {{"Documento", 0, 15, false},  {"Fecha", 16, 10, false},
                                             {"Cliente", 27, 40, false},   {"Mon.", 68, 4, false},
                                             {"Monto", 73, 15, true},      {"Saldo", 89, 15, true},
                                             {"Entregado", 105, 10, false}};
constexpr double kBasis = 116;

std::string money(const Decimal& d) { return AmountField{"", 16, 2, true}.show(d); }

}  // namespace

const char* delivery_title(bool delivered) {
    return delivered ? "Documentos Entregados" : "Documentos No Entregados";
}

void draw_delivery_listing(services::PrinterFunction& job, const domain::DeliveryListing& listing) {
    ColumnListing out(job, kColumns, kBasis);
    out.header();
    for (const auto& l : listing.lines)
        if (!out.line({l.number, l.date.dtoc4(), l.customer + " " + l.name, l.currency,
                       money(l.amount), money(l.balance),
                       l.delivered_on.empty() ? "" : l.delivered_on.dtoc4()}))
            return;
    out.rule();
    for (const auto& t : listing.totals) {
        out.put(2, "Total " + t.currency + ": " + std::to_string(t.documents) + " documentos");
        out.put(4, money(t.amount));
        out.put(5, money(t.balance));
        out.next();
    }
}

void print_delivery_listing(QWidget* owner, const domain::DeliveryListing& listing,
                            const std::string& subtitle) {
    if (listing.lines.empty()) {
        MESSAGE_BOX(owner, "No hay documentos que listar.", "Atencion", kMbOk | kMbIconExclamation);
        return;
    }
    services::PrinterFunction job;
    prepare_job(job);
    job.ORIENTACION(2);
    job.TITLE1(delivery_title(listing.delivered));
    job.TITLE2(subtitle);
    if (!SETUPPRINTER(job, 1, true, owner)) return;
    if (START_DOC(owner, job, delivery_title(listing.delivered)))
        draw_delivery_listing(job, listing);
    RESETPRINT(owner, job);
}

}  // namespace qz::gui
