// The printed agenda and the agenda reports, recorded as the preview keeps them.
#include "gui/spa/agenda/agenda_print.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "domain/spa/agenda/spa_agenda_fixture.h"
#include "gui/framework/framework_test_util.h"
#include "gui/framework/message_box.h"
#include "gui/print/print_gui_fakes.h"
#include "gui/print/print_job.h"
#include "gui/spa/agenda/agenda_reports.h"
#include "services/print/print_ops.h"

namespace qz::gui {
namespace {

using domain::spa::AgendaReportEntry;
using domain::spa::AgendaReportGroup;
using services::PrinterFunction;

// Every text drawn, page by page, in drawing order.
std::vector<std::string> recorded(const std::function<void(PrinterFunction&)>& draw) {
    test::PrintContextScope scope;
    test::Printed device;
    scope.record_into(device);
    PrinterFunction job;
    job.T_Print = "META";
    job.ORIENTACION(2);
    EXPECT_TRUE(START_DOC(nullptr, job, "AGENDA", false));
    draw(job);
    services::RESETPRINT(job);
    std::vector<std::string> texts;
    for (const auto& page : job.A_META_FILE)
        for (const auto& op : page.ops)
            if (op.kind == services::DrawOp::Kind::Text) texts.push_back(op.text);
    return texts;
}

bool has(const std::vector<std::string>& texts, const std::string& t) {
    return std::find(texts.begin(), texts.end(), t) != texts.end();
}

AgendaReportEntry entry(const char* code, const char* start, const char* name, int state) {
    AgendaReportEntry e;
    e.reservation.code = code;
    e.reservation.date = Date(2026, 5, 20);
    e.reservation.start = start;
    e.reservation.end = "11:00";
    e.reservation.name = name;
    e.reservation.persons = 2;
    e.reservation.state = state;
    e.reservation.room = "S01";
    e.room_name = "Sala Jade";
    e.agent_name = "Ana Mora";
    e.services = {{"MAS001", "Masaje relajante", "1"}, {"FAC001", "Facial", "2"}};
    return e;
}

TEST(AgendaPrint, ReportByPersonHoldsHeadingsGroupLinesAndTotals) {
    AgendaReportGroup g;
    g.title = "Encargado: 01 - ANA MORA";
    g.entries = {entry("R1", "09:00", "Berta Solís", 1), entry("R2", "10:00", "Carla", 2)};
    g.persons = 4;
    const auto texts = recorded(
        [&](PrinterFunction& job) { draw_agenda_report(job, {g}, AgendaReportKind::ByAgent); });
    for (const char* t :
         {"Fecha", "Hora I.", "Sala", "Servicios", "Estado", "# Pax", "Encargado: 01 - ANA MORA",
          "R1", "Berta Solís", "09:00", "11:00", "S01 Sala Jade", "Masaje relajante, 2 x Facial",
          "Activa", "Facturada", "20/05/2026", "Total personas: 4"})
        EXPECT_TRUE(has(texts, t)) << t;
    EXPECT_FALSE(has(texts, "Encargado"));  // the person heads the group, not a column
}

TEST(AgendaPrint, AgendaPrintsRoomsAsColumnsWithEveryLineOfACell) {
    domain::spa::AgendaDay day;
    day.date = Date(2026, 5, 20);
    day.rooms = {{"S01", "Sala Jade", 2}, {"S02", "Suite Orquídea", 2}};
    day.rows.resize(2);
    day.rows[0].time = "09:00";
    day.rows[1].time = "10:00";
    day.rows[0].cells[1] = {"ROOM: 204 (ANA)\nMASAJE\n...", domain::spa::CellState::Full, 2, 2};
    const auto texts = recorded([&](PrinterFunction& job) { draw_agenda(job, day); });
    for (const char* t : {"HORA", "Sala Jade", "Suite Orquídea", "09:00", "10:00",
                          "ROOM: 204 (ANA)", "MASAJE", "..."})
        EXPECT_TRUE(has(texts, t)) << t;
}

class AgendaReportDialogTest : public qz::test::SpaAgendaFixture {};

TEST_P(AgendaReportDialogTest, ReversedDatesAreRefusedAndNothingPrintsWithoutBookings) {
    room("S01", "Sala Jade", 2);
    inst->clock.freeze(DateTime{Date(2026, 5, 20), "10:00:00"});
    test::PrintContextScope scope;
    MessageBoxScript boxes;
    test::when_modal([] {
        QWidget* dialog = QApplication::activeModalWidget();
        EXPECT_EQ(dialog->objectName(), "REP_AGSPA");
        dialog->findChild<QLineEdit*>(QString::number(kRepTo))->setText("19/05/26");
        QTest::mouseClick(dialog->findChild<QPushButton*>("1"), Qt::LeftButton);
        EXPECT_TRUE(dialog->isVisible());
        dialog->findChild<QLineEdit*>(QString::number(kRepTo))->setText("21/05/26");
        QTest::mouseClick(dialog->findChild<QPushButton*>("1"), Qt::LeftButton);
    });
    open_agenda_report(nullptr, *db, qz::test::kSpa, inst->clock, AgendaReportKind::ByRoom);
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[0].text, "La fecha final no puede ser menor a la fecha inicial.");
    EXPECT_EQ(boxes.shown()[1].text, "No hay reservaciones en el período indicado.");
}

INSTANTIATE_TEST_SUITE_P(Gui, AgendaReportDialogTest, ::testing::Values(qz::test::Engine::SQLite),
                         qz::test::engine_name);

}  // namespace
}  // namespace qz::gui
