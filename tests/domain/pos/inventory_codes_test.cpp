// The inventory's code tables: a bar code is read only one way, a warehouse or an article with
// units cannot vanish, a concept needs a series and the sales' concept stays.
#include "domain/pos/inventory_codes.h"

#include <gtest/gtest.h>

#include "domain/spa/master/services.h"
#include "inventory_fixture.h"

using namespace qz;
using namespace qz::domain::pos;
using qz::test::Engine;
using qz::test::kInvBiz;

class InventoryCodesTest : public test::InventoryFixture {
protected:
    UserPort& port() { return inst->port; }
    const std::string& said() { return inst->port.messages.back(); }
};

TEST_P(InventoryCodesTest, ABarCodeNamesOneExistingArticleAndNeverAnotherOnesCode) {
    article("ACE01", "ACEI", "5");
    article("ACE02", "ACEI", "5");
    EXPECT_TRUE(save_bar_code(*db, port(), kInvBiz, {"7441", "ace01"}));
    EXPECT_FALSE(save_bar_code(*db, port(), kInvBiz, {"7441", "ACE02"}));
    EXPECT_EQ(said(), ": Código de barras ya definido...");
    EXPECT_FALSE(save_bar_code(*db, port(), kInvBiz, {"ACE02", "ACE01"}));
    EXPECT_EQ(said(), ": El código ACE02 es el código de un artículo...");
    EXPECT_FALSE(save_bar_code(*db, port(), kInvBiz, {"9999", "NADA"}));
    EXPECT_EQ(find_article(*db, kInvBiz, "7441")->article.code, "ACE01");
    EXPECT_TRUE(delete_bar_code(*db, port(), kInvBiz, "7441"));
    EXPECT_FALSE(find_article(*db, kInvBiz, "7441"));

    // An alternative code belongs to one article only.
    auto a = *read_article(*db, kInvBiz, "ACE01");
    a.alt_code = "LAV";
    EXPECT_TRUE(domain::spa::save_service(*db, port(), kInvBiz, "ACE01", a));
    EXPECT_TRUE(domain::spa::save_service(*db, port(), kInvBiz, "ACE01", a)) << "its own";
    auto b = *read_article(*db, kInvBiz, "ACE02");
    b.alt_code = "lav";
    EXPECT_FALSE(domain::spa::save_service(*db, port(), kInvBiz, "ACE02", b));
    EXPECT_EQ(said(), ": El código alterno ya pertenece al artículo ACE01...");
}

TEST_P(InventoryCodesTest, WarehouseRowsGoOnlyWhenTheyHoldNothing) {
    article("ACE01", "ACEI", "5");
    article("BAT01", "ROPA", "");
    EXPECT_FALSE(delete_warehouse(*db, port(), kInvBiz, "01"));
    EXPECT_TRUE(delete_warehouse(*db, port(), kInvBiz, "02")) << "no article there";
    EXPECT_FALSE(read_warehouse(*db, kInvBiz, "02"));

    EXPECT_TRUE(add_stock_row(*db, port(), kInvBiz, "BAT01", "01"));
    EXPECT_FALSE(add_stock_row(*db, port(), kInvBiz, "BAT01", "01"));
    EXPECT_FALSE(add_stock_row(*db, port(), kInvBiz, "BAT01", "02")) << "warehouse gone";
    const auto opened = read_article_stock(*db, kInvBiz, "01", "BAT01");
    ASSERT_TRUE(opened);
    EXPECT_TRUE(opened->active);
    EXPECT_TRUE(opened->quantity.is_zero());
    EXPECT_TRUE(set_stock_active(*db, port(), kInvBiz, "BAT01", "01", false));
    EXPECT_FALSE(read_article_stock(*db, kInvBiz, "01", "BAT01")->active);
    EXPECT_FALSE(set_stock_active(*db, port(), kInvBiz, "BAT01", "07", false));

    EXPECT_FALSE(delete_stock_row(*db, port(), kInvBiz, "ACE01", "01"));
    EXPECT_TRUE(delete_stock_row(*db, port(), kInvBiz, "BAT01", "01"));
    EXPECT_FALSE(read_article_stock(*db, kInvBiz, "01", "BAT01"));

    // An article with units on hand is not deleted; without them it goes with its bar codes
    // and warehouse rows.
    ASSERT_TRUE(save_bar_code(*db, port(), kInvBiz, {"7441", "ACE01"}));
    EXPECT_FALSE(domain::spa::delete_service(*db, port(), kInvBiz, "ACE01"));
    EXPECT_EQ(said(), ": El artículo tiene existencias o reservas en alguna bodega...");
    test::edit_record(*db, "ARTICULO", "ARTIC1", stock_key(kInvBiz, "ACE01", "01"),
                      [](data::WDBTable& t) { t.FieldPut("CANTIDAD", Decimal(0)); });
    EXPECT_TRUE(domain::spa::delete_service(*db, port(), kInvBiz, "ACE01"));
    EXPECT_FALSE(read_article_stock(*db, kInvBiz, "01", "ACE01"));
    EXPECT_FALSE(find_article(*db, kInvBiz, "7441"));
}

TEST_P(InventoryCodesTest, AConceptNeedsASeriesAndTheSalesConceptStays) {
    EXPECT_FALSE(save_inventory_concept(*db, port(), kInvBiz, true, {"05", "Mermas", "", false}));
    EXPECT_FALSE(
        save_inventory_concept(*db, port(), kInvBiz, true, {"05", "Mermas", "NOHAY", false}));
    EXPECT_EQ(said(), ": El consecutivo NOHAY no está definido...");
    EXPECT_TRUE(save_inventory_concept(*db, port(), kInvBiz, true, {"05", "Mermas", "sal", false}));
    EXPECT_FALSE(save_inventory_concept(*db, port(), kInvBiz, true, {"05", "Otra", "SAL", true}));
    EXPECT_EQ(read_inventory_concept(*db, kInvBiz, "05")->serial, "SAL");

    test::add_record(*db, "F_FAC", {{"NEGOCIO", kInvBiz}, {"CON_INV", std::string("01")}});
    EXPECT_FALSE(delete_inventory_concept(*db, port(), kInvBiz, "01"));
    EXPECT_TRUE(delete_inventory_concept(*db, port(), kInvBiz, "05"));
    EXPECT_EQ(read_sale_inventory_settings(*db, kInvBiz).concept_code, "01");
}

INSTANTIATE_TEST_SUITE_P(Pos, InventoryCodesTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
