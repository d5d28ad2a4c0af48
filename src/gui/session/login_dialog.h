#pragma once
// XLOGINUSR, "Acceso a Quartzen": the first window of a session. The user picks a business (601),
// types a login name (500) and a password (501); the domain's LoginService decides. A picture
// heads the dialog: the installation's logo BMP/LOGO32.BMP, or the system's name drawn.
//
//     LoginDialog dialog(context, {.server_info = ..., .fade_in = ...});
//     switch (dialog.Login()) { ... }   // Accepted: the session is open
#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "gui/session/credentials_dialog.h"
#include "gui/session/session_context.h"

class QComboBox;
class QLabel;
class QShowEvent;
class QTimer;

namespace qz::gui {

// What the database server says about itself; shown under the fields.
struct LoginServerInfo {
    long sessions = 0;
    std::string version;
};

struct LoginOptions {
    // The server's connected sessions and version; unset, or none, on the embedded database.
    std::function<std::optional<LoginServerInfo>()> server_info;
    // Whether the dialog fades in: XDOTRANSPARENCY is 1 and the session is not a remote one.
    bool fade_in = true;
    // How often the dialog looks for an exit request (BLOQUEAD.!).
    std::chrono::milliseconds exit_check{20000};
};

class LoginDialog : public CredentialsDialog {
public:
    // `owner` is usually none: the login comes before the main window.
    explicit LoginDialog(const SessionContext& context, LoginOptions options = {},
                         QWidget* owner = nullptr);

    // Shows the dialog until the login is accepted or given up. Accepted: the session carries
    // the user. Abandoned: Cancel, the attempts ran out or an exit request interrupted it.
    // Refused: an access block; the process ends.
    domain::LoginOutcome Login();
    // xBloq: an exit request closed the dialog.
    bool interrupted() const { return m_interrupted; }

protected:
    bool Init() override;
    void showEvent(QShowEvent* e) override;
    domain::LoginOutcome attempt(const std::string& name, const std::string& password) override;

private:
    QWidget* make_picture();
    QLabel* make_server_line();
    void fill_businesses();
    void check_exit_request();

    domain::LoginService m_login;
    std::string m_home;
    LoginOptions m_options;
    QComboBox* m_business = nullptr;
    QTimer* m_exit_timer = nullptr;
    bool m_interrupted = false;
};

}  // namespace qz::gui
