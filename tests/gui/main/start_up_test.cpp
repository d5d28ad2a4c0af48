// The start of the application with its steps wired together as run_spa wires them: the crash of
// an earlier session recorded, the login typed into the real dialog, the main window up with its
// session log record, and leaving writing the exit.
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "data/table_ops.h"
#include "domain/demo/demo_data.h"
#include "domain/session/crash_marker.h"
#include "domain/session/log_sessions.h"
#include "domain/session/log_viewers.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/framework_settings.h"
#include "gui/framework/framework_test_util.h"
#include "gui/framework/message_box.h"
#include "gui/main/start_steps.h"
#include "gui/shell/principal.h"
#include "support/test_db.h"

namespace qz::gui::test {
namespace {

void type_into(DIALOG_BOX& dialog, int id, const QString& text) {
    auto* edit = dialog.control_as<QLineEdit>(id);
    edit->setFocus();
    edit->clear();
    QTest::keyClicks(edit, text);
}

TEST(StartUp, FromAnEarlierCrashThroughLoginToLeaving) {
    qz::test::TestInstall install{qz::test::Engine::SQLite};
    {
        auto db = install.open();
        domain::install_demo_data(*db);
    }
    // The workstation's settings file stays inside the test's installation.
    std::string config = install.home() + "/config";
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    auto crashes = domain::crash_directory(install.home());
    std::filesystem::create_directories(crashes);
    std::ofstream(crashes / "4242.crash") << "SIGNAL 6\nTIME 1765180800\nPID 4242\n";

    AppContext ctx;
    ctx.home = install.home();
    ASSERT_TRUE(open_database(ctx));
    auto errors = domain::error_log(*ctx.db);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].descrip.find("SIGABRT"), std::string::npos);
    load_session_settings(ctx);

    MessageBoxScript script;
    when_modal([] {
        auto* dialog = qobject_cast<DIALOG_BOX*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->objectName(), "XLOGINUSR");
        type_into(*dialog, 500, "supervisor");
        type_into(*dialog, 501, "quartzen");
        QTest::mouseClick(dialog->control(1), Qt::LeftButton);
    });
    ASSERT_TRUE(run_login(ctx));
    EXPECT_EQ(ctx.session.USER_NAME, "SUPERVISOR");

    std::unique_ptr<Principal> w = open_main_window(ctx);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowTitle().toStdString().find("SPA Quartzen"), 0u);
    EXPECT_GE(w->menuBar()->actions().size(), 5);
    QApplication::processEvents();  // the posted start command runs
    auto sessions = domain::session_log(*ctx.db);
    ASSERT_EQ(sessions.size(), 1u);
    EXPECT_TRUE(sessions[0].fecha_sal.empty());
    EXPECT_EQ(ctx.errors.XINERRORSYS(), false);

    script.then(kIdOk);  // "¿Desea salir de la aplicación?"
    EXPECT_TRUE(w->close());
    EXPECT_FALSE(domain::session_log(*ctx.db)[0].fecha_sal.empty());
    unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace qz::gui::test
