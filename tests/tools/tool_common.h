#pragma once
// Shared start of the helper programs of the several-process tests: argv[1] is the installation
// directory, argv[2] the PostgreSQL schema ("" on SQLite).
#include <fstream>
#include <memory>
#include <string>

#include "core/clock.h"
#include "core/user_port.h"
#include "data/db.h"

namespace qz::tool {

inline std::unique_ptr<data::Db> open_db(char** argv, UserPort& port, Clock& clock) {
    data::DbOptions o;
    o.home = argv[1];
    o.pg_schema = argv[2];
    o.ads = data::read_ads_def(o.home);
    o.port = &port;
    o.clock = &clock;
    return data::Db::open(o);
}

// Tells the waiting test that the program reached the point it waits for.
inline void signal_ready(const std::string& home, const std::string& name) {
    std::ofstream(home + "/" + name + ".tmp") << "ready";
    std::rename((home + "/" + name + ".tmp").c_str(), (home + "/" + name).c_str());
}

}  // namespace qz::tool
