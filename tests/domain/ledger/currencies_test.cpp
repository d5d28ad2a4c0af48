// Currencies, pairs and dated rates: codes stay unique, a currency's new code reaches every row
// that keeps it in one transaction, a pair's new second currency takes its rates along, and a
// rate is refused when it could not be used.
#include "domain/ledger/currencies.h"

#include <gtest/gtest.h>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/diff_types.h"
#include "domain/ledger/rate_rows.h"
#include "domain/ledger/rates.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::data;
using namespace qz::domain;
using qz::test::Engine;

namespace {
const std::string kHotel = "HOTEL", kOther = "OTRO";
const Date kToday(2026, 3, 15);

DatedRate usd_crc(const Date& d, const char* rate) {
    return DatedRate{"US", "CR", d, {Decimal::parse(rate), {}, {}, {}, {}}};
}
}  // namespace

class CurrencyTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(GetParam());
        inst->clock.freeze(DateTime{kToday, "09:00:00"});
        db = inst->open();
        for (const auto& biz : {kHotel, kOther}) {
            ASSERT_TRUE(add_currency(*db, port(), biz, {"CR", "Colones", "₡", "CRC"}));
            ASSERT_TRUE(add_currency(*db, port(), biz, {"US", "Dólares", "$", "USD"}));
            ASSERT_TRUE(add_pair(*db, port(), biz, {"US", "CR", {}}));
        }
        Table d = USE(*db, "DOCUMENT", "DOCUMENT");
        for (const auto& biz : {kHotel, kOther}) {
            ADD_NEW_REC(*d);
            d->FieldPut("NEGOCIO", biz);
            d->FieldPut("DOCUMENTO", "F1");
            d->FieldPut("MONEDA", "US");
            UNLOCK_NEW_REC(*d);
        }
        KILLTABLA(*db, d);
    }
    test::ScriptedPort& port() { return inst->port; }
    std::string field_of(const std::string& table, const std::string& order,
                         std::initializer_list<KeyValue> key, const std::string& field) {
        Table t = USE(*db, table, order);
        std::string out = "?";
        if (t->Seek(order_key(table, order, key))) out = trim(t->str(field));
        KILLTABLA(*db, t);
        return out;
    }
    // The text of the last message shown ("title: text" in the script).
    std::string last_message() {
        if (port().messages.empty()) return "";
        const std::string& m = port().messages.back();
        return m.substr(m.find(": ") + 2);
    }
    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<Db> db;
};

TEST_P(CurrencyTest, CurrencyFormsAreRefusedWithTheirReason) {
    EXPECT_FALSE(add_currency(*db, port(), kHotel, {"us", "Otra"}));
    EXPECT_EQ(last_message(), kCurrencyDuplicate);
    EXPECT_FALSE(add_currency(*db, port(), kHotel, {"USD", "Dólar"}));
    EXPECT_EQ(last_message(), "El código de moneda admite 2 caracteres...");
    EXPECT_FALSE(add_currency(*db, port(), kHotel, {"EU", ""}));
    EXPECT_FALSE(add_currency(*db, port(), kHotel, {"EU", "Euros", "", "", Decimal(-1)}));
    EXPECT_FALSE(
        add_currency(*db, port(), kHotel, {"EU", "Euros", "", "", {}, {}, {}, false, "eu"}));
    // A pair needs two different currencies of the business, in one direction only.
    EXPECT_FALSE(add_pair(*db, port(), kHotel, {"US", "US", {}}));
    EXPECT_FALSE(add_pair(*db, port(), kHotel, {"US", "EU", {}}));
    EXPECT_EQ(last_message(), "Problemas con los códigos de moneda US / EU");
    EXPECT_FALSE(add_pair(*db, port(), kHotel, {"CR", "US", {}}));
    EXPECT_EQ(field_of("DET_MON", "DET_MON", {kHotel, "US", "CR"}, "DESCRIP"), "Colones   (₡)");
}

TEST_P(CurrencyTest, NewCodeReachesEveryRowOfTheBusinessOnly) {
    ASSERT_TRUE(add_dated_rate(*db, port(), kHotel, "SUP", usd_crc(Date(2026, 3, 1), "500")));
    ASSERT_TRUE(add_dated_rate(*db, port(), kOther, "SUP", usd_crc(Date(2026, 3, 1), "600")));
    ASSERT_TRUE(modify_currency(*db, port(), kHotel, "US", {"DL", "Dólares", "$", "USD"}));
    EXPECT_FALSE(read_currency(*db, kHotel, "US"));
    EXPECT_EQ(field_of("DOCUMENT", "DOCUMENT", {kHotel, "F1"}, "MONEDA"), "DL");
    EXPECT_EQ(field_of("DET_MON", "DET_MON", {kHotel, "DL", "CR"}, "MONEDA_1"), "DL");
    // The rate is found under the new code; the other business keeps its own.
    EXPECT_EQ(CAMBIO_ACT(*db, kHotel, "CR", "DL"), Decimal(500));
    EXPECT_EQ(CAMBIO_ACT(*db, kOther, "CR", "US"), Decimal(600));
    EXPECT_EQ(field_of("DOCUMENT", "DOCUMENT", {kOther, "F1"}, "MONEDA"), "US");
    // A code another currency holds is refused and nothing moves.
    EXPECT_FALSE(modify_currency(*db, port(), kHotel, "DL", {"CR", "Dólares"}));
    EXPECT_EQ(last_message(), kCurrencyDuplicate);
    EXPECT_EQ(field_of("DOCUMENT", "DOCUMENT", {kHotel, "F1"}, "MONEDA"), "DL");
}

TEST_P(CurrencyTest, PairsAndRatesKeepTheirCurrencies) {
    ASSERT_TRUE(add_currency(*db, port(), kHotel, {"EU", "Euros", "€", "EUR"}));
    ASSERT_TRUE(add_dated_rate(*db, port(), kHotel, "SUP", usd_crc(Date(2026, 3, 1), "500")));
    // A currency with a pair cannot go: its rates would be orphaned.
    EXPECT_FALSE(delete_currency(*db, port(), kHotel, "CR"));
    EXPECT_TRUE(read_currency(*db, kHotel, "CR"));
    // Moving the pair's second currency moves its rates too.
    ASSERT_TRUE(modify_pair(*db, port(), kHotel, {"US", "CR", {}}, {"US", "EU", Decimal(1)}));
    EXPECT_EQ(CAMBIO_ACT(*db, kHotel, "EU", "US"), Decimal(500));
    EXPECT_EQ(CAMBIO_ACT(*db, kHotel, "CR", "US"), Decimal(0));
    EXPECT_EQ(field_of("DET_MON", "DET_MON", {kHotel, "US", "EU"}, "DESCRIP"), "Euros   (€)");
    // Deleting the pair takes its rates with it.
    ASSERT_TRUE(delete_pair(*db, port(), kHotel, {"US", "EU", {}}));
    EXPECT_TRUE(pair_rates(*db, kHotel, "US", "EU").empty());
    EXPECT_TRUE(delete_currency(*db, port(), kHotel, "EU"));
}

TEST_P(CurrencyTest, RatesThatCouldNotBeUsedAreRefused) {
    EXPECT_FALSE(add_dated_rate(*db, port(), kHotel, "SUP", usd_crc(kToday, "0")));
    EXPECT_EQ(last_message(), kZeroFirstRate);
    EXPECT_FALSE(add_dated_rate(*db, port(), kHotel, "SUP", usd_crc(kToday, "-1")));
    EXPECT_FALSE(add_dated_rate(*db, port(), kHotel, "SUP", usd_crc(Date(), "500")));
    EXPECT_FALSE(add_dated_rate(*db, port(), kHotel, "SUP", {"US", "EU", kToday, {Decimal(1)}}));
    ASSERT_TRUE(add_dated_rate(*db, port(), kHotel, "SUP", usd_crc(Date(2026, 3, 1), "500")));
    ASSERT_TRUE(add_dated_rate(*db, port(), kHotel, "SUP", usd_crc(Date(2026, 3, 10), "510")));
    // Two rates on one day would leave the lookup to choose between them.
    EXPECT_FALSE(add_dated_rate(*db, port(), kHotel, "SUP", usd_crc(Date(2026, 3, 10), "511")));
    EXPECT_FALSE(modify_dated_rate(*db, port(), kHotel, "SUP", Date(2026, 3, 1),
                                   usd_crc(Date(2026, 3, 10), "505")));
    ASSERT_TRUE(modify_dated_rate(*db, port(), kHotel, "SUP", Date(2026, 3, 10),
                                  usd_crc(Date(2026, 3, 11), "512")));
    const auto rates = pair_rates(*db, kHotel, "US", "CR");
    ASSERT_EQ(rates.size(), 2u);
    EXPECT_EQ(rates[0].fecha, Date(2026, 3, 11));  // newest first
    EXPECT_EQ(rates[0].rates[0], Decimal(512));
    EXPECT_EQ(CAMBIO_SPEC(*db, kHotel, "CR", "US", Date(2026, 3, 10)), Decimal(500));
    ASSERT_TRUE(delete_dated_rate(*db, port(), kHotel, rates[0]));
    EXPECT_EQ(CAMBIO_ACT(*db, kHotel, "CR", "US"), Decimal(500));
}

TEST_P(CurrencyTest, MissingRateRefusesNamingPairAndDate) {
    ASSERT_TRUE(add_dated_rate(*db, port(), kHotel, "SUP", usd_crc(Date(2026, 3, 10), "510")));
    auto before = required_rate(*db, kHotel, "CR", "US", Date(2026, 3, 9));
    EXPECT_FALSE(before);
    EXPECT_EQ(before.problem, "Falta por definir el tipo de cambio de US a CR al 09/03/2026...");
    auto on = required_rate(*db, kHotel, "US", "CR", Date(2026, 3, 10));
    ASSERT_TRUE(on);
    EXPECT_EQ(on.factor, Decimal(1) / Decimal(510));
    // A projection that turns the rate negative is no rate either.
    EXPECT_FALSE(required_rate(*db, kHotel, "CR", "US", Date(2026, 3, 20),
                               {.daily_increment = Decimal(-100)}));
}

TEST_P(CurrencyTest, DiffTypesAndRateCheckSettings) {
    EXPECT_FALSE(add_diff_type(*db, port(), kHotel, {"D1", "Diferencial", "", true}));
    ASSERT_TRUE(add_diff_type(*db, port(), kHotel, {"d1", "Diferencial", "4-01", true}));
    EXPECT_FALSE(add_diff_type(*db, port(), kHotel, {"D1", "Otro", "", false}));
    EXPECT_EQ(last_message(), kDiffTypeDuplicate);
    Table c = USE(*db, "CONCEPT1", "CONCEPT1");
    ADD_NEW_REC(*c);
    c->FieldPut("NEGOCIO", kHotel);
    c->FieldPut("CONCEPTO", "FC");
    c->FieldPut("COD_DIFF", "D1");
    UNLOCK_NEW_REC(*c);
    KILLTABLA(*db, c);
    // Concepts keep the type by its code: a new code follows, a named type stays.
    ASSERT_TRUE(modify_diff_type(*db, port(), kHotel, "D1", {"D2", "Diferencial", "4-01", true}));
    EXPECT_EQ(field_of("CONCEPT1", "CONCEPT1", {kHotel, "FC"}, "COD_DIFF"), "D2");
    EXPECT_FALSE(delete_diff_type(*db, port(), kHotel, "D2"));
    EXPECT_TRUE(read_diff_type(*db, kHotel, "D2"));

    Table n = USE(*db, "NEGOCIOS", "NEGOCIOS");
    ADD_NEW_REC(*n);
    n->FieldPut("CODIGO", kHotel);
    UNLOCK_NEW_REC(*n);
    KILLTABLA(*db, n);
    EXPECT_FALSE(save_rate_check(*db, port(), kHotel, {true, -1}));
    ASSERT_TRUE(save_rate_check(*db, port(), kHotel, {false, 2}));
    const auto s = read_rate_check(*db, kHotel);
    EXPECT_FALSE(s.by_days);
    EXPECT_EQ(s.amount, 2);
}

INSTANTIATE_TEST_SUITE_P(Currencies, CurrencyTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), test::engine_name);
