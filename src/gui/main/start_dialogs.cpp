// The start steps that open the session's dialogs: login, change of business, forced password
// change, session lock and the error window.
#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QSplashScreen>
#include <QStandardPaths>
#include <QWidget>
#include <csignal>
#include <cstdlib>

#include "domain/session/log_sessions.h"
#include "domain/session/login.h"
#include "gui/errors/error_window.h"
#include "gui/main/start_steps.h"
#include "gui/session/business_dialog.h"
#include "gui/session/lock_dialog.h"
#include "gui/session/login_dialog.h"
#include "gui/session/password_dialogs.h"
#include "gui/shell/principal.h"

namespace qz::gui {

namespace {

SessionContext session_context(AppContext& ctx) {
    return SessionContext{*ctx.db, ctx.port, ctx.session, ctx.settings, *ctx.ini};
}

bool remote_session() { return std::getenv("SSH_CONNECTION") || std::getenv("XRDP_SESSION"); }

void play_welcome(const std::string& home) {
    QString wav = QString::fromStdString(home + "/WAV/QUARTZEN.WAV");
    if (!QFile::exists(wav)) return;
    for (const char* player : {"paplay", "aplay"})
        if (QString exe = QStandardPaths::findExecutable(player); !exe.isEmpty()) {
            QProcess::startDetached(exe, {wav});
            return;
        }
}

volatile std::sig_atomic_t g_lock_requested = 0;

extern "C" void on_lock_request(int) { g_lock_requested = 1; }

}  // namespace

void install_lock_request_signal() { std::signal(SIGUSR1, on_lock_request); }

bool run_login(AppContext& ctx) {
    LoginOptions opts;
    opts.server_info = [&ctx]() -> std::optional<LoginServerInfo> {
        auto st = ctx.db->server_state();
        if (!st) return std::nullopt;
        return LoginServerInfo{st->sessions, st->version};
    };
    opts.fade_in = ctx.settings.XDOTRANSPARENCY == 1 && !remote_session() &&
                   QGuiApplication::platformName() != "offscreen";
    LoginDialog dialog(session_context(ctx), opts);
    if (dialog.Login() != domain::LoginOutcome::Accepted) return false;
    play_welcome(ctx.home);
    return true;
}

QWidget* show_splash(const AppContext& ctx) {
    QPixmap logo(QString::fromStdString(ctx.home + "/BMP/LOGO32.BMP"));
    if (logo.isNull()) {
        logo = QPixmap(420, 140);
        logo.fill(QColor(38, 110, 120));
        QPainter p(&logo);
        p.setPen(Qt::white);
        QFont f;
        f.setPixelSize(40);
        f.setLetterSpacing(QFont::AbsoluteSpacing, 6);
        p.setFont(f);
        p.drawText(logo.rect(), Qt::AlignCenter, "QUARTZEN SPA");
    }
    auto* splash = new QSplashScreen(logo);
    splash->show();
    QCoreApplication::processEvents();
    return splash;
}

void force_password_change_if_due(AppContext& ctx) {
    if (!domain::password_change_due(*ctx.db, ctx.session)) return;
    // A refused forced change ends the session, as the password's age demands.
    if (ACT_CLAVE(session_context(ctx), ctx.window) != 1) std::exit(0);
}

void change_business(AppContext& ctx, const std::string& code) {
    if (CHANGE_NEG(session_context(ctx), code, ctx.window) != domain::LoginOutcome::Accepted)
        return;
    if (ctx.window) {
        ctx.window->MenuSet(ctx.window->active_context());
        ctx.window->refresh_business();
    }
    after_login_checks(ctx);
}

void session_tick(AppContext& ctx, long long now_ms) {
    if (ctx.session.XREC_E_S) domain::log_session_poll(*ctx.db, *ctx.session.XREC_E_S);
    bool minimised = ctx.window && ctx.window->isMinimized();
    bool requested = g_lock_requested != 0;
    g_lock_requested = 0;
    bool idle = domain::idle_lock_due(ctx.session, ctx.settings, last_input_ms(), now_ms);
    if (ctx.session.lock.XAPP_IN_MESSAGETIME || !(requested || idle) ||
        !domain::lock_request_applies(ctx.session, true, minimised))
        return;
    LockOptions opts;
    opts.check_quit = [&ctx] { check_quit(ctx); };
    opts.now_ms = [] { return now_ms_since_start(); };
    if (BLOQ_SESSION(session_context(ctx), opts, ctx.window) != domain::LoginOutcome::Accepted)
        std::exit(0);  // the user chose to leave from the lock: no exit is written
    note_input(now_ms_since_start());
}

domain::ErrorAnswer show_error_window(const domain::ErrorWindow& window) {
    return ERROR_SPEC(QApplication::activeWindow(), window);
}

}  // namespace qz::gui
