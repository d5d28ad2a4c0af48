// The cash closing (read_closing) of one shift of 10,000 receipts on a register that also holds
// 20,000 receipts of other days, against one hand-written SQL aggregate over the same rows (the
// shift's tender lines converted at their stored rates and summed per payment type), in the same
// run, on SQLite and (with QZ_BENCH_PG) PostgreSQL. The aim is the closing under 1 s on SQLite.
//
// The receipts mix tenders (cash, card, cheque, change given back, charges on account), a fifth
// are in dollars with the rate stored with them, a tenth settle two invoices, and every invoice
// has a taxed and an exempt line. QZ_BENCH_ROWS sets a smaller shift.
//
// Counters: "lines" listed, "closing_s" and "sql_s" the time of each, "x_sql" how many times
// slower the closing is than the aggregate.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

#include "bench_install.h"
#include "bench_rows.h"
#include "data/catalogue.h"
#include "data/order_key.h"
#include "data/schema.h"
#include "data/transaction.h"
#include "data/value.h"
#include "domain/cash/closing.h"
#include "domain/demo/demo_data.h"

using namespace qz;
using namespace qz::data;
using Steady = std::chrono::steady_clock;

namespace {

const std::string kBiz = "HOTEL";
const std::string kRegister = "SPA1";
const Date kDay(2026, 5, 20);

long rows() {
    static const long n =
        std::getenv("QZ_BENCH_ROWS") ? std::atol(std::getenv("QZ_BENCH_ROWS")) : 10000;
    return n > 0 ? n : 10000;
}

using Fixture = bench::BenchInstall;
using bench::Insert;
using bench::numbered;

std::string time_of(long i, long n) {
    const long s = 8 * 3600 + i * (11 * 3600) / n;
    auto two = [](long v) { return (v < 10 ? "0" : "") + std::to_string(v); };
    return two(s / 3600) + ":" + two(s / 60 % 60) + ":" + two(s % 60);
}

struct Writers {
    Insert head, applied, tender, rate, line, customer;
    explicit Writers(Db& db)
        : head(db, "ENC_MOVE",
               {"NEGOCIO", "MOVIMIENTO", "FECHA", "HORA", "CLIENTE", "NOM_CLIENT", "MONEDA", "CAJA",
                "MONTO"}),
          applied(db, "DET_MOVE", {"NEGOCIO", "MOVIMIENTO", "DOCUMENTO", "MONTO"}),
          tender(db, "DET_MOV2", {"NEGOCIO", "MOVIMIENTO", "CODIGO", "MONTO"}),
          rate(db, "DET_MOV3", {"NEGOCIO", "MOVIMIENTO", "MONEDA_1", "MONEDA_2", "CAMBIO"}),
          line(db, "DET_DOC",
               {"NEGOCIO", "DOCUMENTO", "PRECIO", "CANTIDAD", "DESCUENTO", "IMPUESTO"}),
          customer(db, "CLIENTES", {"NEGOCIO", "CODIGO", "NOMBRE"}) {}
};

void receipt(Writers& w, long i, const Date& day, const std::string& time) {
    static const char* const kTenders[] = {"EF", "TC", "CH", "EF", "TC", "CR"};
    const std::string number = numbered("KR", i), doc = numbered("KD", i);
    const std::string customer = numbered("KC", i % 500);
    const bool dollars = i % 5 == 0;
    const Decimal price = Decimal(100 + i % 900) + Decimal::parse("0.50");
    w.line({kBiz, doc, price, Decimal(1), Decimal(0), Decimal(13)});
    w.line({kBiz, doc, Decimal(40), Decimal(2), Decimal(10), Decimal(0)});
    const Decimal amount = price + Decimal(72) + (price * Decimal::parse("0.13")).round(2);
    w.head({kBiz, number, day, time, customer, customer, std::string(dollars ? "US" : "CO"),
            kRegister, amount});
    w.applied({kBiz, number, doc, amount});
    if (i % 10 == 1) w.applied({kBiz, number, numbered("KD", i - 1), Decimal(0)});
    const Decimal part = (amount / Decimal(3)).round(2);
    w.tender({kBiz, number, std::string(kTenders[i % 6]), amount - part});
    w.tender({kBiz, number, std::string(i % 7 == 0 ? "DV" : "EF"), part});
    if (dollars) w.rate({kBiz, number, std::string("US"), std::string("CO"), Decimal(512)});
}

void fill(Db& db) {
    domain::install_demo_data(db);
    Transaction tx(db);
    Writers w(db);
    for (long c = 0; c < 500; ++c)
        w.customer({kBiz, numbered("KC", c), "Cliente " + std::to_string(c)});
    const long n = rows();
    // Other days first and last, so the shift sits in the middle of the register's receipts.
    for (long i = 0; i < 3 * n; ++i) {
        const long day = i / n;  // 0: the day before, 1: the shift, 2: the day after
        receipt(w, i, kDay + (day - 1), time_of(i % n, n));
    }
    tx.commit();
}

Fixture& fixture(bool pg) {
    return bench::bench_install(
        "closing_bench", pg,
        [](Fixture& f) {
            f.clock.freeze(DateTime{kDay, "21:00:00"});
        },
        fill);
}

domain::cash::ClosingRequest shift() {
    domain::cash::ClosingRequest r;
    r.business = kBiz;
    r.register_code = kRegister;
    r.start_date = r.end_date = kDay;
    r.start_time = "08:00:00";
    r.end_time = "19:00:00";
    return r;
}

// The shift's tender lines at their stored rates, summed per payment type: the numbers of the
// closing without its names, documents and layout.
long sql_types(Db& db) {
    const std::string key = quote_ident(key_column("ENC_MOV7"));
    auto st = db.conn().prepare(
        "SELECT t.\"CODIGO\", SUM(t.\"MONTO\" * COALESCE(r.\"CAMBIO\", 1)) FROM " +
        db.resolve_table("ENC_MOVE") + " e JOIN " + db.resolve_table("DET_MOV2") +
        " t ON t.\"NEGOCIO\" = e.\"NEGOCIO\" AND t.\"MOVIMIENTO\" = e.\"MOVIMIENTO\" LEFT JOIN " +
        db.resolve_table("DET_MOV3") +
        " r ON r.\"NEGOCIO\" = e.\"NEGOCIO\" AND r.\"MOVIMIENTO\" = e.\"MOVIMIENTO\" AND "
        "r.\"MONEDA_1\" = e.\"MONEDA\" WHERE e." +
        key + " >= ? AND e." + key + " <= ? GROUP BY t.\"CODIGO\"");
    const auto r = shift();
    st->bind(1, order_key("ENC_MOVE", "ENC_MOV7", {kBiz, kRegister, r.start_date, r.start_time}));
    st->bind(2, order_key("ENC_MOVE", "ENC_MOV7", {kBiz, kRegister, r.end_date, r.end_time}) +
                    "\xF4\x8F\xBF\xBF");
    long types = 0;
    while (st->step()) ++types;
    return types;
}

double secs(Steady::time_point a, Steady::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

void BM_Closing(benchmark::State& state) {
    auto& f = fixture(state.range(0));
    double tc = 0, ts = 0;
    long lines = 0, types = 0;
    for (auto _ : state) {
        const auto a = Steady::now();
        const auto c = domain::cash::read_closing(*f.db, shift());
        const auto b = Steady::now();
        types = sql_types(*f.db);
        const auto e = Steady::now();
        lines = 0;
        for (const auto& t : c->types) lines += static_cast<long>(t.lines.size());
        tc += secs(a, b);
        ts += secs(b, e);
        state.SetIterationTime(secs(a, b));
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["sql_types"] = static_cast<double>(types);
    state.counters["closing_s"] = tc / n;
    state.counters["sql_s"] = ts / n;
    state.counters["x_sql"] = ts > 0 ? tc / ts : 0;
}

void engines(benchmark::internal::Benchmark* b) {
    b->Arg(0);
    if (std::getenv("QZ_BENCH_PG")) b->Arg(1);
}

}  // namespace

BENCHMARK(BM_Closing)
    ->Apply(engines)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
