// The spa reservation screens offscreen: the form's refusals put the focus on their field,
// VER_SRES greys what the user may not do, SPA_HIST scopes by its filters, and a confirmation
// is queued with the shipped template filled in.
#include "gui/spa/reservations/reservation_screens.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/text.h"
#include "data/table_ops.h"
#include "gui/browse/wblistbox.h"
#include "gui/framework/framework_test_util.h"
#include "gui/framework/message_box.h"
#include "gui/framework/wdiag.h"
#include "gui/main/app_context.h"
#include "gui/spa/reservations/reservation_form_ids.h"
#include "gui/spa/reservations/spa_hist.h"
#include "gui/spa/reservations/ver_sres.h"
#include "support/record_edit.h"
#include "support/test_db.h"

namespace qz::gui {
namespace {

namespace fs = std::filesystem;

class SpaScreensTest : public ::testing::Test {
protected:
    void SetUp() override {
        inst.clock.freeze(DateTime{Date(2026, 5, 10), "09:00:00"});
        ctx.home = inst.home();
        ctx.db = inst.open();
        ctx.session.XU_COMP = "HOTEL";
        ctx.session.XUSER_ABREVIA = "ANA";
        ctx.session.logged_in = true;
        qz::test::add_record(*ctx.db, "F_FAC", {{"NEGOCIO", std::string("HOTEL")},
                                            {"SPA_SERIAL", std::string("SPA")}});
        qz::test::add_record(*ctx.db, "SERIALES", {{"NEGOCIO", std::string("HOTEL")},
                                               {"CODIGO", std::string("SPA")}});
        qz::test::add_record(*ctx.db, "SPA_SALA", {{"NEGOCIO", std::string("HOTEL")},
                                               {"CODIGO", std::string("S1")},
                                               {"DESCRIP", std::string("Sala Uno")},
                                               {"CAPAC_MAX", Decimal(2)}});
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* s = dynamic_cast<WDIAG*>(w)) s->CLOSEIT(kCmdEnd);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    template <class W = QWidget>
    W* find(const char* dialog, int id) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == dialog)
                return w->findChild<W*>(QString::number(id));
        return nullptr;
    }
    void add_reservation(const std::string& code, int state, const std::string& agent) {
        qz::test::add_record(*ctx.db, "SPA_RESE",
                         {{"NEGOCIO", std::string("HOTEL")}, {"CODIGO", code},
                          {"ESTADO", Decimal(state)}, {"FECHA", Date(2026, 5, 12)},
                          {"HORA_INI", std::string("10:00")}, {"HORA_FIN", std::string("11:00")},
                          {"COD_SALA", std::string("S1")}, {"ENCARGADO", agent},
                          {"A_NOMBRE", "Cliente " + code}, {"NUM_PERSON", Decimal(1)},
                          {"EMAIL", std::string("ana@x.test")}});
    }

    qz::test::TestInstall inst{qz::test::Engine::SQLite};
    AppContext ctx;
    MessageBoxScript boxes;
};

TEST_F(SpaScreensTest, FormRefusalsFocusTheirFieldAndASaveNumbersIt) {
    open_new_reservation(nullptr, ctx, "S1", Date(2026, 5, 12), "10:00");
    auto* ok = find<QPushButton>("SPA_RESE", kCmdOk);
    ASSERT_NE(ok, nullptr);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(boxes.last_text(), "El Nombre es requerido...");
    EXPECT_TRUE(find("SPA_RESE", spa_form::kName)->hasFocus());
    find<QLineEdit>("SPA_RESE", spa_form::kName)->setText("Ana Mora");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(boxes.last_text(), "La hora final es requerida...");
    EXPECT_TRUE(find("SPA_RESE", spa_form::kEndHour)->hasFocus());
    auto* eh = find<QComboBox>("SPA_RESE", spa_form::kEndHour);
    eh->setCurrentIndex(eh->findText("11"));
    find<QSpinBox>("SPA_RESE", spa_form::kPersons)->setValue(3);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(boxes.last_text(), "Excede la capacidad máxima de personas en sala");
    EXPECT_TRUE(find("SPA_RESE", spa_form::kPersons)->hasFocus());
    find<QSpinBox>("SPA_RESE", spa_form::kPersons)->setValue(2);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(boxes.last_text(), "Número de Reservación asignado: 1");
}

TEST_F(SpaScreensTest, EnterInAFieldMovesOnInsteadOfSaving) {
    open_new_reservation(nullptr, ctx, "S1", Date(2026, 5, 12), "10:00");
    auto* name = find<QLineEdit>("SPA_RESE", spa_form::kName);
    name->setFocus();
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_FALSE(name->hasFocus());
}

// Types into the cell editor that has the focus and presses Enter, as a user does.
void type_in_editor(const QString& text) {
    QWidget* editor = QApplication::focusWidget();
    ASSERT_TRUE(qobject_cast<QLineEdit*>(editor));
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the grid takes an edit once the key is handled
}

TEST_F(SpaScreensTest, LineAmountsShowThroughTheirPictureAndARefusalKeepsTheCell) {
    qz::test::add_record(*ctx.db, "DEF_ART", {{"NEGOCIO", std::string("HOTEL")},
                                          {"CODIGO", std::string("MAS")}});
    open_new_reservation(nullptr, ctx, "S1", Date(2026, 5, 12), "10:00");
    QTest::mouseClick(find<QPushButton>("SPA_RESE", spa_form::kAddLine), Qt::LeftButton);
    auto* grid = find<QTableWidget>("SPA_RESE", spa_form::kLines);
    type_in_editor("MAS");
    grid->setFocus();
    grid->setCurrentCell(0, 3);  // going to a cell opens its editor
    type_in_editor("1234.5");
    EXPECT_EQ(grid->item(0, 3)->text(), "1,234.50");
    EXPECT_EQ(find<QLabel>("SPA_RESE", spa_form::kTotal)->text(), "Total: 1,234.50");
    grid->setFocus();
    grid->setCurrentCell(0, 2);
    type_in_editor("-3");
    EXPECT_EQ(boxes.last_text(), "Cantidad: no se admiten valores negativos.");
    EXPECT_EQ(grid->item(0, 2)->text(), "1.000");
    EXPECT_EQ(grid->currentColumn(), 2);
    EXPECT_TRUE(grid->hasFocus());
}

TEST_F(SpaScreensTest, SlotListGreysByRightsAndListsOnlyThePeriodsHoldingTheTime) {
    add_reservation("R1", 1, "");
    add_reservation("R2", 3, "");
    ctx.session.rights = domain::Rights::for_login(false);
    ctx.session.rights.grant(6430, true);
    ctx.session.rights.grant(6433, true);
    open_slot_reservations(nullptr, ctx, "S1", Date(2026, 5, 12), "10:30");
    auto* grid = find<QTableWidget>("VER_SRES", ver_sres::kGrid);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->rowCount(), 1);  // the cancelled one is not listed
    EXPECT_TRUE(find("VER_SRES", ver_sres::kAdd)->isEnabled());
    EXPECT_FALSE(find("VER_SRES", ver_sres::kModify)->isEnabled());
    EXPECT_TRUE(find("VER_SRES", ver_sres::kCancel)->isEnabled());
    EXPECT_FALSE(find("VER_SRES", ver_sres::kInvoice)->isEnabled());
    TearDown();
    open_slot_reservations(nullptr, ctx, "TODAS", Date(2026, 5, 12), "11:00");
    EXPECT_EQ(find<QTableWidget>("VER_SRES", ver_sres::kGrid)->rowCount(), 0);  // R1 ended
}

TEST_F(SpaScreensTest, HistoryFiltersScopeTheGrid) {
    qz::test::add_record(*ctx.db, "AGENTES", {{"NEGOCIO", std::string("HOTEL")},
                                          {"CODIGO", std::string("01")},
                                          {"NOMBRE", std::string("Luz")}});
    add_reservation("R1", 1, "01");
    add_reservation("R2", 3, "01");
    add_reservation("R3", 1, "");
    WDIAG* s = open_spa_hist(nullptr, ctx);
    ASSERT_NE(s, nullptr);
    auto& grid = dynamic_cast<SpaHistScreen*>(s)->grid();
    EXPECT_EQ(grid.table().KeyCount(), 3);
    auto* state = s->control_as<QComboBox>(spa_hist::kStateFilter);
    state->setCurrentIndex(1);
    emit state->activated(1);
    EXPECT_EQ(grid.table().KeyCount(), 2);
    auto* agent = s->control_as<QComboBox>(spa_hist::kAgentFilter);
    EXPECT_EQ(agent->itemText(1), "LUZ");
    agent->setCurrentIndex(1);
    emit agent->activated(1);
    EXPECT_EQ(grid.table().KeyCount(), 1);
    EXPECT_EQ(grid.table().order(), "SPA_HXC");
}

TEST_F(SpaScreensTest, ConfirmationIsQueuedWithTheShippedTemplate) {
    add_reservation("R1", 1, "");
    domain::spa::SpaReservation r(*ctx.db, ctx.port, "HOTEL", "ANA");
    ASSERT_TRUE(r.load("R1", domain::spa::FormMode::Consult));
    ASSERT_TRUE(queue_confirmation(ctx, r.header, r.lines));
    auto q = data::USE(*ctx.db, "E_MSGS");
    q->GoTop();
    ASSERT_FALSE(q->Eof());
    EXPECT_EQ(trim(q->str("SUBJECT")), "SPA Reservation");
    EXPECT_EQ(trim(q->str("TO_USER")), "ana@x.test");
    std::ifstream body(fs::path(inst.home()) / "MAIL" / "SEND" / trim(q->str("HTML_FILE")));
    std::stringstream text;
    text << body.rdbuf();
    EXPECT_NE(text.str().find("12/05/2026"), std::string::npos);
    EXPECT_NE(text.str().find("10:00"), std::string::npos);
    EXPECT_EQ(text.str().find("XDATE"), std::string::npos);
    EXPECT_EQ(text.str().find("XUSUARIO"), std::string::npos);
    data::KILLTABLA(*ctx.db, q);
}

}  // namespace
}  // namespace qz::gui
