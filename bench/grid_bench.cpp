// The grid over a million rows on SQLite: opening it (the key count), jumping to the end and a
// typed search must together stay under 100 ms; switching the sort order is measured beside it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <filesystem>

#include "core/text.h"
#include "data/install.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "gui/browse/add2browse.h"

using namespace qz;
using namespace qz::data;
using namespace qz::gui;
using Steady = std::chrono::steady_clock;

namespace {

constexpr long kRows = 1000000;

struct Fixture {
    std::string home;
    ConsoleUserPort port;
    Clock clock;
    std::unique_ptr<Db> db;
};

Fixture& fixture() {
    static std::unique_ptr<Fixture> f;
    if (f) return *f;
    f = std::make_unique<Fixture>();
    f->home = (std::filesystem::temp_directory_path() / "qz_grid_bench").string();
    std::filesystem::create_directories(f->home);
    init_installation(f->home, "");
    DbOptions o;
    o.home = f->home;
    o.ads = read_ads_def(f->home);
    o.port = &f->port;
    o.clock = &f->clock;
    f->db = Db::open(o);
    auto& c = f->db->conn();
    if (c.scalar("SELECT count(*) FROM \"LOG_DIAG\"").value_or("0") == "0")
        c.exec("WITH RECURSIVE s(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM s WHERE x < " +
               std::to_string(kRows) +
               ") INSERT INTO \"LOG_DIAG\" (\"NEGOCIO\", \"ID_DIAG\", \"DIALOGO\", \"FECHA\", "
               "\"HORA\") SELECT 'HOTEL', x, printf('DLG%06d', x % 977), '20260101', "
               "printf('%02d:%02d:%02d', x / 3600 % 24, x / 60 % 60, x % 60) FROM s");
    return *f;
}

double ms(Steady::time_point a, Steady::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

std::unique_ptr<WBLISTBOX> make_grid(WDBTable& t) {
    auto g = std::make_unique<WBLISTBOX>(nullptr, t, "BENCH_GRID");
    AGREGARCOL(*g, t, "Id", "ID_DIAG", "9999999999");
    AGREGARCOL(*g, t, "Pantalla", "DIALOGO");
    AGREGARCOL(*g, t, "Fecha", "FECHA");
    AGREGARCOL(*g, t, "Hora", "HORA");
    g->resize(800, 600);
    return g;
}

BrowMarksOptions options() {
    BrowMarksOptions o;
    o.sortable = {{"ID_DIAG", "LOG_DIAG"}, {"FECHA", "LOG_DIA2"}};
    o.scope_start = data::business_key("HOTEL");
    o.no_refresh = true;
    return o;
}

std::unique_ptr<Db> open_session(Fixture& f) {
    DbOptions o;
    o.home = f.home;
    o.ads = read_ads_def(f.home);
    o.port = &f.port;
    o.clock = &f.clock;
    return Db::open(o);
}

// Open (key count) + bottom + a typed search of an id at the argument's position. Warm: the
// session counted this scope before and nothing changed since, so the count is remembered.
// Cold: every iteration is a new session that must count.
void open_end_seek(benchmark::State& state, bool cold) {
    auto& f = fixture();
    double open_ms = 0, end_ms = 0, seek_ms = 0;
    for (auto _ : state) {
        std::unique_ptr<Db> fresh = cold ? open_session(f) : nullptr;
        Db& db = cold ? *fresh : *f.db;
        auto t = USE(db, "LOG_DIAG", "LOG_DIAG");
        auto a = Steady::now();
        auto g = make_grid(*t);
        g->BrowMarks(options());
        auto b = Steady::now();
        g->GOBOTTOM();
        auto c = Steady::now();
        bool found = g->SEARCH(str_int(state.range(0), 10));
        auto d = Steady::now();
        if (!found || g->nCurRec() != state.range(0)) state.SkipWithError("search missed");
        open_ms += ms(a, b);
        end_ms += ms(b, c);
        seek_ms += ms(c, d);
        state.SetIterationTime(ms(a, d) / 1000);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["open_ms"] = open_ms / n;
    state.counters["end_ms"] = end_ms / n;
    state.counters["seek_ms"] = seek_ms / n;
    state.counters["total_ms"] = (open_ms + end_ms + seek_ms) / n;
}

void BM_GridOpenEndSeek(benchmark::State& state) { open_end_seek(state, false); }
void BM_GridColdOpenEndSeek(benchmark::State& state) { open_end_seek(state, true); }

// Sorting by the other order (keeping the scope and the current row) and back.
void BM_GridSortSwitch(benchmark::State& state) {
    auto& f = fixture();
    auto t = USE(*f.db, "LOG_DIAG", "LOG_DIAG");
    auto g = make_grid(*t);
    BrowMarksOptions o = options();
    o.scope_start.clear();  // LOG_DIA2 has no business prefix
    g->BrowMarks(o);
    g->SKIP(1000);
    int entry = 1;
    for (auto _ : state) {
        entry = entry == 1 ? 2 : 1;
        auto a = Steady::now();
        g->SET_ORDER(entry);
        state.SetIterationTime(ms(a, Steady::now()) / 1000);
    }
}

}  // namespace

BENCHMARK(BM_GridOpenEndSeek)->Arg(750000)->Arg(250000)->Arg(999990)->UseManualTime()
    ->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridColdOpenEndSeek)->Arg(750000)->Arg(250000)->Arg(999990)->UseManualTime()
    ->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridSortSwitch)->UseManualTime()->Iterations(6)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
