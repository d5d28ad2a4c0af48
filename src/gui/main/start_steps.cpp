#include "gui/main/start_steps.h"

#include <QElapsedTimer>
#include <QTimer>

#include "core/text.h"
#include "domain/ledger/rate_check.h"
#include "domain/session/crash_marker.h"
#include "domain/session/log_sessions.h"
#include "domain/session/temp_path.h"
#include "domain/session/traduct.h"
#include "gui/framework/framework_settings.h"
#include "gui/framework/message_box.h"
#include "gui/main/app_setup.h"
#include "gui/shell/principal.h"

namespace qz::gui {

long long now_ms_since_start() {
    static QElapsedTimer t;
    if (!t.isValid()) t.start();
    return t.elapsed();
}

namespace {
long long g_last_input = 0;
}  // namespace

void note_input(long long now_ms) { g_last_input = now_ms; }
long long last_input_ms() { return g_last_input; }

bool open_database(AppContext& ctx) {
    data::DbOptions o;
    o.home = ctx.home;
    o.ads = data::read_ads_def(ctx.home);
    o.port = &ctx.port;
    o.clock = &ctx.clock;
    o.ext_modulo = ctx.session.EXT_MODULO;
    // A session that ended abnormally may have left the file damaged: check it before use.
    auto crashes = domain::crash_directory(ctx.home);
    const bool abnormal_end = domain::take_abnormal_ends(domain::run_directory(ctx.home));
    o.verify_file = abnormal_end || !domain::read_crash_markers(crashes).empty();
    try {
        ctx.db = data::Db::open(o);
    } catch (const std::exception& e) {
        // The message says what to do (initialise, update, restore a copy): the same advice
        // for every failure would send the user to re-create a database that only needs a copy.
        MESSAGE_BOX(nullptr, std::string(e.what()) + "\rInstalación: " + ctx.home, "Error",
                    kMbOk | kMbIconStop);
        return false;
    }
    ctx.running = std::make_unique<domain::RunMarker>(domain::run_directory(ctx.home));
    ctx.clock.set_server_source([db = ctx.db.get()] { return db->server_now(); });
    ctx.errors.attach(ctx.db.get());
    ctx.full_text = domain::install_full_text(*ctx.db);
    // Crashes of earlier sessions are recorded before this one can crash in its turn.
    domain::record_crashes(*ctx.db, crashes);
    domain::arm_crash_marker(crashes, std::nullopt);
    return true;
}

void load_session_settings(AppContext& ctx) {
    domain::load_settings(ctx.settings, *ctx.db);
    ctx.temp_dir =
        domain::prepare_temp_path(ctx.settings, ctx.home, ctx.port, domain::home_drives(ctx.home));
    ctx.errors.set_settings(&ctx.settings);
    ctx.ini = std::make_unique<IniFile>(default_ini_path());
    set_XSEL_DATE(ctx.settings.XSEL_DATE);
    set_XGLOBAL_FONT_NAME(ctx.settings.XGLOBAL_FONT_NAME);
    ctx.login = std::make_unique<domain::LoginService>(*ctx.db, ctx.port, ctx.session,
                                                       ctx.settings, *ctx.ini);
}

void after_login_checks(AppContext& ctx) {
    std::vector<TraductRow> rows;
    for (auto& p : domain::load_traduct(*ctx.db, ctx.session.XU_COMP))
        rows.push_back({p.from, p.to, p.mode});
    set_XTRADUCT(std::move(rows));
    ctx.errors.set_session_log(ctx.session.XREC_E_S);
    domain::arm_crash_marker(domain::crash_directory(ctx.home), ctx.session.XREC_E_S);
    install_session_services(ctx);
    domain::show_stale_rates(ctx.port, domain::CHECK_CAMBIO(*ctx.db, ctx.session.XU_COMP));
    force_password_change_if_due(ctx);
}

void check_quit(AppContext& ctx) {
    auto content = domain::read_exit_request(ctx.home);
    auto alarm = ctx.forced_exit.check(ctx.session, content, ctx.IN_CH_STRUC, now_ms_since_start());
    if (alarm == domain::QuitAlarm::None) return;
    const auto& lines = alarm == domain::QuitAlarm::Countdown ? domain::countdown_alarm_lines()
                                                               : domain::exempt_alarm_lines();
    std::string text;
    for (const auto& l : lines) text += (text.empty() ? "" : "\r") + std::string(l);
    MESSAGE_BOX(ctx.window, text, "Atencion", kMbOk | kMbIconExclamation);
    if (alarm != domain::QuitAlarm::Countdown) return;
    auto* timer = new QTimer(ctx.window);
    QObject::connect(timer, &QTimer::timeout, ctx.window, [&ctx, timer] {
        switch (ctx.forced_exit.tick(ctx.session, ctx.IN_CH_STRUC, now_ms_since_start())) {
            case domain::CountdownTick::Exit:
                // Time is up: the session ends as after an abandoned login.
                std::exit(0);
            case domain::CountdownTick::Paused:
            case domain::CountdownTick::Wait:
                break;
        }
        (void)timer;
    });
    timer->start(30000);
}

}  // namespace qz::gui
