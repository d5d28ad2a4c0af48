// The ledger's batch commands: filling a demonstration ledger of any size, and checking that
// every document's balance is what its payments say.
#include <cstdio>
#include <optional>
#include <string>

#include "cli_commands.h"
#include "core/clock.h"
#include "core/text.h"
#include "core/user_port.h"
#include "data/db.h"
#include "data/table_ops.h"
#include "domain/demo/demo_ledger_bulk.h"
#include "domain/demo/demo_sales.h"
#include "domain/ledger/balance_invariant.h"

namespace qz::cli {

namespace {

constexpr const char* kDemoLedgerUsage =
    "Uso: quartzen demo-ledger --customers N --documents M [--seed S] [--years Y]\n"
    "                          [--sales V [--registers R]]\n"
    "     quartzen demo-ledger --sales V [--registers R] [--seed S]\n";

int make_sales(data::Db& db, UserPort& port, const domain::demo::SalesRequest& r) {
    long last = 0;
    auto made = domain::demo::make_demo_sales(db, port, r, [&](long done) {
        if (done - last >= 1000 || done == r.sales) {
            std::fprintf(stderr, "  %ld ventas\n", done);
            last = done;
        }
    });
    if (!made) return 1;
    std::fputs(domain::demo::describe(*made).c_str(), stdout);
    return 0;
}

}  // namespace

int cmd_demo_ledger(const Options& opts, const std::vector<std::string>& args) {
    domain::demo::LedgerRequest r;
    domain::demo::SalesRequest sales;
    bool has_customers = false, has_documents = false, has_sales = false, has_registers = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool known = a == "--customers" || a == "--documents" || a == "--seed" ||
                           a == "--years" || a == "--sales" || a == "--registers";
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
        if (a == "--seed") r.seed = sales.seed = static_cast<unsigned>(*v);
        if (a == "--years") r.years = static_cast<int>(*v);
        if (a == "--sales") sales.sales = *v, has_sales = true;
        if (a == "--registers") sales.registers = static_cast<int>(*v), has_registers = true;
    }
    const bool ledger = has_customers || has_documents;
    if ((ledger && !(has_customers && has_documents)) || (!ledger && !has_sales) ||
        (has_registers && !has_sales)) {
        std::fputs(kDemoLedgerUsage, stderr);
        return 2;
    }
    ConsoleUserPort port;
    Clock clock;
    auto db = open_db(opts, port, clock);
    if (ledger) {
        long last = 0;
        auto made = domain::demo::make_demo_ledger(*db, port, r, [&](long done) {
            if (done - last >= 10000 || done == r.documents) {
                std::fprintf(stderr, "  %ld documentos\n", done);
                last = done;
            }
        });
        if (!made) return 1;
        std::fputs(domain::demo::describe(*made).c_str(), stdout);
    }
    return has_sales ? make_sales(*db, port, sales) : 0;
}

// Every document of the business (all businesses when none is named) against the balance its
// payments give it; one line per document that breaks it, then a summary. Exit status 1 when
// any does.
int cmd_ledger_check(const Options& opts, const std::vector<std::string>& args) {
    std::string only;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--business" && i + 1 < args.size()) {
            only = args[++i];
        } else {
            std::fprintf(stderr, "quartzen ledger-check: opcion desconocida: %s\n",
                         args[i].c_str());
            return 2;
        }
    }
    ConsoleUserPort port;
    Clock clock;
    auto db = open_db(opts, port, clock);
    std::vector<std::string> businesses;
    auto neg = data::USE(*db, "NEGOCIOS", "NEGOCIOS");
    for (neg->GoTop(); !neg->Eof(); neg->Skip()) {
        const std::string code = trim(neg->str("CODIGO"));
        if (only.empty() || code == only) businesses.push_back(code);
    }
    data::KILLTABLA(*db, neg);
    if (businesses.empty()) {
        std::fprintf(stderr, "quartzen ledger-check: la empresa %s no existe\n", only.c_str());
        return 2;
    }
    long checked = 0, broken = 0;
    for (const auto& b : businesses)
        domain::expected_balance(*db, b, [&](const domain::BalanceCheck& c) {
            ++checked;
            if (c.agrees()) return;
            ++broken;
            std::printf("%s %s cliente %s %s: saldo %s, por sus abonos %s%s\n", b.c_str(),
                        c.document.c_str(), c.customer.c_str(), c.currency.c_str(),
                        c.recorded.to_string(2).c_str(), c.expected.to_string(2).c_str(),
                        c.unconverted ? " (abono sin tipo de cambio)" : "");
        });
    std::printf("Documentos revisados: %ld; con saldo que no concuerda: %ld\n", checked, broken);
    return broken ? 1 : 0;
}

}  // namespace qz::cli
