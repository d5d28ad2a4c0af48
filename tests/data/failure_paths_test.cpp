// What a session does when the database fails under it: every way out of a table gives back
// its locks once, a failure inside a transaction keeps the transaction from committing, a
// rollback always leaves the transaction, and SQLite's write lock never waits on a record lock.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "core/text.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "support/fault_connection.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::data;
using qz::test::Engine;
using qz::test::FaultConnection;
using Mode = FaultConnection::Mode;

class FailurePathTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(GetParam());
        db = inst->open(nullptr, [this](std::unique_ptr<Connection> c) {
            auto f = std::make_unique<FaultConnection>(std::move(c));
            fault = f.get();
            return f;
        });
        db->XUSER_ABREVIA = "SUP";
        other = inst->open();
    }
    static void add_currency(WDBTable& t, const std::string& code) {
        ADD_NEW_REC(t);
        t.FieldPut("NEGOCIO", std::string("HOTEL"));
        t.FieldPut("CODIGO", code);
        UNLOCK_NEW_REC(t);
    }
    long count(const std::string& table) {
        auto t = USE(*other, table);
        return t->KeyCount();
    }
    // Whether another session can lock the first record of MONEDAS now.
    bool other_can_lock_first() {
        auto t = USE(*other, "MONEDAS");
        t->GoTop();
        bool ok = t->RLock();
        t->Unlock();
        return ok;
    }
    // The session still posts: a new record commits.
    void posts_again(const std::string& code) {
        long before = count("MONEDAS");
        auto t = USE(*db, "MONEDAS");
        Transaction tx(*db, kTransPayment);
        add_currency(*t, code);
        tx.commit();
        EXPECT_EQ(count("MONEDAS"), before + 1);
    }
    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<Db> db, other;
    FaultConnection* fault = nullptr;
};

TEST_P(FailurePathTest, EveryWayOutOfATableGivesBackItsLocksAndItsArea) {
    {
        auto t = USE(*db, "MONEDAS");
        add_currency(*t, "US");
        t->GoTop();
        LOCK_FOR_MODIFY(*t);
        t->FieldPut("DESCRIP", std::string("Dólar"));
        const int area = t->Area;
        fault->arm(Mode::FailNth);  // the pending write fails while closing
        EXPECT_THROW(KILLTABLA(*db, t), DbError);
        EXPECT_EQ(db->area(area), nullptr);
        EXPECT_EQ(db->locks().held(), 0u);
    }
    EXPECT_TRUE(other_can_lock_first());

    // Destroyed inside a transaction, a table's locks stay until the transaction ends.
    {
        Transaction tx(*db, kTransPayment);
        {
            auto t = USE(*db, "MONEDAS");
            t->GoTop();
            LOCK_FOR_MODIFY(*t);
            t->FieldPut("DESCRIP", std::string("Dólar"));
            UNLOCK_FOR_MODIFY(*t);
        }
        EXPECT_FALSE(other_can_lock_first());
        tx.commit();
    }
    EXPECT_TRUE(other_can_lock_first());
    EXPECT_EQ(db->locks().held(), 0u);
}

TEST_P(FailurePathTest, AFailureInsideATransactionKeepsItFromCommitting) {
    auto t = USE(*db, "MONEDAS");
    {
        Transaction tx(*db, kTransPayment);
        add_currency(*t, "US");
        fault->arm(Mode::FailNth);
        try {
            add_currency(*t, "EU");  // its failure is swallowed on the way
        } catch (const DbError&) {
        }
        EXPECT_THROW(tx.commit(), DbError);
    }
    EXPECT_EQ(count("MONEDAS"), 0);
    EXPECT_EQ(db->XADSTRANS, 0);

    // The engine answering COMMIT with ROLLBACK is a failure, not a success.
    {
        Transaction tx(*db, kTransPayment);
        add_currency(*t, "CO");
        fault->arm(Mode::CommitAsRollback);
        EXPECT_THROW(tx.commit(), DbError);
    }
    EXPECT_EQ(count("MONEDAS"), 0);
    EXPECT_EQ(db->locks().held(), 1u) << "only the table's open lock";
    posts_again("MX");
}

TEST_P(FailurePathTest, ARollbackThatFailsStillLeavesTheTransaction) {
    auto t = USE(*db, "MONEDAS");
    add_currency(*t, "US");
    t->GoTop();
    START_TRANSACTION(*db, 2, kTransPayment);
    LOCK_FOR_MODIFY(*t);
    t->FieldPut("DESCRIP", std::string("Dólar"));
    UNLOCK_FOR_MODIFY(*t);
    fault->arm(Mode::FailNth);  // re-reading the row after the rollback fails
    EXPECT_THROW(ROLLBACK_TRANSACTION(*db), DbError);
    EXPECT_EQ(db->XADSTRANS, 0);
    EXPECT_EQ(db->tx_depth, 0);
    EXPECT_FALSE(t->IsLocked(1));
    EXPECT_TRUE(other_can_lock_first());
    posts_again("EU");
}

// The server ends the session in the middle of a posting (a workstation whose network went):
// nothing of the posting stays and its locks are free for the others at once.
TEST_P(FailurePathTest, ALostConnectionCommitsNothingAndKeepsNoLock) {
    if (GetParam() != Engine::PostgreSQL) GTEST_SKIP() << "a file has no connection to lose";
    auto t = USE(*db, "MONEDAS");
    add_currency(*t, "US");
    t->GoTop();
    const std::string pid = db->conn().scalar("SELECT pg_backend_pid()").value_or("0");
    {
        Transaction tx(*db, kTransPayment);
        LOCK_FOR_MODIFY(*t);
        t->FieldPut("DESCRIP", std::string("Dólar"));
        UNLOCK_FOR_MODIFY(*t);
        other->conn().exec("SELECT pg_terminate_backend(" + pid + ")");
        EXPECT_THROW(add_currency(*t, "EU"), DbError);
        EXPECT_THROW(tx.commit(), DbError);
    }
    EXPECT_EQ(db->XADSTRANS, 0);
    EXPECT_EQ(count("MONEDAS"), 1);
    EXPECT_TRUE(other_can_lock_first());
}

INSTANTIATE_TEST_SUITE_P(Engines, FailurePathTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);

// SQLite has one write lock for the whole file: a posting takes it at its first write, so the
// record locks it takes before writing never keep a workstation that must write from saving.
class WriteLockTest : public ::testing::Test {
protected:
    void SetUp() override {
        inst = std::make_unique<test::TestInstall>(Engine::SQLite);
        db = inst->open();
        other = inst->open();
        auto t = USE(*db, "MONEDAS");
        ADD_NEW_REC(*t);
        t->FieldPut("CODIGO", std::string("US"));
        UNLOCK_NEW_REC(*t);
    }
    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<Db> db, other;
};

TEST_F(WriteLockTest, ARecordLockIsAwaitedWithoutTheWriteLock) {
    auto mine = USE(*other, "MONEDAS");
    mine->GoTop();
    LOCK_FOR_MODIFY(*mine);
    mine->FieldPut("DESCRIP", std::string("Dólar"));
    // The holder saves and lets go a little later; it needs the write lock to save.
    std::thread holder([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        UNLOCK_FOR_MODIFY(*mine);
    });
    db->patience = std::chrono::seconds(20);
    auto t = USE(*db, "MONEDAS");
    t->GoTop();
    const auto start = std::chrono::steady_clock::now();
    Transaction tx(*db, kTransPayment);
    LOCK_FOR_MODIFY(*t);
    EXPECT_EQ(trim(t->str("DESCRIP")), "Dólar") << "read again under the lock";
    t->FieldPut("DESCRIP", std::string("Dólar US"));
    UNLOCK_FOR_MODIFY(*t);
    tx.commit();
    holder.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST_F(WriteLockTest, HoldingTheWriteLockARecordThatIsTakenEndsThePostingAtOnce) {
    auto mine = USE(*other, "MONEDAS");
    mine->GoTop();
    LOCK_FOR_MODIFY(*mine);
    db->patience = std::chrono::seconds(20);
    auto t = USE(*db, "MONEDAS");
    auto start = std::chrono::steady_clock::now();
    {
        Transaction tx(*db, kTransPayment);
        ADD_NEW_REC(*t);
        t->FieldPut("CODIGO", std::string("EU"));
        UNLOCK_NEW_REC(*t);  // the posting now holds the write lock
        t->GoTop();
        EXPECT_THROW(LOCK_FOR_MODIFY(*t), TransactionAborted);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(USE(*other, "MONEDAS")->KeyCount(), 1);
}

// A port that lets the blocking session go once the user has been told.
class ReleasingPort : public test::ScriptedPort {
public:
    std::function<void()> on_message;
    void message(MsgStyle style, const std::string& title, const std::string& text) override {
        ScriptedPort::message(style, title, text);
        if (on_message) std::exchange(on_message, nullptr)();
    }
};

TEST_F(WriteLockTest, AWaitForTheWriteLockTellsTheUserAfterThePatience) {
    START_TRANSACTION(*other, 2, kTransPayment);
    auto held = USE(*other, "MONEDAS");
    held->GoTop();
    LOCK_FOR_MODIFY(*held);
    held->FieldPut("DESCRIP", std::string("x"));
    UNLOCK_FOR_MODIFY(*held);  // written: the other session holds the write lock
    ReleasingPort port;
    port.on_message = [&] { ROLLBACK_TRANSACTION(*other); };
    auto waiting = inst->open(&port);
    waiting->patience = std::chrono::milliseconds(300);
    auto t = USE(*waiting, "T_CAMBIO");
    ADD_NEW_REC(*t);
    t->FieldPut("NEGOCIO", std::string("HOTEL"));
    UNLOCK_NEW_REC(*t);
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_NE(port.messages[0].find("bloqueado"), std::string::npos) << port.messages[0];
    EXPECT_EQ(t->KeyCount(), 1);
}
