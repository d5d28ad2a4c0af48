// The rooms and persons-in-charge screens over the demonstration spa, opened from the main
// window's menu: adding through the form, a duplicate code refused while the form stays open,
// and deleting only after the question; the spa's settings form refusing a reversed agenda.
#include "gui/spa/master/spa_master_screens.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "domain/spa/master/agents.h"
#include "domain/spa/master/spa_params.h"
#include "domain/spa/master/spa_rooms.h"
#include "gui/browse/wblistbox.h"
#include "gui/framework/framework_test_util.h"
#include "gui/main_window_fixture.h"
#include "gui/lists/master_list.h"

namespace qz::gui {
namespace {

constexpr int kRooms = 6416, kAgents = 2831, kSpaParams = 6427;

// The screens as the menu opens them in the main window ("Servicios Adicionales").
class SpaMasterScreenTest : public test::MainWindowFixture {
protected:
    MasterListScreen* open(int command) {
        WDIAG* s = choose(command);
        return dynamic_cast<MasterListScreen*>(s);
    }
    void choose_row(int row) {
        auto* g = screen->grid();
        g->setCurrentIndex(g->model()->index(row, 0));
    }

    QPointer<MasterListScreen> screen;
};

TEST_F(SpaMasterScreenTest, RoomsAreAddedOnceAndDeletedOnlyAfterTheQuestion) {
    screen = open(kRooms);
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->objectName(), "SPA_SALA");
    const long before = screen->grid()->nMaxRec();

    fill_form({{kFCode, "S09"}, {kFName, "Cabina Masajes 3"}, {kFCapacity, "2"}});
    press(screen, kListAdd);
    auto added = domain::spa::read_room(*ctx.db, "HOTEL", "S09");
    ASSERT_TRUE(added);
    EXPECT_EQ(added->capacity, 2);
    EXPECT_EQ(screen->grid()->nMaxRec(), before + 1);

    // A capacity counts persons: a fraction is refused, not cut.
    fill_form({{kFCode, "S10"}, {kFName, "Cabina Masajes 4"}, {kFCapacity, "2.7"}});
    press(screen, kListAdd);
    EXPECT_EQ(boxes.last_text(), "Capacidad máxima: debe ser un número entero.");
    EXPECT_FALSE(domain::spa::read_room(*ctx.db, "HOTEL", "S10"));

    fill_form({{kFCode, "S01"}, {kFName, "Otra"}, {kFCapacity, "2"}});
    press(screen, kListAdd);
    EXPECT_EQ(boxes.last_text(), domain::spa::kRoomDuplicate);
    EXPECT_EQ(domain::spa::read_room(*ctx.db, "HOTEL", "S01")->name, "Sala Individual Jade");

    choose_row(3);  // S04, no reservations
    boxes.then(kIdCancel);
    press(screen, kListDelete);
    EXPECT_NE(boxes.last_text().find("bloquearla"), std::string::npos);
    EXPECT_TRUE(domain::spa::read_room(*ctx.db, "HOTEL", "S04"));
    choose_row(3);
    boxes.then(kIdOk);
    press(screen, kListDelete);
    EXPECT_FALSE(domain::spa::read_room(*ctx.db, "HOTEL", "S04"));
    EXPECT_EQ(screen->grid()->nMaxRec(), before);
}

TEST_F(SpaMasterScreenTest, AgentsRefuseATakenCodeAndAskBeforeDeleting) {
    screen = open(kAgents);
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->objectName(), "AGENTE");

    fill_form({{kFCode, "01"}, {kFName, "Otra Ana"}});
    press(screen, kListAdd);
    EXPECT_EQ(boxes.last_text(), "Código de agente ya definido...");

    fill_form({{kFCode, "07"}, {kFName, "Rosa Elena Campos"}, {kFDiscount, "5"}});
    press(screen, kListAdd);
    ASSERT_TRUE(domain::spa::read_agent(*ctx.db, "HOTEL", "07"));

    choose_row(0);
    boxes.then(kIdCancel);
    press(screen, kListDelete);
    EXPECT_EQ(boxes.last_text(), "Desea borrar el Agente?");
    EXPECT_TRUE(domain::spa::read_agent(*ctx.db, "HOTEL", "01"));
}

TEST_F(SpaMasterScreenTest, SettingsFormRefusesAnAgendaThatEndsBeforeItStarts) {
    test::when_modal([] {
        QWidget* form = QApplication::activeModalWidget();
        EXPECT_EQ(form->objectName(), "SPA_PARAM");
        auto* first = form->findChild<QComboBox*>(QString::number(kPFirst));
        first->setCurrentIndex(first->findData("22:00"));
        QTest::mouseClick(form->findChild<QPushButton*>("1"), Qt::LeftButton);
        ASSERT_EQ(QApplication::activeModalWidget(), form) << "stays open after the refusal";
        first->setCurrentIndex(first->findData("08:00"));
        form->findChild<QLineEdit*>(QString::number(kPRegister))->setText("SPA1");
        QTest::mouseClick(form->findChild<QPushButton*>("1"), Qt::LeftButton);
    });
    choose(kSpaParams);
    ASSERT_GE(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown().front().text,
              "La hora inicial de la agenda no puede ser mayor a la hora final...");
    const auto p = domain::spa::read_spa_params(*ctx.db, "HOTEL", ctx.ini.get());
    EXPECT_EQ(p.first_hour, "08:00");
    EXPECT_EQ(p.last_hour, "21:00");
    EXPECT_EQ(p.spa_register, "SPA1");
}

}  // namespace
}  // namespace qz::gui
