// Saves a sale of two units of ACE001 at the demonstration spa's counter and, once every record
// of it is written but not committed, tells the waiting test ("written" in the installation
// directory) and sleeps until it is killed:
// qz_sale_killer HOME SCHEMA
// Exit status 0 saved (not expected), 1 refused, 3 failed.
#include <chrono>
#include <iostream>
#include <thread>

#include "domain/pos/sale_save.h"
#include "domain/pos/sale_scenario.h"
#include "tool_common.h"

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    qz::ConsoleUserPort port;
    qz::Clock clock;
    try {
        auto db = qz::tool::open_db(argv, port, clock);
        namespace pos = qz::domain::pos;
        pos::SaleDraft draft(*db, port, qz::test::kSaleBiz, {});
        draft.PARAMS_CAJA(qz::test::counter_register("FA", "3101123456"));
        qz::test::add_line(draft, "ACE001", "2");
        qz::test::ScriptedHooks hooks;
        qz::test::ScriptedTerminal terminal;
        pos::SaleSave save(*db, port, hooks, terminal);
        std::vector<pos::TenderRow> tenders;
        auto ctx = qz::test::counter_context(clock.XDATE());
        const std::string home = argv[1];
        ctx.on_written = [&](qz::data::Db&, const std::vector<std::string>&) {
            qz::tool::signal_ready(home, "written");
            std::this_thread::sleep_for(std::chrono::minutes(5));
        };
        return save.PROC_BOK(draft, tenders, {}, ctx) ? 0 : 1;
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 3;
    }
}
