// A workstation that dies in the middle of re-coding a customer leaves the customer whole under
// its old code: nothing of the new code survives it.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <thread>

#include "customer_fixture.h"
#include "domain/customers/customer_recode.h"

using namespace qz;
using namespace qz::domain::customers;
using qz::test::Engine;
using qz::test::kBiz;

namespace {

class CustomerCrashTest : public test::CustomerTest {
protected:
    bool wait_file(const std::string& name, int seconds) {
        for (int i = 0; i < seconds * 20; ++i) {
            if (std::filesystem::exists(inst->home() + "/" + name)) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }
    long all_rows(const std::string& customer) {
        long n = 0;
        for (const auto& f : customer_code_fields()) n += rows(f.table, f.order, {kBiz, customer});
        return n;
    }
};

TEST_P(CustomerCrashTest, AKilledRecodingLeavesTheOldCodeOnEveryRow) {
    store("C1", {"01", "02"});
    for (int i = 0; i < 600; ++i) document("F" + std::to_string(i), "C1", i % 2 ? "01" : "02");
    for (int i = 0; i < 200; ++i)
        put("ENC_MOVE", {{"MOVIMIENTO", "R" + std::to_string(i)}, {"CLIENTE", "C1"}});
    const long before = all_rows("C1");
    int pid = test::spawn_tool("qz_customer_recoder", inst->process_args());
    ASSERT_TRUE(wait_file("recoding", 60));
    kill(pid, SIGKILL);
    test::wait_tool(pid);
    EXPECT_EQ(all_rows("C1"), before);
    EXPECT_EQ(all_rows("C9"), 0);
    EXPECT_TRUE(read_customer(*db, kBiz, "C1"));
    EXPECT_FALSE(read_customer(*db, kBiz, "C9"));
    // Its locks died with it: the same re-coding goes through here at once.
    auto f = stored("C1");
    f.customer.code = "C9";
    ASSERT_TRUE(save(f)) << said();
    EXPECT_EQ(all_rows("C9"), before);
}

INSTANTIATE_TEST_SUITE_P(Engines, CustomerCrashTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);

}  // namespace
