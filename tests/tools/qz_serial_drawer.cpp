// Draws numbers from one series as documents do, each in its own transaction, starting with its
// siblings once the file GO appears in the installation directory. Every `rollback_every`-th
// document is abandoned after its number was drawn and its row written, so its transaction
// rolls back. Each saved document is a DOCUMENT row numbered from the series.
// qz_serial_drawer HOME SCHEMA BUSINESS SERIES COUNT ROLLBACK_EVERY
// Exit status 0 done, 3 failed.
#include <chrono>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <thread>

#include "core/text.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/ledger/serials.h"
#include "tool_common.h"

namespace {

struct Abandoned : std::runtime_error {
    Abandoned() : std::runtime_error("documento abandonado") {}
};

void save_document(qz::data::Db& db, const std::string& business, const std::string& series,
                   bool abandon) {
    qz::data::Transaction tx(db);
    const std::string n = qz::domain::GET_NXSERIAL(db, business, series);
    if (qz::domain::is_no_serial(n)) throw std::runtime_error("no series");
    auto t = qz::data::USE(db, "DOCUMENT");
    qz::data::ADD_NEW_REC(*t);
    t->FieldPut("NEGOCIO", business);
    t->FieldPut("DOCUMENTO", qz::trim(n));
    qz::data::UNLOCK_NEW_REC(*t);
    qz::data::KILLTABLA(db, t);
    if (abandon) throw Abandoned();
    tx.commit();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 7) return 2;
    qz::ConsoleUserPort port;
    qz::Clock clock;
    try {
        auto db = qz::tool::open_db(argv, port, clock);
        const int count = std::stoi(argv[5]), every = std::stoi(argv[6]);
        const std::string go = std::string(argv[1]) + "/GO";
        while (!std::filesystem::exists(go))
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        for (int i = 1; i <= count; ++i) {
            try {
                save_document(*db, argv[3], argv[4], every > 0 && i % every == 0);
            } catch (const Abandoned&) {
            } catch (const qz::data::TransactionAborted&) {
                --i;  // waited too long for the series: the document is tried again
            }
        }
        return 0;
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 3;
    }
}
