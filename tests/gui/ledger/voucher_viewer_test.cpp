// The journal vouchers as the accountant looks at them: the demonstration's day of payments
// balanced per currency, and a voucher posted out of balance shown so.
#include <QLabel>
#include <QTableWidget>

#include "data/transaction.h"
#include "domain/ledger/journal.h"
#include "gui/browse/wblistbox.h"
#include "gui/ledger/setup/accounting_screens.h"
#include "gui/main_window_fixture.h"

namespace qz::gui {
namespace {

constexpr int kVouchers = 6513;

class VoucherViewerTest : public test::MainWindowFixture {
protected:
    QString totals(WDIAG* s) { return s->control_as<QLabel>(voucher_viewer::kTotals)->text(); }
    int lines(WDIAG* s) { return s->control_as<QTableWidget>(voucher_viewer::kLines)->rowCount(); }
};

TEST_F(VoucherViewerTest, ShowsTheLinesAndTotalsOfTheChosenVoucherAndAnImbalance) {
    WDIAG* viewer = choose(kVouchers);
    ASSERT_TRUE(viewer);
    EXPECT_EQ(viewer->objectName(), "VER_ASIENTOS");
    EXPECT_EQ(lines(viewer), 4);  // yesterday's two payments, colones and dollars
    EXPECT_TRUE(totals(viewer).contains("Moneda CO: Débitos 45,200.00  Créditos 45,200.00"))
        << totals(viewer).toStdString();
    EXPECT_FALSE(totals(viewer).contains("DESCUADRADO"));
    viewer->CLOSEIT(kCmdEnd);
    settle();

    {
        data::Transaction tx(*ctx.db);
        domain::ContaTransaction c(*ctx.db, "HOTEL", "02", kNow.date, "F1", {"SUP", "t"});
        c.post_link("CXC", Decimal::parse("10.00"), "CO", Decimal(1), "Factura");
        c.post_link("VENTAS_SPA", Decimal::parse("10.25"), "CO", Decimal(1), "Venta");
        c.close();
        tx.commit();
    }
    viewer = choose(kVouchers);
    ASSERT_TRUE(viewer);
    auto* list = viewer->control_as<WBLISTBOX>(voucher_viewer::kVouchers);
    // The payments' "A000001", the demonstration invoice's "F000001" of two days ago and today's
    // new invoices voucher "F000002", last in number order.
    EXPECT_EQ(list->nMaxRec(), 3);
    list->GOBOTTOM();
    settle();
    EXPECT_EQ(lines(viewer), 2);
    EXPECT_TRUE(totals(viewer).contains("DESCUADRADO")) << totals(viewer).toStdString();
}

}  // namespace
}  // namespace qz::gui
