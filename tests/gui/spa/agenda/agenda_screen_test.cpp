// The agenda at the reception desk: the day's grid, what choosing a cell opens, and the day
// moving with its buttons.
#include "gui/spa/agenda/agenda_screen.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QTableWidget>
#include <QTest>

#include "core/text.h"
#include "domain/spa/agenda/spa_agenda_fixture.h"
#include "gui/framework/message_box.h"
#include "gui/spa/agenda/agenda_hooks.h"

namespace qz::gui {
namespace {

using qz::test::Engine;
using qz::test::SpaBooking;

const Date kToday(2026, 5, 20);

struct Call {
    std::string hook, room, time;
    Date day;
};

class AgendaScreenTest : public qz::test::SpaAgendaFixture {
protected:
    void SetUp() override {
        SpaAgendaFixture::SetUp();
        inst->clock.freeze(DateTime{kToday, "10:00:00"});
        settings(0, "08:00", "11:00");
        room("S01", "Sala Jade", 2);
        room("S02", "Suite Orquídea", 2);
        book({.code = "R1", .room = "S01", .start = "09:00", .end = "10:00", .name = "Ana"},
             kToday);
        auto record = [this](const char* which) {
            return [this, which](QWidget*, const std::string& room, Date day,
                                 const std::string& time) {
                calls.push_back({which, room, time, day});
                if (std::string(which) == "new")  // the form saves a booking
                    book({.code = "R2",
                          .room = room,
                          .start = time,
                          .end = "11:00",
                          .name = "Berta"},
                         day);
            };
        };
        set_agenda_new_reservation(record("new"));
        set_agenda_slot_list(record("list"));
        screen = open_spa_agenda(nullptr, *db, qz::test::kSpa, inst->clock);
        ASSERT_TRUE(screen);
        screen->show();
    }
    void TearDown() override {
        set_agenda_new_reservation({});
        set_agenda_slot_list({});
        if (screen) screen->CLOSEIT(kCmdEnd);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QTableWidget* grid() { return screen->control_as<QTableWidget>(AgendaScreen::kIdGrid); }
    QString cell(int row, int column) { return grid()->item(row, column)->text(); }
    void click(int row, int column) {
        QTableWidget* g = grid();
        const QRect at = g->visualRect(g->model()->index(row, column));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, at.center());
    }

    QPointer<AgendaScreen> screen;
    std::vector<Call> calls;
    MessageBoxScript boxes;
};

TEST_P(AgendaScreenTest, ShowsTheDayWithRoomHeadingsTextsAndStateColours) {
    QTableWidget* g = grid();
    EXPECT_EQ(screen->objectName(), "AGEN_SPA");
    ASSERT_EQ(g->columnCount(), 16);
    ASSERT_EQ(g->rowCount(), 4);
    EXPECT_EQ(g->horizontalHeaderItem(0)->text(), "HORA");
    EXPECT_EQ(g->horizontalHeaderItem(2)->text(), "Suite Orquídea");
    EXPECT_EQ(g->horizontalHeaderItem(3)->text(), "");
    EXPECT_EQ(cell(1, 0), "09:00");
    EXPECT_EQ(cell(1, 1), "ANA");
    // Free, partly taken and full cells never share a colour.
    const QColor free = g->item(0, 1)->background().color();
    const QColor partly = g->item(1, 1)->background().color();
    EXPECT_NE(free, partly);
    // A multi-line cell gets room for its lines.
    EXPECT_GE(g->rowHeight(1), g->fontMetrics().lineSpacing() * 3);
    EXPECT_EQ(screen->control_as<QLineEdit>(AgendaScreen::kIdDate)->text(), "20/05/26");
}

TEST_P(AgendaScreenTest, EmptyCellBooksTakenCellListsAndTheGridReadsAgain) {
    click(0, 1);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].hook, "new");
    EXPECT_EQ(calls[0].room, "S01");
    EXPECT_EQ(calls[0].time, "08:00");
    EXPECT_EQ(calls[0].day, kToday);
    // The booking the form made shows at once: 08:00 partly taken, 09:00 full (1 + 1 of 2).
    EXPECT_EQ(cell(0, 1), "BERTA");
    EXPECT_EQ(screen->agenda().rows[1].cells[0].state, domain::spa::CellState::Full);
    EXPECT_NE(grid()->item(1, 1)->background().color(), grid()->item(0, 1)->background().color());

    click(1, 1);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].hook, "list");
    EXPECT_EQ(calls[1].room, "S01");
    EXPECT_EQ(calls[1].time, "09:00");
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_P(AgendaScreenTest, HourColumnRoomlessColumnAndNoRowAreOutOfRange) {
    click(1, 0);
    click(1, 3);
    screen->choose(-1, 1);
    ASSERT_EQ(boxes.shown().size(), 3u);
    for (const auto& b : boxes.shown()) {
        EXPECT_EQ(b.text, "Selección fuera de rango");
        EXPECT_EQ(b.title, "Error");
    }
    EXPECT_TRUE(calls.empty());
}

TEST_P(AgendaScreenTest, DateButtonsMoveTheDayAndAPastDayRefusesNewBookings) {
    QTest::mouseClick(screen->control(AgendaScreen::kIdMonthBack), Qt::LeftButton);
    EXPECT_EQ(screen->day(), Date(2026, 4, 20));
    EXPECT_EQ(screen->control_as<QLineEdit>(AgendaScreen::kIdDate)->text(), "20/04/26");
    EXPECT_EQ(cell(1, 1), "");  // the booking is on another day
    click(1, 1);
    EXPECT_EQ(boxes.last_text(),
              "No está permitido crear Reservaciones con fecha anterior a la actual...");
    EXPECT_TRUE(calls.empty());

    QTest::mouseClick(screen->control(AgendaScreen::kIdYearOn), Qt::LeftButton);
    EXPECT_EQ(screen->day(), Date(2027, 4, 20));
    click(1, 1);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].day, Date(2027, 4, 20));
}

TEST_P(AgendaScreenTest, ABlockedRoomShowsItsBookingsButTakesNoNewOne) {
    put("SPA_RESE", {{"CODIGO", std::string("R9")},
                     {"ESTADO", Decimal(1)},
                     {"FECHA", kToday},
                     {"HORA_INI", std::string("09:00")},
                     {"HORA_FIN", std::string("10:00")},
                     {"COD_SALA", std::string("S02")},
                     {"A_NOMBRE", std::string("Eva")},
                     {"NUM_PERSON", Decimal(1)}});
    data::Table t = data::USE(*db, "SPA_SALA", "SPA_SALA");
    ASSERT_TRUE(t->Seek(pad_right(qz::test::kSpa, 15) + "S02"));
    data::LOCK_FOR_MODIFY(*t);
    t->FieldPut("BLOQUEADO", Decimal(1));
    data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(*db, t);
    screen->refresh();
    EXPECT_EQ(cell(1, 2), "EVA");
    click(0, 2);
    EXPECT_EQ(boxes.last_text(), "La Sala está bloqueada y no admite nuevas reservaciones.");
    EXPECT_TRUE(calls.empty());
    click(1, 2);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].hook, "list");
}

INSTANTIATE_TEST_SUITE_P(Gui, AgendaScreenTest, ::testing::Values(Engine::SQLite),
                         qz::test::engine_name);

}  // namespace
}  // namespace qz::gui
