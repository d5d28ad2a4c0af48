// Several workstations numbering documents from one series at once, some documents rolled back
// midway: every saved document has its own number and the numbers run without a gap.
#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "core/text.h"
#include "series_fixture.h"

using namespace qz;
using qz::test::Engine;
using qz::test::kSeriesBiz;

class NumberingRaceTest : public test::SeriesFixture {};

TEST_P(NumberingRaceTest, SeveralProcessesNeverShareANumberNorLeaveAGap) {
    constexpr int kProcesses = 4, kDocuments = 40, kRollbackEvery = 7;
    add({.code = "FAC"});
    std::vector<int> pids;
    for (int i = 0; i < kProcesses; ++i) {
        auto args = inst->process_args();
        args.insert(args.end(), {kSeriesBiz, "FAC", std::to_string(kDocuments),
                                 std::to_string(kRollbackEvery)});
        pids.push_back(test::spawn_tool("qz_serial_drawer", args));
    }
    std::ofstream(inst->home() + "/GO") << "go";
    for (int pid : pids) EXPECT_EQ(test::wait_tool(pid), 0);

    const int saved = kProcesses * (kDocuments - kDocuments / kRollbackEvery);
    std::set<long long> numbers;
    auto t = data::USE(*db, "DOCUMENT", "DOCUMENT");
    long rows = 0;
    for (t->GoTop(); !t->Eof(); t->Skip(), ++rows) numbers.insert(std::stoll(trim(t->str("DOCUMENTO"))));
    data::KILLTABLA(*db, t);
    EXPECT_EQ(rows, saved);
    EXPECT_EQ(static_cast<int>(numbers.size()), saved) << "a number was issued twice";
    ASSERT_FALSE(numbers.empty());
    EXPECT_EQ(*numbers.begin(), 1);
    EXPECT_EQ(*numbers.rbegin(), saved) << "a rolled-back document kept its number";
    EXPECT_EQ(number("FAC"), saved);
}

INSTANTIATE_TEST_SUITE_P(Ledger, NumberingRaceTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
