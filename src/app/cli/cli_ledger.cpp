// The ledger's batch commands: filling a demonstration ledger of any size.
#include <cstdio>
#include <optional>
#include <string>

#include "cli_commands.h"
#include "core/clock.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/demo/demo_ledger_bulk.h"

namespace qz::cli {

namespace {

std::optional<long> number_arg(const std::string& text) {
    try {
        size_t used = 0;
        const long n = std::stol(text, &used);
        if (used == text.size()) return n;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

}  // namespace

int cmd_demo_ledger(const Options& opts, const std::vector<std::string>& args) {
    domain::demo::LedgerRequest r;
    bool has_customers = false, has_documents = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool known =
            a == "--customers" || a == "--documents" || a == "--seed" || a == "--years";
        std::optional<long> v =
            known && i + 1 < args.size() ? number_arg(args[i + 1]) : std::nullopt;
        if (!known || !v) {
            std::fprintf(stderr, "quartzen demo-ledger: opcion desconocida o sin numero: %s\n",
                         a.c_str());
            return 2;
        }
        ++i;
        if (a == "--customers") r.customers = *v, has_customers = true;
        if (a == "--documents") r.documents = *v, has_documents = true;
        if (a == "--seed") r.seed = static_cast<unsigned>(*v);
        if (a == "--years") r.years = static_cast<int>(*v);
    }
    if (!has_customers || !has_documents) {
        std::fputs("Uso: quartzen demo-ledger --customers N --documents M [--seed S] [--years Y]\n",
                   stderr);
        return 2;
    }
    ConsoleUserPort port;
    Clock clock;
    auto db = open_db(opts, port, clock);
    long last = 0;
    auto made = domain::demo::make_demo_ledger(*db, port, r, [&](long done) {
        if (done - last >= 10000 || done == r.documents) {
            std::fprintf(stderr, "  %ld documentos\n", done);
            last = done;
        }
    });
    if (!made) return 1;
    std::fputs(domain::demo::describe(*made).c_str(), stdout);
    return 0;
}

}  // namespace qz::cli
