// Saving the sale on screen as an order or a proforma: the copy made for the save keeps the
// register's defaults and locks, the header, the customer's texts, the plan and every line as
// typed, each line going through the rules again so the figures are the copy's own.
#include "gui/pos/sale/sale_copy.h"

#include <gtest/gtest.h>

#include "domain/cash/register_defaults.h"
#include "domain/cash/register_rows.h"
#include "domain/demo/demo_data.h"
#include "gui/framework/message_box.h"
#include "support/test_db.h"

namespace qz::gui {
namespace {

namespace pos = domain::pos;
namespace dc = domain::cash;

class SaleCopyTest : public ::testing::Test {
protected:
    void SetUp() override {
        install.clock.freeze(DateTime{Date(2026, 5, 20), "09:30:00"});
        db = install.open();
        domain::install_demo_data(*db);
        const auto reg = dc::read_register(*db, dc::kPosRegisters, "HOTEL", "SPA1");
        ASSERT_TRUE(reg);
        defaults = dc::sale_defaults(*reg);
    }

    qz::test::TestInstall install{qz::test::Engine::SQLite};
    std::unique_ptr<data::Db> db;
    MessageBoxScript boxes;
    pos::RegisterDefaults defaults;
};

TEST_F(SaleCopyTest, AnOrderCopyKeepsTheSaleAsTypedUnderTheRegistersLocks) {
    pos::SaleDraft sale(*db, install.port, "HOTEL", {});
    sale.PARAMS_CAJA(defaults);
    ASSERT_TRUE(sale.PROCE_AGENTE("02"));
    ASSERT_TRUE(sale.PROCESA_COD(0, "MAS001").accepted);
    ASSERT_TRUE(sale.set_quantity(0, Decimal(2)));
    ASSERT_TRUE(sale.set_discount(0, Decimal(10)));
    sale.set_invoice_text(0, "Masaje de la suite 201");
    ASSERT_TRUE(sale.PROCESA_COD(1, "BIE001").accepted);
    sale.set_contact(pos::kAttention, "Sra. Mora");
    sale.set_plan_row(0, {15, Decimal(1000), Decimal(0), Decimal(0)});
    sale.EXENTO(true);

    pos::SaleDraft order(*db, install.port, "HOTEL", {pos::SaleKind::Order, 0, ""});
    copy_sale(sale, order, &defaults, std::nullopt);
    EXPECT_EQ(order.mode().kind, pos::SaleKind::Order);
    EXPECT_EQ(order.header().agent, "02");
    EXPECT_EQ(order.header().warehouse, "01");
    EXPECT_TRUE(order.locked(pos::SaleField::Warehouse));
    EXPECT_EQ(order.header().contact[pos::kAttention], "Sra. Mora");
    EXPECT_EQ(order.plan()[0].amount, Decimal(1000));
    EXPECT_EQ(order.header().term_days, 15);
    EXPECT_TRUE(order.header().exempt);
    ASSERT_EQ(order.lines().size(), 3u) << "two lines and the empty one";
    EXPECT_EQ(order.lines()[0].quantity, Decimal(2));
    EXPECT_EQ(order.lines()[0].discount, Decimal(10));
    EXPECT_EQ(order.lines()[0].invoice_text, "Masaje de la suite 201");
    EXPECT_EQ(order.lines()[1].code, "BIE001");
    EXPECT_EQ(order.figures(), sale.figures());
    EXPECT_TRUE(boxes.shown().empty()) << boxes.last_text();
}

}  // namespace
}  // namespace qz::gui
