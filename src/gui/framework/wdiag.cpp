#include "gui/framework/wdiag.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMdiSubWindow>

#include "gui/framework/framework_settings.h"
#include "gui/framework/screen_host.h"
#include "gui/framework/workspace.h"

namespace qz::gui {

WDIAG::WDIAG(QWidget* owner, const std::string& dlg_name, int context_id, ScreenOptions options)
    : QWidget(nullptr),
      DialogFrame(*this, dlg_name),
      m_owner(owner),
      m_context_id(context_id),
      m_options(options) {
    setAttribute(Qt::WA_DeleteOnClose);
}

WDIAG::~WDIAG() = default;

bool WDIAG::open() {
    if (!run_init()) {
        m_destroyed = true;
        deleteLater();
        return false;
    }
    Create();
    return true;
}

void WDIAG::Create() {
    if (m_created) return;
    m_created = true;
    prepare_controls();
    if (!m_options.sizable) {
        if (layout())
            layout()->setSizeConstraint(QLayout::SetFixedSize);
        else
            setFixedSize(sizeHint().expandedTo(size()));
    }
    if (m_options.visible) Show();
}

void WDIAG::Show() {
    if (auto* host = workspace_of(m_owner))
        host->adopt_screen(*this);
    else
        show();
    window()->raise();
    window()->activateWindow();
}

void WDIAG::SHOW_MENU() {
    if (auto* host = workspace_of(this)) host->screen_activated(this, m_context_id);
}

void WDIAG::HIDE_MENU() {
    if (auto* host = workspace_of(this)) host->screen_deactivated(this);
}

void WDIAG::DISABLEPARENT() {
    if (!m_owner) return;
    m_owner->setEnabled(false);
    m_owner_disabled = true;
}

void WDIAG::ENABLEPARENT() {
    close_bases();
    if (!m_owner_disabled || !m_owner) return;
    m_owner_disabled = false;
    m_owner->setEnabled(true);
    // Posted, as the owner refreshes after this screen has gone.
    if (auto* parent = qobject_cast<WDIAG*>(m_owner))
        QMetaObject::invokeMethod(
            parent, [parent] { parent->refresh_after_child(); }, Qt::QueuedConnection);
}

void WDIAG::OnNCDESTROY() {
    if (m_owner_disabled)
        ENABLEPARENT();
    else
        close_bases();
}

void WDIAG::finish(int) {
    OnNCDESTROY();
    set_active(false);
    HIDE_MENU();
    if (m_in_close_event) return;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

void WDIAG::closeEvent(QCloseEvent* e) {
    if (!m_destroyed) {
        m_in_close_event = true;
        on_command(kCmdCancel);
        m_in_close_event = false;
    }
    e->setAccepted(m_destroyed);
}

void WDIAG::keyPressEvent(QKeyEvent* e) {
    if (!handle_key(e)) QWidget::keyPressEvent(e);
}

bool WDIAG::event(QEvent* e) {
    switch (e->type()) {
        case QEvent::ParentChange:
            watch_subwindow();
            break;
        case QEvent::WindowActivate:
            if (isWindow()) set_active(true);
            break;
        case QEvent::WindowDeactivate:
            if (isWindow()) set_active(false);
            break;
        default:
            break;
    }
    return QWidget::event(e);
}

void WDIAG::watch_subwindow() {
    disconnect(m_subwindow_watch);
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!sub) return;
    m_subwindow_watch = connect(sub, &QMdiSubWindow::windowStateChanged, this,
                                [this](Qt::WindowStates, Qt::WindowStates now) {
                                    set_active(now.testFlag(Qt::WindowActive));
                                });
}

QWidget* screen_of(const QWidget* control) {
    for (QWidget* w = control->parentWidget(); w; w = w->parentWidget())
        if (qobject_cast<WDIAG*>(w)) return w;
    return control->window();
}

void WDIAG::set_active(bool active) {
    if (active == m_active || (active && m_destroyed)) return;
    m_active = active;
    if (active)
        SHOW_MENU();
    else if (!m_destroyed)
        if (auto* host = workspace_of(this)) host->screen_deactivated(this);
}

}  // namespace qz::gui
