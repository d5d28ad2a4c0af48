// Holds the lock of one record for a while: qz_lock_holder HOME SCHEMA TABLE RECNO SECONDS
#include <chrono>
#include <thread>

#include "data/table_ops.h"
#include "tool_common.h"

int main(int argc, char** argv) {
    if (argc != 6) return 2;
    qz::ConsoleUserPort port;
    qz::Clock clock;
    auto db = qz::tool::open_db(argv, port, clock);
    auto t = qz::data::USE(*db, argv[3]);
    t->GoTo(std::stol(argv[4]));
    qz::data::LOCK_FOR_MODIFY(*t);
    qz::tool::signal_ready(argv[1], "locked");
    std::this_thread::sleep_for(std::chrono::milliseconds(std::stol(argv[5]) * 1000));
    qz::data::UNLOCK_FOR_MODIFY(*t);
    return 0;
}
