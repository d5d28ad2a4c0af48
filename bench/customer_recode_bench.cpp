// Re-coding a customer with 100,000 documents and 100,000 payments (the save's walk of every
// table that keeps the code, one locked row at a time, in one transaction) against the bare
// UPDATE statements that move the same rows back, on SQLite and (with QZ_BENCH_PG) PostgreSQL.
// The counter "x_sql" says how many times slower the walk is than the bare statements.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "bench_install.h"
#include "data/install.h"
#include "data/transaction.h"
#include "domain/customers/customer_recode.h"

using namespace qz;
using namespace qz::data;
using Steady = std::chrono::steady_clock;

namespace {

const std::string kBiz = "HOTEL";
// QZ_BENCH_ROWS sets a smaller customer for a quick look at a slow engine.
int rows() {
    static const int n = std::getenv("QZ_BENCH_ROWS") ? std::atoi(std::getenv("QZ_BENCH_ROWS"))
                                                      : 100000;
    return n > 0 ? n : 100000;
}

using Fixture = bench::BenchInstall;

// The customer's documents and payments, written by plain inserts: the generated key columns
// are the database's own either way.
void set_up(Db& db) {
    Transaction tx(db);
    auto doc = db.conn().prepare(
        "INSERT INTO \"DOCUMENT\" (\"NEGOCIO\", \"DOCUMENTO\", \"CLIENTE\", \"SUBCLIENTE\") "
        "VALUES (?, ?, 'C1', '01')");
    auto pay = db.conn().prepare(
        "INSERT INTO \"ENC_MOVE\" (\"NEGOCIO\", \"MOVIMIENTO\", \"CLIENTE\") VALUES (?, ?, 'C1')");
    for (int i = 0; i < rows(); ++i)
        for (auto* st : {doc.get(), pay.get()}) {
            st->bind(1, kBiz);
            st->bind(2, "N" + std::to_string(i));
            st->step();
            st->reset();
        }
    tx.commit();
}

Fixture& fixture(bool pg) { return bench::bench_install("recode_bench", pg, {}, set_up); }

double secs(Steady::time_point a, Steady::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

// The bare statements: one UPDATE per table that keeps the code.
void bare_recode(Db& db, const std::string& from, const std::string& to) {
    Transaction tx(db);
    for (const auto& f : domain::customers::customer_code_fields()) {
        auto st = db.conn().prepare(std::string("UPDATE \"") + f.table + "\" SET \"" + f.field +
                                    "\" = ? WHERE \"NEGOCIO\" = ? AND \"" + f.field + "\" = ?");
        st->bind(1, to);
        st->bind(2, kBiz);
        st->bind(3, from);
        st->step();
    }
    tx.commit();
}

void BM_RecodeCustomer(benchmark::State& state) {
    auto& f = fixture(state.range(0));
    Db& db = *f.db;
    double tw = 0, tb = 0;
    for (auto _ : state) {
        const auto a = Steady::now();
        {
            Transaction tx(db);
            domain::customers::recode_customer(db, kBiz, "C1", "C2");
            tx.commit();
        }
        const auto b = Steady::now();
        bare_recode(db, "C2", "C1");
        const auto c = Steady::now();
        tw += secs(a, b);
        tb += secs(b, c);
        state.SetIterationTime(secs(a, b));
    }
    state.counters["x_sql"] = tb > 0 ? tw / tb : 0;
}

void engines(benchmark::internal::Benchmark* b) {
    b->Arg(0);
    if (std::getenv("QZ_BENCH_PG")) b->Arg(1);
}

}  // namespace

BENCHMARK(BM_RecodeCustomer)
    ->Apply(engines)
    ->UseManualTime()
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
