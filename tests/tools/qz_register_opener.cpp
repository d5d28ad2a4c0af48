// Opens a point-of-sale register, starting together with its siblings once the file GO appears
// in the installation directory:
// qz_register_opener HOME SCHEMA BUSINESS REGISTER OPERATOR OPERATOR_CODE REGISTER_CODE
// Exit status 0 opened, 1 refused, 3 failed.
#include <chrono>
#include <filesystem>
#include <iostream>
#include <thread>

#include "domain/cash/register_opening.h"
#include "tool_common.h"

int main(int argc, char** argv) {
    if (argc != 8) return 2;
    qz::ConsoleUserPort port;
    qz::Clock clock;
    try {
        auto db = qz::tool::open_db(argv, port, clock);
        const qz::domain::cash::OpenRequest r{argv[3], argv[4], argv[5],
                                              argv[7], argv[6], qz::Decimal(0)};
        const std::string go = std::string(argv[1]) + "/GO";
        while (!std::filesystem::exists(go))
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return qz::domain::cash::ABRE_CAJA(*db, port, qz::domain::cash::kPosRegisters, r) ? 0 : 1;
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 3;
    }
}
