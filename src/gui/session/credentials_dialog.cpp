#include "gui/session/credentials_dialog.h"

#include <QFormLayout>

#include "gui/framework/masked_edit.h"
#include "gui/session/session_fields.h"

namespace qz::gui {

using domain::LoginOutcome;

CredentialsDialog::CredentialsDialog(const std::string& dlg_name, QWidget* owner)
    : DIALOG_BOX(dlg_name, owner) {}

void CredentialsDialog::add_credentials(QFormLayout* form) {
    m_name = name_field(*this, this, 500);
    m_password = password_field(*this, this, 501);
    form->addRow("Usuario:", m_name);
    form->addRow("Clave:", m_password);
}

void CredentialsDialog::OK() {
    m_attempting = true;
    const LoginOutcome result =
        attempt(m_name->text().toStdString(), m_password->text().toStdString());
    m_attempting = false;
    if (result == LoginOutcome::TryAgain) {
        // The next try starts from an empty password; the name usually was right.
        m_password->clear();
        m_password->setFocus(Qt::OtherFocusReason);
        return;
    }
    close_with(result);
}

void CredentialsDialog::close_with(LoginOutcome outcome) {
    m_outcome = outcome;
    EndDialog(outcome == LoginOutcome::Accepted ? kCmdOk : kCmdCancel);
}

void CredentialsDialog::PROCESS_ENTER(int focused_id) {
    if (focused_id == 501)
        on_command(kCmdOk);
    else
        DIALOG_BOX::PROCESS_ENTER(focused_id);
}

}  // namespace qz::gui
