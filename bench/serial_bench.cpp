// Several processes drawing numbers from one series at once, as workstations numbering their
// documents do, on SQLite and (when QZ_BENCH_PG holds a connection string) on PostgreSQL. The
// numbering service (each number in its own transaction, the series row locked until it ends)
// is compared with the bare statement that moves a counter, "UPDATE ... RETURNING", run in
// autocommit on the engine's own connection by as many processes. After each run every number
// drawn is checked: none twice, none missing.
//
//     serial_bench [--processes=8] [--numbers=200] [benchmark flags]
//
// Counters: "per_s" numbers per second of all processes together, "bare_per_s" the bare
// statement's, "x_bare" how many times slower the service is, "retries" transactions given up
// after waiting too long for the series (and drawn again).
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <stdexcept>
#include <thread>

#include "core/text.h"
#include "data/install.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/ledger/serials.h"

using namespace qz;
using namespace qz::data;
using Steady = std::chrono::steady_clock;

namespace {

int g_processes = 8;
long g_numbers = 200;
const std::string kBiz = "HOTEL", kSeries = "BENCH";

std::string home_of(bool pg) {
    return (std::filesystem::temp_directory_path() / (pg ? "qz_serial_pg" : "qz_serial_lite"))
        .string();
}

std::unique_ptr<Db> open_db(bool pg, UserPort& port, Clock& clock) {
    DbOptions o;
    o.home = home_of(pg);
    o.ads = read_ads_def(o.home);
    o.pg_schema = pg ? "serial_bench" : "";
    o.port = &port;
    o.clock = &clock;
    return Db::open(o);
}

// A fresh installation with the series at 0.
void prepare(bool pg) {
    const std::string home = home_of(pg);
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home);
    if (pg) std::ofstream(home + "/ADS.DEF") << std::getenv("QZ_BENCH_PG") << "\r";
    init_installation(home, pg ? "serial_bench" : "");
    ConsoleUserPort port;
    Clock clock;
    auto db = open_db(pg, port, clock);
    if (pg) db->conn().exec("DELETE FROM \"SERIALES\"");
    auto t = USE(*db, "SERIALES");
    ADD_NEW_REC(*t);
    t->FieldPut("NEGOCIO", kBiz);
    t->FieldPut("CODIGO", kSeries);
    UNLOCK_NEW_REC(*t);
    KILLTABLA(*db, t);
}

// What one process does: draws its numbers and writes them, one a line, to `out`. Returns the
// transactions it had to give up.
using Drawer = long (*)(Db& db, long count, std::ofstream& out);

long draw_with_service(Db& db, long count, std::ofstream& out) {
    long retries = 0;
    for (long i = 0; i < count; ++i) {
        try {
            Transaction tx(db);
            const std::string n = trim(domain::GET_NXSERIAL(db, kBiz, kSeries));
            tx.commit();
            out << n << '\n';
        } catch (const TransactionAborted&) {
            ++retries;
            --i;
        }
    }
    return retries;
}

long draw_bare(Db& db, long count, std::ofstream& out) {
    auto st = db.conn().prepare("UPDATE \"SERIALES\" SET \"NUMERO\" = \"NUMERO\" + 1 WHERE "
                                "\"qz_k_SERIALES\" = ? RETURNING \"NUMERO\"");
    const std::string key = domain::series_key(kBiz, kSeries);
    for (long i = 0; i < count; ++i) {
        st->bind(1, key);
        if (!st->step()) throw std::runtime_error("series missing");
        out << st->text_at(0) << '\n';
        while (st->step()) {
        }
        st->reset();
    }
    return 0;
}

struct Run {
    double seconds = 0;
    long retries = 0;
    std::string fault;  // "" when every number was drawn once
};

std::string drawn_file(bool pg, int i) { return home_of(pg) + "/drawn" + std::to_string(i); }

// Starts the processes, lets them go at once and checks what they drew.
Run run_processes(bool pg, Drawer drawer) {
    prepare(pg);
    const std::string go = home_of(pg) + "/GO";
    std::vector<pid_t> pids;
    for (int i = 0; i < g_processes; ++i) {
        const pid_t pid = fork();
        if (pid == 0) {
            int status = 3;
            try {
                ConsoleUserPort port;
                Clock clock;
                auto db = open_db(pg, port, clock);
                std::ofstream out(drawn_file(pg, i));
                while (!std::filesystem::exists(go))
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                const long retries = drawer(*db, g_numbers, out);
                out << "retries " << retries << '\n';
                status = 0;
            } catch (const std::exception& e) {
                std::fprintf(stderr, "%s\n", e.what());
            }
            _exit(status);
        }
        pids.push_back(pid);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // every process connected
    const auto start = Steady::now();
    std::ofstream(go) << "go";
    Run r;
    for (pid_t pid : pids) {
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) r.fault = "a process failed";
    }
    r.seconds = std::chrono::duration<double>(Steady::now() - start).count();
    std::set<long long> seen;
    long total = 0;
    for (int i = 0; i < g_processes; ++i) {
        std::ifstream in(drawn_file(pg, i));
        for (std::string line; std::getline(in, line);) {
            if (starts_with(line, "retries ")) {
                r.retries += std::stol(line.substr(8));
                continue;
            }
            ++total;
            if (!seen.insert(std::stoll(line)).second && r.fault.empty())
                r.fault = "number " + line + " drawn twice";
        }
    }
    const long expected = g_processes * g_numbers;
    if (r.fault.empty() && total != expected) r.fault = "numbers missing";
    if (r.fault.empty() && (*seen.begin() != 1 || *seen.rbegin() != expected))
        r.fault = "a gap in the numbers";
    return r;
}

void BM_DrawFromOneSeries(benchmark::State& state) {
    const bool pg = state.range(0) == 1;
    for (auto _ : state) {
        const Run service = run_processes(pg, &draw_with_service);
        const Run bare = run_processes(pg, &draw_bare);
        if (!service.fault.empty() || !bare.fault.empty()) {
            state.SkipWithError((service.fault.empty() ? "bare: " + bare.fault
                                                       : "service: " + service.fault)
                                    .c_str());
            return;
        }
        state.SetIterationTime(service.seconds);
        const double numbers = static_cast<double>(g_processes * g_numbers);
        state.counters["per_s"] = numbers / service.seconds;
        state.counters["bare_per_s"] = numbers / bare.seconds;
        state.counters["x_bare"] = service.seconds / bare.seconds;
        state.counters["retries"] = static_cast<double>(service.retries);
    }
    state.SetLabel(std::to_string(g_processes) + " processes x " + std::to_string(g_numbers));
}

void engines(benchmark::internal::Benchmark* b) {
    b->Arg(0);
    if (std::getenv("QZ_BENCH_PG")) b->Arg(1);
    b->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);
}

// Takes --processes=N and --numbers=M out of the arguments; the rest are the benchmark's.
void take_counts(int& argc, char** argv) {
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--processes=", 12) == 0)
            g_processes = std::max(1, std::atoi(argv[i] + 12));
        else if (std::strncmp(argv[i], "--numbers=", 10) == 0)
            g_numbers = std::max(1L, std::atol(argv[i] + 10));
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
}

}  // namespace

BENCHMARK(BM_DrawFromOneSeries)->Apply(engines);

int main(int argc, char** argv) {
    take_counts(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
