#pragma once
// The installation a benchmark measures against: a fresh one in the temporary folder, on SQLite,
// or on the PostgreSQL server that QZ_BENCH_PG names (a schema of its own), opened once per
// engine and kept for every run of the program.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "core/clock.h"
#include "core/user_port.h"
#include "data/db.h"
#include "data/install.h"
#include "data/pg_connection.h"
#include "data/sql.h"

namespace qz::bench {

struct BenchInstall {
    std::string home;
    ConsoleUserPort port;
    Clock clock;
    std::unique_ptr<data::Db> db;
};

// The installation `name` ("journal_bench") of the engine; `prepare` runs once, on the clock
// before the database opens, and `fill` once on the opened database.
inline BenchInstall& bench_install(const std::string& name, bool pg,
                                   const std::function<void(BenchInstall&)>& prepare,
                                   const std::function<void(data::Db&)>& fill) {
    static std::map<std::string, std::unique_ptr<BenchInstall>> made;
    auto& slot = made[name + (pg ? "/pg" : "/lite")];
    if (slot) return *slot;
    slot = std::make_unique<BenchInstall>();
    slot->home =
        (std::filesystem::temp_directory_path() / ("qz_" + name + (pg ? "_pg" : "_lite"))).string();
    std::filesystem::remove_all(slot->home);
    std::filesystem::create_directories(slot->home);
    if (pg) {
        // A run killed half way leaves its schema behind; its rows would collide with the fill.
        data::PgConnection(std::getenv("QZ_BENCH_PG"))
            .exec("DROP SCHEMA IF EXISTS " + data::quote_ident(name) + " CASCADE");
        std::ofstream(slot->home + "/ADS.DEF") << std::getenv("QZ_BENCH_PG") << "\r";
    }
    data::init_installation(slot->home, pg ? name : "");
    if (prepare) prepare(*slot);
    data::DbOptions o;
    o.home = slot->home;
    o.ads = data::read_ads_def(slot->home);
    o.pg_schema = pg ? name : "";
    o.port = &slot->port;
    o.clock = &slot->clock;
    slot->db = data::Db::open(o);
    if (fill) fill(*slot->db);
    return *slot;
}

}  // namespace qz::bench
