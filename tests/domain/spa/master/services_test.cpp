// What the spa sells: prices only for defined services and types, a deleted service takes its
// list prices with it, a price type with prices cannot go, special prices need a customer.
#include "domain/spa/master/services.h"

#include <gtest/gtest.h>

#include "domain/demo/demo_data.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::domain::spa;
using qz::test::Engine;

class SpaServicesTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(GetParam());
        inst->clock.freeze(DateTime{Date(2026, 3, 15), "09:00:00"});
        db = inst->open();
        domain::install_demo_data(*db);
        inst->port.answer = true;
    }
    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<data::Db> db;
};

TEST_P(SpaServicesTest, PricesBelongToDefinedServicesAndGoWithThem) {
    Service s{"PED001", "Pedicure (45 min)", Decimal(13), "SPA", "FACI", true, Decimal(5), true};
    ASSERT_TRUE(save_service(*db, inst->port, "HOTEL", "", s));
    EXPECT_FALSE(save_service(*db, inst->port, "HOTEL", "", s));  // taken code
    s.subline = "NADA";
    EXPECT_FALSE(save_service(*db, inst->port, "HOTEL", "PED001", s));
    s.subline = "FACI";
    s.tax = Decimal(130);
    EXPECT_FALSE(save_service(*db, inst->port, "HOTEL", "PED001", s));

    EXPECT_TRUE(set_list_price(*db, inst->port, "HOTEL", "01", "PED001", Decimal(20000)));
    EXPECT_TRUE(set_list_price(*db, inst->port, "HOTEL", "02", "PED001", Decimal(18000)));
    EXPECT_TRUE(set_list_price(*db, inst->port, "HOTEL", "01", "PED001", Decimal(21000)));
    EXPECT_EQ(list_price(*db, "HOTEL", "01", "PED001"), Decimal(21000));
    EXPECT_FALSE(set_list_price(*db, inst->port, "HOTEL", "99", "PED001", Decimal(1)));
    EXPECT_FALSE(set_list_price(*db, inst->port, "HOTEL", "01", "NOEXISTE", Decimal(1)));
    EXPECT_FALSE(set_list_price(*db, inst->port, "HOTEL", "01", "PED001", Decimal(-1)));

    EXPECT_TRUE(delete_service(*db, inst->port, "HOTEL", "PED001"));
    EXPECT_FALSE(read_service(*db, "HOTEL", "PED001"));
    EXPECT_FALSE(list_price(*db, "HOTEL", "01", "PED001"));
    EXPECT_FALSE(list_price(*db, "HOTEL", "02", "PED001"));
    EXPECT_TRUE(list_price(*db, "HOTEL", "01", "MAS001")) << "other services keep theirs";
}

TEST_P(SpaServicesTest, PriceTypesAndSpecialPrices) {
    EXPECT_FALSE(delete_price_type(*db, inst->port, "HOTEL", "01"));  // it has a list
    EXPECT_TRUE(save_price_type(*db, inst->port, "HOTEL", true, {"09", "Tarifa Staff", "CO"}));
    EXPECT_FALSE(save_price_type(*db, inst->port, "HOTEL", true, {"09", "Otra", "CO"}));
    EXPECT_FALSE(save_price_type(*db, inst->port, "HOTEL", true, {"08", "Sin moneda", "XX"}));
    EXPECT_TRUE(delete_price_type(*db, inst->port, "HOTEL", "09"));

    EXPECT_FALSE(set_special_price(*db, inst->port, "HOTEL", "NADIE", "MAS001", "01", Decimal(1)));
    ASSERT_TRUE(
        set_special_price(*db, inst->port, "HOTEL", "CONTADO", "MAS001", "01", Decimal(40000)));
    EXPECT_EQ(special_price(*db, "HOTEL", "CONTADO", "MAS001", "01"), Decimal(40000));
    EXPECT_TRUE(delete_special_price(*db, inst->port, "HOTEL", "CONTADO", "MAS001", "01"));
    EXPECT_FALSE(special_price(*db, "HOTEL", "CONTADO", "MAS001", "01"));
}

// A sub-line is a code within its line: the same code in another line is another sub-line, and
// a service may name only one that exists.
TEST_P(SpaServicesTest, SublinesAreCodesWithinTheirLine) {
    ASSERT_TRUE(save_subline(*db, inst->port, "HOTEL", true, {"spa", "mano", "Manos", true, 10_d}));
    EXPECT_FALSE(save_subline(*db, inst->port, "HOTEL", true, {"SPA", "MANO", "Otra", false, {}}));
    EXPECT_TRUE(save_subline(*db, inst->port, "HOTEL", true, {"BAR", "MANO", "Otra", false, {}}));
    EXPECT_FALSE(
        save_subline(*db, inst->port, "HOTEL", true, {"SPA", "MANOS", "Larga", false, {}}));
    EXPECT_EQ(inst->port.messages.back(),
              ": Los códigos de línea y sublínea admiten 4 caracteres...");
    EXPECT_TRUE(save_subline(*db, inst->port, "HOTEL", false, {"SPA", "MANO", "Manos y uñas"}));

    Service s{"MAN001", "Manicure", Decimal(13), "SPA", "MANO", false, {}, false};
    EXPECT_EQ(check_service(*db, "HOTEL", s), "");
    s.line = "SP";
    EXPECT_EQ(check_service(*db, "HOTEL", s), "La sublínea SP/MANO no está definida...");
    s.line = "SPA";
    EXPECT_TRUE(delete_subline(*db, inst->port, "HOTEL", "spa", "mano"));
    EXPECT_EQ(check_service(*db, "HOTEL", s), "La sublínea SPA/MANO no está definida...");
    EXPECT_FALSE(delete_subline(*db, inst->port, "HOTEL", "SPA", "MANO"));  // gone already
    s.line = "BAR";
    EXPECT_EQ(check_service(*db, "HOTEL", s), "");

    EXPECT_EQ(check_service(*db, "HOTEL", {std::string(16, 'A'), "Largo"}),
              "El código del servicio admite 15 caracteres...");
    EXPECT_EQ(check_price_type(*db, "HOTEL", {"ABC", "Largo", "CO"}),
              "El código del tipo de precio admite 2 caracteres...");
}

TEST_P(SpaServicesTest, ADeletedListPriceLeavesTheOtherTypesPrice) {
    ASSERT_TRUE(set_list_price(*db, inst->port, "HOTEL", "01", "MAS001", Decimal(30000)));
    ASSERT_TRUE(set_list_price(*db, inst->port, "HOTEL", "02", "MAS001", Decimal(25000)));
    EXPECT_TRUE(delete_list_price(*db, inst->port, "HOTEL", "01", "mas001"));
    EXPECT_FALSE(list_price(*db, "HOTEL", "01", "MAS001"));
    EXPECT_EQ(list_price(*db, "HOTEL", "02", "MAS001"), Decimal(25000));
    EXPECT_FALSE(delete_list_price(*db, inst->port, "HOTEL", "01", "MAS001"));
}

INSTANTIATE_TEST_SUITE_P(SpaServices, SpaServicesTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), test::engine_name);
