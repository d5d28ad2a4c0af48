#include "domain/demo/demo_data.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "core/legacy_crypt.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/rates.h"
#include "domain/session/pass_code.h"
#include "domain/session/password.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::data;
using namespace qz::domain;
using qz::test::Engine;

namespace {
const Date kToday(2026, 3, 15);
const std::string kBiz = "HOTEL";
const std::string kHotel = business_key(kBiz);
}  // namespace

TEST(Password, SamePasswordWhateverItsCaseOrWhatFollowsTheTenthCharacter) {
    EXPECT_EQ(normalise_password("caja2026"), "CAJA2026  ");
    // Accented letters change case as the login fields type them, and the width counts
    // characters, not bytes.
    EXPECT_EQ(normalise_password("niño"), "NIÑO      ");
    EXPECT_TRUE(verify_password("NIÑO", hash_password("niño")));
    const std::string h = hash_password("Quartzen");
    EXPECT_TRUE(starts_with(h, "$argon2id$"));
    EXPECT_TRUE(verify_password("QUARTZEN", h));
    EXPECT_TRUE(verify_password("quartzen  ", h));
    const std::string ten = hash_password("CAJA2026AB");
    EXPECT_TRUE(verify_password("caja2026abXYZ", ten));
    EXPECT_FALSE(verify_password("CAJA2026A", ten));
}

TEST(Password, WrongPasswordsAndForeignHashesAreRefused) {
    const std::string h = hash_password("QUARTZEN");
    EXPECT_FALSE(verify_password("QUARTZEM", h));
    EXPECT_FALSE(verify_password(" QUARTZEN", h));
    EXPECT_FALSE(verify_password("", h));
    EXPECT_FALSE(verify_password("QUARTZEN", ""));
    EXPECT_FALSE(verify_password("QUARTZEN", "QUARTZEN  "));  // a plain password is no hash
    EXPECT_FALSE(verify_password("QUARTZEN", std::string(500, '$')));
}

TEST(Password, EachHashHasItsOwnSaltAndHidesThePassword) {
    const std::string a = hash_password("QUARTZEN"), b = hash_password("QUARTZEN");
    EXPECT_NE(a, b);
    EXPECT_EQ(a.find("QUARTZEN"), std::string::npos);
    EXPECT_TRUE(verify_password("QUARTZEN", a));
    EXPECT_TRUE(verify_password("QUARTZEN", b));
}

class DemoDataTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(GetParam());
        inst->clock.freeze(DateTime{kToday, "09:30:00"});
        db = inst->open();
    }
    long rows(const std::string& table) {
        Table t = USE(*db, table);
        long n = t->KeyCount();
        KILLTABLA(*db, t);
        return n;
    }
    // Whether a row's key in `order` begins with the key of `parts`.
    bool exists(const std::string& table, const std::string& order,
                std::initializer_list<KeyValue> parts) {
        Table t = USE(*db, table, order);
        bool found = t->Seek(order_key(table, order, parts));
        KILLTABLA(*db, t);
        return found;
    }
    // The rows of the business in a table, walked along `order`.
    Table walk(const std::string& table, const std::string& order) {
        Table t = USE(*db, table, order);
        t->SetScope(kHotel, kHotel);
        t->GoTop();
        return t;
    }
    // A typed password against a user record: only the hash is stored.
    bool password_matches(const WDBTable& u, const std::string& typed) {
        EXPECT_EQ(u.num("ADASIPA"), Decimal(2));
        EXPECT_EQ(trim(u.str("PASSWORD")), "");
        return verify_password(typed, u.str("PWD_HASH"));
    }
    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<Db> db;
};

TEST_P(DemoDataTest, LoadsOneBusinessAndTellsHowToLogIn) {
    const std::string summary = install_demo_data(*db);
    for (const char* s : {"SUPERVISOR", "QUARTZEN", "CAJERO", "CAJA2026", "SPA1"})
        EXPECT_NE(summary.find(s), std::string::npos) << s;

    ASSERT_EQ(rows("NEGOCIOS"), 1);
    Table neg = USE(*db, "NEGOCIOS", "NEGOCIOS");
    ASSERT_TRUE(neg->Seek(kHotel));
    EXPECT_EQ(trim(neg->str("DESCRIP")), "Hotel Quartzen Spa & Resort");
    EXPECT_EQ(neg->num("INTENTOS"), Decimal(3));
    EXPECT_EQ(neg->num("DIAS_CLAVE"), Decimal(90));
    EXPECT_EQ(neg->num("SIZE_CLAVE"), Decimal(4));
    for (const char* currency : {"MONEDA_CON", "MONEDA_D"})
        EXPECT_TRUE(exists("MONEDAS", "MONEDAS", {kBiz, neg->str(currency)})) << currency;
    EXPECT_EQ(neg->str("MONEDA_CON"), "CO");
    EXPECT_EQ(neg->str("MONEDA_D"), "US");

    EXPECT_EQ(rows("USUARIOS"), 2);
    EXPECT_EQ(rows("F_SYS"), 1);
    EXPECT_EQ(rows("DEFMAIL"), 1);
    EXPECT_TRUE(exists("F_FAC", "F_FAC", {kBiz}));
    Table sys = USE(*db, "F_SYS");
    EXPECT_EQ(sys->num("DGROUP"), Decimal(10000));
    EXPECT_EQ(trim(sys->str("P_FONT")), "Calibri");
}

TEST_P(DemoDataTest, SupervisorPasswordVerifiesAndAWrongOneDoesNot) {
    install_demo_data(*db);
    Table users = USE(*db, "USUARIOS", "USUARIOS");
    ASSERT_TRUE(users->Seek(order_key("USUARIOS", "USUARIOS", {kBiz, "SUPERVISOR"})));
    EXPECT_EQ(users->num("SUPERVISOR"), Decimal(1));
    EXPECT_EQ(users->date("F_CLAVE"), kToday);
    EXPECT_TRUE(password_matches(*users, "QUARTZEN"));
    EXPECT_TRUE(password_matches(*users, "quartzen"));
    EXPECT_FALSE(password_matches(*users, "CAJA2026"));
    EXPECT_FALSE(password_matches(*users, "QUARTZE"));

    ASSERT_TRUE(users->Seek(order_key("USUARIOS", "USUARIOS", {kBiz, "CAJERO"})));
    EXPECT_EQ(users->num("SUPERVISOR"), Decimal(0));
    EXPECT_TRUE(password_matches(*users, "CAJA2026"));
    EXPECT_FALSE(password_matches(*users, "QUARTZEN"));

    // The register's and its operators' codes are stored hashed too.
    Table reg = USE(*db, "CAJA_ENC", "CAJA_ENC");
    ASSERT_TRUE(reg->Seek(order_key("CAJA_ENC", "CAJA_ENC", {kBiz, "SPA1"})));
    EXPECT_TRUE(verify_pass_code("SPA1", reg->str("PASSWORD")));
    Table ops = USE(*db, "DIGITA", "DIGITA");
    ASSERT_TRUE(ops->Seek(order_key("DIGITA", "DIGITA", {kBiz, "0002"})));
    EXPECT_TRUE(verify_pass_code("2222", ops->str("CLAVE")));
}

TEST_P(DemoDataTest, SupervisorHoldsEveryRightTheCashierHas) {
    install_demo_data(*db);
    std::map<long, std::set<long>> granted;
    for (Table m = walk("MENUS", "MENUS"); !m->Eof(); m->Skip()) {
        long id = m->num("ID").to_int();
        EXPECT_TRUE(id >= 2000 && id <= 7000) << id;
        EXPECT_TRUE(m->logical("CHECK_ID"));
        EXPECT_TRUE(granted[m->num("CODIGO").to_int()].insert(id).second) << "repeated " << id;
    }
    const auto& supervisor = granted[1];
    const auto& cashier = granted[2];
    for (long id : cashier) EXPECT_TRUE(supervisor.count(id)) << id;
    EXPECT_TRUE(cashier.count(6415));   // the agenda
    EXPECT_TRUE(cashier.count(6435));   // invoicing a booking
    EXPECT_FALSE(cashier.count(2000));  // users and rights are the supervisor's
    EXPECT_FALSE(cashier.count(6416));  // and so are the treatment rooms
}

TEST_P(DemoDataTest, DollarRatesReachTodayAndPassTheStaleRateCheck) {
    install_demo_data(*db);
    Table rates = USE(*db, "T_CAMBIO", "T_CAMBIO");
    const std::string pair = order_key("T_CAMBIO", "T_CAMBIO", {kBiz, "US", "CO"});
    ASSERT_TRUE(rates->Seek(order_key("T_CAMBIO", "T_CAMBIO", {kBiz, "US", "CO", kToday})));
    const Decimal today = rates->num("CAMBIO");
    EXPECT_GT(today, Decimal(500));
    EXPECT_LT(today, Decimal(520));
    EXPECT_LT(rates->num("CAMBIO2"), today);
    EXPECT_GT(rates->num("CAMBIO3"), today);
    EXPECT_EQ(rates->date("LIMITE"), date_2090());
    rates->SetScope(pair, pair);
    EXPECT_GE(rates->KeyCount(), 3);
    KILLTABLA(*db, rates);

    // What the rest of the system sees: dollars convert to colones at today's rate, and the
    // start-up check of the business finds nothing too old.
    EXPECT_EQ(CAMBIO_ACT(*db, "HOTEL", "CO", "US"), today);
    Table neg = USE(*db, "NEGOCIOS", "NEGOCIOS");
    ASSERT_TRUE(neg->Seek(kHotel));
    Date oldest = stale_rate_limit(kToday, neg->num("CHECK_MON") == Decimal(1),
                                   static_cast<int>(neg->num("CANT_MON").to_int()));
    EXPECT_GE(CFECHA_ACT(*db, "HOTEL", "CO", "US"), oldest);
}

TEST_P(DemoDataTest, TreatmentRoomsHaveDistinctCapacities) {
    install_demo_data(*db);
    std::set<long> capacities;
    long count = 0;
    for (Table r = walk("SPA_SALA", "SPA_SALA"); !r->Eof(); r->Skip(), ++count) {
        capacities.insert(r->num("CAPAC_MAX").to_int());
        EXPECT_EQ(r->num("BLOQUEADO"), Decimal(0));
    }
    EXPECT_GE(count, 4);
    EXPECT_EQ(static_cast<long>(capacities.size()), count);
    EXPECT_EQ(*capacities.begin(), 1);
}

TEST_P(DemoDataTest, CodesNamedByOneTableExistInTheOther) {
    install_demo_data(*db);
    for (Table c = walk("CONCEPT1", "CONCEPT1"); !c->Eof(); c->Skip()) {
        const std::string what = c->str("CONCEPTO");
        EXPECT_TRUE(exists("SERIALES", "SERIALES", {kBiz, "", c->str("SERIAL")})) << what;
        EXPECT_TRUE(exists("CONCEPT1", "CONCEPT1", {kBiz, c->str("OPUESTO")})) << what;
        if (!trim(c->str("ABONO_DEF")).empty()) {
            EXPECT_TRUE(exists("CONCEPT2", "CONCEPT2", {kBiz, c->str("ABONO_DEF")})) << what;
        }
        if (!trim(c->str("T_MOV_DEF")).empty()) {
            EXPECT_TRUE(exists("TIPO_MOV", "TIPO_MOV", {kBiz, c->str("T_MOV_DEF")})) << what;
        }
    }

    Table reg = USE(*db, "CAJA_ENC", "CAJA_ENC");
    ASSERT_TRUE(reg->Seek(order_key("CAJA_ENC", "CAJA_ENC", {kBiz, "SPA1"})));
    EXPECT_TRUE(exists("CLIENTES", "CLIENTES", {kBiz, reg->str("DEF_CLIEN")}));
    EXPECT_TRUE(exists("CONCEPT1", "CONCEPT1", {kBiz, reg->str("DEF_CONC")}));
    EXPECT_TRUE(exists("ENC_PREC", "ENC_PREC", {kBiz, reg->str("DEF_PREC")}));
    EXPECT_TRUE(exists("BODEGAS", "BODEGAS", {kBiz, reg->str("DEF_BODEGA")}));
    EXPECT_TRUE(exists("T_RECIBO", "T_RECIBO", {kBiz, reg->str("TIP_RECIBO")}));
    Table agent = USE(*db, "AGENTES", "AGENTES");
    ASSERT_TRUE(agent->Seek(order_key("AGENTES", "AGENTES", {kBiz, reg->str("DEF_AGENTE")})));
    EXPECT_EQ(agent->num("VER_SPA"), Decimal(1));

    // Every customer has exactly one principal branch.
    for (Table c = walk("CLIENTES", "CLIENTES"); !c->Eof(); c->Skip()) {
        Table b = USE(*db, "DET_CLIE", "DET_CLIE3");
        const std::string principal =
            order_key("DET_CLIE", "DET_CLIE3", {kBiz, c->str("CODIGO"), "S"});
        b->SetScope(principal, principal);
        EXPECT_EQ(b->KeyCount(), 1) << c->str("CODIGO");
        KILLTABLA(*db, b);
    }
}

TEST_P(DemoDataTest, NextSpaNumberIsFreeAndEveryServiceHasAPricePerType) {
    install_demo_data(*db);
    Table fac = USE(*db, "F_FAC", "F_FAC");
    ASSERT_TRUE(fac->Seek(kHotel));
    Table ser = USE(*db, "SERIALES", "SERIALES");
    ASSERT_TRUE(ser->Seek(order_key("SERIALES", "SERIALES", {kBiz, "", fac->str("SPA_SERIAL")})));
    const long next = ser->num("NUMERO").to_int() + 1;
    const std::string next_code = trim(ser->str("PREFIJO")) +
                                  pad_left(std::to_string(next), ser->num("INDENT").to_int(), '0');
    EXPECT_FALSE(exists("SPA_RESE", "SPA_RESE", {kBiz, next_code})) << next_code;
    EXPECT_EQ(ser->num("NUMERO").to_int(), rows("SPA_RESE"));

    std::vector<std::string> types;
    for (Table t = walk("ENC_PREC", "ENC_PREC"); !t->Eof(); t->Skip())
        types.push_back(t->str("CODIGO"));
    ASSERT_FALSE(types.empty());
    Table tax = USE(*db, "TIPO_IMP", "TIPO_IMP");
    ASSERT_TRUE(tax->Seek(order_key("TIPO_IMP", "TIPO_IMP", {kBiz, "IV"})));
    Table price = USE(*db, "DET_PREC", "DET_PRC1");
    for (Table a = walk("DEF_ART", "DEF_ART"); !a->Eof(); a->Skip()) {
        EXPECT_EQ(a->num("IMP_ART"), tax->num("MONTO")) << a->str("CODIGO");
        for (const auto& type : types) {
            ASSERT_TRUE(
                price->Seek(order_key("DET_PREC", "DET_PRC1", {kBiz, type, a->str("CODIGO")})))
                << type << a->str("CODIGO");
            EXPECT_GT(price->num("PRECIO"), Decimal(0));
        }
    }
}

TEST_P(DemoDataTest, SpaBookingsPickGuestsInHouseWithAnOpenFolio) {
    install_demo_data(*db);
    long with_room = 0;
    for (Table r = walk("SPA_RESE", "SPA_RESE"); !r->Eof(); r->Skip()) {
        Table sala = USE(*db, "SPA_SALA", "SPA_SALA");
        ASSERT_TRUE(sala->Seek(order_key("SPA_SALA", "SPA_SALA", {kBiz, r->str("COD_SALA")})));
        EXPECT_LE(r->num("NUM_PERSON"), sala->num("CAPAC_MAX")) << r->str("CODIGO");
        KILLTABLA(*db, sala);
        if (trim(r->str("COD_ROOM")).empty()) continue;
        ++with_room;
        // The form looks the room up among the lines in house (state "1").
        Table stay = USE(*db, "DET_RES2", "DET_RS30");
        ASSERT_TRUE(stay->Seek(order_key("DET_RES2", "DET_RS30", {kBiz, 1LL, r->str("COD_ROOM")})))
            << r->str("COD_ROOM");
        EXPECT_TRUE(exists("HUESPEDES", "HUESPEDES", {kBiz, stay->str("COD_HUESP")}));
        Table room = USE(*db, "ROOMS", "ROOMS");
        ASSERT_TRUE(room->Seek(order_key("ROOMS", "ROOMS", {kBiz, r->str("COD_ROOM")})));
        EXPECT_EQ(room->str("COD_RES"), stay->str("COD_RES"));
        // A charge to the room finds the open folio (CERRADO 0) marked last (class "0").
        EXPECT_TRUE(exists("ENC_FOL", "ENC_FOL3",
                           {kBiz, stay->str("COD_RES"), stay->str("ROOM"), 0LL, "0"}));
        KILLTABLA(*db, room);
        KILLTABLA(*db, stay);
    }
    EXPECT_GE(with_room, 1);
}

TEST_P(DemoDataTest, AFailureHalfwayLeavesNothingBehind) {
    // A treatment room already there with one of the demonstration's codes: the load gets as
    // far as the spa before the unique order of the rooms refuses it.
    Table sala = USE(*db, "SPA_SALA");
    ADD_NEW_REC(*sala);
    sala->FieldPut("NEGOCIO", std::string("HOTEL"));
    sala->FieldPut("CODIGO", std::string("S03"));
    sala->FieldPut("DESCRIP", std::string("Sala existente"));
    UNLOCK_NEW_REC(*sala);
    KILLTABLA(*db, sala);

    EXPECT_ANY_THROW(install_demo_data(*db));
    for (const char* table : {"NEGOCIOS", "MONEDAS", "T_CAMBIO", "USUARIOS", "MENUS", "F_SYS",
                              "CONCEPT1", "SERIALES", "CLIENTES", "ROOMS", "DET_RES2"})
        EXPECT_EQ(rows(table), 0) << table;
    EXPECT_EQ(rows("SPA_SALA"), 1);
}

TEST_P(DemoDataTest, ASecondLoadIsRefusedAndChangesNothing) {
    install_demo_data(*db);
    const long users = rows("USUARIOS"), rates = rows("T_CAMBIO");
    EXPECT_ANY_THROW(install_demo_data(*db));
    EXPECT_EQ(rows("NEGOCIOS"), 1);
    EXPECT_EQ(rows("USUARIOS"), users);
    EXPECT_EQ(rows("T_CAMBIO"), rates);
}

INSTANTIATE_TEST_SUITE_P(Engines, DemoDataTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
