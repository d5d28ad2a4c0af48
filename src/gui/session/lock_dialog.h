#pragma once
// BLOQ_SESSION: the session lock. The main window hides behind it until the session's own user
// types the password again (name 500, prefilled, and password 501). Cancel asks whether to leave
// QUARTZEN instead. While it is up the forced-exit check keeps running, so an administrator's exit
// request still reaches a locked workstation.
//
//     if (BLOQ_SESSION(context, options) != LoginOutcome::Accepted)
//         end the process without writing the session's exit;
#include <chrono>
#include <functional>

#include "gui/session/credentials_dialog.h"
#include "gui/session/session_context.h"

class QTimer;

namespace qz::gui {

struct LockOptions {
    // The forced-exit check of the main window, run every `quit_check` while locked.
    std::function<void()> check_quit;
    std::chrono::milliseconds quit_check{30000};
    // The clock the idle lock is measured with (milliseconds); unlocking restarts the idle time
    // from it. Unset: a monotonic clock.
    std::function<long long()> now_ms;
};

class LockDialog : public CredentialsDialog {
public:
    LockDialog(const SessionContext& context, LockOptions options = {}, QWidget* owner = nullptr);

    // Locks the session until it is taken back. Accepted: unlocked. Abandoned: the user chose
    // to leave or the attempts ran out. Refused: an access block stands. Only Accepted goes on.
    domain::LoginOutcome Lock();

protected:
    bool Init() override;
    int Cancel() override;
    domain::LoginOutcome attempt(const std::string& name, const std::string& password) override;

private:
    long long now() const;

    domain::LoginService m_login;
    UserPort& m_port;
    domain::Session& m_session;
    LockOptions m_options;
};

domain::LoginOutcome BLOQ_SESSION(const SessionContext& context, LockOptions options = {},
                                  QWidget* owner = nullptr);

}  // namespace qz::gui
