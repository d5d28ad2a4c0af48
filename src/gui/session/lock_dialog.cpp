#include "gui/session/lock_dialog.h"

#include <QFormLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include "gui/framework/masked_edit.h"
#include "gui/session/session_fields.h"

namespace qz::gui {

using domain::LoginOutcome;

LockDialog::LockDialog(const SessionContext& context, LockOptions options, QWidget* owner)
    : CredentialsDialog("BLOQ_SESSION", owner),
      m_login(context.login()),
      m_port(context.port),
      m_session(context.session),
      m_options(std::move(options)) {
    // Cancel, Escape and the close box only ask whether to leave; the answer decides.
    lNoCancel = true;
}

LoginOutcome LockDialog::Lock() {
    domain::begin_lock(m_session);
    run();
    domain::end_lock(m_session, now());
    return outcome();
}

bool LockDialog::Init() {
    Text("Sesión Bloqueada");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 18);
    layout->setSpacing(12);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(
        note_label("La sesión está bloqueada.\nEscriba su Clave de Acceso para continuar.", this));
    auto* form = session_form();
    add_credentials(form);
    layout->addLayout(form);
    add_dialog_buttons(*this, this, layout);

    m_name->set_value(m_session.USER_NAME);
    m_password->setFocus(Qt::OtherFocusReason);
    if (m_options.check_quit) {
        auto* timer = new QTimer(this);
        timer->setInterval(m_options.quit_check);
        connect(timer, &QTimer::timeout, this, [this] { m_options.check_quit(); });
        timer->start();
    }
    return true;
}

int LockDialog::Cancel() {
    if (domain::confirm_leave_locked(m_port)) close_with(LoginOutcome::Abandoned);
    return 1;
}

LoginOutcome LockDialog::attempt(const std::string& name, const std::string& password) {
    return m_login.unlock(name, password);
}

long long LockDialog::now() const {
    if (m_options.now_ms) return m_options.now_ms();
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

domain::LoginOutcome BLOQ_SESSION(const SessionContext& context, LockOptions options,
                                  QWidget* owner) {
    LockDialog dialog(context, std::move(options), owner);
    return dialog.Lock();
}

}  // namespace qz::gui
