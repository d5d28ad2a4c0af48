#include "gui/main_window_fixture.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>

#include "domain/demo/demo_data.h"
#include "gui/framework/framework_test_util.h"
#include "gui/main/app_setup.h"
#include "gui/main/start_steps.h"

namespace qz::gui::test {

void MainWindowFixture::SetUp() {
    // The workstation's settings file stays inside the test's installation.
    const std::string config = install.home() + "/config";
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    ctx.home = install.home();
    ctx.clock.freeze(kNow);
    ASSERT_TRUE(open_database(ctx));
    domain::install_demo_data(*ctx.db);
    load_session_settings(ctx);
    ASSERT_EQ(ctx.login->submit("HOTEL", "SUPERVISOR", "QUARTZEN"), domain::LoginOutcome::Accepted);
    window = open_main_window(ctx);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    settle();  // the start command opens the agenda
}

void MainWindowFixture::TearDown() {
    if (window) {
        window->mdi()->closeAllSubWindows();
        settle();
        window.reset();
    }
    remove_session_services();
    settle();
    unsetenv("XDG_CONFIG_HOME");
}

WDIAG* MainWindowFixture::choose(int id) {
    EXPECT_TRUE(window->DO_ACTION(id)) << "command " << id;
    settle();
    return active_screen();
}

bool MainWindowFixture::edit(int id) {
    for (QAction* top : window->menuBar()->actions()) {
        if (!top->menu() || top->menu()->objectName() != "Editar") continue;
        for (QAction* a : top->menu()->actions())
            if (a->objectName() == QString::number(id) && a->isEnabled()) {
                a->trigger();
                settle();
                return true;
            }
    }
    return false;
}

WDIAG* MainWindowFixture::active_screen() const {
    QMdiSubWindow* sub = window->mdi()->activeSubWindow();
    return sub ? qobject_cast<WDIAG*>(sub->widget()) : nullptr;
}

WDIAG* MainWindowFixture::screen(const QString& dialog_name) const {
    WDIAG* found = nullptr;
    for (QMdiSubWindow* sub : window->mdi()->subWindowList(QMdiArea::CreationOrder))
        if (auto* s = qobject_cast<WDIAG*>(sub->widget()); s && s->objectName() == dialog_name)
            found = s;
    return found;
}

QStringList MainWindowFixture::open_screens() const {
    QStringList names;
    for (QMdiSubWindow* sub : window->mdi()->subWindowList(QMdiArea::CreationOrder))
        if (sub->widget()) names << sub->widget()->objectName();
    return names;
}

void MainWindowFixture::settle() {
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

bool MainWindowFixture::context_menu(QWidget* widget, const QString& caption) {
    auto chosen = std::make_shared<bool>(false);
    QTimer::singleShot(0, qApp, [chosen, caption] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;

        for (QAction* a : menu->actions())
            if (a->text() == caption && a->isEnabled()) {
                menu->setActiveAction(a);
                *chosen = true;
            }
        if (*chosen)
            QTest::keyClick(menu, Qt::Key_Return);
        else
            menu->close();
    });
    // What the right button's press delivers (the menu's own loop runs the item's choice).
    const QPoint at = widget->rect().center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &click);
    settle();
    return *chosen;
}

void MainWindowFixture::press(QWidget* w, int id) {
    QTest::mouseClick(w->findChild<QPushButton*>(QString::number(id)), Qt::LeftButton);
    settle();
}

void MainWindowFixture::fill_form(std::vector<std::pair<int, QString>> values) {
    when_modal([values] {
        QWidget* form = QApplication::activeModalWidget();
        for (const auto& [id, text] : values)
            form->findChild<QLineEdit*>(QString::number(id))->setText(text);
        QTest::mouseClick(form->findChild<QPushButton*>("1"), Qt::LeftButton);
        if (QApplication::activeModalWidget() == form)
            QTest::mouseClick(form->findChild<QPushButton*>("2"), Qt::LeftButton);
    });
}

}  // namespace qz::gui::test
