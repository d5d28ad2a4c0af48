// Writes into two tables inside one transaction and then waits to be killed before the end:
// qz_tx_writer HOME SCHEMA
#include <chrono>
#include <thread>

#include "data/table_ops.h"
#include "data/transaction.h"
#include "tool_common.h"

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    qz::ConsoleUserPort port;
    qz::Clock clock;
    auto db = qz::tool::open_db(argv, port, clock);
    auto a = qz::data::USE(*db, "MONEDAS");
    auto b = qz::data::USE(*db, "T_CAMBIO");
    qz::data::START_TRANSACTION(*db, 2, 45);
    for (int i = 0; i < 50; ++i) {
        qz::data::ADD_NEW_REC(*a);
        a->FieldPut("NEGOCIO", std::string("KILL"));
        a->FieldPut("CODIGO", std::to_string(i));
        qz::data::UNLOCK_NEW_REC(*a);
        qz::data::ADD_NEW_REC(*b);
        b->FieldPut("NEGOCIO", std::string("KILL"));
        qz::data::UNLOCK_NEW_REC(*b);
    }
    qz::tool::signal_ready(argv[1], "written");
    std::this_thread::sleep_for(std::chrono::seconds(60));
    qz::data::END_TRANSACTION(*db);
    return 0;
}
