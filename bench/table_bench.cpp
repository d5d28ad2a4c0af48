// The table layer against the bare SQL doing the same work on the same connection, on SQLite and
// (when QZ_BENCH_PG holds a connection string) on PostgreSQL. Each benchmark reports the time of
// the layer and a counter "x_sql": how many times slower it is than the bare statement.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "core/text.h"
#include "data/install.h"
#include "data/pg_connection.h"
#include "data/sqlite_connection.h"
#include "data/table_ops.h"
#include "data/transaction.h"

using namespace qz;
using namespace qz::data;
using Steady = std::chrono::steady_clock;

namespace {

constexpr long kRows = 1000000;

struct Fixture {
    std::string home;
    ConsoleUserPort port;
    Clock clock;
    std::unique_ptr<Db> db;
};

std::string doc_key(long i) {
    char b[32];
    std::snprintf(b, sizeof b, "D%09ld", i);
    return pad_right("HOTEL", 15) + pad_right(b, 15);
}

void fill(Db& db) {
    auto& c = db.conn();
    if (c.scalar("SELECT count(*) FROM \"DOCUMENT\"").value_or("0") != "0") return;
    std::string n = std::to_string(kRows);
    if (db.dialect() == Dialect::SQLite)
        c.exec("WITH RECURSIVE s(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM s WHERE x < " + n +
               ") INSERT INTO \"DOCUMENT\" (\"NEGOCIO\", \"DOCUMENTO\", \"CLIENTE\", \"FECHA\", "
               "\"MONTO\") SELECT 'HOTEL', printf('D%09d', x), printf('C%05d', x % 5000), "
               "'20260101', x * 100 FROM s");
    else
        c.exec("INSERT INTO \"DOCUMENT\" (\"NEGOCIO\", \"DOCUMENTO\", \"CLIENTE\", \"FECHA\", "
               "\"MONTO\") SELECT 'HOTEL', 'D' || lpad(x::text, 9, '0'), 'C' || lpad((x % "
               "5000)::text, 5, '0'), '20260101', x FROM generate_series(1, " +
               n + ") x");
}

Fixture& fixture(bool pg) {
    static std::unique_ptr<Fixture> f[2];
    auto& slot = f[pg ? 1 : 0];
    if (slot) return *slot;
    slot = std::make_unique<Fixture>();
    slot->home = (std::filesystem::temp_directory_path() / (pg ? "qz_bench_pg" : "qz_bench_lite"))
                     .string();
    create_directories(slot->home);
    if (pg) std::ofstream(slot->home + "/ADS.DEF") << std::getenv("QZ_BENCH_PG") << "\r";
    init_installation(slot->home, pg ? "bench" : "");
    DbOptions o;
    o.home = slot->home;
    o.ads = read_ads_def(slot->home);
    o.pg_schema = pg ? "bench" : "";
    o.port = &slot->port;
    o.clock = &slot->clock;
    slot->db = Db::open(o);
    fill(*slot->db);
    return *slot;
}

double secs(Steady::time_point a, Steady::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

// Runs `layer` and `bare` alternately; the layer's time is the benchmark's, the ratio a counter.
template <class L, class B>
void compare(benchmark::State& state, L layer, B bare) {
    double tl = 0, tb = 0;
    for (auto _ : state) {
        auto a = Steady::now();
        layer();
        auto b = Steady::now();
        bare();
        auto c = Steady::now();
        tl += secs(a, b);
        tb += secs(b, c);
        state.SetIterationTime(secs(a, b));
    }
    state.counters["x_sql"] = tb > 0 ? tl / tb : 0;
}

void BM_Seek(benchmark::State& state) {
    auto& f = fixture(state.range(0));
    auto t = USE(*f.db, "DOCUMENT", "DOCUMENT");
    auto st = f.db->conn().prepare(
        "SELECT * FROM \"DOCUMENT\" WHERE \"qz_del\" = 0 AND \"qz_k_DOCUMENT\" >= ? ORDER BY "
        "\"qz_k_DOCUMENT\" LIMIT 1");
    std::mt19937 rng(7);
    compare(
        state, [&] { benchmark::DoNotOptimize(t->Seek(doc_key(rng() % kRows + 1))); },
        [&] {
            st->bind(1, doc_key(rng() % kRows + 1));
            benchmark::DoNotOptimize(st->step());
            st->reset();
        });
}

void BM_Skip(benchmark::State& state) {
    auto& f = fixture(state.range(0));
    auto t = USE(*f.db, "DOCUMENT", "DOCUMEN3");
    t->GoTop();
    auto st = f.db->conn().prepare(
        "SELECT * FROM \"DOCUMENT\" WHERE \"qz_del\" = 0 AND (\"qz_k_DOCUMEN3\", \"qz_recno\") > "
        "(?, ?) ORDER BY \"qz_k_DOCUMEN3\", \"qz_recno\" LIMIT 1");
    std::string key = t->CurrentKey();
    int64_t rec = t->RecNo();
    compare(
        state, [&] { t->Skip(); },
        [&] {
            st->bind(1, key);
            st->bind(2, rec);
            if (st->step()) {
                rec = st->int_at(0);
                key = st->text_at(st->columns() - 1);
            }
            st->reset();
        });
}

void BM_AppendInTransaction(benchmark::State& state) {
    auto& f = fixture(state.range(0));
    auto t = USE(*f.db, "DET_DOC");
    auto st = f.db->conn().prepare(
        "INSERT INTO \"DET_DOC\" (\"NEGOCIO\", \"DOCUMENTO\", \"CODIGO\") VALUES (?, ?, ?)");
    compare(
        state,
        [&] {
            Transaction tx(*f.db);
            for (int i = 0; i < 100; ++i) {
                ADD_NEW_REC(*t);
                t->FieldPut("NEGOCIO", std::string("BENCH"));
                t->FieldPut("DOCUMENTO", std::string("L"));
                t->FieldPut("CODIGO", std::string("Masaje relajante"));
                UNLOCK_NEW_REC(*t);
            }
            tx.commit();
        },
        [&] {
            f.db->conn().begin();
            for (int i = 0; i < 100; ++i) {
                st->bind(1, std::string("BENCH"));
                st->bind(2, std::string("S"));
                st->bind(3, std::string("Masaje relajante"));
                st->step();
                st->reset();
            }
            f.db->conn().commit();
        });
}

void BM_LockUnlock(benchmark::State& state) {
    auto& f = fixture(state.range(0));
    auto t = USE(*f.db, "DOCUMENT", "DOCUMENT");
    t->Seek(doc_key(500));
    auto st = f.db->conn().prepare("UPDATE \"DOCUMENT\" SET \"MONTO\" = ? WHERE \"qz_recno\" = ?");
    int64_t rec = t->RecNo(), n = 0;
    compare(
        state,
        [&] {
            LOCK_FOR_MODIFY(*t);
            t->FieldPut("MONTO", Decimal(++n));
            UNLOCK_FOR_MODIFY(*t);
        },
        [&] {
            st->bind(1, f.db->dialect() == Dialect::SQLite ? SqlValue(++n * 100)
                                                             : SqlValue(std::to_string(++n)));
            st->bind(2, rec);
            st->step();
            st->reset();
        });
}

// One committed record: what a receipt costs. On SQLite the layer commits with synchronous=FULL
// (durable at once) and the bare side with NORMAL on its own connection, so the ratio is the
// price of durability; on PostgreSQL the server's own setting applies to both.
void BM_CommitOne(benchmark::State& state) {
    auto& f = fixture(state.range(0));
    auto t = USE(*f.db, "DET_DOC");
    std::unique_ptr<SqliteConnection> normal;
    Connection* bare_conn = &f.db->conn();
    if (f.db->dialect() == Dialect::SQLite) {
        normal = std::make_unique<SqliteConnection>(sqlite_path(f.home));
        normal->exec("PRAGMA synchronous=NORMAL");
        bare_conn = normal.get();
    }
    auto st = bare_conn->prepare(
        "INSERT INTO \"DET_DOC\" (\"NEGOCIO\", \"DOCUMENTO\", \"CODIGO\") VALUES (?, ?, ?)");
    compare(
        state,
        [&] {
            Transaction tx(*f.db);
            ADD_NEW_REC(*t);
            t->FieldPut("NEGOCIO", std::string("BENCH"));
            t->FieldPut("DOCUMENTO", std::string("R"));
            UNLOCK_NEW_REC(*t);
            tx.commit();
        },
        [&] {
            bare_conn->begin();
            st->bind(1, std::string("BENCH"));
            st->bind(2, std::string("S"));
            st->bind(3, std::string(""));
            st->step();
            st->reset();
            bare_conn->commit();
        });
}

void BM_ScopeWalkMillion(benchmark::State& state) {
    auto& f = fixture(state.range(0));
    auto t = USE(*f.db, "DOCUMENT", "DOCUMENT");
    auto st = f.db->conn().prepare(
        "SELECT * FROM \"DOCUMENT\" WHERE \"qz_del\" = 0 AND \"qz_k_DOCUMENT\" >= ? AND "
        "\"qz_k_DOCUMENT\" <= ? ORDER BY \"qz_k_DOCUMENT\"");
    compare(
        state,
        [&] {
            t->SetScope(pad_right("HOTEL", 15), pad_right("HOTEL", 15));
            long n = 0;
            for (t->GoTop(); !t->Eof(); t->Skip()) ++n;
            benchmark::DoNotOptimize(n);
        },
        [&] {
            st->bind(1, pad_right("HOTEL", 15));
            st->bind(2, pad_right("HOTEL", 15) + "\xF4\x8F\xBF\xBF");
            long n = 0;
            while (st->step()) ++n;
            st->reset();
            benchmark::DoNotOptimize(n);
        });
}

void engines(benchmark::internal::Benchmark* b) {
    b->Arg(0);
    if (std::getenv("QZ_BENCH_PG")) b->Arg(1);
    b->UseManualTime();
}

}  // namespace

BENCHMARK(BM_Seek)->Apply(engines);
BENCHMARK(BM_Skip)->Apply(engines);
BENCHMARK(BM_AppendInTransaction)->Apply(engines);
BENCHMARK(BM_LockUnlock)->Apply(engines);
BENCHMARK(BM_CommitOne)->Apply(engines);
BENCHMARK(BM_ScopeWalkMillion)->Apply(engines)->Iterations(1)->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
