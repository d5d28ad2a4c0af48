// The accounting period on the demonstration business (its current period is April 2026, the
// month before the business day): it only moves forward, opening a month carries each posting
// account's balance, and the period check follows it and MAYORIZA.
#include "domain/ledger/accounting_period.h"

#include <gtest/gtest.h>

#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/accounting_setup.h"
#include "domain/ledger/demo_ledger_fixture.h"
#include "domain/ledger/journal.h"
#include "domain/session/master_rows.h"
#include "support/record_edit.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;

namespace {

const std::string kHotel = "HOTEL";

class AccountingPeriodTest : public qz::test::DemoLedgerTest {
protected:
    Decimal balance(const std::string& account, int year, int month) {
        data::Table t = data::USE(*db, "SALDOS", "SALDOS");
        Decimal out(-1);
        if (t->Seek(data::order_key(
                "SALDOS", "SALDOS",
                {kHotel, static_cast<long long>(year), static_cast<long long>(month), account})))
            out = t->num("SALDO");
        data::KILLTABLA(*db, t);
        return out;
    }
};

TEST_P(AccountingPeriodTest, APeriodOnlyMovesForwardAndCarriesTheBalances) {
    auto& port = inst->port;
    ASSERT_EQ(current_period(*db, kHotel), (AccountingPeriod{2026, 4}));
    // The cash account ends April with a balance that May must start from.
    test::edit_record(*db, "SALDOS", "SALDOS",
                      data::order_key("SALDOS", "SALDOS", {kHotel, 2026LL, 4LL, "1-01-01"}),
                      [](data::WDBTable& t) { t.FieldPut("SALDO", Decimal::parse("1500.25")); });

    EXPECT_FALSE(save_period_settings(*db, port, kHotel, {2026, 3}, false));
    EXPECT_EQ(said(), "El período contable sólo avanza: el actual es Mes:4 Año:2026");
    EXPECT_FALSE(save_period_settings(*db, port, kHotel, {2026, 13}, false));
    EXPECT_EQ(current_period(*db, kHotel), (AccountingPeriod{2026, 4}));

    ASSERT_TRUE(save_ledger_account(*db, port, kHotel, "", {"1", "Activo", true}));
    ASSERT_TRUE(save_period_settings(*db, port, kHotel, {2026, 5}, false));
    EXPECT_EQ(current_period(*db, kHotel), (AccountingPeriod{2026, 5}));
    EXPECT_EQ(balance("1-01-01", 2026, 5), Decimal::parse("1500.25"));
    // Every posting account of the chart has its row; a heading account has none.
    for (const auto& a :
         business_rows<LedgerAccount>(*db, "CUENTAS", kHotel, ledger_account_from_row))
        EXPECT_EQ(balance(a.code, 2026, 5) >= 0, !a.major) << a.code;

    // April is now closed to postings; May is open until MAYORIZA closes the current period.
    EXPECT_FALSE(check_mayorizar(*db, port, kHotel, Date(2026, 4, 30)));
    EXPECT_TRUE(check_mayorizar(*db, port, kHotel, Date(2026, 5, 20)));
    ASSERT_TRUE(save_period_settings(*db, port, kHotel, {2026, 5}, true));
    EXPECT_TRUE(read_period_settings(*db, kHotel).one_voucher);
    EXPECT_FALSE(check_mayorizar(*db, port, kHotel, Date(2026, 5, 20)));
    EXPECT_TRUE(check_mayorizar(*db, port, kHotel, Date(2026, 6, 1)));
}

INSTANTIATE_TEST_SUITE_P(Ledger, AccountingPeriodTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);

}  // namespace
