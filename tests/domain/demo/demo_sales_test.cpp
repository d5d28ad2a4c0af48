// Point-of-sale sales on demand: what the run reports is in the database, every shift it opened
// is closed again, and the ledger's balances agree with the receipts the sales wrote.
#include "domain/demo/demo_sales.h"

#include <gtest/gtest.h>

#include "core/text.h"
#include "data/table_ops.h"
#include "domain/cash/register_rows.h"
#include "domain/ledger/balance_invariant.h"
#include "domain/ledger/demo_ledger_fixture.h"

using namespace qz;
using qz::test::DemoLedgerTest;

namespace {

long rows_since(data::Db& db, const std::string& table, long before) {
    data::Table t = data::USE(db, table);
    long n = 0;
    for (t->GoTop(); !t->Eof(); t->Skip()) ++n;
    data::KILLTABLA(db, t);
    return n - before;
}

class DemoSalesTest : public DemoLedgerTest {};

}  // namespace

TEST_P(DemoSalesTest, SalesAreSavedInClosedShiftsAndTheLedgerAgrees) {
    const long documents = rows_since(*db, "DOCUMENT", 0);
    const long proformas = rows_since(*db, "ENC_PROF", 0);
    domain::demo::SalesRequest r;
    r.sales = 30;
    r.registers = 2;
    r.sales_per_shift = 10;
    const auto made = domain::demo::make_demo_sales(*db, inst->port, r);
    ASSERT_TRUE(made.has_value());
    EXPECT_EQ(made->shifts, 3);
    EXPECT_EQ(made->sales + made->refused, 30);
    std::string told;
    for (const auto& m : inst->port.messages) told += m + "\n";
    EXPECT_GE(made->sales, 25) << domain::demo::describe(*made) << told;
    EXPECT_EQ(rows_since(*db, "DOCUMENT", documents),
              made->documents - made->orders - made->proformas);
    EXPECT_EQ(rows_since(*db, "ENC_PROF", proformas), made->proformas);
    for (const char* code : {"SPA1", "SPA2"}) {
        const auto reg =
            domain::cash::read_register(*db, domain::cash::kPosRegisters, "HOTEL", code);
        ASSERT_TRUE(reg.has_value());
        EXPECT_FALSE(reg->is_open()) << code;
    }
    std::vector<std::string> broken;
    domain::expected_balance(*db, "HOTEL", [&](const domain::BalanceCheck& c) {
        if (!c.agrees() && c.document != "ND00000001") broken.push_back(c.document);
    });
    EXPECT_TRUE(broken.empty()) << broken.front();
}

TEST_P(DemoSalesTest, CountsOutOfRangeAreRefusedBeforeAnythingIsMade) {
    domain::demo::SalesRequest r;
    r.registers = 10;
    EXPECT_FALSE(domain::demo::make_demo_sales(*db, inst->port, r).has_value());
    EXPECT_FALSE(domain::cash::read_register(*db, domain::cash::kPosRegisters, "HOTEL", "SPA2"));
}

INSTANTIATE_TEST_SUITE_P(Engines, DemoSalesTest,
                         ::testing::Values(test::Engine::SQLite, test::Engine::PostgreSQL),
                         test::engine_name);
