// A deposit's bank-book movement on the demonstration bank account: the balance it leaves, the
// month totals in the accounting currency, its number from the account's series, and its
// reversal; a refused or failed movement leaves nothing behind.
#include "domain/deposits/bank_book.h"

#include <gtest/gtest.h>

#include "core/text.h"
#include "data/order_key.h"
#include "data/sql.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/ledger/demo_ledger_fixture.h"
#include "domain/ledger/serials.h"
#include "support/fault_loop.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;

namespace {

const std::string kHotel = "HOTEL", kBank = "BCR", kAccount = "001-0123456-7";
const std::string kBankLedger = "1-01-03", kOther = "2-01-09";
const std::vector<std::string> kBookTables = {"CUEN_LIB", "ENC_LIB",  "DET_LIB", "DET_LIB3",
                                              "DET_LIB4", "MES_LIB4", "SERIALES"};

BankBookEntry deposit(const std::string& amount, const std::string& book_concept = "DG") {
    BankBookEntry e;
    e.business = kHotel;
    e.bank = kBank;
    e.account = kAccount;
    e.book_concept = book_concept;
    e.made_by = "REC";
    e.amount = Decimal::parse(amount);
    e.description = "Garantía Sr. Mora";
    e.date = Date(2026, 5, 20);
    e.document = "VOUCHER-88";
    e.rate = Decimal::parse("1.5");
    e.hotel_movement = "DG00000007";
    e.user = "SUP";
    e.lines = {{kBankLedger, e.amount, Decimal(0), "Banco BCR"},
               {kOther, Decimal(0), e.amount, "Depósitos de Clientes"}};
    return e;
}

Decimal balance(data::Db& db) {
    data::Table t = data::USE(db, "CUEN_LIB", "CUEN_LIB");
    EXPECT_TRUE(t->Seek(data::order_key("CUEN_LIB", "CUEN_LIB", {kHotel, kBank, kAccount})));
    const Decimal out = t->num("SALDO");
    data::KILLTABLA(db, t);
    return out;
}

// DEBITO and CREDITO of the ledger account's month; the row count is checked so a second
// movement adds to the month instead of opening another row.
std::pair<Decimal, Decimal> month(data::Db& db, const std::string& ledger_account) {
    data::Table t = data::USE(db, "MES_LIB4", "MES_LIB4");
    const std::string key =
        data::order_key("MES_LIB4", "MES_LIB4", {kHotel, ledger_account, 2026LL, 5LL});
    t->SetScope(key, key);
    std::pair<Decimal, Decimal> out;
    int rows = 0;
    for (t->GoTop(); !t->Eof(); t->Skip(), ++rows) out = {t->num("DEBITO"), t->num("CREDITO")};
    data::KILLTABLA(db, t);
    EXPECT_LE(rows, 1);
    return out;
}

long rows(data::Db& db, const std::string& table) {
    auto st = db.conn().prepare("SELECT COUNT(*) FROM " + data::quote_ident(table));
    st->step();
    return std::stol(st->text_at(0));
}

}  // namespace

class BankBookTest : public qz::test::DemoLedgerTest {};

TEST_P(BankBookTest, ADepositMovesTheBalanceAndItsReversalPutsEverythingBack) {
    const Decimal before = balance(*db);
    const std::string n = TRANSACCION(*db, deposit("1000.00"));
    EXPECT_EQ(n, "LB00000001");
    EXPECT_EQ(balance(*db), before + Decimal(1000));

    data::Table h = data::USE(*db, "ENC_LIB", "ENC_LIB");
    ASSERT_TRUE(h->Seek(data::order_key("ENC_LIB", "ENC_LIB", {kHotel, kBank, kAccount, n})));
    EXPECT_EQ(trim(h->str("CONSOLIDA")), "0");
    EXPECT_EQ(h->num("SALDO"), before + Decimal(1000));
    EXPECT_EQ(trim(h->str("DOCUMENTO")), "VOUCHER-88");
    EXPECT_EQ(trim(h->str("MOV_HOTEL")), "DG00000007");
    data::KILLTABLA(*db, h);
    for (const char* t : {"DET_LIB", "DET_LIB3", "DET_LIB4"}) EXPECT_EQ(rows(*db, t), 2) << t;
    // Month totals are in the accounting currency: the lines times the rate.
    EXPECT_EQ(month(*db, kBankLedger), std::make_pair(Decimal(1500), Decimal(0)));
    EXPECT_EQ(month(*db, kOther), std::make_pair(Decimal(0), Decimal(1500)));

    const std::string r =
        reverse_bank_book(*db, kHotel, kBank, kAccount, n, deposit_void_description("DG00000007"));
    EXPECT_EQ(r, "LB00000002");
    EXPECT_EQ(balance(*db), before);
    EXPECT_EQ(month(*db, kBankLedger), std::make_pair(Decimal(0), Decimal(0)));
    EXPECT_EQ(month(*db, kOther), std::make_pair(Decimal(0), Decimal(0)));
    h = data::USE(*db, "ENC_LIB", "ENC_LIB");
    ASSERT_TRUE(h->Seek(data::order_key("ENC_LIB", "ENC_LIB", {kHotel, kBank, kAccount, r})));
    EXPECT_EQ(trim(h->str("DESCRIP")), "Anulación Dep.: DG00000007");
    EXPECT_EQ(h->num("SALDO"), before);
    EXPECT_EQ(trim(h->str("MOV_HOTEL")), "DG00000007");
    data::KILLTABLA(*db, h);
}

TEST_P(BankBookTest, AWithdrawalConceptTakesMoneyOutAndMonthsAccumulate) {
    data::Table c = data::USE(*db, "CONCEPT5", "CONCEPT5");
    data::ADD_NEW_REC(*c);
    c->FieldPut("NEGOCIO", kHotel);
    c->FieldPut("CODIGO", std::string("RT"));
    c->FieldPut("TIPO", Decimal(0));
    data::UNLOCK_NEW_REC(*c);
    data::KILLTABLA(*db, c);

    const Decimal before = balance(*db);
    EXPECT_EQ(TRANSACCION(*db, deposit("200.10")), "LB00000001");
    EXPECT_EQ(TRANSACCION(*db, deposit("50.00", "RT")), "LB00000002");
    EXPECT_EQ(balance(*db), before + Decimal::parse("150.10"));
    // 200.10 and 50.00 at 1.5, in one row per ledger account and month.
    EXPECT_EQ(month(*db, kBankLedger), std::make_pair(Decimal::parse("375.15"), Decimal(0)));
}

TEST_P(BankBookTest, AMissingAccountConceptOrMovementIsRefusedWithNothingWritten) {
    const std::string digest = qz::test::table_digest(*db, kBookTables);
    BankBookEntry no_account = deposit("10.00");
    no_account.account = "999-9";
    EXPECT_THROW(TRANSACCION(*db, no_account), data::TransactionAborted);
    EXPECT_THROW(TRANSACCION(*db, deposit("10.00", "ZZ")), data::TransactionAborted);
    EXPECT_THROW(reverse_bank_book(*db, kHotel, kBank, kAccount, "LB00000077", "x"),
                 data::TransactionAborted);
    EXPECT_EQ(qz::test::table_digest(*db, kBookTables), digest);
}

TEST_P(BankBookTest, TheCallersFailureAfterTheMovementUndoesIt) {
    const std::string digest = qz::test::table_digest(*db, kBookTables);
    try {
        data::Transaction tx(*db, data::kTransDeposit);
        TRANSACCION(*db, deposit("1000.00"));
        throw std::runtime_error("the deposit's application failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(qz::test::table_digest(*db, kBookTables), digest);
    // The number given back: the next movement takes the first one again.
    EXPECT_EQ(TRANSACCION(*db, deposit("1000.00")), "LB00000001");
}

INSTANTIATE_TEST_SUITE_P(Deposits, BankBookTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);

namespace {

using Mode = qz::test::FaultConnection::Mode;

class BankBookFaultTest : public ::testing::TestWithParam<std::tuple<Engine, Mode>> {
protected:
    void SetUp() override {
        if (!test::engine_available(std::get<0>(GetParam())))
            GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(std::get<0>(GetParam()));
        inst->clock.freeze(DateTime{Date(2026, 5, 20), "09:00:00"});
        db = inst->open(nullptr, [this](std::unique_ptr<data::Connection> c) {
            auto f = std::make_unique<test::FaultConnection>(std::move(c));
            fault = f.get();
            return f;
        });
        other = inst->open();
        install_demo_data(*db);
    }
    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<data::Db> db, other;
    test::FaultConnection* fault = nullptr;
};

TEST_P(BankBookFaultTest, AMovementIsWrittenWholeOrNotAtAll) {
    const Decimal before = balance(*db);
    const auto r =
        test::run_fault_loop(*db, *other, *fault, std::get<1>(GetParam()), kBookTables, [&] {
            TRANSACCION(*db, deposit("1000.00"));
            return true;
        });
    EXPECT_GE(r.failures, 1);
    EXPECT_TRUE(r.committed);
    EXPECT_EQ(balance(*other), before + Decimal(1000));
}

std::string loop_name(const ::testing::TestParamInfo<std::tuple<Engine, Mode>>& info) {
    const std::string e = std::get<0>(info.param) == Engine::SQLite ? "SQLite" : "PostgreSQL";
    return e + (std::get<1>(info.param) == Mode::FailNth ? "_FailingStatement"
                                                         : "_CommitAnsweredWithRollback");
}

INSTANTIATE_TEST_SUITE_P(Deposits, BankBookFaultTest,
                         ::testing::Combine(::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                                            ::testing::Values(Mode::FailNth,
                                                              Mode::CommitAsRollback)),
                         loop_name);

}  // namespace
