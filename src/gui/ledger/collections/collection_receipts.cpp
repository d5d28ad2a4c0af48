#include "gui/ledger/collections/collection_receipts.h"

#include "core/amount.h"
#include "gui/ledger/payments/receipt_print.h"
#include "gui/print/print_job.h"
#include "services/print/print_ops.h"

namespace qz::gui {

namespace {

struct Column {
    const char* title;
    double at, width;
    bool amount;
};
constexpr Column kColumns[] = {{"Recibo", 0, 15, false},
                               {"Documento", 16, 15, false},
                               {"Cliente", 32, 50, false},
                               {"Mon.", 83, 4, false},
                               {"Monto", 88, 16, true}};
constexpr int kColumnCount = sizeof(kColumns) / sizeof(kColumns[0]);
constexpr double kBasis = 105;
constexpr const char* kTitle = "Recibos de Cobros Automáticos";

std::string money(const Decimal& d) { return AmountField{"", 16, 2, true}.show(d); }

}  // namespace

void draw_collection_receipts(services::PrinterFunction& job,
                              const std::vector<domain::CollectedRow>& receipts) {
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
    for (const auto& r : receipts) {
        if (!services::CANPRINT(job)) return;
        const std::string cells[] = {r.receipt, r.document, r.customer + " " + r.name, r.currency,
                                     money(r.amount)};
        for (int i = 0; i < kColumnCount; ++i) put(i, cells[i]);
        row += 1;
        services::NEXT_PAGE(job, header);
    }
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
