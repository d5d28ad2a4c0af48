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

namespace qz::gui::test {

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
