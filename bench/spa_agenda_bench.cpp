// Filling the spa agenda of a busy day (15 rooms, quarter-hour slots from 00:00 to 23:00, 500
// reservations of the day among reservations of other days) against one bare SQL query reading
// the same reservations, on SQLite and (when QZ_BENCH_PG holds a connection string) PostgreSQL.
// Counters: "agenda_ms" and "sql_ms" per fill, and "x_sql", how many times slower the fill is.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "core/text.h"
#include "data/install.h"
#include "data/pg_connection.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/spa/agenda/spa_agenda.h"

using namespace qz;
using namespace qz::data;
using Steady = std::chrono::steady_clock;

namespace {

constexpr int kRooms = 15;
constexpr int kDayReservations = 500;
constexpr int kOtherReservations = 4500;
const std::string kBiz = "SPA";
const Date kDay(2026, 5, 20);

struct Fixture {
    std::string home;
    ConsoleUserPort port;
    Clock clock;
    std::unique_ptr<Db> db;
};

std::string two(int n) { return pad_left(std::to_string(n), 2, '0'); }

void append(WDBTable& t, const std::vector<std::pair<std::string, Value>>& fields) {
    ADD_NEW_REC(t);
    t.FieldPut("NEGOCIO", kBiz);
    for (const auto& [name, value] : fields) t.FieldPut(name, value);
    UNLOCK_NEW_REC(t);
}

void fill_masters(Db& db) {
    auto fac = USE(db, "F_FAC");
    append(*fac, {{"SPA_H_AGEN", Decimal(2)}, {"HI_AGE_RES", "00:00"}, {"HF_AGE_RES", "23:00"}});
    auto rooms = USE(db, "SPA_SALA");
    for (int r = 1; r <= kRooms; ++r)
        append(
            *rooms,
            {{"CODIGO", "S" + two(r)}, {"DESCRIP", "Sala " + two(r)}, {"CAPAC_MAX", Decimal(4)}});
    auto agents = USE(db, "AGENTES");
    auto arts = USE(db, "DEF_ART");
    for (int a = 1; a <= 8; ++a) {
        append(*agents, {{"CODIGO", two(a)}, {"NOMBRE", "Terapeuta número " + two(a)}});
        append(*arts, {{"CODIGO", "SRV" + two(a)}, {"DESCRIP", "Servicio de spa " + two(a)}});
    }
}

void fill_reservations(Db& db) {
    auto rese = USE(db, "SPA_RESE");
    auto lines = USE(db, "SPA_RESD");
    std::mt19937 rng(11);
    for (int i = 0; i < kDayReservations + kOtherReservations; ++i) {
        const bool today = i < kDayReservations;
        const int start = static_cast<int>(rng() % 88) * 15;  // up to 21:45
        const int end = start + 30 + static_cast<int>(rng() % 4) * 30;
        const std::string code = "R" + pad_left(std::to_string(i), 8, '0');
        const Date day = today ? kDay : kDay + static_cast<long>(1 + rng() % 30);
        append(*rese, {{"CODIGO", code},
                       {"ESTADO", Decimal(rng() % 10 == 0 ? 3 : 1)},
                       {"FECHA", day},
                       {"HORA_INI", two(start / 60) + ":" + two(start % 60)},
                       {"HORA_FIN", two(end / 60) + ":" + two(end % 60)},
                       {"COD_SALA", "S" + two(1 + static_cast<int>(rng() % kRooms))},
                       {"ENCARGADO", two(1 + static_cast<int>(rng() % 8))},
                       {"A_NOMBRE", "Huésped " + code},
                       {"NUM_PERSON", Decimal(1 + static_cast<int>(rng() % 2))}});
        append(*lines, {{"COD_RESER", code},
                        {"CONSECU", Decimal(1)},
                        {"CODIGO", "SRV" + two(1 + static_cast<int>(rng() % 8))},
                        {"CANTIDAD", Decimal(1)}});
    }
}

Fixture& fixture(bool pg) {
    static std::unique_ptr<Fixture> f[2];
    auto& slot = f[pg ? 1 : 0];
    if (slot) return *slot;
    slot = std::make_unique<Fixture>();
    slot->home = (std::filesystem::temp_directory_path() /
                  (pg ? "qz_agenda_bench_pg" : "qz_agenda_bench_lite"))
                     .string();
    std::filesystem::remove_all(slot->home);
    std::filesystem::create_directories(slot->home);
    if (pg) std::ofstream(slot->home + "/ADS.DEF") << std::getenv("QZ_BENCH_PG") << "\r";
    init_installation(slot->home, pg ? "agenda_bench" : "");
    DbOptions o;
    o.home = slot->home;
    o.ads = read_ads_def(slot->home);
    o.pg_schema = pg ? "agenda_bench" : "";
    o.port = &slot->port;
    o.clock = &slot->clock;
    slot->db = Db::open(o);
    auto& c = slot->db->conn();
    if (c.scalar("SELECT count(*) FROM \"SPA_RESE\"").value_or("0") == "0") {
        Transaction tx(*slot->db);
        fill_masters(*slot->db);
        fill_reservations(*slot->db);
        tx.commit();
    }
    return *slot;
}

double ms(Steady::time_point a, Steady::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

void BM_FillAgendaDay(benchmark::State& state) {
    auto& f = fixture(state.range(0));
    auto st = f.db->conn().prepare(
        "SELECT * FROM \"SPA_RESE\" WHERE \"qz_del\" = 0 AND \"NEGOCIO\" = ? AND \"FECHA\" = ? "
        "AND \"ESTADO\" IN (1, 2)");
    double agenda = 0, bare = 0;
    long rows = 0;
    for (auto _ : state) {
        auto a = Steady::now();
        auto day = domain::spa::fill_agenda(*f.db, kBiz, kDay);
        auto b = Steady::now();
        st->bind(1, kBiz);
        st->bind(2, kDay.dtos());
        rows = 0;
        while (st->step()) ++rows;
        st->reset();
        auto c = Steady::now();
        benchmark::DoNotOptimize(day.rows.size());
        agenda += ms(a, b);
        bare += ms(b, c);
        state.SetIterationTime(ms(a, b) / 1000);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["agenda_ms"] = agenda / n;
    state.counters["sql_ms"] = bare / n;
    state.counters["x_sql"] = bare > 0 ? agenda / bare : 0;
    state.counters["reservations"] = static_cast<double>(rows);
}

void engines(benchmark::internal::Benchmark* b) {
    b->Arg(0);
    if (std::getenv("QZ_BENCH_PG")) b->Arg(1);
    b->UseManualTime()->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_FillAgendaDay)->Apply(engines);

BENCHMARK_MAIN();
