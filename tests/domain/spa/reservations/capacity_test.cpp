#include "domain/spa/reservations/capacity.h"

#include <gtest/gtest.h>

#include "domain/spa/master/spa_rooms.h"
#include <filesystem>
#include <fstream>

#include "spa_fixture.h"

using namespace qz;
using namespace qz::domain::spa;
using qz::test::Engine;
using Status = BookingStatus;

TEST(SpaPeak, SweepsOnlyTheInstantsOfTheNewPeriod) {
    const std::vector<Occupancy> day = {{"A", "10:00", "11:00", 2}, {"B", "11:00", "12:00", 2}};
    // Each of A and B overlaps 10:30-11:30, but never both at once.
    EXPECT_EQ(peak_persons(day, "10:30", "11:30", 2).persons, 4);
    // A third booking spanning the hand-over is present with each of them in turn.
    auto with_c = day;
    with_c.push_back({"C", "10:45", "11:15", 1});
    const Peak p = peak_persons(with_c, "10:30", "11:30", 2);
    EXPECT_EQ(p.persons, 5);
    ASSERT_TRUE(p.holder);
    EXPECT_EQ(p.holder->code, "C");
    // Touching periods: nothing of A or B is present in 09:00-10:00 or 12:00-13:00.
    EXPECT_EQ(peak_persons(day, "09:00", "10:00", 3).persons, 3);
    EXPECT_FALSE(peak_persons(day, "12:00", "13:00", 3).holder);
    EXPECT_EQ(capacity_refusal(day[0]),
              "Excede la capacidad máxima de personas en sala. Existe al menos una reserva que "
              "tiene apartado este espacio:\rReserva : A (10:00 - 11:00)");
}

class SpaCapacityTest : public test::SpaFixture {};

TEST_P(SpaCapacityTest, TwoOfThreeOverlappingFitOnlyWhereSixFit) {
    add_room("S5", 5);
    add_room("S6", 6);
    EXPECT_EQ(book("S5", "10:00", "11:00", 3).status, Status::Saved);
    const auto second = book("S5", "10:30", "11:30", 3);
    EXPECT_EQ(second.status, Status::OverCapacity);
    EXPECT_NE(second.message.find("Reserva : R00001 (10:00 - 11:00)"), std::string::npos);
    EXPECT_EQ(book("S6", "10:00", "11:00", 3).status, Status::Saved);
    EXPECT_EQ(book("S6", "10:30", "11:30", 3).status, Status::Saved);
    // Another day of the same room is free.
    EXPECT_EQ(book("S5", "10:30", "11:30", 3, Date(2026, 5, 13)).status, Status::Saved);
}

TEST_P(SpaCapacityTest, BookingsThatPassOneByOneMayNotFillTheRoomTogether) {
    add_room("S4", 4);
    EXPECT_EQ(book("S4", "10:00", "11:00", 2).status, Status::Saved);  // A
    EXPECT_EQ(book("S4", "11:00", "12:00", 2).status, Status::Saved);  // B, touching A
    // Peak 4 at every instant: accepted.
    EXPECT_EQ(book("S4", "10:30", "11:30", 2).status, Status::Saved);  // C
    // Against each of A, B, C alone one more person fits (2 + 1 <= 4), but 10:30-11:00 already
    // holds A and C: 5 persons.
    const auto d = book("S4", "10:15", "10:45", 1);
    EXPECT_EQ(d.status, Status::OverCapacity);
    // Touching the busy hours on either side is fine.
    EXPECT_EQ(book("S4", "09:00", "10:00", 4).status, Status::Saved);
    EXPECT_EQ(book("S4", "12:00", "13:00", 4).status, Status::Saved);
}

TEST_P(SpaCapacityTest, CancelledBookingsFreeTheirPlaceAndAChangeDoesNotCountItself) {
    add_room("S3", 3);
    const auto a = book("S3", "10:00", "11:00", 3);
    ASSERT_EQ(a.status, Status::Saved);
    EXPECT_EQ(book("S3", "10:00", "11:00", 1).status, Status::OverCapacity);
    // Changing A itself to 11:00-12:00 weighs it against the others only.
    BookingRequest change;
    change.business = test::kSpaBiz;
    change.is_new = false;
    change.header.code = a.code;
    change.header.room = "S3";
    change.header.date = Date(2026, 5, 12);
    change.header.start = "10:30";
    change.header.end = "11:30";
    change.header.persons = 3;
    change.header.name = "Huésped";
    EXPECT_EQ(book_reservation(*db, change).status, Status::Saved);
    test::edit_record(*db, "SPA_RESE", "SPA_RESE",
                      data::order_key("SPA_RESE", "SPA_RESE", {test::kSpaBiz, a.code}),
                      [](data::WDBTable& t) { t.FieldPut("ESTADO", Decimal(kCancelled)); });
    EXPECT_EQ(book("S3", "10:00", "12:00", 3).status, Status::Saved);
    EXPECT_EQ(book("XX", "10:00", "12:00", 1).status, Status::NoRoom);
}

TEST_P(SpaCapacityTest, ARoomsCapacityIsNotLoweredBelowWhatItsComingBookingsHold) {
    add_room("S6", 6);
    ASSERT_EQ(book("S6", "10:00", "11:00", 6, Date(2026, 5, 9)).status, Status::Saved);  // past
    ASSERT_EQ(book("S6", "10:00", "11:00", 2).status, Status::Saved);
    ASSERT_EQ(book("S6", "10:30", "12:00", 2).status, Status::Saved);  // 4 at once from 10:30
    ASSERT_EQ(book("S6", "12:00", "13:00", 3).status, Status::Saved);
    const auto lower_to = [&](long capacity) {
        return modify_room(*db, inst->port, test::kSpaBiz, "S6", {"S6", "Sala S6", capacity});
    };
    EXPECT_FALSE(lower_to(3));
    EXPECT_EQ(inst->port.messages.back(),
              ": No se puede reducir la capacidad de la Sala a 3: hay reservas de hoy en adelante "
              "que la exceden.\rReserva : R00003 del 12/05/26 (10:30 - 12:00), 4 personas a la "
              "vez.");
    EXPECT_EQ(read_room(*db, test::kSpaBiz, "S6")->capacity, 6);
    EXPECT_TRUE(lower_to(4));
}

TEST_P(SpaCapacityTest, SeveralProcessesBookingOneSlotNeverOverfillIt) {
    constexpr int kCapacity = 5;
    constexpr int kProcesses = 6;
    constexpr int kPersons = 2;
    add_room("S5", kCapacity);
    std::vector<int> pids;
    for (int i = 0; i < kProcesses; ++i) {
        auto args = inst->process_args();
        args.insert(args.end(), {test::kSpaBiz, "S5", "20260512", "10:00", "11:00",
                                 std::to_string(kPersons)});
        pids.push_back(test::spawn_tool("qz_spa_booker", args));
    }
    std::ofstream(inst->home() + "/GO") << "go";
    int booked = 0;
    for (int pid : pids) {
        const int status = test::wait_tool(pid);
        EXPECT_TRUE(status == 0 || status == 1) << status;
        booked += status == 0;
    }
    EXPECT_EQ(booked, kCapacity / kPersons);
    const auto held = room_day_bookings(*db, test::kSpaBiz, "S5", Date(2026, 5, 12), "");
    EXPECT_EQ(static_cast<int>(held.size()), booked);
    EXPECT_LE(peak_persons(held, "10:00", "11:00", 0).persons, kCapacity);
    // Every booking got its own number.
    std::set<std::string> codes;
    for (const auto& h : held) codes.insert(h.code);
    EXPECT_EQ(codes.size(), held.size());
}

INSTANTIATE_TEST_SUITE_P(Spa, SpaCapacityTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
