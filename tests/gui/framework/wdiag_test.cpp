// A screen's life and keyboard: Enter moves between fields and never closes the screen, a button
// pressed twice runs once, Cancel obeys lNoCancel, the tables open and close once, and the main
// window hears about activation.
#include "gui/framework/wdiag.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/framework/framework_settings.h"
#include "gui/framework/framework_test_util.h"
#include "gui/framework/screen_host.h"
#include "gui/framework/workspace.h"

namespace qz::gui {
namespace {

using test::make_active;
using test::post_click;
using test::type_key;

struct Counts {
    int opened = 0, closed = 0, saves = 0, presses = 0, refreshed = 0;
};

// A form: two fields, OK bound to PROC_BOK, a "Grabar" button that counts its presses.
class FormScreen : public WDIAG {
public:
    FormScreen(Counts& c, QWidget* owner = nullptr, int context = 2783)
        : WDIAG(owner, "FORMA", context), m_c(c) {}

    bool breathe_in_handler = false;
    bool end_in_init = false;
    bool fail_init = false;

    bool Init() override {
        AbrirBases();
        if (fail_init) return false;
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(Add(new QLineEdit(this), 500));
        layout->addWidget(Add(new QLineEdit(this), 501));
        layout->addWidget(Add(new QPushButton("Aceptar", this), kCmdOk, [this] { PROC_BOK(); }));
        layout->addWidget(Add(new QPushButton("Grabar", this), 600, [this] {
            ++m_c.presses;
            if (breathe_in_handler) QCoreApplication::processEvents();
        }));
        layout->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
        if (end_in_init) ENDDIALOG();
        Create();
        return true;
    }
    void AbrirBases() override { ++m_c.opened; }
    void CerrarBases() override { ++m_c.closed; }
    void SAVE_DATOS() override { ++m_c.saves; }
    void refresh_after_child() override { ++m_c.refreshed; }

private:
    Counts& m_c;
};

// A workspace of its own: the framework finds it as the application's (it is a top-level
// window), as it finds the main window.
class RecordingHost : public QWidget, public Workspace {
public:
    QWidget* workspace_window() override { return this; }
    FrameworkLinks* links() override { return nullptr; }
    void screen_activated(WDIAG*, int context_id) override { activated.push_back(context_id); }
    void screen_deactivated(WDIAG*) override { ++deactivated; }
    void screen_opened(const std::string& name) override { opened.push_back(name); }
    std::vector<int> activated;
    std::vector<std::string> opened;
    int deactivated = 0;
};

class WdiagTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (screen) screen->CLOSEIT(kCmdEnd);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    FormScreen* open_form() {
        screen = open_screen<FormScreen>(counts);
        EXPECT_TRUE(screen);
        EXPECT_TRUE(make_active(*screen));
        return screen;
    }
    QWidget* field(int id) { return screen->control(id); }

    Counts counts;
    QPointer<FormScreen> screen;
};

TEST_F(WdiagTest, EnterMovesThroughTheFieldsAndSavesOnlyOnOk) {
    open_form();
    field(500)->setFocus();
    type_key(Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), field(501));
    type_key(Qt::Key_Enter);
    EXPECT_EQ(QApplication::focusWidget(), field(kCmdOk));
    EXPECT_EQ(counts.saves, 0);
    ASSERT_TRUE(screen);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_FALSE(screen->lDestroyed());

    type_key(Qt::Key_Return);
    EXPECT_EQ(counts.saves, 1);
    EXPECT_TRUE(screen && screen->isVisible());
}

TEST_F(WdiagTest, ClickingOkSavesEvenWhenAFieldHadTheFocus) {
    open_form();
    field(500)->setFocus();
    QTest::mouseClick(field(kCmdOk), Qt::LeftButton);
    EXPECT_EQ(counts.saves, 1);
}

TEST_F(WdiagTest, ADoublePressRunsTheHandlerOnce) {
    open_form();
    auto* grabar = field(600);
    for (bool breathe : {false, true}) {
        counts.presses = 0;
        screen->breathe_in_handler = breathe;
        post_click(grabar);
        post_click(grabar);
        QCoreApplication::processEvents();
        EXPECT_EQ(counts.presses, 1) << (breathe ? "handler breathing" : "queued behind it");
    }
    // A press after the handler ended runs again.
    QTest::mouseClick(grabar, Qt::LeftButton);
    EXPECT_EQ(counts.presses, 2);
}

TEST_F(WdiagTest, CancelEscapeAndTheCloseBoxCloseOnceAndCloseTheTables) {
    for (int way = 0; way < 3; ++way) {
        counts = {};
        open_form();
        field(500)->setFocus();
        if (way == 0) QTest::mouseClick(field(kCmdCancel), Qt::LeftButton);
        if (way == 1) type_key(Qt::Key_Escape);
        if (way == 2) screen->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(screen) << "way " << way;
        EXPECT_EQ(counts.opened, 1);
        EXPECT_EQ(counts.closed, 1) << "way " << way;
    }
}

TEST_F(WdiagTest, NoCancelIgnoresCancelEscapeAndTheCloseBox) {
    open_form();
    screen->lNoCancel = true;
    field(500)->setFocus();
    QTest::mouseClick(field(kCmdCancel), Qt::LeftButton);
    type_key(Qt::Key_Escape);
    EXPECT_FALSE(screen->close());
    screen->Terminar();
    QCoreApplication::processEvents();
    ASSERT_TRUE(screen);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(counts.closed, 0);
    screen->CLOSEIT(kCmdEnd);
    EXPECT_EQ(counts.closed, 1);
}

TEST_F(WdiagTest, EndDialogInsideInitIsIgnored) {
    screen = new FormScreen(counts);
    screen->end_in_init = true;
    ASSERT_TRUE(screen->open());
    EXPECT_TRUE(screen->isVisible());
    EXPECT_FALSE(screen->lDestroyed());
    EXPECT_EQ(counts.closed, 0);
}

TEST_F(WdiagTest, AFailedInitClosesWhatItOpened) {
    auto* s = new FormScreen(counts);
    s->fail_init = true;
    EXPECT_FALSE(s->open());
    EXPECT_EQ(counts.opened, 1);
    EXPECT_EQ(counts.closed, 1);
}

TEST_F(WdiagTest, AMissingControlIdIsAnError) {
    open_form();
    EXPECT_THROW(screen->control(777), FrameworkError);
    EXPECT_THROW(screen->control_as<QPushButton>(500), FrameworkError);
}

TEST_F(WdiagTest, TheHostHearsOpeningActivationAndClosing) {
    RecordingHost host;
    open_form();
    EXPECT_EQ(host.opened, std::vector<std::string>{"FORMA"});
    ASSERT_FALSE(host.activated.empty());
    EXPECT_EQ(host.activated.back(), 2783);
    EXPECT_TRUE(screen->ISACTIVE());
    screen->Terminar();
    EXPECT_GE(host.deactivated, 1);
}

// The main window's part: screens live in its MDI area and each activation names its context.
class MdiHost : public RecordingHost {
public:
    void adopt_screen(WDIAG& screen) override { area.addSubWindow(&screen)->show(); }
    QMdiArea area;
};

TEST_F(WdiagTest, MdiScreensNameTheirContextWhenActivatedAndLeaveWhenClosed) {
    MdiHost host;
    ASSERT_TRUE(make_active(host.area));
    Counts other;
    QPointer<FormScreen> first = open_screen<FormScreen>(counts, nullptr, 2783);
    QPointer<FormScreen> second = open_screen<FormScreen>(other, nullptr, 2905);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(host.activated.back(), 2905);
    EXPECT_TRUE(second->ISACTIVE());

    host.area.setActiveSubWindow(qobject_cast<QMdiSubWindow*>(first->parentWidget()));
    EXPECT_EQ(host.activated.back(), 2783);
    EXPECT_TRUE(first->ISACTIVE());
    EXPECT_FALSE(second->ISACTIVE());

    second->Terminar();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(second);
    EXPECT_EQ(host.area.subWindowList().size(), 1);
    EXPECT_EQ(other.closed, 1);
    first->CLOSEIT(kCmdEnd);
}

TEST_F(WdiagTest, AScreenModalOverItsParentGivesItBackAndAsksForARefresh) {
    Counts parent_counts;
    QPointer<FormScreen> parent = open_screen<FormScreen>(parent_counts);
    ASSERT_TRUE(parent);
    auto* child = open_screen<FormScreen>(counts, parent.data());
    ASSERT_TRUE(child);
    child->DISABLEPARENT();
    EXPECT_FALSE(parent->isEnabled());
    child->Terminar();
    QCoreApplication::processEvents();
    EXPECT_TRUE(parent->isEnabled());
    EXPECT_EQ(parent_counts.refreshed, 1);
    EXPECT_EQ(counts.closed, 1);
    parent->CLOSEIT(kCmdEnd);
}

}  // namespace
}  // namespace qz::gui
