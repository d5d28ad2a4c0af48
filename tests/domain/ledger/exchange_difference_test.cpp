// The exchange-difference adjustment at a payment: a foreign-currency document is revalued in
// full at each payment from the rate and balance the previous one left, and missing settings are
// reported per document without posting.
#include "domain/ledger/exchange_difference.h"

#include <gtest/gtest.h>

#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/ledger/revaluation.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::data;
using namespace qz::domain;
using qz::test::Engine;

namespace {
const std::string kHotel = "HOTEL";
const Date kToday(2026, 3, 15);
}  // namespace

class ExchangeDifferenceTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(GetParam());
        inst->clock.freeze(DateTime{kToday, "09:00:00"});
        db = inst->open();
        add(*db, "NEGOCIOS", {{"CODIGO", kHotel}, {"MONEDA_CON", "CR"}});
        add_concept("FC", 1, "D1");
        add_concept("NC", 0, "D1");
        add_concept("FX", 1, "D9");  // names a type that does not exist
        add(*db, "COD_DIFF",
            {{"NEGOCIO", kHotel},
             {"CODIGO", "D1"},
             {"LIGA_DIFF", "DIF-CAMB"},
             {"AJUSTAR", Decimal(1)}});
        add(*db, "COD_DIFF", {{"NEGOCIO", kHotel}, {"CODIGO", "D2"}, {"AJUSTAR", Decimal(1)}});
        add(*db, "COD_DIFF", {{"NEGOCIO", kHotel}, {"CODIGO", "D3"}, {"LIGA_DIFF", "X"}});
    }
    using Row = std::vector<std::pair<std::string, std::variant<std::string, Decimal, Date>>>;
    static void add(Db& db, const std::string& table, const Row& row) {
        Table t = USE(db, table, UseOptions{});
        ADD_NEW_REC(*t);
        for (const auto& [f, v] : row) std::visit([&](const auto& x) { t->FieldPut(f, x); }, v);
        UNLOCK_NEW_REC(*t);
        KILLTABLA(db, t);
    }
    void add_concept(const std::string& code, int tipo, const std::string& diff) {
        add(*db, "CONCEPT1",
            {{"NEGOCIO", kHotel},
             {"CONCEPTO", code},
             {"TIPO", Decimal(tipo)},
             {"ASIENTO4", "CXC-" + code},
             {"COD_DIFF", diff}});
    }
    void document(const std::string& doc, const std::string& concept_code, const char* amount,
                  const char* rate, const std::string& currency = "US",
                  const std::string& diff = "D1") {
        add(*db, "DOCUMENT",
            {{"NEGOCIO", kHotel},
             {"DOCUMENTO", doc},
             {"CONCEPTO", concept_code},
             {"MONEDA", currency},
             {"MONTO", Decimal::parse(amount)},
             {"SALDO", Decimal::parse(amount)},
             {"TC_DIFF", Decimal::parse(rate)},
             {"COD_DIFF", diff},
             {"FECHA", kToday}});
    }
    ExchangeDifference pay(const std::string& doc, const std::string& mov, const char* amount,
                           const char* balance_after, const char* rate,
                           const std::string& hora = "10:00:00") {
        Transaction tx(*db);
        auto x =
            apply_exchange_difference(*db, {kHotel, doc, mov, kToday, hora, Decimal::parse(amount),
                                            Decimal::parse(balance_after), Decimal::parse(rate)});
        tx.commit();
        return x;
    }
    long revaluations() {
        Table t = USE(*db, "DET_DOC3", "DET_DOC3");
        long n = 0;
        for (t->GoTop(); !t->Eof(); t->Skip()) ++n;
        KILLTABLA(*db, t);
        return n;
    }
    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<Db> db;
};

TEST_P(ExchangeDifferenceTest, EachPaymentRevaluesTheWholeOpenBalance) {
    // 100 USD issued at 500, paid 50 at 510 and 50 at 520.
    document("F1", "FC", "100", "500");
    auto first = pay("F1", "P1", "50", "50", "510");
    EXPECT_TRUE(first.foreign && first.posts);
    EXPECT_EQ(first.adjustment, Decimal(1000));
    ASSERT_EQ(first.lines.size(), 2u);
    // The customer owes more: the receivable is debited, the difference link credited.
    EXPECT_EQ(first.lines[0].link, "DIF-CAMB");
    EXPECT_EQ(first.lines[0].credit, Decimal(1000));
    EXPECT_EQ(first.lines[1].link, "CXC-FC");
    EXPECT_EQ(first.lines[1].debit, Decimal(1000));
    EXPECT_EQ(first.lines[1].description, "A/Diff: F1/P1");
    // Started from the balance and rate the first payment left, in the same second.
    auto second = pay("F1", "P2", "50", "0", "520");
    EXPECT_EQ(second.base_rate, Decimal(510));
    EXPECT_EQ(second.base_balance, Decimal(50));
    EXPECT_EQ(second.adjustment, Decimal(500));
    // An annulment at a lower rate reverses from the last revaluation.
    auto annul = pay("F1", "P2-A", "-50", "50", "505", "11:00:00");
    EXPECT_EQ(annul.base_balance, Decimal(0));
    EXPECT_EQ(annul.adjustment, Decimal(0));
    EXPECT_EQ(revaluations(), 2);
}

TEST_P(ExchangeDifferenceTest, CreditDocumentsMoveTheOtherWay) {
    document("N1", "NC", "10", "500");
    auto x = pay("N1", "P1", "10", "0", "510.5");
    EXPECT_EQ(x.factor, -1);
    EXPECT_EQ(x.adjustment, Decimal(-105));
    EXPECT_EQ(x.lines[1].credit, Decimal(105));  // what is owed to the customer grows
    EXPECT_EQ(x.lines[0].debit, Decimal(105));
}

TEST_P(ExchangeDifferenceTest, NothingIsPostedWithoutSettings) {
    document("C1", "FC", "1000", "1", "CR");
    EXPECT_FALSE(pay("C1", "P1", "10", "990", "1").foreign);
    document("F2", "FX", "100", "500", "US", "D9");
    auto no_type = pay("F2", "P1", "10", "90", "510");
    EXPECT_FALSE(no_type.posts);
    EXPECT_EQ(no_type.problem,
              "No hay Tipo de Diferencial definido para ajuste del Diferencial.Revise que el "
              "Documento tenga un Tipo de Diferencial asociado.Documento: F2");
    document("F3", "FC", "100", "500", "US", "D2");
    EXPECT_EQ(pay("F3", "P1", "10", "90", "510").problem,
              "No hay liga disponible para ajuste del Diferencial.Revise que el Tipo de "
              "Diferencial tenga una Liga asociada.Documento: F3");
    // AJUSTAR 0: no record, no posting, no complaint.
    document("F4", "FC", "100", "500", "US", "D3");
    auto off = pay("F4", "P1", "10", "90", "510");
    EXPECT_FALSE(off.posts);
    EXPECT_TRUE(off.problem.empty());
    // Without a rate nothing is revalued, whatever the caller passed.
    document("F6", "FC", "100", "500");
    EXPECT_EQ(pay("F6", "P1", "10", "90", "0").problem, kMissingPaymentRate);
    // The same rate: nothing to adjust.
    document("F5", "FC", "100", "500");
    EXPECT_FALSE(pay("F5", "P1", "10", "90", "500").posts);
    EXPECT_EQ(revaluations(), 0);
}

TEST_P(ExchangeDifferenceTest, ListingValuesOpenBalancesFromTheirLastRate) {
    document("F1", "FC", "100", "500");
    document("N1", "NC", "20", "505");
    document("C1", "FC", "1000", "1", "CR");
    document("F9", "ZZ", "5", "500");  // a concept that does not exist
    pay("F1", "P1", "40", "60", "510");
    Table t = USE(*db, "DOCUMENT", "DOCUMENT");
    ASSERT_TRUE(t->Seek(order_key("DOCUMENT", "DOCUMENT", {kHotel, "F1"})));
    LOCK_FOR_MODIFY(*t);
    t->FieldPut("SALDO", Decimal(60));
    UNLOCK_FOR_MODIFY(*t);
    KILLTABLA(*db, t);

    RevaluationRequest req{"US", kToday, kToday, Decimal(520)};
    EXPECT_EQ(check_revaluation_request({"", kToday, kToday, Decimal(1)}),
              "Falta seleccionar la Moneda");
    EXPECT_EQ(check_revaluation_request({"US", kToday, kToday - 1, Decimal(1)}),
              "Debe de digitar correctamente las fechas");
    const auto l = revaluation_listing(*db, kHotel, req);
    ASSERT_EQ(l.lines.size(), 2u);
    EXPECT_EQ(l.lines[0].last_rate, Decimal(510));  // after the payment's revaluation
    EXPECT_EQ(l.lines[0].adjusted, Decimal(30600));
    EXPECT_EQ(l.lines[0].pending, Decimal(600));
    EXPECT_EQ(l.lines[1].pending, Decimal(-300));  // a credit document moves the other way
    EXPECT_EQ(l.pending, Decimal(300));
    ASSERT_EQ(l.problems.size(), 1u);
    EXPECT_EQ(l.problems[0], "Error en asociacion de Conceptos: Documento: F9");
}

TEST(ExchangeDifferenceTime, InvertedTimeSortsLaterFirst) {
    EXPECT_LT(inverted_time("23:59:59"), inverted_time("00:00:01"));
    EXPECT_EQ(inverted_time("23:59:59"), "00000000");
}

INSTANTIATE_TEST_SUITE_P(ExchangeDifference, ExchangeDifferenceTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), test::engine_name);
