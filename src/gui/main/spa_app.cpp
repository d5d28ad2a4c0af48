#include "gui/main/spa_app.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "gui/framework/message_box.h"
#include "gui/main/app_setup.h"
#include "gui/main/start_steps.h"
#include "gui/shell/look.h"
#include "gui/shell/principal.h"

namespace qz::gui {

namespace {

// What is left of the command line once Qt has taken its own options (-platform, -style...):
// main() read "--home DIR"; anything else would otherwise be ignored without a word.
std::string unknown_option(const QStringList& args) {
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == "--home") {
            ++i;
            continue;
        }
        return args[i].toStdString();
    }
    return {};
}

}  // namespace

SpaApplication::SpaApplication(int& argc, char** argv, AppContext& ctx)
    : QApplication(argc, argv), m_ctx(ctx) {}

bool SpaApplication::notify(QObject* receiver, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::Wheel:
            note_input(now_ms_since_start());
            break;
        default:
            break;
    }
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        if (!show_error_outcome(m_ctx, m_ctx.errors.handle(e))) std::exit(1);
    } catch (...) {
        std::runtime_error unknown("Error desconocido");
        if (!show_error_outcome(m_ctx, m_ctx.errors.handle(unknown))) std::exit(1);
    }
    return false;
}

bool show_error_outcome(AppContext& ctx, const domain::ErrorOutcome& outcome) {
    if (!outcome.window) return true;
    auto answer = show_error_window(*outcome.window);
    auto code = ctx.errors.answer(answer);
    return !code.has_value();
}

int run_spa(int argc, char** argv, const std::string& home) {
    AppContext ctx;
    ctx.home = home;
    SpaApplication app(argc, argv, ctx);
    if (const std::string unknown = unknown_option(app.arguments()); !unknown.empty()) {
        std::fprintf(stderr, "quartzen-spa: opcion desconocida: %s\n%s", unknown.c_str(),
                     kSpaUsage);
        return 2;
    }
    app.setApplicationName("QUARTZEN SPA");
    load_spanish(app);
    if (!open_database(ctx)) return 1;
    load_session_settings(ctx);
    apply_look(app, ctx.settings.XO_COLOUR, ctx.settings.XH_COLOUR);
    if (!run_login(ctx)) return 0;
    std::unique_ptr<Principal> w = open_main_window(ctx);
    install_lock_request_signal();
    int rc = app.exec();
    remove_session_services();
    return rc;
}

}  // namespace qz::gui
