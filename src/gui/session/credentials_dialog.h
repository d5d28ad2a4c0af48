#pragma once
// What the login, the session lock and the change of business share: a login name (500) and a
// password (501), Enter in the name moving on to the password and Enter in the password meaning
// OK, and what each outcome of the domain's verification does to the dialog: accepted closes it,
// a failure keeps it open for another try, exhausted attempts or an access block close it.
#include <string>

#include "domain/session/login.h"
#include "gui/framework/dialog_box.h"

class QFormLayout;

namespace qz::gui {

class LR_MASKED;

class CredentialsDialog : public DIALOG_BOX {
public:
    // How the dialog ended; Abandoned until something else happened (Cancel leaves it so).
    domain::LoginOutcome outcome() const { return m_outcome; }

protected:
    CredentialsDialog(const std::string& dlg_name, QWidget* owner);

    // Adds the rows "Usuario:" (500) and "Clave:" (501).
    void add_credentials(QFormLayout* form);
    // The verification this dialog asks the domain for.
    virtual domain::LoginOutcome attempt(const std::string& name, const std::string& password) = 0;
    // Closes the dialog with an outcome decided outside a verification.
    void close_with(domain::LoginOutcome outcome);
    // A verification is running (its messages may let timers fire meanwhile).
    bool attempting() const { return m_attempting; }

    void OK() override;
    void PROCESS_ENTER(int focused_id) override;

    LR_MASKED* m_name = nullptr;
    LR_MASKED* m_password = nullptr;

private:
    domain::LoginOutcome m_outcome = domain::LoginOutcome::Abandoned;
    bool m_attempting = false;
};

}  // namespace qz::gui
