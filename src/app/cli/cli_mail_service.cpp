// quartzen mail-service: the suite's mail service. Each cycle sends the ready rows of E_MSGS
// and stamps HBEAT/MAILSERV.HBT, so the workstations know whether to wait for it or to send at
// once themselves.
#include <csignal>
#include <cstdio>
#include <thread>

#include "cli_commands.h"
#include "core/clock.h"
#include "core/user_port.h"
#include "data/db.h"
#include "data/install.h"
#include "domain/session/settings.h"
#include "services/mail/mail_queue.h"
#include "services/mail/mail_service.h"

namespace qz::cli {

namespace {

volatile std::sig_atomic_t g_stop = 0;
void on_signal(int) { g_stop = 1; }

void mail_service_usage(FILE* out) {
    std::fputs(
        "Uso: quartzen [--home DIR] mail-service [--once] [--interval SEG]\n"
        "Envia los correos listos de la cola E_MSGS y marca su envio o su error; un\n"
        "correo se abandona tras 5 fallos. Cada ciclo escribe HBEAT/MAILSERV.HBT.\n"
        "  --once          hace una sola pasada y termina\n"
        "  --interval SEG  segundos entre pasadas (5 por omision)\n"
        "Termina con SIGTERM o SIGINT.\n",
        out);
}

}  // namespace

int cmd_mail_service(const Options& opts, const std::vector<std::string>& args) {
    bool once = false;
    int interval = 5;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--help" || args[i] == "-h") {
            mail_service_usage(stdout);
            return 0;
        } else if (args[i] == "--once") {
            once = true;
        } else if (args[i] == "--interval" && i + 1 < args.size()) {
            interval = std::atoi(args[++i].c_str());
            if (interval < 1) {
                std::fprintf(stderr, "quartzen mail-service: intervalo invalido: %s\n",
                             args[i].c_str());
                return 2;
            }
        } else {
            std::fprintf(stderr, "quartzen mail-service: opcion desconocida: %s\n",
                         args[i].c_str());
            mail_service_usage(stderr);
            return 2;
        }
    }
    ConsoleUserPort port;
    Clock clock;
    auto db = open_db(opts, port, clock);
    domain::AppSettings settings;
    domain::load_defmail(settings, *db);
    if (settings.XEMAILHOST.empty()) {
        std::fputs("quartzen mail-service: DEFMAIL no define el servidor SMTP (HOST)\n", stderr);
        return 1;
    }
    std::signal(SIGTERM, on_signal);
    std::signal(SIGINT, on_signal);
    services::MailEngine engine(settings, {opts.home}, nullptr);
    for (;;) {
        services::write_heartbeat(opts.home);
        const auto rep = services::run_mail_pass(*db, engine);
        if (rep.sent || rep.failed)
            std::fprintf(stderr, "quartzen mail-service: %d enviados, %d con error%s\n", rep.sent,
                         rep.failed,
                         rep.connect_code < 0 ? " (sin conexion con el servidor SMTP)" : "");
        if (once || g_stop) break;
        for (int t = 0; t < interval * 10 && !g_stop; ++t)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (g_stop) break;
    }
    return 0;
}

}  // namespace qz::cli
