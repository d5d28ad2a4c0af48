// What another workstation does while a reservation is on screen or waits for a lock: a change
// never revives a cancelled reservation, a cancellation is stamped once, and a booking or a room
// deletion decides on the room as it is once it holds the room's lock.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>
#include <utility>

#include "data/transaction.h"
#include "domain/spa/master/spa_rooms.h"
#include "domain/spa/reservations/capacity.h"
#include "domain/spa/reservations/reservation.h"
#include "domain/spa/reservations/reservation_actions.h"
#include "spa_fixture.h"

using namespace qz;
using namespace qz::domain::spa;
using qz::test::Engine;
using qz::test::kSpaBiz;

namespace {

// Lets another workstation act while the user is being asked.
class MeanwhilePort : public test::ScriptedPort {
public:
    std::function<void()> meanwhile;
    bool confirm(const std::string& title, const std::string& text) override {
        if (auto act = std::exchange(meanwhile, {})) act();
        return test::ScriptedPort::confirm(title, text);
    }
};

}  // namespace

class SpaRaceTest : public test::SpaFixture {
protected:
    void SetUp() override {
        test::SpaFixture::SetUp();
        if (IsSkipped()) return;
        add_room("S4", 4);
        code = book("S4", "10:00", "11:00", 1).code;
        other = inst->open();
    }
    CancelRequest cancel_by(const std::string& user) {
        return {kSpaBiz, code, user, user + " / caja"};
    }
    SpaHeader stored() {
        SpaReservation r(*db, inst->port, kSpaBiz, "");
        EXPECT_TRUE(r.load(code, FormMode::Consult));
        return r.header;
    }
    void set_state(int state) {
        test::edit_record(*other, "SPA_RESE", "SPA_RESE",
                          data::order_key("SPA_RESE", "SPA_RESE", {kSpaBiz, code}),
                          [state](data::WDBTable& t) { t.FieldPut("ESTADO", Decimal(state)); });
    }
    // Another workstation's posting that holds room S4 until `release` ends it; `work` runs
    // with the room locked.
    std::thread hold_room(const std::function<void(data::Table&)>& work) {
        auto tx = std::make_shared<data::Transaction>(*other);
        auto room = std::make_shared<data::Table>(data::USE(*other, "SPA_SALA", "SPA_SALA"));
        EXPECT_TRUE((*room)->Seek(data::order_key("SPA_SALA", "SPA_SALA", {kSpaBiz, "S4"})));
        data::LOCK_FOR_MODIFY(**room);
        work(*room);
        return std::thread([this, tx, room] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            data::UNLOCK_FOR_MODIFY(**room);
            data::KILLTABLA(*other, *room);
            tx->commit();
        });
    }
    std::string code;
    std::unique_ptr<data::Db> other;
};

TEST_P(SpaRaceTest, AChangeSavedAfterTheReservationWasClosedElsewhereIsRefused) {
    SpaReservation form(*db, inst->port, kSpaBiz, "ANA");
    ASSERT_TRUE(form.load(code, FormMode::Modify));
    form.header.phones = "2222-3333";
    test::ScriptedPort elsewhere;
    ASSERT_TRUE(cancel_reservation(*other, elsewhere, cancel_by("LUIS")));
    ASSERT_TRUE(form.save().has_value());
    EXPECT_EQ(inst->port.messages.back(),
              "Error: La reserva ya fue anulada; no se guardaron los cambios.");
    SpaHeader h = stored();
    EXPECT_EQ(h.state, kCancelled);
    EXPECT_EQ(h.user_anul, "LUIS");
    EXPECT_EQ(h.phones, "");

    set_state(kActive);
    ASSERT_TRUE(form.load(code, FormMode::Modify));
    form.header.phones = "2222-3333";
    set_state(kInvoiced);
    ASSERT_TRUE(form.save().has_value());
    EXPECT_EQ(inst->port.messages.back(),
              "Error: La reserva ya fue facturada; no se guardaron los cambios.");
    EXPECT_EQ(stored().phones, "");

    // "Modificar" of a closed reservation only shows it.
    ASSERT_TRUE(form.load(code, FormMode::Modify));
    EXPECT_EQ(form.mode(), FormMode::Consult);
    set_state(kCancelled);
    ASSERT_TRUE(form.load(code, FormMode::Modify));
    EXPECT_EQ(form.mode(), FormMode::Consult);
    set_state(kActive);
    ASSERT_TRUE(form.load(code, FormMode::Modify));
    EXPECT_EQ(form.mode(), FormMode::Modify);
}

TEST_P(SpaRaceTest, ACancellationThatMeetsAnEarlierOneKeepsTheFirstStamp) {
    MeanwhilePort port;
    port.meanwhile = [&] {
        test::ScriptedPort elsewhere;
        inst->clock.freeze(DateTime{Date(2026, 5, 10), "09:05:00"});
        EXPECT_TRUE(cancel_reservation(*other, elsewhere, cancel_by("LUIS")));
        inst->clock.freeze(DateTime{Date(2026, 5, 10), "09:06:00"});
    };
    EXPECT_FALSE(cancel_reservation(*db, port, cancel_by("ANA")));
    const SpaHeader h = stored();
    EXPECT_EQ(h.user_anul, "LUIS");
    EXPECT_EQ(h.time_anul, "09:05:00");
    EXPECT_EQ(h.info_anul, "LUIS / caja");
}

TEST_P(SpaRaceTest, ABookingThatWaitedForARoomWhoseCodeChangedIsRefused) {
    db->patience = std::chrono::seconds(20);
    std::thread holder =
        hold_room([](data::Table& room) { room->FieldPut("CODIGO", std::string("S9")); });
    const auto r = book("S4", "12:00", "13:00", 1);
    holder.join();
    EXPECT_EQ(r.status, BookingStatus::NoRoom);
    EXPECT_EQ(room_day_bookings(*db, kSpaBiz, "S4", Date(2026, 5, 12), "").size(), 1u);
}

TEST_P(SpaRaceTest, ADeletionWaitsForABookingInTheRoomAndThenKeepsTheRoom) {
    test::edit_record(*db, "SPA_RESE", "SPA_RESE",
                      data::order_key("SPA_RESE", "SPA_RESE", {kSpaBiz, code}),
                      [](data::WDBTable& t) { t.FieldPut("ESTADO", Decimal(kCancelled)); });
    db->patience = std::chrono::seconds(20);
    std::thread holder = hold_room([this](data::Table&) {
        data::Table t = data::USE(*other, "SPA_RESE", "SPA_RESE");
        data::ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", kSpaBiz);
        t->FieldPut("CODIGO", std::string("OTRA"));
        t->FieldPut("ESTADO", Decimal(kActive));
        t->FieldPut("FECHA", Date(2026, 5, 20));
        t->FieldPut("COD_SALA", std::string("S4"));
        data::UNLOCK_NEW_REC(*t);
        data::KILLTABLA(*other, t);
    });
    inst->port.answer = true;
    const bool deleted = delete_room(*db, inst->port, kSpaBiz, "S4");
    holder.join();
    EXPECT_FALSE(deleted);
    EXPECT_TRUE(read_room(*db, kSpaBiz, "S4"));
    EXPECT_NE(inst->port.messages.back().find("bloquearla"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Spa, SpaRaceTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
