#include "gui/ledger/viewer/delivery_report.h"

#include "core/amount.h"
#include "gui/framework/message_box.h"
#include "gui/print/print_job.h"
#include "gui/print/setup_printer.h"
#include "services/print/print_ops.h"

namespace qz::gui {

namespace {

struct Column {
    const char* title;
    double at, width;
    bool amount;
};
constexpr Column kColumns[] = {{"Documento", 0, 15, false},  {"Fecha", 16, 10, false},
                               {"Cliente", 27, 40, false},   {"Mon.", 68, 4, false},
                               {"Monto", 73, 15, true},      {"Saldo", 89, 15, true},
                               {"Entregado", 105, 10, false}};
constexpr int kColumnCount = sizeof(kColumns) / sizeof(kColumns[0]);
constexpr double kBasis = 116;

std::string money(const Decimal& d) { return AmountField{"", 16, 2, true}.show(d); }

}  // namespace

const char* delivery_title(bool delivered) {
    return delivered ? "Documentos Entregados" : "Documentos No Entregados";
}

void draw_delivery_listing(services::PrinterFunction& job, const domain::DeliveryListing& listing) {
    double row = 0, scale = 1;
    const auto put = [&](int column, const std::string& text) {
        const Column& c = kColumns[column];
        const double width = c.width * scale;
        const std::string cut = services::CUT(job, text, width);
        const double at = c.at * scale + (c.amount ? width - static_cast<double>(cut.size()) : 0);
        services::PRINTOUT(job, row, at, cut);
    };
    const auto header = [&] {
        row = services::HEADER(job);
        services::LETRAPP(job);
        scale = job.Chars_per_Line / kBasis;
        job.BEGIN_HEADER();
        for (int i = 0; i < kColumnCount; ++i) put(i, kColumns[i].title);
        job.END_HEADER();
        row += 1;
        services::SUBRAYA(job, row, 0, job.Chars_per_Line);
        row += 0.3;
    };
    header();
    for (const auto& l : listing.lines) {
        if (!services::CANPRINT(job)) return;
        const std::string cells[] = {l.number,
                                     l.date.dtoc4(),
                                     l.customer + " " + l.name,
                                     l.currency,
                                     money(l.amount),
                                     money(l.balance),
                                     l.delivered_on.empty() ? "" : l.delivered_on.dtoc4()};
        for (int i = 0; i < kColumnCount; ++i) put(i, cells[i]);
        row += 1;
        services::NEXT_PAGE(job, header);
    }
    services::SUBRAYA(job, row, 0, job.Chars_per_Line);
    row += 0.3;
    for (const auto& t : listing.totals) {
        put(2, "Total " + t.currency + ": " + std::to_string(t.documents) + " documentos");
        put(4, money(t.amount));
        put(5, money(t.balance));
        row += 1;
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
