// The agenda at the reception desk, as it opens after the login: the day's grid, a free cell
// opening the reservation form and the booking showing once the form closes, a taken cell
// listing its reservations over the agenda, and the day moving with its buttons.
#include "gui/spa/agenda/agenda_screen.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>

#include "data/order_key.h"
#include "gui/main_window_fixture.h"
#include "gui/spa/reservations/reservation_form_ids.h"
#include "gui/spa/reservations/ver_sres.h"
#include "support/record_edit.h"

namespace qz::gui {
namespace {

constexpr int kJade = 1, kOrchid = 2, kVolcano = 3, kNoRoom = 7;  // columns of the demo's rooms

class AgendaScreenTest : public test::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        agenda = screen_as<AgendaScreen>("AGEN_SPA");
        ASSERT_TRUE(agenda);
    }
    QTableWidget* grid() { return agenda->control_as<QTableWidget>(AgendaScreen::kIdGrid); }
    int row(const char* time) {
        for (int r = 0; r < grid()->rowCount(); ++r)
            if (grid()->item(r, 0)->text() == time) return r;
        ADD_FAILURE() << "no row " << time;
        return -1;
    }
    QString cell(const char* time, int column) { return grid()->item(row(time), column)->text(); }
    QColor colour(const char* time, int column) {
        return grid()->item(row(time), column)->background().color();
    }
    void click(const char* time, int column) {
        QTableWidget* g = grid();
        const QModelIndex at = g->model()->index(row(time), column);
        g->scrollTo(at);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(at).center());
        settle();
    }
    template <class W>
    static W* field(WDIAG* s, int id) {
        return s->control_as<W>(id);
    }

    QPointer<AgendaScreen> agenda;
};

TEST_F(AgendaScreenTest, OpensOnTodayWithRoomHeadingsTextsAndStateColours) {
    EXPECT_EQ(active_screen(), agenda.data());
    QTableWidget* g = grid();
    ASSERT_EQ(g->columnCount(), 16);
    EXPECT_EQ(g->rowCount(), 30);  // 07:00 to 21:30 by half hours
    EXPECT_EQ(g->horizontalHeaderItem(0)->text(), "HORA");
    EXPECT_EQ(g->horizontalHeaderItem(kOrchid)->text(), "Suite Pareja Orquídea");
    EXPECT_EQ(g->horizontalHeaderItem(kNoRoom)->text(), "");
    EXPECT_TRUE(cell("09:00", kVolcano).startsWith("ROOM: 301 (JOHN MILLER)\n"));
    // Free, partly taken (2 of 4) and full (2 of 2) cells never share a colour.
    EXPECT_NE(colour("07:00", kJade), colour("09:00", kVolcano));
    EXPECT_NE(colour("09:00", kVolcano), colour("10:00", kOrchid));
    EXPECT_NE(colour("07:00", kJade), colour("10:00", kOrchid));
    // A multi-line cell gets room for its lines.
    EXPECT_GE(g->rowHeight(row("09:00")), g->fontMetrics().lineSpacing() * 3);
    EXPECT_EQ(field<QLineEdit>(agenda, AgendaScreen::kIdDate)->text(), "20/05/26");
}

TEST_F(AgendaScreenTest, AFreeCellOpensTheFormAndTheBookingShowsWhenItCloses) {
    click("08:00", kJade);
    WDIAG* form = active_screen();
    ASSERT_TRUE(form);
    ASSERT_EQ(form->objectName(), "SPA_RESE");
    EXPECT_EQ(field<QComboBox>(form, spa_form::kRoom)->currentData().toString(), "S01");
    EXPECT_EQ(field<QLineEdit>(form, spa_form::kDate)->text(), "20/05/2026");
    EXPECT_EQ(field<QComboBox>(form, spa_form::kStartHour)->currentText(), "08");
    field<QLineEdit>(form, spa_form::kName)->setText("Berta Solís");
    auto* end = field<QComboBox>(form, spa_form::kEndHour);
    end->setCurrentIndex(end->findText("09"));
    field<QSpinBox>(form, spa_form::kPersons)->setValue(1);
    QTest::mouseClick(form->control(kCmdOk), Qt::LeftButton);
    settle();
    EXPECT_EQ(boxes.last_text().rfind("Número de Reservación asignado: SPA", 0), 0u)
        << boxes.last_text();
    EXPECT_FALSE(screen("SPA_RESE"));
    // Back on the agenda, which reads the day again: the single room is full now.
    EXPECT_EQ(active_screen(), agenda.data());
    EXPECT_TRUE(cell("08:00", kJade).startsWith("BERTA SOLÍS"))
        << cell("08:00", kJade).toStdString();
    EXPECT_EQ(colour("08:00", kJade), colour("10:00", kOrchid));
}

TEST_F(AgendaScreenTest, ATakenCellListsItsReservationsOverTheAgenda) {
    click("09:00", kVolcano);
    WDIAG* list = active_screen();
    ASSERT_TRUE(list);
    ASSERT_EQ(list->objectName(), "VER_SRES");
    EXPECT_FALSE(agenda->isEnabled());
    auto* rows = field<QTableWidget>(list, ver_sres::kGrid);
    ASSERT_EQ(rows->rowCount(), 1);
    EXPECT_EQ(rows->item(0, 5)->text(), "John Miller");
    QTest::mouseClick(list->control(kCmdCancel), Qt::LeftButton);
    settle();
    EXPECT_FALSE(screen("VER_SRES"));
    EXPECT_TRUE(agenda->isEnabled());
    EXPECT_EQ(active_screen(), agenda.data());
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(AgendaScreenTest, HourColumnRoomlessColumnAndNoRowAreOutOfRange) {
    click("09:00", 0);
    click("09:00", kNoRoom);
    agenda->choose(-1, kJade);
    ASSERT_EQ(boxes.shown().size(), 3u);
    for (const auto& b : boxes.shown()) {
        EXPECT_EQ(b.text, "Selección fuera de rango");
        EXPECT_EQ(b.title, "Error");
    }
    EXPECT_EQ(open_screens(), QStringList{"AGEN_SPA"});
}

TEST_F(AgendaScreenTest, DateButtonsMoveTheDayAndAPastDayRefusesNewBookings) {
    QTest::mouseClick(agenda->control(AgendaScreen::kIdMonthBack), Qt::LeftButton);
    EXPECT_EQ(agenda->day(), Date(2026, 4, 20));
    EXPECT_EQ(field<QLineEdit>(agenda, AgendaScreen::kIdDate)->text(), "20/04/26");
    EXPECT_EQ(cell("09:00", kVolcano), "");  // the bookings are on another day
    click("09:00", kVolcano);
    EXPECT_EQ(boxes.last_text(),
              "No está permitido crear Reservaciones con fecha anterior a la actual...");
    EXPECT_EQ(open_screens(), QStringList{"AGEN_SPA"});

    QTest::mouseClick(agenda->control(AgendaScreen::kIdYearOn), Qt::LeftButton);
    EXPECT_EQ(agenda->day(), Date(2027, 4, 20));
    click("09:00", kVolcano);
    WDIAG* form = screen("SPA_RESE");
    ASSERT_TRUE(form);
    EXPECT_EQ(field<QLineEdit>(form, spa_form::kDate)->text(), "20/04/2027");
}

TEST_F(AgendaScreenTest, ABlockedRoomShowsItsBookingsButTakesNoNewOne) {
    qz::test::edit_record(*ctx.db, "SPA_SALA", "SPA_SALA",
                          data::order_key("SPA_SALA", "SPA_SALA", {"HOTEL", "S02"}),
                          [](data::WDBTable& t) { t.FieldPut("BLOQUEADO", Decimal(1)); });
    agenda->refresh();
    EXPECT_FALSE(cell("10:00", kOrchid).isEmpty());
    click("07:00", kOrchid);
    EXPECT_EQ(boxes.last_text(), "La Sala está bloqueada y no admite nuevas reservaciones.");
    EXPECT_EQ(open_screens(), QStringList{"AGEN_SPA"});
    click("10:00", kOrchid);
    EXPECT_EQ(active_screen()->objectName(), "VER_SRES");
}

}  // namespace
}  // namespace qz::gui
