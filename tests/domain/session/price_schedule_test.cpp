#include "domain/session/price_schedule.h"

#include <gtest/gtest.h>

#include <optional>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::data;
using namespace qz::domain;
using qz::test::Engine;

namespace {
const std::string kHotel = "HOTEL";
const std::string kOther = "OTRO";
const Date kToday(2026, 3, 15);
const DateTime kNow{kToday, "10:30:00"};
}  // namespace

class PriceScheduleTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(GetParam());
        inst->clock.freeze(kNow);
        db = inst->open();
    }

    void schedule(const std::string& code, const std::string& type, const Date& on,
                  const std::string& at, int pending = 1, const std::string& biz = kHotel) {
        Table t = USE(*db, "ENC_PPRE", "ENC_PPRE");
        ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", biz);
        t->FieldPut("CODIGO", code);
        t->FieldPut("T_PRECIO", type);
        t->FieldPut("PENDIENTE", Decimal(pending));
        t->FieldPut("F_APLICA", on);
        t->FieldPut("H_APLICA", at);
        UNLOCK_NEW_REC(*t);
        KILLTABLA(*db, t);
    }
    void line(const std::string& code, const std::string& article, const char* price,
              const std::string& biz = kHotel) {
        Table t = USE(*db, "DET_PPRE", "DET_PPRE");
        ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", biz);
        t->FieldPut("CODIGO", code);
        t->FieldPut("ARTICULO", article);
        t->FieldPut("PRECIO", Decimal::parse(price));
        UNLOCK_NEW_REC(*t);
        KILLTABLA(*db, t);
    }
    void list_price(const std::string& type, const std::string& article, const char* price,
                    const std::string& biz = kHotel) {
        Table t = USE(*db, "DET_PREC", "DET_PRC1");
        ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", biz);
        t->FieldPut("CODIGO", type);
        t->FieldPut("ARTICULO", article);
        t->FieldPut("PRECIO", Decimal::parse(price));
        UNLOCK_NEW_REC(*t);
        KILLTABLA(*db, t);
    }
    void inventory_settings(int prec_auto, const std::string& biz = kHotel) {
        Table t = USE(*db, "F_INV", "F_INV");
        ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", biz);
        t->FieldPut("PREC_AUTO", Decimal(prec_auto));
        UNLOCK_NEW_REC(*t);
        KILLTABLA(*db, t);
    }

    // The price of the list entry; nullopt when there is none.
    std::optional<Decimal> price(const std::string& type, const std::string& article,
                                 const std::string& biz = kHotel) {
        Table t = USE(*db, "DET_PREC", "DET_PRC1");
        std::optional<Decimal> out;
        if (t->Seek(order_key("DET_PREC", "DET_PRC1", {biz, type, article})))
            out = t->num("PRECIO");
        KILLTABLA(*db, t);
        return out;
    }
    struct Header {
        Decimal pending;
        Date processed_on;
        std::string processed_at;
    };
    Header header(const std::string& code, const std::string& biz = kHotel) {
        Table t = USE(*db, "ENC_PPRE", "ENC_PPRE");
        EXPECT_TRUE(t->Seek(order_key("ENC_PPRE", "ENC_PPRE", {biz, code}))) << code;
        Header h{t->num("PENDIENTE"), t->date("F_PROCESA"), trim(t->str("H_PROCESA"))};
        KILLTABLA(*db, t);
        return h;
    }
    int apply(const DateTime& now = kNow) { return apply_due_price_changes(*db, kHotel, now); }

    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<Db> db;
};

// --- The switch in the inventory settings ---------------------------------------------------

TEST_P(PriceScheduleTest, CheckFollowsInventorySetting) {
    EXPECT_FALSE(price_check_enabled(*db, kHotel)) << "no settings record";
    inventory_settings(1);
    inventory_settings(0, kOther);
    EXPECT_TRUE(price_check_enabled(*db, kHotel));
    EXPECT_FALSE(price_check_enabled(*db, kOther));
    EXPECT_FALSE(price_check_enabled(*db, "NADIE"));
}

// --- Which schedules are due ----------------------------------------------------------------

TEST_P(PriceScheduleTest, YesterdaysScheduleIsAppliedAndMarked) {
    list_price("01", "CAFE", "1000.00");
    schedule("S1", "01", kToday - 1, "23:59:59");  // a late hour yesterday is still past
    line("S1", "CAFE", "1250.75");

    EXPECT_EQ(apply(), 1);
    EXPECT_EQ(price("01", "CAFE"), Decimal::parse("1250.75"));
    Header h = header("S1");
    EXPECT_EQ(h.pending, Decimal(0));
    EXPECT_EQ(h.processed_on, kToday);
    EXPECT_EQ(h.processed_at, "10:30:00");
    EXPECT_EQ(apply(), 0) << "a processed schedule is not applied twice";
}

TEST_P(PriceScheduleTest, LaterTodayWaitsAndDueNowApplies) {
    list_price("01", "CAFE", "1000.00");
    list_price("01", "TE", "800.00");
    schedule("LATER", "01", kToday, "10:30:01");
    line("LATER", "CAFE", "1111.11");
    schedule("NOW", "01", kToday, "10:30:00");
    line("NOW", "TE", "950.50");
    schedule("TOMORROW", "01", kToday + 1, "00:00:00");
    line("TOMORROW", "TE", "1.00");

    EXPECT_EQ(apply(), 1);
    EXPECT_EQ(price("01", "TE"), Decimal::parse("950.50"));
    EXPECT_EQ(price("01", "CAFE"), Decimal::parse("1000.00"));
    EXPECT_EQ(header("LATER").pending, Decimal(1));
    EXPECT_TRUE(header("LATER").processed_on.empty());
    EXPECT_EQ(header("TOMORROW").pending, Decimal(1));
    EXPECT_EQ(header("NOW").pending, Decimal(0));

    // One second later the afternoon's schedule has come.
    EXPECT_EQ(apply(DateTime{kToday, "10:30:01"}), 1);
    EXPECT_EQ(price("01", "CAFE"), Decimal::parse("1111.11"));
    EXPECT_EQ(header("LATER").processed_at, "10:30:01");
    EXPECT_EQ(header("TOMORROW").pending, Decimal(1));
}

TEST_P(PriceScheduleTest, ProcessedScheduleIsIgnoredEvenWhenDue) {
    list_price("01", "CAFE", "1000.00");
    schedule("DONE", "01", kToday - 10, "08:00:00", 0);
    line("DONE", "CAFE", "5.00");
    EXPECT_EQ(apply(), 0);
    EXPECT_EQ(price("01", "CAFE"), Decimal::parse("1000.00"));
    EXPECT_TRUE(header("DONE").processed_on.empty());
}

// --- What applying writes -------------------------------------------------------------------

TEST_P(PriceScheduleTest, OnlyTheNamedListAndExistingEntriesChange) {
    list_price("01", "CAFE", "1000.00");
    list_price("02", "CAFE", "900.00");  // another price list of the same article
    list_price("01", "PAN", "300.00");   // an article the schedule does not touch
    schedule("S1", "01", kToday - 1, "09:00:00");
    line("S1", "CAFE", "1234.56");
    line("S1", "JUGO", "700.00");  // no DET_PREC entry: skipped, not created

    EXPECT_EQ(apply(), 1);
    EXPECT_EQ(price("01", "CAFE"), Decimal::parse("1234.56"));
    EXPECT_EQ(price("02", "CAFE"), Decimal::parse("900.00"));
    EXPECT_EQ(price("01", "PAN"), Decimal::parse("300.00"));
    EXPECT_FALSE(price("01", "JUGO").has_value());
    EXPECT_EQ(header("S1").pending, Decimal(0)) << "a skipped line does not keep it pending";
}

TEST_P(PriceScheduleTest, LinesOfOtherSchedulesAreNotMixedIn) {
    list_price("01", "CAFE", "1000.00");
    list_price("01", "TE", "800.00");
    schedule("S1", "01", kToday - 1, "09:00:00");
    line("S1", "CAFE", "1100.00");
    schedule("S2", "01", kToday + 5, "09:00:00");
    line("S2", "TE", "0.01");
    line("S2", "CAFE", "0.02");

    EXPECT_EQ(apply(), 1);
    EXPECT_EQ(price("01", "CAFE"), Decimal::parse("1100.00"));
    EXPECT_EQ(price("01", "TE"), Decimal::parse("800.00"));
}

TEST_P(PriceScheduleTest, SeveralDueSchedulesAreAllApplied) {
    list_price("01", "CAFE", "1000.00");
    list_price("02", "TE", "800.00");
    schedule("A", "01", kToday - 3, "12:00:00");
    line("A", "CAFE", "1010.10");
    schedule("B", "02", kToday, "00:00:00");
    line("B", "TE", "820.20");

    EXPECT_EQ(apply(), 2);
    EXPECT_EQ(price("01", "CAFE"), Decimal::parse("1010.10"));
    EXPECT_EQ(price("02", "TE"), Decimal::parse("820.20"));
    EXPECT_EQ(header("A").pending, Decimal(0));
    EXPECT_EQ(header("B").pending, Decimal(0));
}

TEST_P(PriceScheduleTest, AnotherBusinessIsUntouched) {
    list_price("01", "CAFE", "1000.00");
    list_price("01", "CAFE", "500.00", kOther);
    schedule("S1", "01", kToday - 1, "09:00:00", 1, kOther);
    line("S1", "CAFE", "999.99", kOther);
    // The hotel's own schedule of the same code carries a line of the other business's article.
    schedule("S1", "01", kToday - 1, "09:00:00");
    line("S1", "CAFE", "1200.00");

    EXPECT_EQ(apply(), 1);
    EXPECT_EQ(price("01", "CAFE"), Decimal::parse("1200.00"));
    EXPECT_EQ(price("01", "CAFE", kOther), Decimal::parse("500.00"));
    EXPECT_EQ(header("S1", kOther).pending, Decimal(1));
    EXPECT_TRUE(header("S1", kOther).processed_on.empty());

    EXPECT_EQ(apply_due_price_changes(*db, kOther, kNow), 1);
    EXPECT_EQ(price("01", "CAFE", kOther), Decimal::parse("999.99"));
    EXPECT_EQ(price("01", "CAFE"), Decimal::parse("1200.00"));
}

INSTANTIATE_TEST_SUITE_P(PriceSchedule, PriceScheduleTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
