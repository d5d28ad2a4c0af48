// Every posting path, failed at each of its statements in turn: nothing is half written, no
// lock stays behind, and the session goes on posting.
#include <gtest/gtest.h>

#include "core/text.h"
#include "domain/session/log_diag.h"
#include "domain/session/user_admin.h"
#include "domain/spa/master/spa_rooms.h"
#include "domain/spa/reservations/booking.h"
#include "support/fault_loop.h"
#include "support/record_edit.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;
using Mode = qz::test::FaultConnection::Mode;

namespace {
const std::string kBiz = "HOTEL";
}

class FaultLoopTest : public ::testing::TestWithParam<std::tuple<Engine, Mode>> {
protected:
    void SetUp() override {
        if (!test::engine_available(engine())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(engine());
        inst->clock.freeze(DateTime{Date(2026, 5, 10), "09:00:00"});
        db = inst->open(nullptr, [this](std::unique_ptr<data::Connection> c) {
            auto f = std::make_unique<test::FaultConnection>(std::move(c));
            fault = f.get();
            return f;
        });
        db->XUSER_ABREVIA = "SUP";
        other = inst->open();
        test::add_record(*db, "F_FAC", {{"NEGOCIO", kBiz}, {"SPA_SERIAL", std::string("SPA")}});
        test::add_record(*db, "SERIALES", {{"NEGOCIO", kBiz}, {"CODIGO", std::string("SPA")},
                                           {"PREFIJO", std::string("R")},
                                           {"INDENT", Decimal(5)}});
        test::add_record(*db, "SPA_SALA", {{"NEGOCIO", kBiz}, {"CODIGO", std::string("S1")},
                                           {"DESCRIP", std::string("Sala 1")},
                                           {"CAPAC_MAX", Decimal(4)}});
    }
    Engine engine() const { return std::get<0>(GetParam()); }
    Mode mode() const { return std::get<1>(GetParam()); }
    test::FaultLoopResult loop(const std::vector<std::string>& tables,
                               const std::function<bool()>& post) {
        return test::run_fault_loop(*db, *other, *fault, mode(), tables, post);
    }
    spa::BookingRequest booking(const std::string& start, const std::string& end) {
        spa::BookingRequest r;
        r.business = kBiz;
        r.user = "ANA";
        r.header.room = "S1";
        r.header.date = Date(2026, 5, 12);
        r.header.start = start;
        r.header.end = end;
        r.header.persons = 2;
        r.header.name = "Huésped";
        spa::SpaLine line;
        line.article = "MAS";
        line.description = "Masaje";
        line.quantity = Decimal(1);
        line.price = Decimal(50);
        r.lines = {line, line};
        return r;
    }
    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<data::Db> db, other;
    test::FaultConnection* fault = nullptr;
};

TEST_P(FaultLoopTest, ABookingIsWrittenWholeOrNotAtAll) {
    auto r = loop({"SPA_RESE", "SPA_RESD", "SERIALES", "SPA_SALA"}, [&] {
        return spa::book_reservation(*db, booking("10:00", "11:00")).status ==
               spa::BookingStatus::Saved;
    });
    EXPECT_GE(r.failures, 1);
    EXPECT_TRUE(r.committed);
    // Changing the booking: header and lines rewritten together.
    auto change = booking("10:00", "12:00");
    change.header.code = "R00001";
    change.is_new = false;
    r = loop({"SPA_RESE", "SPA_RESD"}, [&] {
        return spa::book_reservation(*db, change).status == spa::BookingStatus::Saved;
    });
    EXPECT_TRUE(r.committed);
}

TEST_P(FaultLoopTest, ARoomCodeChangeReCodesEveryBookingOrNone) {
    ASSERT_EQ(spa::book_reservation(*db, booking("10:00", "11:00")).status,
              spa::BookingStatus::Saved);
    ASSERT_EQ(spa::book_reservation(*db, booking("11:00", "12:00")).status,
              spa::BookingStatus::Saved);
    spa::SpaRoom room{"S9", "Sala 9", 4, false};
    auto r = loop({"SPA_SALA", "SPA_RESE"},
                  [&] { return spa::modify_room(*db, inst->port, kBiz, "S1", room); });
    EXPECT_TRUE(r.committed);
    EXPECT_GE(r.failures, 1);
}

TEST_P(FaultLoopTest, AUserIsAddedWithHisRightsOrNotAtAll) {
    UserForm u;
    u.NOMBRE = "LUIS";
    u.USUARIO = "Luis Solano";
    u.ABREVIA = "LSO";
    u.password = u.repeat = "CLAVE1";
    auto r = loop({"USUARIOS", "MENUS"}, [&] {
        UserForm form = u;
        return save_user(*db, inst->port, kBiz, form).has_value();
    });
    EXPECT_TRUE(r.committed);
    EXPECT_GE(r.failures, 1);
}

TEST_P(FaultLoopTest, TheScreenLogRecyclesItsOldestRecordOrLeavesIt) {
    SessionStamp who{kBiz, "ANA", "SPA"};
    int menu = 10;
    inst->clock.freeze(DateTime{Date(2025, 6, 1), "08:00:00"});
    ASSERT_TRUE(NEW_LOG_DIAG(*db, who, menu, "CLIENTE"));
    inst->clock.freeze(DateTime{Date(2026, 5, 10), "09:00:00"});
    auto r = loop({"LOG_DIAG"}, [&] {
        int id = 20;
        return NEW_LOG_DIAG(*db, who, id, "FAC_POS");
    });
    EXPECT_TRUE(r.committed);
    EXPECT_EQ(data::USE(*other, "LOG_DIAG")->KeyCount(), 1) << "recycled, not appended";
}

std::string loop_name(const ::testing::TestParamInfo<std::tuple<Engine, Mode>>& info) {
    std::string e = std::get<0>(info.param) == Engine::SQLite ? "SQLite" : "PostgreSQL";
    switch (std::get<1>(info.param)) {
        case Mode::FailNth:
            return e + "_FailingStatement";
        default:
            return e + "_CommitAnsweredWithRollback";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Postings, FaultLoopTest,
    ::testing::Combine(::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                       ::testing::Values(Mode::FailNth, Mode::CommitAsRollback)),
    loop_name);
