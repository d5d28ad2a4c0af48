// The session lock: only the session's user with the right password takes the session back,
// leaving is asked first, and the forced-exit check keeps running behind the lock.
#include "gui/session/lock_dialog.h"

#include "session_dialog_fixture.h"

namespace qz::gui::test {
namespace {

using domain::LoginOutcome;

class SessionLockDialogTest : public SessionDialogFixture {
protected:
    void SetUp() override {
        SessionDialogFixture::SetUp();
        log_in("CAJERO", "CAJA2026");
    }
};

TEST_F(SessionLockDialogTest, OnlyTheRightPasswordUnlocks) {
    LockOptions o;
    o.now_ms = [] { return 777000LL; };
    LockDialog dialog(context(), o);
    std::string prefilled;
    int locked_while_shown = 0;
    std::vector<bool> open_after;
    when_modal([&] {
        prefilled = dialog.control_as<QLineEdit>(500)->text().toStdString();
        locked_while_shown = session.lock.XAPP_IN_MESSAGETIME;
        EXPECT_EQ(QApplication::focusWidget(), dialog.control(501));
        for (const char* password : {"QUARTZEN", "caja2026"}) {
            retype(dialog, 501, password);
            type_key(Qt::Key_Return);
            open_after.push_back(dialog.isVisible());
        }
        close_if_open(dialog);
    });
    EXPECT_EQ(dialog.Lock(), LoginOutcome::Accepted);
    EXPECT_EQ(prefilled, "CAJERO");
    EXPECT_EQ(locked_while_shown, 1);
    EXPECT_EQ(open_after, (std::vector<bool>{true, false}));
    EXPECT_EQ(boxes(), std::vector<std::string>{"Serie Quartzen: Acceso Denegado"});
    EXPECT_EQ(session.lock.XAPP_IN_MESSAGETIME, 0);
    EXPECT_EQ(session.lock.XAPP_LAST_MESSAGETIME, 777000);
}

TEST_F(SessionLockDialogTest, LeavingIsAskedAndTheExitCheckRunsMeanwhile) {
    int exit_checks = 0;
    LockOptions o;
    o.check_quit = [&] { ++exit_checks; };
    o.quit_check = std::chrono::milliseconds(10);
    LockDialog dialog(context(), o);
    bool open_after_no = false, checked = false;
    script.then(kIdCancel).then(kIdOk);
    when_modal([&] {
        checked = QTest::qWaitFor([&] { return exit_checks > 0; }, 2000);
        type_key(Qt::Key_Escape);
        open_after_no = dialog.isVisible();
        dialog.close();  // the close box asks as Cancel does
        close_if_open(dialog);
    });
    EXPECT_EQ(dialog.Lock(), LoginOutcome::Abandoned);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(open_after_no);
    ASSERT_EQ(script.shown().size(), 2u);
    EXPECT_EQ(boxes()[0], "Advertencia: Realmente desea salir de QUARTZEN?");
    EXPECT_EQ(session.lock.XAPP_IN_MESSAGETIME, 0);
}

}  // namespace
}  // namespace qz::gui::test
