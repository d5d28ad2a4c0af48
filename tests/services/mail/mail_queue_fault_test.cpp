// Queueing a mail, failed at each of its statements in turn: the queue gets the whole message
// or nothing, and the session goes on queueing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "services/mail/mail_queue.h"
#include "support/fault_loop.h"
#include "support/test_db.h"

namespace qz::services {
namespace {

using test::Engine;
using Mode = test::FaultConnection::Mode;

class MailQueueFaultTest : public ::testing::TestWithParam<Engine> {};

TEST_P(MailQueueFaultTest, AQueuedMessageIsWholeOrAbsent) {
    if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
    test::TestInstall inst(GetParam());
    inst.clock.freeze(DateTime{Date(2026, 3, 4), "10:20:30"});
    test::FaultConnection* fault = nullptr;
    auto db = inst.open(nullptr, [&](std::unique_ptr<data::Connection> c) {
        auto f = std::make_unique<test::FaultConnection>(std::move(c));
        fault = f.get();
        return f;
    });
    auto other = inst.open();
    MailPaths paths{inst.home()};
    std::filesystem::create_directories(paths.html());
    std::ofstream(std::filesystem::path(paths.html()) / "SPA.HTM") << "<p>XDATE XHOTEL</p>";
    domain::AppSettings s;
    s.XEMAILADDR = "spa@hotel.test";
    ReglasArgs a;
    a.business = "01";
    a.hotel = "Hotel Sol";
    a.to = "ana@x.test";
    a.subject = "SPA Reservation";
    a.fields = {{"XDATE", "04/03/26"}};
    a.template_file = "SPA.HTM";
    for (Mode mode : {Mode::FailNth, Mode::CommitAsRollback}) {
        auto r = test::run_fault_loop(*db, *other, *fault, mode, {"E_MSGS"}, [&] {
            return SEND_REGLAS(*db, s, paths, inst.port, a).has_value();
        });
        EXPECT_TRUE(r.committed);
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, MailQueueFaultTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         test::engine_name);

}  // namespace
}  // namespace qz::services
