// Keys built in C++ from the catalogue's key parts must be the very keys the database computes,
// or a seek misses the record it was meant for.
#include "data/order_key.h"

#include <gtest/gtest.h>

#include "core/decimal.h"
#include "data/catalogue.h"
#include "data/table_ops.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::data;
using qz::test::Engine;

class OrderKeyTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(GetParam());
        db = inst->open();
    }
    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<Db> db;
};

TEST_P(OrderKeyTest, SeeksFindTheRecordThroughEveryKindOfPart) {
    auto rates = USE(*db, "T_CAMBIO", "T_CAMB2");
    ADD_NEW_REC(*rates);
    rates->FieldPut("NEGOCIO", std::string("HOTEL"));
    rates->FieldPut("MONEDA1", std::string("US"));
    rates->FieldPut("MONEDA2", std::string("CO"));
    rates->FieldPut("FECHA", Date(2026, 3, 9));
    UNLOCK_NEW_REC(*rates);
    const Date day(2026, 3, 9);
    EXPECT_TRUE(rates->Seek(order_key("T_CAMBIO", "T_CAMB2", {"HOTEL", "US", "CO", day})));
    rates->SetOrder("T_CAMBIO");
    EXPECT_TRUE(rates->Seek(order_key("T_CAMBIO", "T_CAMBIO", {"HOTEL", "US", "CO", day})));
    EXPECT_FALSE(rates->Seek(order_key("T_CAMBIO", "T_CAMBIO", {"HOTEL", "US", "CO", Date()})));
    // A prefix over the leading parts, and a partial next part.
    EXPECT_TRUE(rates->Seek(order_key("T_CAMBIO", "T_CAMBIO", {"HOTEL"})));
    EXPECT_TRUE(rates->Seek(order_key_prefix("T_CAMBIO", "T_CAMBIO", {"HOTEL"}, "U")));
    EXPECT_FALSE(rates->Seek(order_key_prefix("T_CAMBIO", "T_CAMBIO", {"HOTEL"}, "E")));

    auto aut = USE(*db, "AUT_CRED", "AUT_CRED");
    ADD_NEW_REC(*aut);
    aut->FieldPut("NEGOCIO", std::string("HOTEL"));
    aut->FieldPut("CLIENTE", std::string("Peña"));  // the width counts characters
    aut->FieldPut("VALIDO", Decimal(1));
    UNLOCK_NEW_REC(*aut);
    EXPECT_TRUE(aut->Seek(order_key("AUT_CRED", "AUT_CRED", {"HOTEL", "Peña", "", 1LL})));
    EXPECT_FALSE(aut->Seek(order_key("AUT_CRED", "AUT_CRED", {"HOTEL", "Peña", "", 0LL})));

    // Upper-cased parts change ASCII letters only, as the database's upper() does.
    auto art = USE(*db, "DEF_ART", "DEF_ART3");
    ADD_NEW_REC(*art);
    art->FieldPut("NEGOCIO", std::string("HOTEL"));
    art->FieldPut("DESCRIP", std::string("crema de piña"));
    UNLOCK_NEW_REC(*art);
    EXPECT_TRUE(art->Seek(order_key("DEF_ART", "DEF_ART3", {"HOTEL", "Crema de piña"})));
}

TEST(OrderKey, MisuseIsAProgrammingFaultNamedInTheMessage) {
    EXPECT_THROW(order_key("NO_EXISTE", "X", {"HOTEL"}), std::logic_error);
    EXPECT_THROW(order_key("T_CAMBIO", "NO_EXISTE", {"HOTEL"}), std::logic_error);
    EXPECT_THROW(order_key("T_CAMBIO", "T_CAMB3", {"HOTEL", Date(), "X"}), std::logic_error);
    EXPECT_THROW(order_key("T_CAMBIO", "T_CAMB3", {"HOTEL", "20260101"}), std::logic_error);
    EXPECT_THROW(order_key_prefix("T_CAMBIO", "T_CAMB3", {"HOTEL", Date()}, "X"), std::logic_error);
    EXPECT_EQ(order_key("T_CAMBIO", "T_CAMB3", {}), "");
    // Too long a value is cut to its part, as the database cuts it.
    EXPECT_EQ(order_key("T_CAMBIO", "T_CAMBIO", {"HOTEL", "USD"}), business_key("HOTEL") + "US");
}

// kBusinessWidth is the width of NEGOCIO in every table that has one, so business_key() is the
// first part of every business-keyed order.
TEST(OrderKey, BusinessWidthIsEveryTablesBusinessField) {
    const Catalogue& cat = Catalogue::instance();
    for (const std::string& name : cat.names()) {
        const FieldDef* f = cat.find(name)->field("NEGOCIO");
        if (f) {
            EXPECT_EQ(f->width, kBusinessWidth) << name;
        }
    }
    EXPECT_EQ(business_key(" HOTEL "), "HOTEL" + std::string(10, ' '));
}

// A typed code is checked against the width its key part pads and cuts it to.
TEST(OrderKey, FieldWidthIsTheWidthTheKeyPartTakes) {
    EXPECT_EQ(field_width("SPA_SALA", "CODIGO"), 4u);
    EXPECT_EQ(field_width("spa_sala", "codigo"), 4u);
    EXPECT_EQ(order_key("SPA_SALA", "SPA_SALA", {"HOTEL", ""}).size(),
              kBusinessWidth + field_width("SPA_SALA", "CODIGO"));
    EXPECT_THROW(field_width("SPA_SALA", "NO_EXISTE"), std::logic_error);
    EXPECT_THROW(field_width("NO_EXISTE", "CODIGO"), std::logic_error);
}

INSTANTIATE_TEST_SUITE_P(Engines, OrderKeyTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL));
