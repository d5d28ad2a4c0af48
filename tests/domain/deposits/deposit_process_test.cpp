// Deposits saved by other processes: one killed with its deposit written but not committed
// leaves nothing and holds nothing; two workstations saving into one bank account at once are
// served one after the other, so the balance is the sum of every deposit and no number repeats.
#include <signal.h>

#include <filesystem>
#include <set>
#include <thread>

#include "deposit_save_fixture.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;

class DepositProcess : public qz::test::DepositSaveTest {
protected:
    void SetUp() override {
        DepositSaveTest::SetUp();
        if (IsSkipped()) return;
        // A bank-book deposit that need not be applied to any reservation.
        qz::test::add_record(*db, "CON_HLIB",
                             {{"NEGOCIO", std::string(kHotel)},
                              {"CONCEPTO", std::string("05")},
                              {"DESCRIP", std::string("Depósito de Agencia")},
                              {"SERIAL", std::string("DEP_GARANTIA")},
                              {"TIPO_MOV", Decimal(0)},
                              {"VISIBLE", Decimal(1)},
                              {"BANCO", std::string("BCR")},
                              {"CUENTA", std::string("001-0123456-7")},
                              {"CONCEP_LIB", std::string("DG")}});
    }

    bool wait_file(const std::string& name, int seconds) {
        for (int i = 0; i < seconds * 20; ++i) {
            if (std::filesystem::exists(inst->home() + "/" + name)) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }

    std::vector<std::string> maker(const char* mode, const char* count, const char* amount) {
        auto args = inst->process_args();
        args.insert(args.end(), {mode, count, amount});
        return args;
    }
};

TEST_P(DepositProcess, ASaveKilledBeforeItsCommitLeavesNothingBehind) {
    const Decimal before = bank_balance();
    const long journal = rows("DET_AS");
    const int pid = test::spawn_tool("qz_deposit_maker", maker("stall", "1", "25000.00"));
    ASSERT_TRUE(wait_file("written", 60));
    kill(pid, SIGKILL);
    test::wait_tool(pid);
    for (const char* table : {"ENC_HLIB", "ENC_LIB", "DET_LIB", "MES_LIB4"})
        EXPECT_EQ(rows(table), 0) << table;
    EXPECT_EQ(rows("DET_AS"), journal);
    EXPECT_EQ(bank_balance(), before);
    // Its locks died with it: the bank account and the series take a deposit at once.
    DepositDraft d = draft("05", "CO", "25000.00");
    const auto r = save(d);
    ASSERT_TRUE(r.saved) << inst->port.messages.back();
    EXPECT_EQ(r.movement, "DG00000001");
    EXPECT_EQ(bank_balance(), before + Decimal(25000));
}

TEST_P(DepositProcess, TwoWorkstationsOnOneBankAccountAddUp) {
    const Decimal before = bank_balance();
    const int a = test::spawn_tool("qz_deposit_maker", maker("save", "15", "1000.00"));
    const int b = test::spawn_tool("qz_deposit_maker", maker("save", "15", "10.00"));
    EXPECT_EQ(test::wait_tool(a), 0);
    EXPECT_EQ(test::wait_tool(b), 0);
    EXPECT_EQ(bank_balance(), before + Decimal(15 * 1010));

    std::set<std::string> numbers, book;
    data::Table t = data::USE(*db, "ENC_HLIB", "ENC_HLIB");
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        numbers.insert(trim(t->str("MOVIMIENTO")));
        book.insert(trim(t->str("MOV_LIB")));
    }
    data::KILLTABLA(*db, t);
    EXPECT_EQ(numbers.size(), 30u);
    EXPECT_EQ(book.size(), 30u);
    // Each bank-book movement carries the balance it left: the last one, the account's.
    t = data::USE(*db, "ENC_LIB", "ENC_LIB");
    t->GoBottom();
    EXPECT_EQ(t->num("SALDO"), bank_balance());
    data::KILLTABLA(*db, t);
}

INSTANTIATE_TEST_SUITE_P(Deposits, DepositProcess,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
