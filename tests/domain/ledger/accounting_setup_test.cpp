// The accountant's set-up on the demonstration business: a link's account must be in the
// chart, a journal class never takes a numbered journal and needs a series, and an account,
// link or class is not deleted while postings or set-up rows name it, and a link's distribution
// keeps each analysis dimension within 100 % and goes with its link.
#include "domain/ledger/accounting_setup.h"

#include <gtest/gtest.h>

#include "domain/ledger/demo_ledger_fixture.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;

namespace {

const std::string kHotel = "HOTEL";

class AccountingSetupTest : public qz::test::DemoLedgerTest {};

TEST_P(AccountingSetupTest, LinksNeedAnAccountOfTheChartAndClassesASeries) {
    auto& port = inst->port;
    EXPECT_FALSE(save_ledger_link(*db, port, kHotel, "", {"PROPINAS", "Propinas", "9-99"}));
    EXPECT_EQ(said(), "La Cuenta Contable 9-99 no está definida en el catálogo de cuentas");
    ASSERT_TRUE(save_ledger_account(*db, port, kHotel, "", {"2-01-09", "Propinas por Pagar"}));
    ASSERT_TRUE(save_ledger_link(*db, port, kHotel, "",
                                 {"PROPINAS", "Propinas", "2-01-09", "", 0, 0, "02"}));
    const auto link = read_ledger_link(*db, kHotel, "PROPINAS");
    ASSERT_TRUE(link);
    EXPECT_EQ(link->side, 0);
    EXPECT_EQ(link->group, "02");
    EXPECT_FALSE(save_ledger_account(*db, port, kHotel, "", {"2-01-09", "Otra"}));
    EXPECT_EQ(said(), kAccountDuplicate);

    EXPECT_FALSE(save_journal_class(*db, port, kHotel, "", {"03", "Abonos", "ASIENTO03"}));
    EXPECT_FALSE(save_journal_class(*db, port, kHotel, "", {"20", "Cierre", "NOEXISTE"}));
    EXPECT_EQ(said(), "El Serial NOEXISTE no está definido...");
    EXPECT_TRUE(save_journal_class(*db, port, kHotel, "", {"20", "Cierre", "asiento02"}));
    EXPECT_EQ(read_journal_class(*db, kHotel, "20")->series, "ASIENTO02");
}

TEST_P(AccountingSetupTest, WhatIsNamedOrPostedIsNotDeleted) {
    auto& port = inst->port;
    // The demonstration posted yesterday's payments to the cash account through CAJA_EF.
    EXPECT_FALSE(delete_ledger_account(*db, port, kHotel, "1-01-01"));
    EXPECT_NE(said().find("en uso"), std::string::npos) << said();
    ASSERT_TRUE(save_ledger_account(*db, port, kHotel, "", {"9-00", "Sin uso"}));
    EXPECT_TRUE(delete_ledger_account(*db, port, kHotel, "9-00"));
    EXPECT_FALSE(read_ledger_account(*db, kHotel, "9-00"));
    // Journal class "10" has no vouchers yet; a class with some would be kept.
    EXPECT_TRUE(delete_journal_class(*db, port, kHotel, "10"));
}

TEST_P(AccountingSetupTest, ADistributionKeepsEachDimensionWithinItsWholeAndGoesWithItsLink) {
    auto& port = inst->port;
    const auto share = [](const char* dim, const char* value, const char* percent) {
        return LinkShare{dim, value, Decimal::parse(percent)};
    };
    ASSERT_TRUE(save_ledger_account(*db, port, kHotel, "", {"4-09", "Ventas Varias"}));
    ASSERT_TRUE(save_ledger_link(*db, port, kHotel, "", {"VARIAS", "Ventas", "4-09"}));

    const std::pair<std::vector<LinkShare>, std::string> refused[] = {
        {{share("", "SPA", "50")}, "requiere la Dimensión"},
        {{share("CC", "SPA", "50"), share("cc", "spa", "10")}, "se repite"},
        {{share("CC", "SPA", "0")}, "mayor que 0"},
        {{share("CC", "SPA", "60"), share("CC", "REST", "40.001")}, "suman más del 100%"},
    };
    for (const auto& [shares, why] : refused) {
        EXPECT_FALSE(save_link_distribution(*db, port, kHotel, "VARIAS", shares));
        EXPECT_NE(said().find(why), std::string::npos) << said();
    }
    EXPECT_TRUE(read_link_distribution(*db, kHotel, "VARIAS").empty());

    // Each dimension is a whole of its own; saving again replaces the rows.
    const std::vector<LinkShare> split = {share("CC", "SPA", "60"), share("CC", "REST", "40"),
                                          share("PROY", "P1", "100")};
    ASSERT_TRUE(save_link_distribution(*db, port, kHotel, "VARIAS", split));
    ASSERT_TRUE(
        save_link_distribution(*db, port, kHotel, "VARIAS", {share("CC", "SPA", "33.333")}));
    EXPECT_EQ(read_link_distribution(*db, kHotel, "VARIAS"),
              std::vector<LinkShare>{share("CC", "SPA", "33.333")});
    EXPECT_FALSE(save_link_distribution(*db, port, kHotel, "NOEXISTE", split));
    EXPECT_EQ(said(), "La Liga Contable NOEXISTE ya no existe...");

    ASSERT_TRUE(delete_ledger_link(*db, port, kHotel, "VARIAS"));
    EXPECT_TRUE(read_link_distribution(*db, kHotel, "VARIAS").empty());
}

INSTANTIATE_TEST_SUITE_P(Ledger, AccountingSetupTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);

}  // namespace
