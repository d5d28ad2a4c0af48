#include "gui/shell/principal.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <set>

#include "gui/framework/framework_settings.h"
#include "gui/framework/message_box.h"
#include "gui/framework/wdiag.h"

using namespace qz::gui;

namespace {

QAction* find_action(QWidget* w, int id) {
    return w->findChild<QAction*>(QString::number(id));
}

QMenu* top_menu(Principal& p, const QString& title) {
    for (QAction* a : p.menuBar()->actions())
        if (a->menu() && a->menu()->title() == title) return a->menu();
    return nullptr;
}

class Screen : public WDIAG {
public:
    Screen(QWidget* owner, int ctx) : WDIAG(owner, "SPA_SALA", ctx) {}
    bool Init() override {
        Create();
        return true;
    }
};

}  // namespace

TEST(Principal, MenusFollowTheRightsAndOnlyBuiltCommandsRun) {
    std::set<int> denied{2539};
    PrincipalHooks hooks;
    hooks.greyed = [&](int id) { return denied.count(id) > 0; };
    Principal p("SPA Quartzen", true, hooks);
    int runs = 0;
    p.register_command(2152, [&] { ++runs; });
    p.register_command(2539, [&] { ++runs; });
    p.MenuSet(0);
    EXPECT_EQ(p.windowTitle(), "SPA Quartzen");
    ASSERT_NE(find_action(&p, 2152), nullptr);
    EXPECT_TRUE(find_action(&p, 2152)->isEnabled());
    EXPECT_FALSE(find_action(&p, 2539)->isEnabled());  // denied by the rights
    EXPECT_FALSE(find_action(&p, 2841)->isEnabled());  // no screen behind it yet
    EXPECT_TRUE(p.DO_ACTION(2152));
    EXPECT_EQ(p.XID_MENU(), 2152);
    EXPECT_FALSE(p.DO_ACTION(2539));
    EXPECT_EQ(runs, 1);
    // Every top menu in its order.
    QStringList titles;
    for (QAction* a : p.menuBar()->actions()) titles << a->text();
    EXPECT_EQ(titles, (QStringList{"&Archivo", "Editar", "Spa", "Depósitos", "Reportes",
                                   "Servicios Adicionales", "Cuentas por Cobrar", "Pedidos",
                                   "Ventanas", "Acerca de"}));
}

TEST(Principal, EditarFollowsTheActiveScreen) {
    PrincipalHooks hooks;
    hooks.greyed = [](int) { return false; };
    Principal p("SPA Quartzen", true, hooks);
    p.register_operation("ADD_SPA_SALA", [](QWidget*) {});
    p.show();
    QMenu* editar = top_menu(p, "Editar");
    ASSERT_NE(editar, nullptr);
    EXPECT_EQ(editar->actions().front()->text(), "No hay operaciones asociadas");

    auto* rooms = open_screen<Screen>(&p, 6416);
    ASSERT_NE(rooms, nullptr);
    rooms->SHOW_MENU();
    editar = top_menu(p, "Editar");
    ASSERT_EQ(editar->actions().size(), 3);
    EXPECT_EQ(editar->actions()[0]->text(), "Agregar");
    EXPECT_TRUE(editar->actions()[0]->isEnabled());
    EXPECT_FALSE(editar->actions()[1]->isEnabled());  // operation not provided by the screen

    auto* other = open_screen<Screen>(&p, 1234);  // a screen without operations
    other->SHOW_MENU();
    EXPECT_EQ(top_menu(p, "Editar")->actions().front()->text(), "No hay operaciones asociadas");
    rooms->HIDE_MENU();  // a late deactivation of the first screen keeps the second's menu
    EXPECT_EQ(p.active_context(), 1234);
}

TEST(Principal, ClosingAsksAndCancelKeepsEverythingOpen) {
    int asked = 0, logouts = 0;
    bool answer = false;
    PrincipalHooks hooks;
    hooks.confirm = [&](const std::string& title, const std::string& text) {
        ++asked;
        EXPECT_EQ(title, "Cierre de Aplicación");
        EXPECT_EQ(text, "¿Desea salir de la aplicación?");
        return answer;
    };
    hooks.logout = [&] { ++logouts; };
    Principal p("SPA Quartzen", true, hooks);
    p.show();
    EXPECT_FALSE(p.close());
    EXPECT_TRUE(p.isVisible());
    EXPECT_EQ(logouts, 0);
    answer = true;
    EXPECT_TRUE(p.close());
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(logouts, 1);
}
