// Posting a 10-line journal voucher through ledger links (ContaTransaction: link look-ups, the
// day's voucher found and stamped, lines written, the residue plugged) against the bare inserts
// of the same ten lines and the header stamp, on SQLite and (with QZ_BENCH_PG) PostgreSQL.
// Every operation appends to one daily voucher, as a busy desk does; the counter "x_sql" says
// how many times slower the posting is than the bare statements.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "bench_install.h"
#include "data/install.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/ledger/journal.h"

using namespace qz;
using namespace qz::data;
using Steady = std::chrono::steady_clock;

namespace {

const std::string kBiz = "HOTEL";
const Date kDay(2026, 5, 20);

using Fixture = bench::BenchInstall;

void add(Db& db, const char* table, std::initializer_list<std::pair<const char*, Value>> fields) {
    auto t = USE(db, table);
    ADD_NEW_REC(*t);
    for (const auto& [f, v] : fields) t->FieldPut(f, v);
    UNLOCK_NEW_REC(*t);
    KILLTABLA(db, t);
}

void set_up(Db& db) {
    Transaction tx(db);
    add(db, "NEGOCIOS", {{"CODIGO", kBiz}, {"DIARIO3", std::string("AS03")}});
    add(db, "SERIALES", {{"NEGOCIO", kBiz}, {"CODIGO", std::string("AS03")}});
    for (int i = 0; i < 10; ++i)
        add(db, "LIGAS",
            {{"NEGOCIO", kBiz},
             {"CODIGO", "L" + std::to_string(i)},
             {"CUENTA", "1-0" + std::to_string(i)},
             {"TIPO", Decimal(i % 2)}});
    tx.commit();
}

Fixture& fixture(bool pg) {
    return bench::bench_install(
        "journal_bench", pg,
        [](Fixture& f) {
            f.clock.freeze(DateTime{kDay, "09:00:00"});
        },
        set_up);
}

double secs(Steady::time_point a, Steady::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

void BM_PostTenLineVoucher(benchmark::State& state) {
    auto& f = fixture(state.range(0));
    Db& db = *f.db;
    auto line = db.conn().prepare(
        "INSERT INTO \"DET_AS\" (\"NEGOCIO\", \"MOVIMIENTO\", \"CUENTA\", \"DEBITO\", "
        "\"CREDITO\", \"MONEDA\") VALUES (?, ?, ?, ?, ?, ?)");
    auto stamp = db.conn().prepare(
        "UPDATE \"ENC_AS\" SET \"HORA_MOD\" = ? WHERE \"NEGOCIO\" = ? AND \"MOVIMIENTO\" = ?");
    double tl = 0, tb = 0;
    for (auto _ : state) {
        const auto a = Steady::now();
        {
            Transaction tx(db);
            domain::ContaTransaction c(db, kBiz, "03", kDay, "R1", {"SUP", "bench"});
            for (int i = 0; i < 10; ++i)
                c.post_link("L" + std::to_string(i), Decimal(100 + i / 2), "00", Decimal(1), "x");
            c.close();
            tx.commit();
        }
        const auto b = Steady::now();
        {
            Transaction tx(db);
            for (int i = 0; i < 10; ++i) {
                line->bind(1, kBiz);
                line->bind(2, std::string("BARE"));
                line->bind(3, "1-0" + std::to_string(i));
                line->bind(4, int64_t{i % 2 ? 100 : 0});
                line->bind(5, int64_t{i % 2 ? 0 : 100});
                line->bind(6, std::string("00"));
                line->step();
                line->reset();
            }
            stamp->bind(1, std::string("09:00:00"));
            stamp->bind(2, kBiz);
            stamp->bind(3, std::string("BARE"));
            stamp->step();
            stamp->reset();
            tx.commit();
        }
        const auto c = Steady::now();
        tl += secs(a, b);
        tb += secs(b, c);
        state.SetIterationTime(secs(a, b));
    }
    state.counters["x_sql"] = tb > 0 ? tl / tb : 0;
}

void engines(benchmark::internal::Benchmark* b) {
    b->Arg(0);
    if (std::getenv("QZ_BENCH_PG")) b->Arg(1);
}

}  // namespace

BENCHMARK(BM_PostTenLineVoucher)->Apply(engines)->UseManualTime()->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
