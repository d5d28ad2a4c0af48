// A second workstation of the credit control, for the several-process tests:
//   qz_credit_poller HOME SCHEMA pre              finds the usable pre-authorisation of branch
//                                                 C1/01 of HOTEL, says "found", waits for "go"
//                                                 and then takes it;
//   qz_credit_poller HOME SCHEMA remote ID        reads request ID, says "found", waits for "go"
//                                                 and then takes the answer;
//   qz_credit_poller HOME SCHEMA answer ID yes|no USER   answers request ID as the approver.
// Exit status 0: authorised (or answered); 1: not; 2: bad usage; 3: nothing found.
#include <chrono>
#include <filesystem>
#include <thread>

#include "domain/customers/credit_authorisations.h"
#include "tool_common.h"

namespace dc = qz::domain::customers;

namespace {

void wait_for_go(const std::string& home) {
    while (!std::filesystem::exists(home + "/go"))
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

dc::CreditFigures over_limit() {
    dc::CreditFigures f;
    f.balance = qz::Decimal(1500);
    f.limit = qz::Decimal(1000);
    return f;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) return 2;
    qz::ConsoleUserPort port;
    qz::Clock clock;
    auto db = qz::tool::open_db(argv, port, clock);
    const std::string mode = argv[3], home = argv[1];
    if (mode == "pre") {
        auto found = dc::usable_pre_authorisation(*db, "HOTEL", "C1", "01", over_limit());
        if (!found) return 3;
        qz::tool::signal_ready(home, "found");
        wait_for_go(home);
        return dc::consume_pre_authorisation(*db, found->recno, over_limit(), clock.now()) ? 0 : 1;
    }
    if (argc < 5) return 2;
    const long id = std::stol(argv[4]);
    if (mode == "remote") {
        auto r = dc::read_remote_request(*db, "HOTEL", id);
        if (!r || r->state != dc::kApproved) return 3;
        qz::tool::signal_ready(home, "found");
        wait_for_go(home);
        dc::RemoteAsk ask{"HOTEL", "CAJA2"};
        ask.excess = qz::Decimal(500);
        return dc::take_remote_answer(*db, ask, id, clock.now()).kind ==
                       dc::RemoteAnswer::Granted
                   ? 0
                   : 1;
    }
    if (mode == "answer" && argc == 7)
        return dc::answer_remote_request(*db, "HOTEL", id, std::string(argv[5]) == "yes", argv[6])
                   ? 0
                   : 1;
    return 2;
}
