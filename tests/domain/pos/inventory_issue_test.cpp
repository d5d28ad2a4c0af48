// Inventory movements: an issue never takes a checked article below zero and a refused one
// leaves no trace, receipts average their cost in, orders hold units back.
#include <gtest/gtest.h>

#include <stdexcept>

#include "core/text.h"
#include "data/transaction.h"
#include "domain/ledger/serials.h"
#include "inventory_fixture.h"

using namespace qz;
using namespace qz::domain::pos;
using qz::test::Engine;
using qz::test::kInvBiz;

class InventoryIssueTest : public test::InventoryFixture {
protected:
    MovementResult post(const InventoryMovement& m) {
        data::Transaction tx(*db);
        MovementResult r = post_inventory_movement(*db, m);
        tx.commit();
        return r;
    }
    std::string next_number(const std::string& series) {
        return trim(domain::GET_CURRENTSERIAL(*db, kInvBiz, series));
    }
    static InventoryLine line(const std::string& article, const char* qty, const char* cost = "0") {
        return {article, Decimal::parse(qty), Decimal::parse(cost)};
    }
};

TEST_P(InventoryIssueTest, AnIssueBeyondACheckedStockIsRefusedAndWritesNothing) {
    article("ACE01", "ACEI", "5");
    article("ACE02", "ACEI", "10");
    // Two lines of one article count together against its stock.
    auto r = post(movement("01", {line("ACE02", "4"), line("ace01", "3"), line("ACE01", "3")}));
    EXPECT_FALSE(r.posted);
    EXPECT_EQ(r.message, "No hay suficientes existencias. Disponible: 5.00");
    EXPECT_EQ(r.article, "ACE01");
    EXPECT_EQ(rows("ENC_INV") + rows("DET_INV"), 0);
    EXPECT_EQ(stock("ACE01").quantity, Decimal(5));
    EXPECT_EQ(stock("ACE02").quantity, Decimal(10)) << "the article that had enough is untouched";
    EXPECT_EQ(next_number("SAL"), "SAL0001") << "no movement number was spent";

    r = post(movement("01", {line("ACE01", "2"), line("ACE02", "4", "80"), line("ACE01", "3")}));
    ASSERT_TRUE(r.posted) << r.message;
    EXPECT_EQ(r.movement, "SAL0001");
    EXPECT_EQ(stock("ACE01").quantity, Decimal(0));
    EXPECT_EQ(stock("ACE02").quantity, Decimal(6));
    ASSERT_EQ(r.stock_before.size(), 3u);
    EXPECT_EQ(r.stock_before[0], Decimal(5));
    EXPECT_EQ(r.stock_before[1], Decimal(10));
    EXPECT_EQ(r.stock_before[2], Decimal(3));
    EXPECT_EQ(rows("ENC_INV"), 1);
    EXPECT_EQ(rows("DET_INV"), 3);
    data::Table d = data::USE(*db, "DET_INV", "DET_INV");
    d->GoTop();
    EXPECT_EQ(d->num("COSTO"), Decimal(100)) << "no cost given: the average cost";
    d->Skip();
    EXPECT_EQ(d->num("CIF"), Decimal(80));
    EXPECT_EQ(d->num("INV_TOT"), Decimal(10));
    data::KILLTABLA(*db, d);
    data::Table h = data::USE(*db, "ENC_INV", "ENC_INV");
    h->GoTop();
    EXPECT_EQ(trim(h->str("CONCEPTO")) + "/" + trim(h->str("DOCUMENTO")), "01/FC-0001");
    EXPECT_EQ(h->date("F_LIMITE"), Date(2090, 1, 1));
    data::KILLTABLA(*db, h);

    // The last unit is gone: even one more is refused.
    r = post(movement("01", {line("ACE01", "1")}));
    EXPECT_EQ(r.message, "No hay suficientes existencias. Disponible: 0.00");
    EXPECT_FALSE(post(movement("01", {line("ACE02", "0")})).posted);
    EXPECT_FALSE(post(movement("01", {line("ACE02", "-1")})).posted);
    EXPECT_EQ(post(movement("01", {line("NADA", "1")})).message, "Este Código no se encuentra.");
    EXPECT_EQ(rows("DET_INV"), 3);
}

TEST_P(InventoryIssueTest, WhatTheWarehouseRowAndTheChecksLetThrough) {
    article("ACE01", "ACEI", "1");
    stock_row("ACE01", "02", "50", "100", false);
    auto r = post(movement("01", {line("ACE01", "1")}, "02"));
    EXPECT_EQ(r.message, "Este Código no es permitido en esta Bodega: ACE01");
    article("ACE03", "ACEI", "");
    EXPECT_EQ(post(movement("01", {line("ACE03", "1")})).message,
              "Este artículo NO tiene Bodega Definida");

    // Outside a checked sub-line, or exempt from the check, the stock may go below zero.
    article("BATA1", "ROPA", "1");
    EXPECT_TRUE(post(movement("01", {line("BATA1", "3")})).posted);
    EXPECT_EQ(stock("BATA1").quantity, Decimal(-2));
    test::edit_record(*db, "DEF_ART", "DEF_ART", article_key(kInvBiz, "ACE01"),
                      [](data::WDBTable& t) { t.FieldPut("CHECK_N_E", Decimal(1)); });
    EXPECT_TRUE(post(movement("01", {line("ACE01", "2")})).posted);
    EXPECT_EQ(stock("ACE01").quantity, Decimal(-1));
    auto unchecked = movement("01", {line("ACE02", "1")});
    article("ACE02", "ACEI", "0");
    unchecked.check_stock = false;
    EXPECT_TRUE(post(unchecked).posted);

    // A stocked article the warehouse keeps no row for is issued with a warning; a service has
    // no stock to move.
    article("ROPA9", "ROPA", "");
    Article service;
    service.code = "MAS01";
    service.name = "Masaje";
    put("DEF_ART", service, put_article_row);
    r = post(movement("01", {line("ROPA9", "1"), line("MAS01", "1")}));
    ASSERT_TRUE(r.posted) << r.message;
    ASSERT_EQ(r.warnings.size(), 1u);
    EXPECT_EQ(r.warnings[0], "El artículo ROPA9 no tiene bodega definida. Bodega: 01");
    EXPECT_FALSE(read_article_stock(*db, kInvBiz, "01", "MAS01"));

    EXPECT_FALSE(post(movement("99", {line("ACE01", "1")})).posted);
    EXPECT_FALSE(post(movement("01", {line("ACE01", "1")}, "77")).posted);
    EXPECT_THROW(post_inventory_movement(*db, movement("01", {line("ACE01", "1")})),
                 std::logic_error);
}

TEST_P(InventoryIssueTest, AReceiptAveragesItsCostIntoTheWarehouseAndTheArticle) {
    article("CRE01", "ACEI", "10", "100");
    stock_row("CRE01", "02", "10", "100");
    auto r = post(movement("02", {line("CRE01", "20", "130"), line("CRE01", "10", "160")}));
    ASSERT_TRUE(r.posted) << r.message;
    EXPECT_EQ(r.movement, "ENT0001");
    EXPECT_EQ(stock("CRE01").quantity, Decimal(40));
    EXPECT_EQ(stock("CRE01").average_cost, Decimal(130));  // (1000 + 2600 + 1600) / 40
    EXPECT_EQ(stock("CRE01", "02").average_cost, Decimal(100));
    // Over both warehouses: (20 × 100 + 4200) / 50.
    EXPECT_EQ(read_article(*db, kInvBiz, "CRE01")->average_cost, Decimal(124));

    // Units owed (stock below zero) have no cost to average with; a receipt into a warehouse
    // without a row opens the article there.
    article("BAT01", "ROPA", "-5", "999");
    EXPECT_TRUE(post(movement("02", {line("BAT01", "10", "50")})).posted);
    EXPECT_EQ(stock("BAT01").quantity, Decimal(5));
    EXPECT_EQ(stock("BAT01").average_cost, Decimal(50));
    EXPECT_TRUE(post(movement("02", {line("BAT01", "3", "70")}, "02")).posted);
    const ArticleStock opened = stock("BAT01", "02");
    EXPECT_TRUE(opened.active);
    EXPECT_EQ(opened.quantity, Decimal(3));
    EXPECT_EQ(opened.average_cost, Decimal(70));
    // A receipt without a cost comes in at the average cost and leaves it as it was.
    const Decimal before = read_article(*db, kInvBiz, "BAT01")->average_cost;
    EXPECT_TRUE(post(movement("02", {line("BAT01", "7")})).posted);
    EXPECT_EQ(read_article(*db, kInvBiz, "BAT01")->average_cost, before);

    // The caller's transaction decides: rolled back, the receipt is gone with its number.
    {
        data::Transaction tx(*db);
        ASSERT_TRUE(post_inventory_movement(*db, movement("02", {line("CRE01", "5", "1")})).posted);
        tx.rollback();
    }
    EXPECT_EQ(stock("CRE01").quantity, Decimal(40));
    EXPECT_EQ(next_number("ENT"), "ENT0005");
}

TEST_P(InventoryIssueTest, OrdersHoldUnitsBackAndGiveThemBack) {
    article("ACE01", "ACEI", "5");
    data::Transaction tx(*db);
    EXPECT_EQ(reserve_stock(*db, kInvBiz, "01", "ACE01", Decimal(3)), Decimal(3));
    EXPECT_EQ(reserve_stock(*db, kInvBiz, "01", "ACE01", Decimal::parse("1.5")),
              Decimal::parse("4.5"));
    EXPECT_EQ(reserve_stock(*db, kInvBiz, "01", "ACE01", Decimal(-2)), Decimal::parse("2.5"));
    EXPECT_EQ(reserve_stock(*db, kInvBiz, "01", "ACE01", Decimal(-9)), Decimal(0));
    EXPECT_FALSE(reserve_stock(*db, kInvBiz, "02", "ACE01", Decimal(1)));
    EXPECT_EQ(reserve_stock(*db, kInvBiz, "01", "ACE01", Decimal(2)), Decimal(2));
    tx.commit();
    EXPECT_EQ(stock("ACE01").reserved, Decimal(2));
    EXPECT_EQ(stock("ACE01").quantity, Decimal(5)) << "a reservation leaves the stock alone";
    EXPECT_THROW(reserve_stock(*db, kInvBiz, "01", "ACE01", Decimal(1)), std::logic_error);
}

INSTANTIATE_TEST_SUITE_P(Pos, InventoryIssueTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
