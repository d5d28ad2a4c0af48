// Generating the demonstration ledger (`quartzen demo-ledger`): customers, documents through the
// document service in batches, and a payment for about every second document through the
// payment engine (PROCESA_ABONO, ANULA_MOVE for a few), on SQLite and (with QZ_BENCH_PG)
// PostgreSQL. One run per engine on a fresh installation: a second run would find its customers
// already there. QZ_BENCH_ROWS sets the number of documents (2,000 unless told).
//
// Counters: "docs_per_s" and "payments_per_s", each over the time of its own phase, and
// "ms_payment", the time of one payment.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench_install.h"
#include "domain/demo/demo_data.h"
#include "domain/demo/demo_ledger_bulk.h"

using namespace qz;

namespace {

long rows() {
    static const long n =
        std::getenv("QZ_BENCH_ROWS") ? std::atol(std::getenv("QZ_BENCH_ROWS")) : 2000;
    return n > 0 ? n : 2000;
}

using Fixture = bench::BenchInstall;

Fixture& fixture(bool pg) {
    return bench::bench_install(
        "demo_ledger_bench", pg,
        [](Fixture& f) { f.clock.freeze(DateTime{Date(2026, 5, 20), "09:00:00"}); },
        [](data::Db& db) { domain::install_demo_data(db); });
}

void BM_GenerateDemoLedger(benchmark::State& state) {
    auto& f = fixture(state.range(0));
    domain::demo::LedgerMade made;
    for (auto _ : state) {
        domain::demo::LedgerRequest r;
        r.documents = rows();
        r.customers = std::max(1L, rows() / 10);
        const auto m = domain::demo::make_demo_ledger(*f.db, f.port, r);
        if (!m) {
            state.SkipWithError("the ledger was refused");
            return;
        }
        made = *m;
        state.SetIterationTime(m->seconds);
    }
    state.counters["docs"] = static_cast<double>(made.documents);
    state.counters["payments"] = static_cast<double>(made.payments);
    state.counters["docs_per_s"] =
        made.document_seconds > 0 ? made.documents / made.document_seconds : 0;
    state.counters["payments_per_s"] =
        made.payment_seconds > 0 ? made.payments / made.payment_seconds : 0;
    state.counters["ms_payment"] =
        made.payments > 0 ? made.payment_seconds * 1000 / made.payments : 0;
}

void engines(benchmark::internal::Benchmark* b) {
    b->Arg(0);
    if (std::getenv("QZ_BENCH_PG")) b->Arg(1);
}

}  // namespace

BENCHMARK(BM_GenerateDemoLedger)
    ->Apply(engines)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_MAIN();
