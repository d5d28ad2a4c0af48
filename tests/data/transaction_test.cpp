#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <thread>

#include "core/text.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::data;
using qz::test::Engine;

class TransactionTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(GetParam());
        db = inst->open();
        db->XUSER_ABREVIA = "SUP";
    }
    long count(const std::string& table) {
        auto t = USE(*db, table);
        t->GoTop();
        long n = 0;
        for (; !t->Eof(); t->Skip()) ++n;
        return n;
    }
    void add_currency(WDBTable& t, const std::string& code) {
        ADD_NEW_REC(t);
        t.FieldPut("NEGOCIO", std::string("HOTEL"));
        t.FieldPut("CODIGO", code);
        UNLOCK_NEW_REC(t);
    }
    bool wait_file(const std::string& name, int seconds) {
        for (int i = 0; i < seconds * 20; ++i) {
            if (std::filesystem::exists(inst->home() + "/" + name)) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }
    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<Db> db;
};

TEST_P(TransactionTest, RollbackUndoesEveryTableAndIsLogged) {
    auto mon = USE(*db, "MONEDAS", "MONEDAS");
    {
        Transaction tx(*db, kTransPayment);
        add_currency(*mon, "US");
        auto rates = USE(*db, "T_CAMBIO");
        ADD_NEW_REC(*rates);
        rates->FieldPut("NEGOCIO", std::string("HOTEL"));
        UNLOCK_NEW_REC(*rates);
        KILLTABLA(*db, rates);  // parked until the transaction ends
        EXPECT_EQ(db->XADSFILEBAG.size(), 1u);
        db->XADS_T_ERR = "prueba";
    }  // leaving the block without commit rolls back
    EXPECT_TRUE(db->XADSFILEBAG.empty());
    EXPECT_EQ(count("MONEDAS"), 0);
    EXPECT_EQ(count("T_CAMBIO"), 0);
    mon->GoTop();
    EXPECT_TRUE(mon->Eof());
    auto log = USE(*db, "LOG_ROLL");
    log->GoTop();
    ASSERT_FALSE(log->Eof());
    EXPECT_EQ(trim(log->str("MOTIVO")), "prueba");
    EXPECT_EQ(trim(log->str("USUARIO")), "SUP");
    EXPECT_EQ(log->num("TRANS_ID"), Decimal(2));

    Transaction tx(*db, kTransPayment);
    add_currency(*mon, "US");
    add_currency(*mon, "CO");
    tx.commit();
    EXPECT_EQ(count("MONEDAS"), 2);

    // A block left by an exception still says why in the rollback log.
    try {
        Transaction failing(*db, kTransDeposit);
        add_currency(*mon, "EU");
        throw std::runtime_error("falla");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(count("MONEDAS"), 2);
    log->GoBottom();
    EXPECT_EQ(trim(log->str("MOTIVO")), "Transacción interrumpida por un error");
    EXPECT_EQ(log->num("TRANS_ID"), Decimal(45));
}

TEST_P(TransactionTest, LocksReleasedInsideATransactionAreKeptUntilItsEnd) {
    auto mon = USE(*db, "MONEDAS", "MONEDAS");
    add_currency(*mon, "US");
    mon->GoTop();
    START_TRANSACTION(*db, 1, 2);
    LOCK_FOR_MODIFY(*mon);
    mon->FieldPut("DESCRIP", std::string("Dólar"));
    UNLOCK_FOR_MODIFY(*mon);
    EXPECT_TRUE(mon->IsLocked(mon->RecNo()));
    ASSERT_EQ(db->XA_RECORDS.size(), 1u);
    END_TRANSACTION(*db);
    EXPECT_FALSE(mon->IsLocked(mon->RecNo()));
    EXPECT_EQ(db->XADSTRANS, 0);
    // A nested block that rolls back dooms the outer one.
    START_TRANSACTION(*db, 2, 1);
    START_TRANSACTION(*db, 2, 1);
    add_currency(*mon, "EU");
    ROLLBACK_TRANSACTION(*db);
    EXPECT_THROW(END_TRANSACTION(*db), TransactionAborted);
    EXPECT_EQ(count("MONEDAS"), 1);
}

TEST_P(TransactionTest, KilledWriterLeavesNothingBehind) {
    int pid = test::spawn_tool("qz_tx_writer", inst->process_args());
    ASSERT_TRUE(wait_file("written", 30));
    kill(pid, SIGKILL);
    test::wait_tool(pid);
    EXPECT_EQ(count("MONEDAS"), 0);
    EXPECT_EQ(count("T_CAMBIO"), 0);
    // Its locks died with it: the tables take writes at once.
    auto mon = USE(*db, "MONEDAS");
    add_currency(*mon, "US");
    EXPECT_EQ(count("MONEDAS"), 1);
}

INSTANTIATE_TEST_SUITE_P(Engines, TransactionTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
