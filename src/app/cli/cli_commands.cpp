#include "cli_commands.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <stdexcept>

#include "core/clock.h"
#include "core/ini_file.h"
#include "core/text.h"
#include "core/user_port.h"
#include "data/db.h"
#include "data/install.h"
#include "data/integrity.h"
#include "data/table_ops.h"
#include "domain/demo/demo_data.h"
#include "domain/demo/demo_workstation.h"
#include "domain/ledger/print_shipped.h"

namespace qz::cli {

std::optional<long> number_arg(const std::string& text) {
    try {
        size_t used = 0;
        const long n = std::stol(text, &used);
        if (used == text.size()) return n;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

std::unique_ptr<data::Db> open_db(const Options& o, UserPort& port, Clock& clock) {
    data::DbOptions d;
    d.home = o.home;
    d.ads = data::read_ads_def(o.home);
    d.port = &port;
    d.clock = &clock;
    d.ext_modulo = "SPA";
    auto db = data::Db::open(d);
    clock.set_server_source([p = db.get()] { return p->server_now(); });
    return db;
}

namespace {

long count_rows(data::Db& db, const std::string& table) {
    auto t = data::USE(db, table);
    long n = t->KeyCount();
    data::KILLTABLA(db, t);
    return n;
}

// The integrity line of the summary, or nothing when the file is damaged: then the reason is
// already on stderr and nothing else may read from the file.
std::optional<std::string> check_integrity(const Options& opts, bool full) {
    if (data::read_ads_def(opts.home)) return "Integridad: la comprueba el servidor PostgreSQL";
    std::string path = data::sqlite_path(opts.home);
    if (!std::filesystem::exists(path)) return "";  // opening it says to run quartzen init
    auto rep = data::check_sqlite_file(path, full);
    if (rep.ok) return rep.message;
    std::fprintf(stderr, "quartzen info: %s\n", rep.message.c_str());
    for (const auto& line : rep.details) std::fprintf(stderr, "  %s\n", line.c_str());
    return std::nullopt;
}

// This workstation's settings for the demonstration (card terminals in training mode); a file
// that cannot be written is told and leaves the installation as it is.
void install_workstation_settings() {
    try {
        IniFile ini(default_ini_path());
        const auto written = domain::install_demo_workstation_settings(ini);
        if (!written.empty())
            std::printf("Estacion de trabajo (%s):\n", ini.path().string().c_str());
        for (const auto& line : written) std::printf("  %s\n", line.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "No se pudo escribir QUARTZEN.INI: %s\n", e.what());
    }
}

}  // namespace

int cmd_init(const Options& opts, const std::vector<std::string>& args) {
    bool demo = false;
    for (const auto& a : args) {
        if (a == "--demo") {
            demo = true;
        } else {
            std::fprintf(stderr, "quartzen init: opcion desconocida: %s\n", a.c_str());
            return 2;
        }
    }
    auto rep = data::init_installation(opts.home);
    std::printf("Instalacion %s: %d tablas creadas, %d campos agregados, %d ordenes rehechos.\n",
                opts.home.c_str(), rep.tables_created, rep.columns_added, rep.orders_rebuilt);
    ConsoleUserPort port;
    Clock clock;
    auto db = open_db(opts, port, clock);
    if (demo && count_rows(*db, "NEGOCIOS") > 0) {
        std::printf("La base ya tiene empresas: no se cargan datos de demostracion.\n");
    } else if (demo) {
        auto summary = domain::install_demo_data(*db);
        std::fputs(summary.c_str(), stdout);
    }
    if (demo) install_workstation_settings();
    // Every business gets the shipped print formats it lacks; its own designs are kept.
    if (const int n = domain::install_shipped_formats_everywhere(*db); n > 0)
        std::printf("Formatos de impresion instalados: %d.\n", n);
    return 0;
}

int cmd_info(const Options& opts, const std::vector<std::string>& args) {
    bool full = false;
    for (const auto& a : args) {
        if (a != "--full") {
            std::fprintf(stderr, "quartzen info: opcion desconocida: %s\n", a.c_str());
            return 2;
        }
        full = true;
    }
    auto integrity = check_integrity(opts, full);
    if (!integrity) return 1;
    ConsoleUserPort port;
    Clock clock;
    auto db = open_db(opts, port, clock);
    std::printf(
        "Instalacion: %s\nMotor: %s\n%s\nTablas en el catalogo: %zu\n"
        "Fecha del negocio: %s %s\n",
        opts.home.c_str(), db->server() ? "PostgreSQL" : "SQLite", integrity->c_str(),
        db->catalogue().size(), clock.XDATE().dtoc().c_str(), clock.XTIME().c_str());
    auto neg = data::USE(*db, "NEGOCIOS", "NEGOCIOS");
    for (neg->GoTop(); !neg->Eof(); neg->Skip())
        std::printf("Empresa %s  %s\n", trim(neg->str("CODIGO")).c_str(),
                    trim(neg->str("DESCRIP")).c_str());
    std::printf("Usuarios: %ld\n", count_rows(*db, "USUARIOS"));
    return 0;
}

}  // namespace qz::cli
