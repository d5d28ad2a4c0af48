#include "gui/framework/dialog_frame.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "core/picture.h"
#include "gui/framework/date_keys.h"
#include "gui/framework/framework_settings.h"
#include "gui/framework/reentry_guard.h"
#include "gui/framework/resize_anchors.h"
#include "gui/framework/screen_host.h"
#include "gui/framework/traduct.h"
#include "gui/framework/workspace.h"

namespace qz::gui {

DialogFrame::DialogFrame(QWidget& self, std::string dlg_name)
    : m_self(self), m_name(std::move(dlg_name)) {
    m_self.setObjectName(QString::fromStdString(m_name));
}

DialogFrame::~DialogFrame() = default;

void DialogFrame::bind(QWidget* control, int id, Block block) {
    control->setObjectName(QString::number(id));
    if (block) m_blocks[id] = std::move(block);
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        QObject::connect(button, &QAbstractButton::clicked, &m_self,
                         [this, id] { on_command(id); });
}

QWidget* DialogFrame::control(int id) const {
    auto* w = m_self.findChild<QWidget*>(QString::number(id));
    if (!w) throw FrameworkError("Child window does not exist: Id " + std::to_string(id));
    return w;
}

int DialogFrame::focused_id() const {
    for (QWidget* w = QApplication::focusWidget(); w && w != &m_self; w = w->parentWidget()) {
        bool numeric = false;
        const int id = w->objectName().toInt(&numeric);
        if (numeric) return id;
    }
    return 0;
}

int DialogFrame::on_command(int id) {
    if (m_executing_init || m_executing_closeit || m_destroyed) return 0;
    ReentryGuard guard(&m_self, m_running[id]);
    if (!guard) return 0;
    const int result = dispatch(id);
    if (m_destroyed) guard.dismiss();
    return result;
}

int DialogFrame::dispatch(int id) {
    if (auto it = m_blocks.find(id); it != m_blocks.end()) {
        const Block block = it->second;
        block();
        return 1;
    }
    if (OnCommand(id)) return 1;
    if (id == kCmdOk) OK();
    if (id == kCmdCancel) Cancel();
    return CLOSEIT(id);
}

int DialogFrame::CLOSEIT(int cmd) {
    if (m_executing_closeit || m_destroyed) return 0;
    const bool closes = cmd == kCmdEnd || (!lNoCancel && (cmd == kCmdCancel || cmd == kCmdAbort));
    if (!closes) return 0;
    m_executing_closeit = true;
    m_destroyed = true;
    finish(cmd);
    m_executing_closeit = false;
    return 1;
}

void DialogFrame::ENDDIALOG() {
    if (!m_executing_init) CLOSEIT(kCmdCancel);
}

void DialogFrame::PROC_BOK() {
    const int id = focused_id();
    if (id != kCmdOk && id != kCmdCancel)
        PROCESS_ENTER(id);
    else
        SAVE_DATOS();
}

void DialogFrame::PROCESS_ENTER(int) {
    QWidget* from = QApplication::focusWidget();
    if (!from || !m_self.isAncestorOf(from)) from = &m_self;
    for (QWidget* w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain()) {
        const bool takes_focus = (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy();
        if (m_self.isAncestorOf(w) && takes_focus && w->isEnabled() && w->isVisibleTo(&m_self)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

bool DialogFrame::handle_key(QKeyEvent* e) {
    const int key = e->key();
    if (key == Qt::Key_Escape) {
        on_command(kCmdCancel);
        return true;
    }
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
    if (button && m_self.isAncestorOf(button))
        button->click();
    else
        PROC_BOK();
    return true;
}

void DialogFrame::prepare_controls() {
    if (const auto& face = XGLOBAL_FONT_NAME()) {
        QFont f = m_self.font();
        f.setFamily(QString::fromStdString(*face));
        m_self.setFont(f);
    }
    translate_captions(m_self);
    // A password may look like a date: "+" and "-" in it are characters, not date keys.
    for (auto* edit : m_self.findChildren<QLineEdit*>())
        if (edit->echoMode() == QLineEdit::Normal) attach_date_keys(edit);
}

bool DialogFrame::run_init() {
    m_executing_init = true;
    if (auto* host = workspace_of(&m_self)) host->screen_opened(m_name);
    bool ok = false;
    try {
        ok = Init();
    } catch (...) {
        m_executing_init = false;
        close_bases();
        throw;
    }
    m_executing_init = false;
    if (!ok) close_bases();
    return ok;
}

void DialogFrame::close_bases() {
    if (m_bases_closed) return;
    m_bases_closed = true;
    CerrarBases();
}

void DialogFrame::Text(const std::string& caption) {
    m_self.setWindowTitle(QString::fromStdString(caption));
}

std::string DialogFrame::Text() const { return m_self.windowTitle().toStdString(); }

void DialogFrame::FIX_OBJ(int id, int mode, int other_id) {
    if (!m_anchors) m_anchors = new ResizeAnchors(m_self);
    m_anchors->FIX_OBJ(control(id), mode, other_id ? control(other_id) : nullptr);
}

void DialogFrame::CHANGE_FONT(int id, const std::string& face, int points, bool bold, bool italic) {
    const std::string family = upper_latin(face) == "TIMES ROMAN" ? "Times New Roman" : face;
    QFont f(QString::fromStdString(family), points, bold ? QFont::Bold : QFont::Normal, italic);
    control(id)->setFont(f);
}

}  // namespace qz::gui
