// "Imprimir Hist. Pagos" laid out on a fake sheet from a fixed history and compared with its
// golden page: receipts newest first with the documents each went to, the annulled mark, and the
// totals of the valid receipts per currency.
#include <gtest/gtest.h>

#include "gui/ledger/inquiry/payments_window.h"
#include "services/print/print_fakes.h"
#include "services/print/print_ops.h"
#include "support/golden.h"

namespace qz::gui {
namespace {

namespace dm = qz::domain;

std::string laid_out(const dm::PaymentHistory& h) {
    return services::test::laid_out(
        [](services::PrinterFunction& job) { payment_history_titles(job, Date(2026, 5, 20)); },
        [&](services::PrinterFunction& job) { draw_payment_history(job, h); });
}

TEST(PaymentHistoryPrint, ReceiptsShowTheirDocumentsTheAnnulledMarkAndTheValidTotals) {
    dm::PaymentHistory h;
    h.heading = {"3101123456", "Turismo Pura Vida S.A.", "3-101-123456",
                 "01",         "Oficinas Centrales",     "San José",
                 "2222-3333",  "pagos@puravida.example"};
    dm::CustomerPayment valid{
        "R00000501", Date(2026, 4, 10), Decimal(150000), "CO", "Transferencia bancaria", "", {}};
    valid.applications.push_back({"F00001002",
                                  {"AB", "Abono"},
                                  "Abono a F00001002",
                                  Decimal(150000),
                                  Decimal(300000),
                                  Decimal(150000)});
    const dm::CustomerPayment annulled{
        "R00000490", Date(2026, 3, 2), Decimal(500), "US", "Cheque devuelto", "R00000490-A", {}};
    h.payments = {valid, annulled};
    h.totals = {{"CO", "¢", Decimal(150000), Decimal()}};
    const std::string text = laid_out(h);
    EXPECT_NE(text.find("\"> F00001002\""), std::string::npos) << text;
    EXPECT_NE(text.find("NULO R00000490-A"), std::string::npos);
    EXPECT_NE(text.find("Total ¢ (CO):"), std::string::npos);
    EXPECT_EQ(text, ::qz::test::golden_at(__FILE__, "payment_history.txt", text));
}

}  // namespace
}  // namespace qz::gui
