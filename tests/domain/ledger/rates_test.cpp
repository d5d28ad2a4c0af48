#include "domain/ledger/rates.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "data/table_ops.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::data;
using namespace qz::domain;
using qz::test::Engine;

namespace {
const std::string kHotel = "HOTEL";
const std::string kUsd = "US";
const std::string kCrc = "CR";
const std::string kEur = "EU";
}  // namespace

class RateTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(GetParam());
        db = inst->open();
        rates = USE(*db, "T_CAMBIO", "T_CAMB2");
        today(Date(2026, 3, 15));
    }
    void today(const Date& d) { inst->clock.freeze(DateTime{d, "10:00:00"}); }
    // One unit of `from` is worth `rate` units of `to` from `fecha` on.
    void add_rate(const std::string& from, const std::string& to, const Date& fecha,
                  const char* rate, const char* rate2 = "0", const std::string& neg = kHotel) {
        ADD_NEW_REC(*rates);
        rates->FieldPut("NEGOCIO", neg);
        rates->FieldPut("MONEDA1", from);
        rates->FieldPut("MONEDA2", to);
        rates->FieldPut("FECHA", fecha);
        rates->FieldPut("LIMITE", date_2090());
        rates->FieldPut("CAMBIO", Decimal::parse(rate));
        rates->FieldPut("CAMBIO2", Decimal::parse(rate2));
        UNLOCK_NEW_REC(*rates);
    }
    Decimal on(const Date& d, const std::string& a, const std::string& b) {
        return CAMBIO_SPEC(*db, *rates, kHotel, a, b, d);
    }
    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<Db> db;
    Table rates;
};

TEST_P(RateTest, StoredPairAnswersBothDirections) {
    add_rate(kUsd, kCrc, Date(2026, 3, 1), "535.00");
    // Dollars into colones is the stored direction; colones into dollars its inverse.
    EXPECT_EQ(CAMBIO_ACT(*db, *rates, kHotel, kCrc, kUsd), Decimal(535));
    Decimal back = CAMBIO_ACT(*db, *rates, kHotel, kUsd, kCrc);
    EXPECT_EQ(back, Decimal(1) / Decimal(535));
    EXPECT_EQ(ROUND5(Decimal(1000000) * back), Decimal::parse("1869.16"));

    EXPECT_EQ(CAMBIO_ACT(*db, *rates, kHotel, kUsd, kUsd), Decimal(1));
    EXPECT_EQ(CAMBIO_ACT(*db, *rates, kHotel, kEur, kUsd), Decimal(0));
    // Another business has rates of its own.
    EXPECT_EQ(CAMBIO_ACT(*db, *rates, "SPA", kCrc, kUsd), Decimal(0));
    // The one-off form opens the table itself and agrees.
    EXPECT_EQ(CAMBIO_ACT(*db, kHotel, kCrc, kUsd), Decimal(535));
    EXPECT_EQ(CAMBIO_SPEC(*db, kHotel, kUsd, kCrc, Date(2026, 3, 2)), back);
}

TEST_P(RateTest, NewestRateOnOrBeforeTheDayWins) {
    add_rate(kUsd, kCrc, Date(2026, 3, 1), "500");
    add_rate(kUsd, kCrc, Date(2026, 3, 10), "510");
    // The next pair in key order: a lookup that overshoots its own pair must not take it.
    add_rate(kUsd, kEur, Date(2026, 1, 1), "0.9");
    EXPECT_EQ(on(Date(2026, 3, 9), kCrc, kUsd), Decimal(500));
    EXPECT_EQ(on(Date(2026, 3, 10), kCrc, kUsd), Decimal(510));
    EXPECT_EQ(on(Date(2026, 6, 30), kCrc, kUsd), Decimal(510));
    EXPECT_EQ(on(Date(2026, 2, 28), kCrc, kUsd), Decimal(0));
    // The reversed direction picks the same dated row.
    EXPECT_EQ(on(Date(2026, 3, 9), kUsd, kCrc), Decimal(1) / Decimal(500));
    EXPECT_EQ(on(Date(2026, 2, 28), kUsd, kCrc), Decimal(0));
}

TEST_P(RateTest, RateDatedTomorrowIsNotInForceToday) {
    add_rate(kUsd, kCrc, Date(2026, 3, 10), "510");
    add_rate(kUsd, kCrc, Date(2026, 3, 16), "520");
    EXPECT_EQ(CAMBIO_ACT(*db, *rates, kHotel, kCrc, kUsd), Decimal(510));
    EXPECT_EQ(CFECHA_ACT(*db, *rates, kHotel, kCrc, kUsd), Date(2026, 3, 10));
    EXPECT_EQ(CFECHA_ACT(*db, *rates, kHotel, kUsd, kCrc), Date(2026, 3, 10));
    today(Date(2026, 3, 16));
    EXPECT_EQ(CAMBIO_ACT(*db, *rates, kHotel, kCrc, kUsd), Decimal(520));
    EXPECT_EQ(CFECHA_ACT(*db, kHotel, kCrc, kUsd), Date(2026, 3, 16));
    // No rate yet gives an empty date; a currency against itself is always current.
    EXPECT_TRUE(CFECHA_ACT(*db, *rates, kHotel, kEur, kUsd).empty());
    EXPECT_EQ(CFECHA_ACT(*db, *rates, kHotel, kEur, kEur), Date(2026, 3, 16));
}

TEST_P(RateTest, SignedRateCarriesTheStoredDirection) {
    add_rate(kUsd, kCrc, Date(2026, 3, 1), "535");
    Decimal as_stored_reversed = XCAMBIO_ACT(*db, *rates, kHotel, kCrc, kUsd);
    Decimal as_stored = XCAMBIO_ACT(*db, *rates, kHotel, kUsd, kCrc);
    EXPECT_EQ(as_stored_reversed, Decimal(-535));
    EXPECT_EQ(as_stored, Decimal(535));
    EXPECT_EQ(XCAMBIO_ACT(*db, kHotel, kEur, kUsd), Decimal(0));
    // Read back as factors, both forms give what the plain lookup gives.
    EXPECT_EQ(rate_factor_from_signed(as_stored_reversed),
              CAMBIO_ACT(*db, *rates, kHotel, kCrc, kUsd));
    EXPECT_EQ(rate_factor_from_signed(as_stored), CAMBIO_ACT(*db, *rates, kHotel, kUsd, kCrc));
    EXPECT_EQ(rate_factor_from_signed(Decimal()), Decimal());
}

TEST_P(RateTest, ColumnsPickAlternativeRates) {
    add_rate(kUsd, kCrc, Date(2026, 3, 1), "530", "540");
    EXPECT_EQ(CAMBIO_SPEC(*db, *rates, kHotel, kCrc, kUsd, Date(2026, 3, 5), {.column = 2}),
              Decimal(540));
    EXPECT_EQ(CAMBIO_SPEC(*db, *rates, kHotel, kCrc, kUsd, Date(2026, 3, 5), {.column = 0}),
              Decimal(530));
    EXPECT_EQ(CAMBIO_ACT(*db, *rates, kHotel, kUsd, kCrc, {.column = 2}),
              Decimal(1) / Decimal(540));
    EXPECT_EQ(XCAMBIO_ACT(*db, *rates, kHotel, kCrc, kUsd, {.column = 2}), Decimal(-540));
    EXPECT_THROW(CAMBIO_ACT(*db, *rates, kHotel, kCrc, kUsd, {.column = 6}), std::invalid_argument);
}

TEST_P(RateTest, DailyIncrementProjectsFromTheRateDate) {
    add_rate(kUsd, kCrc, Date(2026, 3, 1), "500");
    Decimal step = Decimal::parse("0.5");
    // Fourteen days after the rate at half a colón a day.
    EXPECT_EQ(CAMBIO_ACT(*db, *rates, kHotel, kCrc, kUsd, {.daily_increment = step}), Decimal(507));
    EXPECT_EQ(
        CAMBIO_ACT(*db, *rates, kHotel, kCrc, kUsd, {.daily_increment = step, .extra_days = 2}),
        Decimal(508));
    EXPECT_EQ(CAMBIO_ACT(*db, *rates, kHotel, kUsd, kCrc, {.daily_increment = step}),
              Decimal(1) / Decimal(507));
    EXPECT_EQ(
        CAMBIO_SPEC(*db, *rates, kHotel, kCrc, kUsd, Date(2026, 3, 1), {.daily_increment = step}),
        Decimal(500));
}

TEST_P(RateTest, HandleInAnotherOrderKeepsIt) {
    add_rate(kUsd, kCrc, Date(2026, 3, 1), "535");
    rates->SetOrder("T_CAMBIO");
    EXPECT_EQ(CAMBIO_ACT(*db, *rates, kHotel, kCrc, kUsd), Decimal(535));
    EXPECT_EQ(rates->order(), "T_CAMBIO");
    // A rate added through the same handle afterwards is seen by the next lookup.
    add_rate(kUsd, kCrc, Date(2026, 3, 12), "540");
    EXPECT_EQ(CAMBIO_ACT(*db, *rates, kHotel, kCrc, kUsd), Decimal(540));
}

INSTANTIATE_TEST_SUITE_P(Rates, RateTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);

TEST(RateStaleLimit, DaysOrCalendarMonthsBack) {
    EXPECT_EQ(stale_rate_limit(Date(2026, 3, 31), true, 10), Date(2026, 3, 21));
    EXPECT_EQ(stale_rate_limit(Date(2026, 3, 31), false, 1), Date(2026, 2, 28));
    EXPECT_EQ(stale_rate_limit(Date(2024, 3, 31), false, 1), Date(2024, 2, 29));
    EXPECT_EQ(stale_rate_limit(Date(2026, 1, 15), false, 2), Date(2025, 11, 15));
}
