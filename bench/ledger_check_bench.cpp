// The ledger check (`quartzen ledger-check`, expected_balance over a whole business) on a ledger
// of 1,000,000 documents with a payment line for every second one, against the hand-written SQL
// aggregate of the same comparison (every document's balance against its amount less its
// payments, in one GROUP BY), on SQLite and (with QZ_BENCH_PG) PostgreSQL. The aim is the whole
// check under 10 s on SQLite.
//
// Making a million documents through the document service would take the bench hours, so the
// ledger is written by bare prepared inserts in one transaction, consistent with the balance
// invariant: a tenth of the documents are in dollars and paid in dollars, the rest in colones;
// the demonstration's own documents come first, its unexplained debit note among them.
// QZ_BENCH_ROWS sets a smaller ledger.
//
// Counters: "docs" checked, "broken" found, "docs_per_s", "cpu_s" the processor time of one check
// (what the wall time comes to on a machine nobody else is using), "x_sql" how many times slower
// the check is than the aggregate.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <ctime>

#include "bench_install.h"
#include "bench_rows.h"
#include "data/catalogue.h"
#include "data/transaction.h"
#include "data/value.h"
#include "domain/demo/demo_data.h"
#include "domain/ledger/balance_invariant.h"

using namespace qz;
using namespace qz::data;
using Steady = std::chrono::steady_clock;

namespace {

const std::string kBiz = "HOTEL";
const Date kDay(2026, 5, 20);

long rows() {
    static const long n =
        std::getenv("QZ_BENCH_ROWS") ? std::atol(std::getenv("QZ_BENCH_ROWS")) : 1000000;
    return n > 0 ? n : 1000000;
}

using Fixture = bench::BenchInstall;
using bench::Insert;
using bench::numbered;

void fill(Db& db) {
    domain::install_demo_data(db);
    Transaction tx(db);
    Insert doc(db, "DOCUMENT",
               {"NEGOCIO", "DOCUMENTO", "CONCEPTO", "CLIENTE", "SUBCLIENTE", "NOM_CLIENT", "MONEDA",
                "FECHA", "MONTO", "SALDO"});
    Insert head(db, "ENC_MOVE", {"NEGOCIO", "MOVIMIENTO", "CLIENTE", "MONEDA", "FECHA", "MONTO"});
    Insert line(
        db, "DET_MOVE",
        {"NEGOCIO", "MOVIMIENTO", "DOCUMENTO", "CONCEPTO", "FECHA", "MONTO", "SALDO_ANT", "SALDO"});
    for (long i = 0; i < rows(); ++i) {
        const std::string number = numbered("B", i), customer = numbered("C", i % 5000);
        const std::string currency = i % 10 == 3 ? "US" : "CO";
        const Date date = kDay - (rows() - i) * 700 / rows();
        const Decimal amount = Decimal(1000 + i % 90000) + Decimal::parse("0.25");
        const Decimal paid =
            i % 2 == 0 ? (amount * Decimal(i % 7 + 1) / Decimal(8)).round(2) : Decimal();
        doc({kBiz, number, std::string("FA"), customer, std::string("01"), customer, currency, date,
             amount, amount - paid});
        if (paid.is_zero()) continue;
        const std::string receipt = numbered("BR", i);
        head({kBiz, receipt, customer, currency, date, paid});
        line({kBiz, receipt, number, std::string("AB"), date, paid, amount, amount - paid});
    }
    tx.commit();
}

Fixture& fixture(bool pg) {
    return bench::bench_install(
        "ledger_check_bench", pg,
        [](Fixture& f) {
            f.clock.freeze(DateTime{kDay, "09:00:00"});
        },
        fill);
}

// The same comparison in one statement, without the currencies and concepts the check weighs:
// what a report of the numbers would cost.
long sql_broken(Db& db) {
    const auto n = db.conn().scalar(
        "SELECT COUNT(*) FROM \"DOCUMENT\" d LEFT JOIN (SELECT \"DOCUMENTO\", SUM(\"MONTO\") AS "
        "p FROM \"DET_MOVE\" WHERE \"NEGOCIO\" = 'HOTEL' GROUP BY \"DOCUMENTO\") m ON "
        "m.\"DOCUMENTO\" = d.\"DOCUMENTO\" WHERE d.\"NEGOCIO\" = 'HOTEL' AND d.\"SALDO\" <> "
        "d.\"MONTO\" - COALESCE(m.p, 0)");
    return n ? std::atol(n->c_str()) : -1;
}

double thread_cpu() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

double secs(Steady::time_point a, Steady::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

void BM_LedgerCheck(benchmark::State& state) {
    auto& f = fixture(state.range(0));
    double tc = 0, ts = 0, cpu = 0;
    long checked = 0, broken = 0;
    for (auto _ : state) {
        checked = broken = 0;
        const double cpu_a = thread_cpu();
        const auto a = Steady::now();
        domain::expected_balance(*f.db, kBiz, [&](const domain::BalanceCheck& c) {
            ++checked;
            if (!c.agrees()) ++broken;
        });
        const auto b = Steady::now();
        cpu += thread_cpu() - cpu_a;
        benchmark::DoNotOptimize(sql_broken(*f.db));
        const auto c = Steady::now();
        tc += secs(a, b);
        ts += secs(b, c);
        state.SetIterationTime(secs(a, b));
    }
    state.counters["docs"] = static_cast<double>(checked);
    state.counters["broken"] = static_cast<double>(broken);
    state.counters["docs_per_s"] = tc > 0 ? checked * state.iterations() / tc : 0;
    state.counters["cpu_s"] = state.iterations() ? cpu / state.iterations() : 0;
    state.counters["x_sql"] = ts > 0 ? tc / ts : 0;
}

void engines(benchmark::internal::Benchmark* b) {
    b->Arg(0);
    if (std::getenv("QZ_BENCH_PG")) b->Arg(1);
}

}  // namespace

BENCHMARK(BM_LedgerCheck)->Apply(engines)->UseManualTime()->Iterations(2)->Unit(benchmark::kSecond);
BENCHMARK_MAIN();
