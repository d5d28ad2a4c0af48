#pragma once
// The password changes: "ACT_CLAVE", forced when the password is too old, and "CH_PASSWD", the
// user's own choice from the menu ("Cambio de Clave de Acceso"). Both ask for the current
// password (501), the new one (502) and the new one again (503); Enter moves from field to field.
// The domain's change_password checks and stores; the dialog stays open until it says the change
// was made or the attempts ran out.
//
//     if (!ACT_CLAVE(context)) end the process;       // after the login and a change of business
//     CH_PASSWD(context);                              // menu command 2904
#include <string>

#include "domain/session/login.h"
#include "gui/framework/dialog_box.h"
#include "gui/session/session_context.h"

namespace qz::gui {

class LR_MASKED;

// How a password dialog ended: the new password is stored, the user gave up, or the wrong
// current passwords reached the business's limit (the domain has then blocked the account).
enum class PasswordChangeEnd { Changed, Cancelled, Exhausted };

class PasswordChangeDialog : public DIALOG_BOX {
public:
    // The forced change is the dialog "ACT_CLAVE", the voluntary one "CH_PASSWD".
    PasswordChangeDialog(const SessionContext& context, domain::ChangeOrigin origin,
                         QWidget* owner = nullptr);

    // Shows the dialog until the change is made, cancelled or refused for good.
    PasswordChangeEnd change();

protected:
    bool Init() override;
    void OK() override;

private:
    SessionContext m_context;
    domain::ChangeOrigin m_origin;
    int m_failures = 0;  // wrong current passwords in this dialog
    PasswordChangeEnd m_end = PasswordChangeEnd::Cancelled;
    LR_MASKED* m_current = nullptr;
    LR_MASKED* m_fresh = nullptr;
    LR_MASKED* m_repeat = nullptr;
};

// ACT_CLAVE: 1 when the password was changed or no change is due, 0 when the user cancelled
// or ran out of attempts (the caller then ends the process).
int ACT_CLAVE(const SessionContext& context, QWidget* owner = nullptr);

// CH_PASSWD: true when the password was changed. A user without the right to change it is told
// why and sees no dialog. Exhausted attempts leave `owner` (the main window) disabled: the
// application is blocked until it is closed.
bool CH_PASSWD(const SessionContext& context, QWidget* owner = nullptr);

}  // namespace qz::gui
