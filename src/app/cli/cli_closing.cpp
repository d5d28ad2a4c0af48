// `quartzen closing`: a register's cash closing as CSV, for scripts and spreadsheets.
#include <cstdio>
#include <optional>
#include <string>

#include "cli_commands.h"
#include "core/clock.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/cash/closing.h"
#include "domain/cash/closing_csv.h"

namespace qz::cli {

namespace {

constexpr const char* kClosingUsage =
    "Uso: quartzen closing --business EMPRESA --register CAJA [--shift N] [--detail]\n";

// A closing that cannot be made (exit status 1) or a command typed wrongly (2).
int refuse(const std::string& why, int status = 1) {
    std::fprintf(stderr, "quartzen closing: %s\n", why.c_str());
    return status;
}

}  // namespace

int cmd_closing(const Options& opts, const std::vector<std::string>& args) {
    std::string business, reg;
    std::optional<long> shift;
    bool detail = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool valued = a == "--business" || a == "--register" || a == "--shift";
        if (valued && i + 1 >= args.size()) return refuse(std::string("falta el valor de ") + a, 2);
        if (a == "--business") {
            business = args[++i];
        } else if (a == "--register") {
            reg = args[++i];
        } else if (a == "--shift") {
            shift = number_arg(args[++i]);
            if (!shift) return refuse("el turno debe ser un número: " + args[i], 2);
        } else if (a == "--detail") {
            detail = true;
        } else {
            std::fprintf(stderr, "quartzen closing: opcion desconocida: %s\n%s", a.c_str(),
                         kClosingUsage);
            return 2;
        }
    }
    if (business.empty() || reg.empty()) {
        std::fputs(kClosingUsage, stderr);
        return 2;
    }
    ConsoleUserPort port;
    Clock clock;
    auto db = open_db(opts, port, clock);
    const auto pick = domain::cash::pick_shift_closing(*db, business, reg, shift);
    if (!pick.request) return refuse(pick.refusal);
    const auto closing = domain::cash::read_closing(*db, *pick.request);
    if (!closing) return refuse("La caja " + reg + " no existe en la empresa " + business);
    std::fprintf(stderr, "Caja: %s %s  %s\n", closing->register_code.c_str(),
                 closing->register_name.c_str(), domain::cash::closing_period(*closing).c_str());
    std::fputs(domain::cash::closing_csv(*closing, detail).c_str(), stdout);
    return 0;
}

}  // namespace qz::cli
