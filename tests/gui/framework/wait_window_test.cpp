// The wait window of long work: the user's Cancel reaches a loop that only writes progress, and
// closing the window is a cancel too; the work then stops it.
#include "gui/framework/wait_window.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include "gui/framework/framework_test_util.h"
#include "gui/framework/qt_user_port.h"

namespace qz::gui {
namespace {

WAIT* shown_wait() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "WAIT" && w->isVisible()) return qobject_cast<WAIT*>(w);
    return nullptr;
}

TEST(WaitWindow, CancelPressedDuringTheLoopStopsIt) {
    QtUserPort port;
    auto wait = port.wait("Procesando");
    WAIT* window = shown_wait();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->findChild<QLabel*>("301")->text(), "Preparando ambiente...");
    QTimer::singleShot(0, window->findChild<QPushButton*>("2"), &QPushButton::click);

    int rounds = 0;
    while (!wait->cancelled() && rounds < 100000) {
        wait->put_text("Registro " + std::to_string(++rounds));
        wait->progress(rounds, 100000);
    }
    EXPECT_LT(rounds, 100000);
    EXPECT_EQ(window->findChild<QLabel*>("301")->text(), "Cancelando proceso...");
    EXPECT_FALSE(window->CANPRINT());

    QPointer<WAIT> gone = window;
    wait.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(gone);
}

TEST(WaitWindow, ClosingTheWindowCancelsAndLeavesItForTheWorkToStop) {
    WAIT window;
    window.PUT_TEXT("Leyendo", "Clientes", std::nullopt, "1 de 3");
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.Cancelado());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.findChild<QLabel*>("500")->text(), "");
    EXPECT_EQ(window.findChild<QLabel*>("502")->text(), "");
}

TEST(WaitWindow, ElapsedTimeIsMinutesAndZeroFilledSeconds) {
    EXPECT_EQ(WAIT::elapsed_text(0), "  0:00");
    EXPECT_EQ(WAIT::elapsed_text(65), "  1:05");
    EXPECT_EQ(WAIT::elapsed_text(6000), "100:00");
}

}  // namespace
}  // namespace qz::gui
