// A workstation killed while its sale is written, every record of it in place but not committed:
// nothing of the sale survives (documents, lines, instalments, inventory issue, stock, numbers),
// and its locks died with it, so the same sale is saved at once on another workstation.
#include <signal.h>

#include <filesystem>
#include <thread>

#include "sale_save_fixture.h"

using namespace qz;
using qz::test::Engine;

class SaleCrashTest : public test::SaleSaveFixture {
protected:
    bool wait_file(const std::string& name, int seconds) {
        for (int i = 0; i < seconds * 20; ++i) {
            if (std::filesystem::exists(inst->home() + "/" + name)) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }
};

TEST_P(SaleCrashTest, ASaleKilledBeforeItsCommitLeavesNothingAndItsLocksDieWithIt) {
    settings_field("GENERA_INV", Decimal(1));
    settings_field("CON_INV", "01");
    const auto before = counts();
    const Decimal on_hand = stock("ACE001").quantity;
    const std::string number = next_number(), movement = next_number("INVSAL");
    const int pid = test::spawn_tool("qz_sale_killer", inst->process_args());
    ASSERT_TRUE(wait_file("written", 60));
    kill(pid, SIGKILL);
    test::wait_tool(pid);

    EXPECT_EQ(counts(), before);
    EXPECT_EQ(stock("ACE001").quantity, on_hand);
    EXPECT_EQ(next_number(), number);
    EXPECT_EQ(next_number("INVSAL"), movement);
    // The series and stock rows it held are free: the same sale goes through here.
    auto& d = open("FA", "3101123456");
    test::add_line(d, "ACE001", "2");
    const auto saved = save();
    ASSERT_TRUE(saved) << all_told();
    EXPECT_EQ(saved->documents.at(0), number);
    EXPECT_EQ(stock("ACE001").quantity, on_hand - 2);
}

INSTANTIATE_TEST_SUITE_P(Pos, SaleCrashTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
