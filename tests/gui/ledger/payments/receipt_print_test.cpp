// The printed receipt laid out on a fake sheet from the sample receipt and compared with its
// golden page: the business and receipt number in the titles, the customer's box with the amount
// and the clerk, each document with its balance before and after, the total applied and the
// tenders one per line.
#include "gui/ledger/payments/receipt_print.h"

#include <gtest/gtest.h>

#include "services/print/print_fakes.h"
#include "services/print/print_ops.h"
#include "support/golden.h"

namespace qz::gui {
namespace {

std::string laid_out(const domain::PrintableDocument& r) {
    return services::test::laid_out([&](services::PrinterFunction& job) { receipt_titles(job, r); },
                                    [&](services::PrinterFunction& job) { draw_receipt(job, r); });
}

TEST(ReceiptPrint, DocumentsWithTheirBalancesTendersAndClerk) {
    const std::string text = laid_out(domain::sample_receipt(Date(2026, 5, 20)));
    EXPECT_NE(text.find("RECIBO DE DINERO #R0000456"), std::string::npos) << text;
    EXPECT_NE(text.find("Digitador: 0001"), std::string::npos);
    EXPECT_NE(text.find("F0001234"), std::string::npos);
    EXPECT_NE(text.find("226,970.00"), std::string::npos) << "the balance before";
    EXPECT_NE(text.find("155,500.00"), std::string::npos) << "the total applied";
    EXPECT_NE(text.find("TR Transferencia: 35,500.00  #778899"), std::string::npos);
    EXPECT_EQ(text, ::qz::test::golden_at(__FILE__, "receipt.txt", text));
}

}  // namespace
}  // namespace qz::gui
