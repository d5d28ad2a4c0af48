// Getting data out of the installation: a table as CSV for scripts, and backup copies.
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>

#include "cli_commands.h"
#include "core/clock.h"
#include "core/user_port.h"
#include "data/ads_def.h"
#include "data/backup.h"
#include "data/db.h"
#include "data/export_csv.h"

namespace qz::cli {

namespace {

int export_usage(const char* why) {
    std::fprintf(stderr, "quartzen export: %s\nUso: quartzen export [--business EMPRESA] TABLA\n",
                 why);
    return 2;
}

}  // namespace

int cmd_export(const Options& opts, const std::vector<std::string>& args) {
    std::optional<std::string> business;
    std::vector<std::string> tables;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--business") {
            if (i + 1 >= args.size()) return export_usage("--business necesita una empresa");
            business = args[++i];
        } else if (args[i].starts_with("-")) {
            return export_usage(("opcion desconocida: " + args[i]).c_str());
        } else {
            tables.push_back(args[i]);
        }
    }
    if (tables.size() != 1) return export_usage("indique una sola tabla");
    ConsoleUserPort port;
    Clock clock;
    auto db = open_db(opts, port, clock);
    try {
        data::export_csv(*db, tables.front(), business, std::cout);
    } catch (const data::ExportUsageError& e) {
        std::fprintf(stderr, "quartzen export: %s\n", e.what());
        return 2;
    }
    if (!std::cout.flush()) {
        std::fprintf(stderr, "quartzen export: no se pudo escribir la salida\n");
        return 1;
    }
    return 0;
}

int cmd_backup(const Options& opts, const std::vector<std::string>& args) {
    if (args.size() != 1 || args.front().starts_with("-")) {
        std::fprintf(stderr,
                     "quartzen backup: indique el archivo de la copia\n"
                     "Uso: quartzen backup ARCHIVO\n");
        return 2;
    }
    const std::string& target = args.front();
    if (auto ads = data::read_ads_def(opts.home)) {
        std::fprintf(stderr, "quartzen backup: %s\n",
                     data::pg_dump_advice(ads->directory, target).c_str());
        return 1;
    }
    try {
        data::backup_sqlite(data::sqlite_path(opts.home), target);
    } catch (const data::DbError& e) {
        std::fprintf(stderr, "quartzen backup: %s\n", e.what());
        return 1;
    }
    std::printf("Copia de seguridad completa: %s (%ju bytes)\n",
                std::filesystem::absolute(target).c_str(),
                static_cast<uintmax_t>(std::filesystem::file_size(target)));
    return 0;
}

}  // namespace qz::cli
