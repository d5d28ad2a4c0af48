// The demonstration spa opens on a day that makes sense: every reservation in a room that
// exists, every service line of a service with a price, the settings valid, one room full.
#include "domain/demo/spa_demo.h"

#include <gtest/gtest.h>

#include <map>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/demo/demo_data.h"
#include "domain/spa/master/services.h"
#include "domain/spa/master/spa_params.h"
#include "domain/spa/master/spa_rooms.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::data;
using namespace qz::domain;
using qz::test::Engine;

namespace {
const Date kDay(2026, 7, 9);
const std::string kHotel = business_key("HOTEL");
}  // namespace

class SpaDemoTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(GetParam());
        inst->clock.freeze(DateTime{kDay, "08:00:00"});
        db = inst->open();
        install_demo_data(*db);
    }
    long count(const std::string& table) {
        Table t = USE(*db, table);
        const long n = t->KeyCount();
        KILLTABLA(*db, t);
        return n;
    }
    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<Db> db;
};

TEST_P(SpaDemoTest, TodaysReservationsAreConsistentAndOneRoomIsFull) {
    std::map<std::string, long> persons;  // room → persons booked today
    int today = 0;
    Table r = USE(*db, "SPA_RESE", "SPA_RESE");
    r->SetScope(kHotel, kHotel);
    Table lines = USE(*db, "SPA_RESD", "SPA_RESD");
    for (r->GoTop(); !r->Eof(); r->Skip()) {
        const std::string code = trim(r->str("CODIGO")), room = trim(r->str("COD_SALA"));
        auto sala = spa::read_room(*db, "HOTEL", room);
        ASSERT_TRUE(sala) << code << " in " << room;
        const std::string hotel_room = trim(r->str("COD_ROOM"));
        if (!hotel_room.empty()) {  // a guest in house, as the form would have found
            Table g = USE(*db, "DET_RES2", "DET_RS30");
            EXPECT_TRUE(g->Seek(order_key("DET_RES2", "DET_RS30", {"HOTEL", 1LL, hotel_room})))
                << hotel_room;
            KILLTABLA(*db, g);
        }
        int n_lines = 0;
        const std::string key = order_key("SPA_RESD", "SPA_RESD", {"HOTEL", code});
        lines->SetScope(key, key);
        for (lines->GoTop(); !lines->Eof(); lines->Skip(), ++n_lines) {
            const std::string art = trim(lines->str("CODIGO"));
            EXPECT_TRUE(spa::read_service(*db, "HOTEL", art)) << art;
            EXPECT_TRUE(spa::list_price(*db, "HOTEL", trim(r->str("T_PRECIO")), art)) << art;
        }
        EXPECT_GE(n_lines, 1) << code;
        if (r->date("FECHA") != kDay) continue;
        ++today;
        persons[room] += r->num("NUM_PERSON").to_int();
        EXPECT_LE(persons[room], sala->capacity) << room;
    }
    KILLTABLA(*db, r);
    KILLTABLA(*db, lines);
    EXPECT_GE(today, 4);
    EXPECT_LE(today, 6);
    EXPECT_GE(persons.size(), 4u);
    int full = 0;
    for (const auto& [room, n] : persons) full += n == spa::read_room(*db, "HOTEL", room)->capacity;
    EXPECT_GE(full, 1);
}

TEST_P(SpaDemoTest, SettingsAreValidAndASecondRunAddsNothing) {
    const auto p = spa::read_spa_params(*db, "HOTEL", nullptr);
    EXPECT_EQ(spa::check_spa_params(p), "");
    EXPECT_TRUE(spa::spa_params_warnings(*db, "HOTEL", p).empty());
    EXPECT_EQ(p.first_hour, "07:00");
    EXPECT_EQ(p.last_hour, "21:00");
    EXPECT_TRUE(p.mail_on_create);
    EXPECT_NE(p.mail_text.find("Please"), std::string::npos);

    const long rooms = count("SPA_SALA"), bookings = count("SPA_RESE"), arts = count("DEF_ART");
    EXPECT_GE(rooms, 4);
    EXPECT_GE(arts, 8);
    install_spa_demo(*db);
    EXPECT_EQ(count("SPA_SALA"), rooms);
    EXPECT_EQ(count("SPA_RESE"), bookings);
    EXPECT_EQ(count("DEF_ART"), arts);
}

INSTANTIATE_TEST_SUITE_P(SpaDemo, SpaDemoTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), test::engine_name);
