// quartzen: the suite's command line — installation, administration and batch work.
// Exit status: 0 done, 1 refused (the message says why), 2 bad usage.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "cli_commands.h"
#include "core/text.h"
#include "data/install.h"

namespace {

void usage(FILE* out) {
    std::fputs(
        "Uso: quartzen [--home DIR] ORDEN [opciones]\n"
        "\n"
        "Ordenes:\n"
        "  init [--demo]   crea o actualiza la instalacion (directorios y esquema);\n"
        "                  --demo carga la empresa de demostracion si la base esta vacia\n"
        "  info [--full]   comprueba la integridad de la base (--full: a fondo) y resume\n"
        "                  la instalacion: motor, tablas, empresas y usuarios\n"
        "  export [--business EMPRESA] TABLA\n"
        "                  escribe la tabla en CSV por la salida estandar (solo los\n"
        "                  registros de EMPRESA con --business)\n"
        "  backup ARCHIVO  copia de seguridad de la base SQLite sin parar las estaciones;\n"
        "                  con PostgreSQL indica la orden pg_dump que hay que usar\n"
        "  mail-service [--once]  envia la cola de correos E_MSGS (--help: detalles)\n"
        "  demo-ledger --customers N --documents M [--seed S] [--years Y]\n"
        "              [--sales V [--registers R]]   (o solo --sales V [--registers R])\n"
        "                  llena la empresa de demostracion con una cartera de N clientes y\n"
        "                  M documentos de Y anos (2 si no se indica) por los mismos servicios\n"
        "                  que usa el usuario; --sales V agrega V ventas de punto de venta en\n"
        "                  turnos de las cajas SPA1..SPAR (R=1 si no se indica)\n"
        "  ledger-check [--business EMPRESA]\n"
        "                  recalcula el saldo de cada documento por sus abonos y lista los\n"
        "                  que no concuerdan (estado 1 si hay alguno)\n"
        "  closing --business EMPRESA --register CAJA [--shift N] [--detail]\n"
        "                  cierre de caja del turno N de la caja (1 = el mas antiguo; sin\n"
        "                  --shift, el ultimo) en CSV; --detail lista cada linea de pago\n"
        "\n"
        "--home DIR fija el directorio de la instalacion (si no, $QUARTZEN_HOME o\n"
        "~/.local/share/quartzen). Con ADS.DEF en ese directorio se usa el servidor\n"
        "PostgreSQL de su primera linea.\n",
        out);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    qz::cli::Options opts;
    opts.home = qz::data::default_home();
    std::vector<std::string> rest;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--home") {
            // A blank directory would make the file system's root the installation.
            if (i + 1 >= args.size() || qz::trim(args[i + 1]).empty()) {
                std::fputs("quartzen: --home necesita un directorio\n", stderr);
                return 2;
            }
            opts.home = args[++i];
        } else if ((args[i] == "--help" || args[i] == "-h") && rest.empty()) {
            usage(stdout);
            return 0;
        } else {
            rest.push_back(args[i]);
        }
    }
    if (rest.empty()) {
        usage(stderr);
        return 2;
    }
    std::string cmd = rest.front();
    rest.erase(rest.begin());
    const bool wants_help = std::find(rest.begin(), rest.end(), "--help") != rest.end() ||
                            std::find(rest.begin(), rest.end(), "-h") != rest.end();
    if (wants_help && cmd != "mail-service") {  // the others share the general help
        usage(stdout);
        return 0;
    }
    try {
        if (cmd == "init") return qz::cli::cmd_init(opts, rest);
        if (cmd == "info") return qz::cli::cmd_info(opts, rest);
        if (cmd == "mail-service") return qz::cli::cmd_mail_service(opts, rest);
        if (cmd == "export") return qz::cli::cmd_export(opts, rest);
        if (cmd == "backup") return qz::cli::cmd_backup(opts, rest);
        if (cmd == "demo-ledger") return qz::cli::cmd_demo_ledger(opts, rest);
        if (cmd == "ledger-check") return qz::cli::cmd_ledger_check(opts, rest);
        if (cmd == "closing") return qz::cli::cmd_closing(opts, rest);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quartzen: %s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "quartzen: orden desconocida: %s\n", cmd.c_str());
    usage(stderr);
    return 2;
}
