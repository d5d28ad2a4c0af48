// The users screen over the demonstration business: users added through the form, a duplicate
// name kept out, profiles assigned, rights designed on the main window's menu, the access
// blocks written for the other workstations and the rights tree saved.
#include "gui/session/users_screen.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>

#include "core/text.h"
#include "data/table_ops.h"
#include "domain/session/forced_exit.h"
#include "domain/session/rights.h"
#include "domain/session/user_store.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/framework_test_util.h"
#include "gui/framework/message_box.h"
#include "gui/main_window_fixture.h"
#include "gui/session/rights_tree.h"
#include "gui/session/users_access.h"

namespace qz::gui {
namespace {

using domain::AccessChoice;
using domain::DesignOwner;

const std::string kHotel = "HOTEL";
constexpr long kCashier = 2;
constexpr int kUsersCommand = 2000;

// "Archivo" › "Perfiles de Usuario" in the main window of a supervisor's session.
class UsersScreenTest : public test::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        db = ctx.db.get();
    }
    UsersScreen* open() {
        screen = dynamic_cast<UsersScreen*>(choose(kUsersCommand));
        return screen;
    }
    void click(int id) {
        QTest::mouseClick(screen->control(id), Qt::LeftButton);
        settle();
    }
    QStringList user_names() const {
        QStringList names;
        for (int row = 0; row < screen->users()->rowCount(); ++row)
            names << screen->users()->item(row, 1)->text();
        return names;
    }
    domain::Rights cashier_rights() { return domain::LOAD_DERECHOS(*db, kHotel, "CAJERO"); }

    // Fills the user form that is up and presses OK.
    static DIALOG_BOX* fill_user(const QString& login, const QString& password) {
        auto* d = dynamic_cast<DIALOG_BOX*>(QApplication::activeModalWidget());
        EXPECT_NE(d, nullptr);
        if (!d) return nullptr;
        EXPECT_EQ(d->objectName(), "EDIT_USER");
        d->control_as<QLineEdit>(500)->setText("Ana Mora");
        d->control_as<QLineEdit>(501)->setText(login);
        d->control_as<QLineEdit>(502)->setText(password);
        d->control_as<QLineEdit>(503)->setText(password);
        d->control_as<QLineEdit>(504)->setText("AM");
        QTest::mouseClick(d->control(kCmdOk), Qt::LeftButton);
        return d;
    }

    data::Db* db = nullptr;
    MessageBoxScript& script = boxes;
    QPointer<UsersScreen> screen;
};

TEST_F(UsersScreenTest, AddedUserIsListedAndADuplicateNameIsRefused) {
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(screen->objectName(), "USUARIOS");
    EXPECT_EQ(user_names(), (QStringList{"SUPERVISOR", "CAJERO"}));

    test::when_modal([] { fill_user("ana", "clave77"); });
    click(UsersScreen::kIdAddUser);
    EXPECT_EQ(user_names(), (QStringList{"SUPERVISOR", "CAJERO", "ANA"}));
    EXPECT_EQ(screen->selected_user(), 3);
    auto ana = domain::users::find_by_name(*db, kHotel, "ANA");
    ASSERT_TRUE(ana);
    EXPECT_EQ(ana->USUARIO, "Ana Mora");
    EXPECT_TRUE(ana->password_matches("CLAVE77"));

    bool still_open = false;
    test::when_modal([&] {
        DIALOG_BOX* d = fill_user("cajero", "clave77");
        still_open = d && d->isVisible();
        if (d) d->EndDialog(kCmdCancel);
    });
    click(UsersScreen::kIdAddUser);
    EXPECT_TRUE(still_open);
    ASSERT_FALSE(script.shown().empty());
    EXPECT_EQ(script.last_text(), "Nombre de Usuario ya existente...");
    EXPECT_EQ(user_names().size(), 3);
}

TEST_F(UsersScreenTest, AssigningAProfileReplacesTheUsersRights) {
    qz::test::ScriptedPort port;
    auto profile = domain::add_profile(*db, port, kHotel, "Salas");
    ASSERT_TRUE(profile);
    domain::RightsDesign design;
    design.load(*db, DesignOwner::Profile, kHotel, *profile);
    design.toggle(6416);
    design.save(*db, DesignOwner::Profile, kHotel, *profile);

    ASSERT_NE(open(), nullptr);
    EXPECT_FALSE(screen->control(UsersScreen::kIdAssign)->isEnabled());
    screen->select_user(kCashier);
    screen->select_profile(*profile);
    ASSERT_TRUE(screen->control(UsersScreen::kIdAssign)->isEnabled());
    click(UsersScreen::kIdAssign);
    EXPECT_EQ(script.last_text(), "Se asignará el Perfil Salas\nal Usuario CAJERO");
    EXPECT_FALSE(cashier_rights().GET_RIGHTS(6416));
    EXPECT_TRUE(cashier_rights().GET_RIGHTS(6415));  // the agenda was not in the profile
}

TEST_F(UsersScreenTest, CaptureModeMarksTheMenuAndSavesTheMarks) {
    // The session itself may not open the agenda nor the rooms.
    ctx.session.rights.grant(6415, false);
    ctx.session.rights.grant(6416, false);
    auto action = [&](int id) { return window->findChild<QAction*>(QString::number(id)); };
    ASSERT_NE(open(), nullptr);
    screen->select_user(kCashier);

    click(UsersScreen::kIdLoadUser);
    ASSERT_NE(action(6415), nullptr);
    EXPECT_TRUE(action(6415)->isChecked());  // the cashier's agenda
    EXPECT_FALSE(action(6416)->isChecked());
    EXPECT_TRUE(action(6416)->isEnabled());  // the whole menu can be designed

    click(UsersScreen::kIdStartDesign);
    EXPECT_TRUE(script.shown().empty());  // something was loaded: nothing to ask
    ASSERT_TRUE(screen->design().capturing());
    QAction* rooms = action(6416);
    auto* menu = qobject_cast<QMenu*>(rooms->associatedObjects().value(0));
    ASSERT_NE(menu, nullptr);
    menu->popup(QPoint(20, 20));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    QTest::mouseClick(menu, Qt::RightButton, {}, menu->actionGeometry(rooms).center());
    EXPECT_TRUE(rooms->isChecked());
    EXPECT_TRUE(screen->design().checked(6416));
    EXPECT_TRUE(menu->isVisible());  // the next item can be marked at once
    menu->hide();
    // Choosing an item still runs it (here: denied) and leaves its mark alone.
    action(6415)->trigger();
    EXPECT_TRUE(action(6415)->isChecked());
    EXPECT_TRUE(screen->design().checked(6415));

    click(UsersScreen::kIdSaveUser);
    EXPECT_FALSE(screen->design().capturing());
    EXPECT_FALSE(cashier_rights().GET_RIGHTS(6416));
    EXPECT_FALSE(cashier_rights().GET_RIGHTS(6415));
    EXPECT_TRUE(cashier_rights().GET_RIGHTS(6417));

    screen->ENDDIALOG();  // closing the screen gives the menu back to the session
    EXPECT_FALSE(action(6416)->isCheckable());
    EXPECT_FALSE(action(6416)->isEnabled());
}

TEST_F(UsersScreenTest, StartingADesignFromNothingAsksAndClearingEmptiesIt) {
    ASSERT_NE(open(), nullptr);
    screen->select_user(kCashier);
    script.then(kIdCancel);
    click(UsersScreen::kIdStartDesign);
    EXPECT_FALSE(screen->design().capturing());
    EXPECT_FALSE(screen->control(UsersScreen::kIdSaveUser)->isEnabled());
    click(UsersScreen::kIdStartDesign);  // OK this time
    ASSERT_TRUE(screen->design().capturing());
    click(UsersScreen::kIdGrantAll);
    click(UsersScreen::kIdSaveUser);
    EXPECT_EQ(cashier_rights().granted_ids().size(), 5001u);
    click(UsersScreen::kIdClearAll);
    click(UsersScreen::kIdSaveUser);
    EXPECT_EQ(cashier_rights().granted_ids(), (std::set<int>{2009, 2904, 3232, 3386}));
}

TEST_F(UsersScreenTest, AccessBlocksAreWrittenForEveryWorkstationAndFreedAgain) {
    ASSERT_NE(open(), nullptr);
    UsersAccessPanel* access = screen->access();
    const std::filesystem::path home = install.home();
    EXPECT_TRUE(access->choice(AccessChoice::Free)->isChecked());

    access->module(6)->click();  // "Hotel": nothing is asked while access is free
    EXPECT_FALSE(domain::exit_request_exists(home));
    access->choice(AccessChoice::ExceptSupervisors)->click();
    EXPECT_EQ(domain::read_exit_request(home), "00000001000000000");
    access->module(16 - 1)->click();  // "Eventos" joins the running request
    EXPECT_EQ(domain::read_exit_request(home), "00000001000000001");
    access->choice(AccessChoice::Everybody)->click();
    EXPECT_EQ(domain::read_exit_request(home), "10000001000000001");
    EXPECT_TRUE(domain::exit_request_applies(*domain::read_exit_request(home), "HOTEL"));
    EXPECT_FALSE(domain::exit_request_applies(*domain::read_exit_request(home), "SPA"));

    access->choice(AccessChoice::Free)->click();
    EXPECT_FALSE(domain::exit_request_exists(home));

    access->system_block()->click();
    EXPECT_TRUE(domain::system_blocked(*db));
}

TEST_F(UsersScreenTest, ARequestWrittenElsewhereIsShownWhenTheScreenOpens) {
    std::ofstream(install.home() + "/BLOQUEAD.!") << "0100";
    ASSERT_NE(open(), nullptr);
    EXPECT_TRUE(screen->access()->choice(AccessChoice::ExceptSupervisors)->isChecked());
    EXPECT_TRUE(screen->access()->module(0)->isChecked());
    EXPECT_FALSE(screen->access()->module(1)->isChecked());
}

TEST_F(UsersScreenTest, RightsTreeSavesTheTickedEntriesOnly) {
    auto entry = [&](long n_id, const char* text, const char* modulo, long pointer) {
        data::Table t = data::USE(*db, "DERECHOS");
        data::ADD_NEW_REC(*t);
        t->FieldPut("N_ID", Decimal(n_id));
        t->FieldPut("DESCRIP", std::string(text));
        t->FieldPut("MODULO", std::string(modulo));
        t->FieldPut("POINTER", Decimal(pointer));
        data::UNLOCK_NEW_REC(*t);
        data::KILLTABLA(*db, t);
    };
    entry(10, "Reservas", "09", 0);
    entry(11, "Agregar", "", 10);

    ASSERT_NE(open(), nullptr);
    screen->select_user(1);
    EXPECT_FALSE(screen->control(UsersScreen::kIdRightsTree)->isEnabled());  // a supervisor
    screen->select_user(kCashier);
    click(UsersScreen::kIdRightsTree);
    QPointer<RightsTreeScreen> tree = screen_as<RightsTreeScreen>("V_DERECHOS");
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(active_screen(), tree.data());
    QTreeWidgetItem* root = tree->tree()->topLevelItem(0);
    EXPECT_EQ(root->text(0), "USUARIO: CAJERO");
    QTreeWidgetItem* hotel = root->child(7);
    ASSERT_EQ(hotel->text(0), "HOTELERIA");
    QTreeWidgetItem* add = hotel->child(0)->child(0);
    ASSERT_EQ(add->text(0), "Agregar");
    EXPECT_EQ(add->checkState(0), Qt::Unchecked);
    add->setCheckState(0, Qt::Checked);

    QTest::mouseClick(tree->control(kCmdOk), Qt::LeftButton);
    settle();
    EXPECT_FALSE(tree);
    EXPECT_EQ(active_screen(), screen.data());
    EXPECT_FALSE(cashier_rights().GET_RIGHTS(2311));
    EXPECT_TRUE(cashier_rights().GET_RIGHTS(2310));   // "Reservas" left unticked
    EXPECT_FALSE(cashier_rights().GET_RIGHTS(6415));  // outside the tree: as it was
}

}  // namespace
}  // namespace qz::gui
