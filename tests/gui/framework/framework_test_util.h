#pragma once
// Helpers of the framework tests: windows made active as a user's would be, and input delivered
// to whatever has the focus.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "gui/framework/workspace.h"

namespace qz::gui::test {

// A workspace for pieces tested without a main window, lending what the test gives it: a
// top-level window, never shown, which the framework finds as the application's.
class LendingWorkspace : public QWidget, public Workspace, public FrameworkLinks {
public:
    std::function<bool(QWidget* owner, const FileMailRequest&)> mailer;
    std::function<void(const std::string& title, const std::vector<TreePrintLine>& lines,
                       bool dotted)>
        tree_printer;

    QWidget* workspace_window() override { return this; }
    FrameworkLinks* links() override { return this; }
    void screen_activated(WDIAG*, int) override {}
    void screen_deactivated(WDIAG*) override {}
    void screen_opened(const std::string&) override {}
    bool prints_trees() const override { return static_cast<bool>(tree_printer); }
    void print_tree(const std::string& title, const std::vector<TreePrintLine>& lines,
                    bool dotted) override {
        tree_printer(title, lines, dotted);
    }
    bool mail_file(QWidget* owner, const FileMailRequest& request) override {
        return mailer && mailer(owner, request);
    }
};

inline bool make_active(QWidget& w) {
    w.show();
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w);
}

// A key as typed: delivered to the focused widget, with `text` as the character it produces.
inline void type_key(int key, const QString& text = {}) {
    QPointer<QWidget> target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    if (target) QApplication::sendEvent(target, &release);
}

// A click that waits in the event queue, as a second press does while the first is handled.
inline void post_click(QWidget* w) {
    const QPointF at = QRectF(w->rect()).center();
    const QPointF global = w->mapToGlobal(at);
    QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonPress, at, global,
                                                   Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonRelease, at, global,
                                                   Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

// Runs `f` once the next modal window (a dialog's exec) is up and active.
template <class F>
void when_modal(F f) {
    QTimer::singleShot(0, qApp, [f] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(modal));
        f();
    });
}

}  // namespace qz::gui::test
