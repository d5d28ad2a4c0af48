// Rooms, persons in charge and spa settings: codes stay unique, a code change reaches every
// reference in one transaction, and bad settings are refused with the reason.
#include <gtest/gtest.h>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/serials.h"
#include "domain/session/master_rows.h"
#include "domain/spa/master/agents.h"
#include "domain/spa/master/spa_params.h"
#include "domain/spa/master/spa_rooms.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::data;
using namespace qz::domain::spa;
using namespace qz::domain;
using qz::test::Engine;

namespace {
const std::string kHotel = "HOTEL", kOther = "OTRO";
const Date kToday(2026, 3, 15);
}  // namespace

class SpaMasterTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(GetParam());
        inst->clock.freeze(DateTime{kToday, "09:00:00"});
        db = inst->open();
    }
    void booking(const std::string& biz, const std::string& code, const std::string& room,
                 const std::string& agent, int state = 1, long day = 0) {
        Table t = USE(*db, "SPA_RESE", "SPA_RESE");
        ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", biz);
        t->FieldPut("CODIGO", code);
        t->FieldPut("ESTADO", Decimal(state));
        t->FieldPut("FECHA", kToday + day);
        t->FieldPut("COD_SALA", room);
        t->FieldPut("ENCARGADO", agent);
        UNLOCK_NEW_REC(*t);
        KILLTABLA(*db, t);
    }
    // Room and person in charge of a reservation, "room/agent".
    std::string held_by(const std::string& biz, const std::string& code) {
        Table t = USE(*db, "SPA_RESE", "SPA_RESE");
        std::string out = "?";
        if (t->Seek(order_key("SPA_RESE", "SPA_RESE", {biz, code})))
            out = trim(t->str("COD_SALA")) + "/" + trim(t->str("ENCARGADO"));
        KILLTABLA(*db, t);
        return out;
    }
    void fill_bookings() {
        ASSERT_TRUE(add_room(*db, inst->port, kHotel, {"S01", "Jacuzzi", 6}));
        ASSERT_TRUE(add_room(*db, inst->port, kHotel, {"S02", "Sauna", 8}));
        ASSERT_TRUE(add_room(*db, inst->port, kOther, {"S01", "Otra", 2}));
        for (int i = 1; i <= 5; ++i)
            booking(kHotel, "R" + std::to_string(i), "S01", "01", 1, i - 2);
        booking(kHotel, "R6", "S02", "02");
        booking(kOther, "R1", "S01", "01");
    }
    // The text of the last message shown, without its title.
    std::string said() {
        const std::string& m = inst->port.messages.back();
        return m.substr(m.find(": ") + 2);
    }
    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<Db> db;
};

TEST_P(SpaMasterTest, RoomCodesAreRequiredAndUniqueWithinTheBusiness) {
    EXPECT_TRUE(add_room(*db, inst->port, kHotel, {"s01", "Sala Jacuzzi", 6}));
    EXPECT_FALSE(add_room(*db, inst->port, kHotel, {" S01 ", "Otra", 2}));
    EXPECT_EQ(said(), kRoomDuplicate);
    EXPECT_TRUE(add_room(*db, inst->port, kOther, {"S01", "Sala de otra empresa", 2}));
    EXPECT_FALSE(add_room(*db, inst->port, kHotel, {"", "Sin código", 2}));
    EXPECT_FALSE(add_room(*db, inst->port, kHotel, {"S09", "Sin cupo", 0}));
    EXPECT_FALSE(add_room(*db, inst->port, kHotel, {"S12345", "Código largo", 1}));
    auto room = read_room(*db, kHotel, "S01");
    ASSERT_TRUE(room);
    EXPECT_EQ(room->name, "Sala Jacuzzi");
    EXPECT_EQ(room->capacity, 6);
    EXPECT_FALSE(read_room(*db, kHotel, "S09"));
}

TEST_P(SpaMasterTest, ANewRoomCodeReachesEveryReservationOfTheBusinessOnly) {
    fill_bookings();
    inst->port.answer = true;
    ASSERT_TRUE(modify_room(*db, inst->port, kHotel, "S01", {"J01", "Sala Jacuzzi", 6}));
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(held_by(kHotel, "R" + std::to_string(i)), "J01/01");
    EXPECT_EQ(held_by(kHotel, "R6"), "S02/02");
    EXPECT_EQ(held_by(kOther, "R1"), "S01/01");
    EXPECT_FALSE(read_room(*db, kHotel, "S01"));
    EXPECT_EQ(read_room(*db, kHotel, "J01")->name, "Sala Jacuzzi");

    // Declining the question changes nothing; a code already taken is refused.
    inst->port.answer = false;
    EXPECT_FALSE(modify_room(*db, inst->port, kHotel, "J01", {"X01", "Sala Jacuzzi", 6}));
    EXPECT_EQ(held_by(kHotel, "R1"), "J01/01");
    inst->port.answer = true;
    EXPECT_FALSE(modify_room(*db, inst->port, kHotel, "J01", {"S02", "Sala Jacuzzi", 6}));
    EXPECT_EQ(said(), kRoomDuplicate);
}

TEST_P(SpaMasterTest, ARoomCodeChangeThatMeetsAHeldReservationChangesNothing) {
    fill_bookings();
    auto other = inst->open();
    Table held = USE(*other, "SPA_RESE", "SPA_RESE");
    ASSERT_TRUE(held->Seek(order_key("SPA_RESE", "SPA_RESE", {kHotel, "R4"})));
    ASSERT_TRUE(held->RLock());
    db->patience = std::chrono::milliseconds(50);
    db->poll_interval = std::chrono::milliseconds(10);
    inst->port.answer = true;
    EXPECT_FALSE(modify_room(*db, inst->port, kHotel, "S01", {"J01", "Nuevo nombre", 3}));
    EXPECT_EQ(said(), kRecodeAborted);
    held->Unlock();
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(held_by(kHotel, "R" + std::to_string(i)), "S01/01");
    auto room = read_room(*db, kHotel, "S01");
    ASSERT_TRUE(room);
    EXPECT_EQ(room->name, "Jacuzzi");
    EXPECT_FALSE(read_room(*db, kHotel, "J01"));
}

TEST_P(SpaMasterTest, DeletingARoomWarnsAndIsRefusedWhileItHasComingBookings) {
    fill_bookings();  // S01 has active bookings from today on; S02 one of today
    inst->port.answer = true;
    EXPECT_FALSE(delete_room(*db, inst->port, kHotel, "S01"));
    EXPECT_NE(said().find("bloquearla"), std::string::npos);
    ASSERT_TRUE(add_room(*db, inst->port, kHotel, {"S03", "Faciales", 2}));
    booking(kHotel, "R7", "S03", "01", 3);      // cancelled: no longer holds the room
    booking(kHotel, "R8", "S03", "01", 1, -1);  // yesterday's
    booking(kHotel, "R9", "S04", "01", 1, 7);   // only next week's
    ASSERT_TRUE(add_room(*db, inst->port, kHotel, {"S04", "Sauna", 2}));
    EXPECT_FALSE(delete_room(*db, inst->port, kHotel, "S04"));
    EXPECT_NE(said().find("bloquearla"), std::string::npos);
    inst->port.answer = false;
    EXPECT_FALSE(delete_room(*db, inst->port, kHotel, "S03"));
    EXPECT_TRUE(read_room(*db, kHotel, "S03"));
    inst->port.answer = true;
    EXPECT_TRUE(delete_room(*db, inst->port, kHotel, "S03"));
    EXPECT_FALSE(read_room(*db, kHotel, "S03"));
}

TEST_P(SpaMasterTest, AgentCodesAreUniqueAndAChangeReCodesTheirReferences) {
    fill_bookings();
    EXPECT_TRUE(add_agent(*db, inst->port, kHotel, {"01", "Ana Mora", "", "", Decimal(0)}));
    EXPECT_TRUE(add_agent(*db, inst->port, kHotel, {"02", "Luis Vega", "", "", Decimal(5)}));
    EXPECT_FALSE(add_agent(*db, inst->port, kHotel, {"01", "Otra Ana", "", "", Decimal(0)}));
    EXPECT_EQ(said(), "Código de agente ya definido...");
    EXPECT_FALSE(add_agent(*db, inst->port, kHotel, {"03", "Sin tope", "", "", Decimal(101)}));
    EXPECT_FALSE(modify_agent(*db, inst->port, kHotel, "01", {"02", "Ana Mora", "", "", {}}));
    EXPECT_EQ(said(), "Código de agente ya definido...");

    {  // a customer branch and a register that suggest agent 01
        Table br = USE(*db, "DET_CLIE", "DET_CLIE");
        ADD_NEW_REC(*br);
        br->FieldPut("NEGOCIO", kHotel);
        br->FieldPut("CLIENTE", "C1");
        br->FieldPut("SUGIERE_A", "01");
        UNLOCK_NEW_REC(*br);
        KILLTABLA(*db, br);
        Table reg = USE(*db, "CAJA_ENC", "CAJA_ENC");
        ADD_NEW_REC(*reg);
        reg->FieldPut("NEGOCIO", kHotel);
        reg->FieldPut("CODIGO", "SPA1");
        reg->FieldPut("DEF_AGENTE", "01");
        UNLOCK_NEW_REC(*reg);
        KILLTABLA(*db, reg);
    }
    ASSERT_TRUE(modify_agent(*db, inst->port, kHotel, "01", {"A1", "Ana Mora", "", "", {}}));
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(held_by(kHotel, "R" + std::to_string(i)), "S01/A1");
    EXPECT_EQ(held_by(kHotel, "R6"), "S02/02");
    EXPECT_EQ(held_by(kOther, "R1"), "S01/01");
    Table br = USE(*db, "DET_CLIE", "DET_CLIE15");
    EXPECT_TRUE(br->Seek(order_key("DET_CLIE", "DET_CLIE15", {kHotel, "A1"})));
    KILLTABLA(*db, br);
    Table reg = USE(*db, "CAJA_ENC", "CAJA_ENC");
    ASSERT_TRUE(reg->Seek(order_key("CAJA_ENC", "CAJA_ENC", {kHotel, "SPA1"})));
    EXPECT_EQ(trim(reg->str("DEF_AGENTE")), "A1");
    KILLTABLA(*db, reg);
    EXPECT_FALSE(read_agent(*db, kHotel, "01"));

    inst->port.answer = false;
    EXPECT_FALSE(delete_agent(*db, inst->port, kHotel, "A1"));
    inst->port.answer = true;
    EXPECT_TRUE(delete_agent(*db, inst->port, kHotel, "A1"));
    EXPECT_FALSE(read_agent(*db, kHotel, "A1"));
}

TEST_P(SpaMasterTest, SpaSettingsAreCheckedBeforeTheyAreSaved) {
    SpaParams p;
    p.first_hour = "07:00";
    p.last_hour = "21:00";
    EXPECT_EQ(check_spa_params(p), "");
    for (const char* bad : {"7:00", "24:00", "07:30", "ab:00", ""}) {
        p.first_hour = bad;
        EXPECT_NE(check_spa_params(p), "") << bad;
    }
    p.first_hour = "22:00";
    EXPECT_EQ(check_spa_params(p),
              "La hora inicial de la agenda no puede ser mayor a la hora final...");
    p.first_hour = "21:00";
    p.agenda_step = 3;
    EXPECT_NE(check_spa_params(p), "");
    p.agenda_step = 1;

    // An unknown series is saved only when the user says so; the register goes to the
    // workstation's settings file.
    IniFile ini(inst->home() + "/QUARTZEN.INI");
    p.serial = "SPA_RES";
    p.spa_register = "spa1";
    p.mail_text = "Bienvenido\r\nWelcome";
    inst->port.answer = false;
    EXPECT_FALSE(save_spa_params(*db, inst->port, kHotel, p, &ini));
    EXPECT_EQ(read_spa_params(*db, kHotel, &ini).serial, "");
    inst->port.answer = true;
    ASSERT_TRUE(save_spa_params(*db, inst->port, kHotel, p, &ini));
    const SpaParams back = read_spa_params(*db, kHotel, &ini);
    EXPECT_EQ(back.serial, "SPA_RES");
    EXPECT_EQ(back.first_hour, "21:00");
    EXPECT_EQ(back.agenda_step, 1);
    EXPECT_EQ(back.mail_text, "Bienvenido\r\nWelcome");
    EXPECT_EQ(back.spa_register, "SPA1");
    EXPECT_EQ(ini.get("F_SPA", "HOTELSPA_CAJA"), "SPA1");
    EXPECT_EQ(read_spa_params(*db, kOther, nullptr).first_hour, "00:00");

    Table ser = USE(*db, "SERIALES", "SERIALES");
    ADD_NEW_REC(*ser);
    ser->FieldPut("NEGOCIO", kHotel);
    ser->FieldPut("CODIGO", "SPA_RES");
    UNLOCK_NEW_REC(*ser);
    KILLTABLA(*db, ser);
    p.spa_register = "";
    EXPECT_TRUE(spa_params_warnings(*db, kHotel, p).empty());
}

// Reservations are numbered from the business's own series; one a user owns does not number
// them, so the settings must still warn that the series is missing.
TEST_P(SpaMasterTest, OnlyTheBusinessSeriesCountsAsTheReservationSeries) {
    const auto series = [&](const std::string& owner) {
        Table ser = USE(*db, "SERIALES", "SERIALES");
        ADD_NEW_REC(*ser);
        ser->FieldPut("NEGOCIO", kHotel);
        ser->FieldPut("USUARIO", owner);
        ser->FieldPut("CODIGO", std::string("SPA_RES"));
        UNLOCK_NEW_REC(*ser);
        KILLTABLA(*db, ser);
    };
    SpaParams p;
    p.serial = "spa_res";
    series("ANA");
    EXPECT_TRUE(domain::is_no_serial(domain::GET_NXSERIAL(*db, kHotel, "SPA_RES")));
    const auto warnings = spa_params_warnings(*db, kHotel, p);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], "El serial SPA_RES no está definido para esta empresa.");
    series("");
    EXPECT_TRUE(spa_params_warnings(*db, kHotel, p).empty());
    EXPECT_FALSE(spa_params_warnings(*db, kOther, p).empty());
}

INSTANTIATE_TEST_SUITE_P(SpaMaster, SpaMasterTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), test::engine_name);
