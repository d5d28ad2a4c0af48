// Sells units of one article from a warehouse as a sale's save would (its own transaction, the
// inventory issue inside it), starting together with its siblings once the file GO appears in
// the installation directory:
// qz_stock_seller HOME SCHEMA BUSINESS WAREHOUSE CONCEPT ARTICLE QUANTITY
// Exit status 0 sold, 1 refused, 3 failed.
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <thread>

#include "data/transaction.h"
#include "domain/pos/inventory_issue.h"
#include "tool_common.h"

int main(int argc, char** argv) {
    if (argc != 8) return 2;
    qz::ConsoleUserPort port;
    qz::Clock clock;
    try {
        auto db = qz::tool::open_db(argv, port, clock);
        qz::domain::pos::InventoryMovement m;
        m.business = argv[3];
        m.warehouse = argv[4];
        m.concept_code = argv[5];
        m.document = "P" + std::to_string(getpid());
        m.date = clock.XDATE();
        m.time = clock.XTIME();
        m.lines.push_back({argv[6], qz::Decimal::parse(argv[7]), qz::Decimal(0)});
        const std::string go = std::string(argv[1]) + "/GO";
        while (!std::filesystem::exists(go))
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        qz::data::Transaction tx(*db);
        const auto r = qz::domain::pos::post_inventory_movement(*db, m);
        tx.commit();
        if (!r.posted) {
            std::cerr << r.message << "\n";
            return 1;
        }
        std::cout << r.movement << "\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 3;
    }
}
