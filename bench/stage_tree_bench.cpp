// The collections screen's stage tree (collection_tree: one count per visible stage through the
// DOCUMEN24 order) over 1,000,000 documents spread over eight stages, a tenth of them annulled,
// against the bare GROUP BY of the same counts in the same run, on SQLite and (with
// QZ_BENCH_PG) PostgreSQL. The aim is the tree under 200 ms on SQLite. QZ_BENCH_ROWS sets a
// smaller ledger.
//
// Counters: "docs" counted in the tree, "x_sql" how many times slower the tree is than the
// aggregate.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

#include "bench_install.h"
#include "bench_rows.h"
#include "data/transaction.h"
#include "domain/collections/collection_stages.h"

using namespace qz;
using namespace qz::data;
using Steady = std::chrono::steady_clock;

namespace {

const std::string kBiz = "HOTEL";
const Date kDay(2026, 5, 20);
constexpr int kStages = 8;

long rows() {
    static const long n =
        std::getenv("QZ_BENCH_ROWS") ? std::atol(std::getenv("QZ_BENCH_ROWS")) : 1000000;
    return n > 0 ? n : 1000000;
}

std::string stage(int i) { return "E0" + std::to_string(i) + "0"; }

void fill(Db& db) {
    Transaction tx(db);
    bench::Insert stages(db, "ETAPAS_B", {"NEGOCIO", "CODIGO", "DESCRIP"});
    for (int s = 0; s < kStages; ++s) stages({kBiz, stage(s), "Etapa " + std::to_string(s)});
    bench::Insert doc(db, "DOCUMENT",
                      {"NEGOCIO", "DOCUMENTO", "CLIENTE", "FECHA", "MONTO", "SALDO", "ETAPA_COB",
                       "COBRADOR", "ANULADO"});
    for (long i = 0; i < rows(); ++i) {
        const std::string number = bench::numbered("B", i);
        // Most documents sit in the first stages, as a desk's do.
        const int s = static_cast<int>((i * i) % 97 % kStages);
        doc({kBiz, number, bench::numbered("C", i % 5000), kDay - i % 700, Decimal(1000),
             Decimal(1000), stage(s), std::string(s == 0 ? "" : "C1"),
             std::string(i % 10 == 7 ? number + "-A" : "")});
    }
    tx.commit();
    // A server's autovacuum would have seen a million new rows long before anyone opened the
    // screen; without it PostgreSQL counts through the heap instead of the index alone.
    if (db.conn().dialect() == Dialect::PostgreSQL) db.conn().exec("VACUUM ANALYZE \"DOCUMENT\"");
}

bench::BenchInstall& fixture(bool pg) {
    return bench::bench_install(
        "stage_tree_bench", pg,
        [](bench::BenchInstall& f) {
            f.clock.freeze(DateTime{kDay, "09:00:00"});
        },
        fill);
}

long sql_counts(Db& db) {
    auto st = db.conn().prepare(
        "SELECT \"ETAPA_COB\", COUNT(*) FROM \"DOCUMENT\" WHERE \"NEGOCIO\" = ? AND "
        "TRIM(\"ANULADO\") = '' GROUP BY \"ETAPA_COB\"");
    st->bind(1, kBiz);
    long total = 0;
    while (st->step()) total += std::atol(st->text_at(1).c_str());
    return total;
}

double secs(Steady::time_point a, Steady::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

void BM_StageTree(benchmark::State& state) {
    auto& f = fixture(state.range(0));
    double tt = 0, ts = 0;
    long counted = 0;
    for (auto _ : state) {
        const auto a = Steady::now();
        const auto tree = domain::collection_tree(*f.db, kBiz);
        const auto b = Steady::now();
        counted = 0;
        for (const auto& n : tree) counted += n.count;
        benchmark::DoNotOptimize(sql_counts(*f.db));
        const auto c = Steady::now();
        tt += secs(a, b);
        ts += secs(b, c);
        state.SetIterationTime(secs(a, b));
    }
    state.counters["docs"] = static_cast<double>(counted);
    state.counters["x_sql"] = ts > 0 ? tt / ts : 0;
}

void engines(benchmark::internal::Benchmark* b) {
    b->Arg(0);
    if (std::getenv("QZ_BENCH_PG")) b->Arg(1);
}

}  // namespace

BENCHMARK(BM_StageTree)
    ->Apply(engines)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
