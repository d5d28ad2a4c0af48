#include "domain/spa/agenda/spa_agenda.h"

#include "domain/spa/agenda/spa_agenda_report.h"
#include "domain/spa/reservations/slot_list.h"
#include "spa_agenda_fixture.h"

using namespace qz;
using namespace qz::domain::spa;
using qz::test::Engine;
using qz::test::SpaBooking;

namespace {

const Date kDay(2026, 5, 20);

const AgendaCell& cell(const AgendaDay& a, const std::string& time, int column) {
    for (const auto& row : a.rows)
        if (row.time == time) return row.cells.at(column);
    throw std::out_of_range("no slot " + time);
}

std::vector<std::string> times(const AgendaDay& a) {
    std::vector<std::string> out;
    for (const auto& row : a.rows) out.push_back(row.time);
    return out;
}

}  // namespace

class SpaAgendaTest : public test::SpaAgendaFixture {
protected:
    void SetUp() override {
        SpaAgendaFixture::SetUp();
        if (IsSkipped()) return;
        room("S01", "Sala Jade", 4);
        room("S02", "Suite Orquídea", 2);
        agent("01", "Ana Lucía Mora");
        article("MAS001", "Masaje relajante");
        article("FAC001", "Facial de café");
    }
    AgendaDay day() { return fill_agenda(*db, test::kSpa, kDay); }
};

TEST_P(SpaAgendaTest, SlotsFollowTheIntervalAndOnlyTheHourOfTheLimitsCounts) {
    // Without settings the day runs hourly from 00:00 to 23:00.
    AgendaDay a = day();
    ASSERT_EQ(a.rows.size(), 24u);
    EXPECT_EQ(a.rows.front().time, "00:00");
    EXPECT_EQ(a.rows.back().time, "23:00");

    settings(1, "08:45", "10:10");
    EXPECT_EQ(times(day()),
              (std::vector<std::string>{"08:00", "08:30", "09:00", "09:30", "10:00", "10:30"}));
}

TEST_P(SpaAgendaTest, QuarterHourSlotsAndSpans) {
    settings(2, "10:00", "10:00");
    EXPECT_EQ(times(day()), (std::vector<std::string>{"10:00", "10:15", "10:30", "10:45"}));
    EXPECT_EQ(slot_span(0), 59);
    EXPECT_EQ(slot_span(1), 29);
    EXPECT_EQ(slot_span(2), 14);
    // Starts inside the 10:15 slot, runs through 10:30, has ended before 10:45.
    book({.code = "R1", .room = "S01", .start = "10:20", .end = "10:40", .name = "Luis Pérez"},
         kDay);
    AgendaDay a = day();
    EXPECT_EQ(cell(a, "10:00", 0).state, CellState::Free);
    EXPECT_EQ(cell(a, "10:15", 0).text, "LUIS PÉREZ");
    EXPECT_EQ(cell(a, "10:30", 0).state, CellState::Partly);
    EXPECT_EQ(cell(a, "10:45", 0).state, CellState::Free);
}

TEST_P(SpaAgendaTest, HourlyCellTextOfAReservationSpanningSeveralSlots) {
    settings(0, "08:00", "12:00");
    book({.code = "R1",
          .room = "S02",
          .start = "08:30",
          .end = "11:00",
          .name = "José Peña",
          .agent = "01",
          .hotel_room = "204",
          .observation = "Alergia a nueces",
          .service = "MAS001"},
         kDay);
    AgendaDay a = day();
    const std::string text =
        "ROOM: 204 (JOSÉ PEÑA)\nANA LUCÍA MORA\nMASAJE RELAJANTE\nAlergia a nueces";
    // 08:30 starts within the 08:00 slot's span; 11:00 is its end, so that slot is free.
    for (const char* t : {"08:00", "09:00", "10:00"}) EXPECT_EQ(cell(a, t, 1).text, text) << t;
    EXPECT_EQ(cell(a, "11:00", 1).text, "");
    EXPECT_EQ(cell(a, "11:00", 1).state, CellState::Free);
    EXPECT_EQ(cell(a, "09:00", 0).state, CellState::Free);  // another room
}

TEST_P(SpaAgendaTest, HalfHourCellsShareFillUpAndIgnoreCancelled) {
    settings(1, "09:00", "10:00");
    book({.code = "R1",
          .room = "S01",
          .start = "09:00",
          .end = "10:00",
          .name = "Ana",
          .persons = 2,
          .observation = "Primera vez",
          .service = "FAC001"},
         kDay);
    book({.code = "R2",
          .room = "S01",
          .start = "09:30",
          .end = "10:00",
          .name = "Berta",
          .persons = 2,
          .service = "MAS001"},
         kDay);
    book({.code = "R3",
          .room = "S01",
          .start = "09:00",
          .end = "10:30",
          .name = "Carla",
          .persons = 3,
          .state = 3},
         kDay);
    book({.code = "R4", .room = "S01", .start = "09:00", .end = "10:30", .name = "Otro día"},
         kDay + 1);
    AgendaDay a = day();
    // Alone: its observation; two in the cell: "..." instead, the first one's text.
    EXPECT_EQ(cell(a, "09:00", 0).text, "ANA\nFACIAL DE CAFÉ\nPrimera vez");
    EXPECT_EQ(cell(a, "09:00", 0).state, CellState::Partly);
    EXPECT_EQ(cell(a, "09:30", 0).text, "ANA\nFACIAL DE CAFÉ\n...");
    EXPECT_EQ(cell(a, "09:30", 0).persons, 4);
    EXPECT_EQ(cell(a, "09:30", 0).state, CellState::Full);  // 2 + 2 reach the capacity of 4
    // The cancelled reservation and the other day's hold nothing.
    EXPECT_EQ(cell(a, "10:00", 0).state, CellState::Free);
}

TEST_P(SpaAgendaTest, TheSlotListHoldsWhatItsCellShows) {
    settings(0, "09:00", "11:00");
    book({.code = "R1", .room = "S01", .start = "10:15", .end = "10:45", .name = "Ana"}, kDay);
    book({.code = "R2", .room = "S01", .start = "09:30", .end = "10:00", .name = "Berta"}, kDay);
    book({.code = "R3", .room = "S02", .start = "09:00", .end = "11:30", .name = "Carla"}, kDay);
    const AgendaDay a = day();
    for (const auto& row : a.rows)
        for (size_t c = 0; c < a.rooms.size(); ++c)
            EXPECT_EQ(slot_reservations(*db, test::kSpa, a.rooms[c].code, kDay, row.time).size(),
                      static_cast<size_t>(row.cells[c].reservations))
                << row.time << " " << a.rooms[c].code;
    const auto at_ten = slot_reservations(*db, test::kSpa, "S01", kDay, "10:00");
    ASSERT_EQ(at_ten.size(), 1u);
    EXPECT_EQ(at_ten[0].code, "R1");
    EXPECT_EQ(slot_reservations(*db, test::kSpa, "TODAS", kDay, "09:00").size(), 2u);
}

TEST_P(SpaAgendaTest, OnlyTheFirstFifteenRoomsAreShown) {
    for (int i = 3; i <= 16; ++i) {
        const std::string code = "S" + std::string(i < 10 ? "0" : "") + std::to_string(i);
        room(code, "Sala " + std::to_string(i), 1);
    }
    book({.code = "R16", .room = "S16", .start = "09:00", .end = "10:00", .name = "Nadie"}, kDay);
    AgendaDay a = day();
    ASSERT_EQ(a.rooms.size(), 15u);
    EXPECT_EQ(a.rooms.front().name, "Sala Jade");
    EXPECT_EQ(a.rooms.back().code, "S15");
    for (const auto& row : a.rows)
        for (const auto& c : row.cells) EXPECT_EQ(c.state, CellState::Free);
}

TEST_P(SpaAgendaTest, ReportsGroupByRoomAndByPersonInCharge) {
    agent("02", "Carlos Solís");
    book({.code = "R1",
          .room = "S02",
          .start = "15:00",
          .end = "16:00",
          .name = "Ana",
          .agent = "02",
          .service = "MAS001"},
         kDay);
    book({.code = "R2",
          .room = "S01",
          .start = "09:00",
          .end = "10:00",
          .name = "Berta",
          .persons = 2,
          .agent = "01"},
         kDay + 1);
    book({.code = "R3", .room = "S01", .start = "08:00", .end = "09:00", .name = "Carla"},
         kDay + 1);
    book({.code = "R4",
          .room = "S01",
          .start = "08:00",
          .end = "09:00",
          .name = "Anulada",
          .state = 3},
         kDay);
    book({.code = "R5", .room = "S01", .start = "08:00", .end = "09:00", .name = "Fuera"},
         kDay + 2);
    AgendaReportRequest req{kDay, kDay + 1};
    auto rooms = agenda_by_room(*db, test::kSpa, req);
    ASSERT_EQ(rooms.size(), 2u);
    EXPECT_EQ(rooms[0].title, "Sala: S01 - Sala Jade");
    ASSERT_EQ(rooms[0].entries.size(), 2u);
    EXPECT_EQ(rooms[0].entries[0].reservation.code, "R3");  // 08:00 before 09:00
    EXPECT_EQ(rooms[0].persons, 3);
    EXPECT_EQ(rooms[1].entries[0].services.at(0).description, "Masaje relajante");

    req.include_cancelled = true;
    req.room = "S01";
    EXPECT_EQ(agenda_by_room(*db, test::kSpa, req).at(0).entries.size(), 3u);

    auto people = agenda_by_agent(*db, test::kSpa, AgendaReportRequest{kDay, kDay + 1});
    ASSERT_EQ(people.size(), 3u);
    EXPECT_EQ(people[0].title, "Encargado: 01 - ANA LUCÍA MORA");
    EXPECT_EQ(people[1].entries.at(0).reservation.code, "R1");
    EXPECT_EQ(people[2].title, "Sin encargado asignado");
    EXPECT_EQ(check_report_request({kDay + 1, kDay}),
              "La fecha final no puede ser menor a la fecha inicial.");
}

INSTANTIATE_TEST_SUITE_P(SpaAgenda, SpaAgendaTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), test::engine_name);
