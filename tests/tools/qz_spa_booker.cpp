// Books one spa reservation, starting together with its siblings once the file GO appears in
// the installation directory:
// qz_spa_booker HOME SCHEMA BUSINESS ROOM YYYYMMDD START END PERSONS
// Exit status 0 booked, 1 refused (capacity, numbering), 3 failed.
#include <chrono>
#include <filesystem>
#include <iostream>
#include <thread>

#include "domain/ledger/serials.h"
#include "domain/spa/reservations/booking.h"
#include "domain/spa/reservations/capacity.h"
#include "tool_common.h"

int main(int argc, char** argv) {
    if (argc != 9) return 2;
    qz::ConsoleUserPort port;
    qz::Clock clock;
    try {
        auto db = qz::tool::open_db(argv, port, clock);
        qz::domain::spa::BookingRequest r;
        r.business = argv[3];
        r.user = "BOOKER";
        r.header.room = argv[4];
        r.header.date = qz::Date::from_dtos(argv[5]).value();
        r.header.start = argv[6];
        r.header.end = argv[7];
        r.header.persons = std::stoi(argv[8]);
        r.header.name = "Booker " + std::to_string(getpid());
        const std::string go = std::string(argv[1]) + "/GO";
        while (!std::filesystem::exists(go))
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        auto out = qz::domain::spa::book_reservation(*db, r);
        if (out.status != qz::domain::spa::BookingStatus::Saved) {
            std::cerr << out.message << "\n";
            return 1;
        }
        std::cout << out.code << "\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 3;
    }
}
