// Eight workstations sell the last units of one article at the same instant: the stock never
// goes below zero, exactly as many sales go through as the stock allows, and every refused
// sale left neither a movement nor a spent number.
#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "core/text.h"
#include "domain/ledger/serials.h"
#include "inventory_fixture.h"

using namespace qz;
using qz::test::Engine;
using qz::test::kInvBiz;

class StockRaceTest : public test::InventoryFixture {};

TEST_P(StockRaceTest, EightSellersOfTheLastUnitsNeverTakeTheStockBelowZero) {
    constexpr int kProcesses = 8;
    constexpr int kStock = 6, kEach = 2;
    article("ACE01", "ACEI", std::to_string(kStock));
    std::vector<int> pids;
    for (int i = 0; i < kProcesses; ++i) {
        auto args = inst->process_args();
        args.insert(args.end(), {kInvBiz, "01", "01", "ACE01", std::to_string(kEach)});
        pids.push_back(test::spawn_tool("qz_stock_seller", args));
    }
    std::ofstream(inst->home() + "/GO") << "go";
    int sold = 0;
    for (int pid : pids) {
        const int status = test::wait_tool(pid);
        EXPECT_TRUE(status == 0 || status == 1) << status;
        sold += status == 0;
    }
    EXPECT_EQ(sold, kStock / kEach);
    EXPECT_EQ(stock("ACE01").quantity, Decimal(0));
    EXPECT_EQ(rows("ENC_INV"), sold);
    EXPECT_EQ(rows("DET_INV"), sold);
    // Every sale got its own number and the refused ones took none.
    std::set<std::string> numbers;
    data::Table h = data::USE(*db, "ENC_INV", "ENC_INV");
    for (h->GoTop(); !h->Eof(); h->Skip()) numbers.insert(trim(h->str("MOVIMIENTO")));
    data::KILLTABLA(*db, h);
    EXPECT_EQ(static_cast<int>(numbers.size()), sold);
    EXPECT_EQ(trim(domain::GET_CURRENTSERIAL(*db, kInvBiz, "SAL")),
              "SAL000" + std::to_string(sold + 1));
    // Each movement saw the stock the previous one left.
    std::multiset<std::string> before;
    data::Table d = data::USE(*db, "DET_INV", "DET_INV");
    for (d->GoTop(); !d->Eof(); d->Skip()) before.insert(d->num("INV_TOT").to_string(0));
    data::KILLTABLA(*db, d);
    EXPECT_EQ(before, (std::multiset<std::string>{"2", "4", "6"}));
}

INSTANTIATE_TEST_SUITE_P(Pos, StockRaceTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
