#include "gui/framework/dialog_box.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

#include "gui/framework/workspace.h"

namespace qz::gui {

DIALOG_BOX::DIALOG_BOX(const std::string& dlg_name, QWidget* owner, Procedure proc)
    : QDialog(dialog_owner(owner)), DialogFrame(*this, dlg_name), m_proc(std::move(proc)) {}

int DIALOG_BOX::run() {
    QPointer<QWidget> focus = QApplication::focusWidget();
    if (!run_init()) return 0;
    prepare_controls();
    if (m_proc) m_proc(*this, kInitDialog, 0);
    const int result = m_destroyed ? m_result : exec();
    close_bases();
    if (focus) focus->setFocus();
    return m_destroyed ? m_result : result;
}

void DIALOG_BOX::EndDialog(int result) {
    m_result = result;
    CLOSEIT(kCmdEnd);
}

bool DIALOG_BOX::OnCommand(int id) { return m_proc && m_proc(*this, kCommand, id); }

void DIALOG_BOX::finish(int cmd) {
    if (cmd != kCmdEnd) m_result = cmd;
    done(m_result);
}

void DIALOG_BOX::keyPressEvent(QKeyEvent* e) {
    if (!handle_key(e)) QDialog::keyPressEvent(e);
}

// QDialog rejects on Escape and on the close box; both are command 2 here.
void DIALOG_BOX::reject() { on_command(kCmdCancel); }

}  // namespace qz::gui
