#include "gui/collections/collection_receipt.h"

#include "core/picture.h"
#include "core/text.h"
#include "gui/print/column_listing.h"
#include "gui/print/print_job.h"
#include "gui/print/setup_printer.h"

namespace qz::gui {

namespace {

const std::vector<ListingColumn> kColumns = {{"Documento", 0, 15, false},
                                             {"Fecha", 16, 10, false},
                                             {"Cliente", 27, 15, false},
                                             {"Nombre", 43, 30, false},
                                             {"Monto", 74, 15, true}};
constexpr double kBasis = 90;

}  // namespace

void draw_collection_receipt(services::PrinterFunction& job,
                             const std::vector<domain::HandedDocument>& handed) {
    ColumnListing listing(job, kColumns, kBasis);
    listing.header();
    for (const auto& h : handed)
        if (!listing.line({h.document, h.date.dtoc4(), h.customer, utf8_substr(h.name, 0, 30),
                           trim(pic_format(h.amount, "999,999,999.99"))}))
            return;
    listing.rule();
    for (int i = 0; i < 3; ++i) listing.next();
    listing.note(kCollectorSignature);
}

bool print_collection_receipt(QWidget* owner, const std::string& collector,
                              const std::vector<domain::HandedDocument>& handed) {
    services::PrinterFunction job;
    prepare_job(job);
    job.TITLE1(domain::kCollectionReceiptTitle);
    job.TITLE2("Cobrador: " + collector);
    job.TITLE3("");
    if (!SETUPPRINTER(job, 1, false, owner)) return false;
    if (START_DOC(owner, job, domain::kCollectionReceiptTitle))
        draw_collection_receipt(job, handed);
    RESETPRINT(owner, job);
    return true;
}

}  // namespace qz::gui
