#include "gui/ledger/collections/collection_receipts.h"

#include "core/amount.h"
#include "gui/ledger/payments/receipt_print.h"
#include "gui/print/column_listing.h"
#include "gui/print/print_job.h"

namespace qz::gui {

namespace {

const std::vector<ListingColumn> kColumns = {{"Recibo", 0, 15, false},
                                             {"Documento", 16, 15, false},
                                             {"Cliente", 32, 50, false},
                                             {"Mon.", 83, 4, false},
                                             {"Monto", 88, 16, true}};
constexpr double kBasis = 105;
constexpr const char* kTitle = "Recibos de Cobros Automáticos";

std::string money(const Decimal& d) { return AmountField{"", 16, 2, true}.show(d); }

}  // namespace

void draw_collection_receipts(services::PrinterFunction& job,
                              const std::vector<domain::CollectedRow>& receipts) {
    ColumnListing listing(job, kColumns, kBasis);
    listing.header();
    for (const auto& r : receipts)
        if (!listing.line(
                {r.receipt, r.document, r.customer + " " + r.name, r.currency, money(r.amount)}))
            return;
}

void print_collection_receipts(QWidget* owner, data::Db& db, const std::string& business,
                               const std::vector<domain::CollectedRow>& receipts) {
    std::vector<std::string> numbers;
    for (const auto& r : receipts) numbers.push_back(r.receipt);
    print_receipts(owner, db, business, numbers, [&](services::PrinterFunction& job) {
        job.TITLE1(kTitle);
        job.TITLE2("");
        job.TITLE3("");
        draw_collection_receipts(job, receipts);
    });
}

}  // namespace qz::gui
