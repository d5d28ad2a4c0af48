#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <thread>

#include "data/table_ops.h"
#include "data/transaction.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::data;
using qz::test::Engine;
using Ms = std::chrono::milliseconds;

class LockTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(GetParam());
        db = inst->open();
        mon = USE(*db, "MONEDAS", "MONEDAS");
        ADD_NEW_REC(*mon);
        mon->FieldPut("NEGOCIO", std::string("HOTEL"));
        mon->FieldPut("CODIGO", std::string("US"));
        UNLOCK_NEW_REC(*mon);
        mon->GoTop();
    }
    int hold(int seconds) {
        auto args = inst->process_args();
        args.insert(args.end(), {"MONEDAS", std::to_string(mon->RecNo()), std::to_string(seconds)});
        int pid = test::spawn_tool("qz_lock_holder", args);
        for (int i = 0; i < 600 && !std::filesystem::exists(inst->home() + "/locked"); ++i)
            std::this_thread::sleep_for(Ms(50));
        return pid;
    }
    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<Db> db;
    Table mon;
};

TEST_P(LockTest, ShortHoldIsWaitedOutSilently) {
    int pid = hold(3);
    auto start = std::chrono::steady_clock::now();
    LOCK_FOR_MODIFY(*mon);
    EXPECT_GE(std::chrono::steady_clock::now() - start, Ms(1500));
    EXPECT_TRUE(inst->port.messages.empty());
    EXPECT_GT(db->XRETRIES[1], 0);
    UNLOCK_FOR_MODIFY(*mon);
    EXPECT_EQ(test::wait_tool(pid), 0);
}

TEST_P(LockTest, LongHoldTellsTheUserAndThenSucceeds) {
    int pid = hold(8);
    LOCK_FOR_MODIFY(*mon);
    ASSERT_FALSE(inst->port.messages.empty());
    EXPECT_EQ(inst->port.messages.front().rfind("Alerta: El dato se encuentra bloqueado: MONEDAS", 0),
              0u);
    UNLOCK_FOR_MODIFY(*mon);
    test::wait_tool(pid);
}

TEST_P(LockTest, InsideATransactionTheBlockIsAbandoned) {
    int pid = hold(30);
    db->patience = Ms(500);
    {
        Transaction tx(*db, kTransPayment);
        EXPECT_THROW(LOCK_FOR_MODIFY(*mon), TransactionAborted);
    }
    EXPECT_TRUE(inst->port.messages.empty());
    kill(pid, SIGKILL);
    test::wait_tool(pid);
    // The holder died: its lock is gone at once.
    auto start = std::chrono::steady_clock::now();
    LOCK_FOR_MODIFY(*mon);
    EXPECT_LT(std::chrono::steady_clock::now() - start, Ms(1000));
    UNLOCK_FOR_MODIFY(*mon);
}

// A cascade over a large table must not exhaust the server's lock area: past the threshold the
// table's file lock covers its further records, and goes with the last of them. Another
// workstation's record refuses the escalation, and the records are then still taken one by one.
TEST_P(LockTest, ManyRecordLocksOfATableAreHeldAsItsFileLockUntilTheLastGoes) {
    for (int i = 0; i < 30; ++i) {
        ADD_NEW_REC(*mon);
        mon->FieldPut("NEGOCIO", std::string("HOTEL"));
        mon->FieldPut("CODIGO", std::string{char('A' + i / 10), char('0' + i % 10)});
        UNLOCK_NEW_REC(*mon);
    }
    db->locks().set_escalation_threshold(8);
    auto other = inst->open();
    Table theirs = USE(*other, "MONEDAS", "MONEDAS");
    const bool pg = GetParam() == Engine::PostgreSQL;
    auto advisory = [&] {
        auto st = db->conn().prepare(
            "SELECT count(*) FROM pg_locks WHERE locktype = 'advisory' AND pid = "
            "pg_backend_pid()");
        st->step();
        return st->int_at(0);
    };
    std::vector<long> recnos;
    for (mon->GoTop(); !mon->Eof(); mon->Skip()) recnos.push_back(mon->RecNo());
    ASSERT_EQ(recnos.size(), 31u);

    for (size_t i = 0; i < 20; ++i) {
        mon->GoTo(recnos[i]);
        EXPECT_TRUE(mon->RLock()) << i;
    }
    if (pg) {
        EXPECT_LE(advisory(), 8 * 2 + 3);
    }
    theirs->GoTo(recnos[5]);
    EXPECT_FALSE(theirs->RLock());
    theirs->GoTo(recnos[25]);
    EXPECT_EQ(theirs->RLock(), !pg);  // escalated: the whole table is ours
    theirs->Unlock();
    mon->Unlock();
    theirs->GoTo(recnos[25]);
    ASSERT_TRUE(theirs->RLock());  // the file lock went with the last record

    for (size_t i = 0; i < 20; ++i) {
        mon->GoTo(recnos[i]);
        EXPECT_TRUE(mon->RLock()) << i;
    }
    mon->GoTo(recnos[25]);
    EXPECT_FALSE(mon->RLock());
    mon->GoTo(recnos[26]);
    EXPECT_TRUE(mon->RLock());
    mon->Unlock();
    theirs->Unlock();
    if (pg) {
        EXPECT_EQ(advisory(), 1);  // only the open lock of the table is left
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, LockTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
