// The main window of a session: its hooks into the session, its fade-in and its timers.
#include <QApplication>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <cstdlib>

#include "domain/session/log_diag.h"
#include "domain/session/log_sessions.h"
#include "domain/session/price_schedule.h"
#include "domain/session/rights.h"
#include "gui/framework/framework_settings.h"
#include "gui/framework/message_box.h"
#include "gui/main/app_navigation.h"
#include "gui/main/app_setup.h"
#include "gui/main/start_steps.h"
#include "gui/shell/principal.h"

namespace qz::gui {

namespace {

// The main window fades in unless the session runs on a remote desktop.
void show_main_window(Principal& w) {
    // Without a window manager "maximised" means nothing: take the screen's size explicitly.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        w.setGeometry(screen->availableGeometry());
    bool remote = std::getenv("SSH_CONNECTION") || std::getenv("XRDP_SESSION");
    if (remote || QGuiApplication::platformName() == "offscreen") {
        w.showMaximized();
        return;
    }
    w.setWindowOpacity(0.0);
    w.showMaximized();
    for (int step = 0; step <= 25; ++step) {
        w.setWindowOpacity(step * 10 / 250.0);
        QCoreApplication::processEvents();
        QThread::msleep(1);
    }
    w.setWindowOpacity(1.0);
}

PrincipalHooks hooks_for(AppContext& ctx) {
    PrincipalHooks h;
    h.greyed = [&ctx](int id) { return ctx.session.rights.GET_RIGHTS(id); };
    h.checked = [&ctx](int id) { return ctx.session.rights.GET_CHECKS(id); };
    h.user_abrevia = [&ctx] { return ctx.session.XUSER_ABREVIA; };
    h.businesses = [&ctx] {
        std::vector<std::pair<std::string, std::string>> out;
        for (const auto& b : ctx.login->businesses()) out.emplace_back(b.code, b.name);
        return out;
    };
    h.current_business = [&ctx] { return ctx.session.XU_COMP; };
    h.change_business = [&ctx](const std::string& code) { change_business(ctx, code); };
    h.check_quit = [&ctx] { check_quit(ctx); };
    h.logout = [&ctx] {
        if (ctx.session.XREC_E_S) domain::log_session_exit(*ctx.db, *ctx.session.XREC_E_S);
    };
    h.supervisor = [&ctx] { return ctx.session.XSUPERACCESS == 1; };
    h.confirm = [](const std::string& title, const std::string& text) {
        return MESSAGE_BOX(nullptr, text, title, kMbOkCancel | kMbIconQuestion) == kIdOk;
    };
    h.screen_opened = [&ctx](const std::string& dialog) {
        int id = ctx.window ? ctx.window->XID_MENU() : 0;
        domain::NEW_LOG_DIAG(*ctx.db, domain::session_stamp(ctx.session), id, dialog);
    };
    return h;
}

// The session's timers live as long as the window.
void start_timers(Principal& w, AppContext& ctx) {
    auto* poll = new QTimer(&w);  // sign of life in the session log, lock requests, idle lock
    QObject::connect(poll, &QTimer::timeout, &w, [&ctx] { session_tick(ctx, now_ms_since_start()); });
    poll->start(10000);
    auto* prices = new QTimer(&w);  // scheduled price changes, when the business asks for them
    QObject::connect(prices, &QTimer::timeout, &w, [&ctx] {
        if (ctx.IN_CH_STRUC == 0 && domain::price_check_enabled(*ctx.db, ctx.session.XU_COMP))
            domain::apply_due_price_changes(*ctx.db, ctx.session.XU_COMP, ctx.clock.now());
    });
    prices->start(30000);
}

}  // namespace

std::unique_ptr<Principal> open_main_window(AppContext& ctx) {
    std::unique_ptr<QWidget> splash(show_splash(ctx));
    domain::ModuleInfo module = domain::module_info(ctx.session.XID_MODULO);
    auto w = std::make_unique<Principal>(module.title, module.login, hooks_for(ctx));
    ctx.window = w.get();
    if (!ctx.navigation) ctx.navigation = make_app_navigation(ctx);
    w->set_links(ctx.navigation.get());
    register_commands(*w, ctx);
    w->MenuSet(0);
    show_main_window(*w);
    splash.reset();
    after_login_checks(ctx);
    for (int id : module.start) w->post_start_command(id);
    start_timers(*w, ctx);
    return w;
}

}  // namespace qz::gui
