// Processing payments on the demonstration business: small residues within the margin, a credit
// note used inside a payment, two clerks on one invoice, a dollar invoice paid in colones, and a
// payment that fails part-way leaving nothing behind.
#include "domain/ledger/payment_posting.h"

#include <gtest/gtest.h>

#include "domain/ledger/payment_checks.h"
#include "domain/session/pass_code.h"
#include "payment_fixture.h"
#include "support/fault_loop.h"
#include "support/record_edit.h"

using namespace qz;
using namespace qz::domain;
using namespace qz::test;

class PaymentPostingTest : public DemoLedgerTest {
protected:
    std::string document(const char* concept_code, const char* amount,
                         const std::string& currency = "CO", const Date& day = kPayDay) {
        return new_document(*db, inst->port, concept_code, amount, currency, day);
    }
    PaymentDraft draft(const char* amount) { return new_draft(*db, inst->port, amount); }
    std::optional<std::string> process(const PaymentDraft& d) {
        return PROCESA_ABONO(*db, inst->port, d);
    }
};

TEST_P(PaymentPostingTest, ResiduesWithinTheMarginSettleAndBeyondItAreRefused) {
    // F_FAC MARGEN_SAL is 0.50 and colones have no margin of their own.
    const std::string short_paid = document("ND", "1000.00");
    PaymentDraft a = draft("999.70");
    ASSERT_TRUE(a.PASADOC(short_paid));
    EXPECT_EQ(a.lines()[0].new_balance, dec("0.30"));
    pay_with(a, {tender("EF", "999.70")});
    ASSERT_TRUE(process(a)) << said();
    EXPECT_EQ(doc_state(*db, short_paid).balance, Decimal()) << "0.30 left is written off";

    const std::string over_paid = document("ND", "1000.00");
    PaymentDraft b = draft("1000.30");
    ASSERT_TRUE(b.PASADOC(over_paid));
    ASSERT_TRUE(b.set_line_total(0, dec("1000.30")));
    EXPECT_EQ(b.lines()[0].new_balance, dec("-0.30"));
    pay_with(b, {tender("EF", "1000.30")});
    ASSERT_TRUE(process(b)) << said();
    EXPECT_EQ(doc_state(*db, over_paid).balance, Decimal());

    const std::string far_over = document("ND", "1000.00");
    PaymentDraft c = draft("1000.70");
    ASSERT_TRUE(c.PASADOC(far_over));
    ASSERT_TRUE(c.set_line_total(0, dec("1000.70")));
    pay_with(c, {tender("EF", "1000.70")});
    const long receipts = row_count(*db, "ENC_MOVE");
    EXPECT_FALSE(process(c));
    EXPECT_EQ(said(), kAboveAllowed);
    EXPECT_EQ(row_count(*db, "ENC_MOVE"), receipts);
    EXPECT_EQ(doc_state(*db, far_over).balance, dec("1000.00"));

    // The currency's own margin comes before the business's.
    test::edit_record(*db, "MONEDAS", "MONEDAS",
                      data::order_key("MONEDAS", "MONEDAS", {kPayBiz, "CO"}),
                      [](data::WDBTable& t) { t.FieldPut("SAL_CXC", dec("1.00")); });
    ASSERT_TRUE(process(c)) << said();
    EXPECT_EQ(doc_state(*db, far_over).balance, Decimal());
}

TEST_P(PaymentPostingTest, ACreditNoteInsideAPaymentReducesTheTenders) {
    const std::string invoice = document("ND", "100000.00");
    const std::string note = document("NC", "30000.00");
    PaymentDraft d = draft("70000.00");
    ASSERT_TRUE(d.PASADOC(note)) << said();
    EXPECT_EQ(d.lines()[0].concept_def.code, "AN") << "the credit concept's default";
    EXPECT_EQ(d.available(), dec("100000.00")) << "the note adds its balance";
    ASSERT_TRUE(d.PASADOC(invoice)) << said();
    EXPECT_EQ(d.available(), Decimal());

    pay_with(d, {tender("EF", "100000.00")});
    EXPECT_FALSE(process(d));
    EXPECT_EQ(said(), "La Forma de Pago no concuerda con el Monto\rDiferencia: 30,000");
    pay_with(d, {tender("EF", "70000.00")});
    const auto receipt = process(d);
    ASSERT_TRUE(receipt) << said();
    EXPECT_EQ(doc_state(*db, invoice).balance, Decimal());
    EXPECT_EQ(doc_state(*db, note).balance, Decimal());
    const auto lines = lines_for(*db, *receipt);
    expect_balanced(lines);
    EXPECT_EQ(net(lines, "1-01-01"), dec("70000.00")) << "cash received";
    EXPECT_EQ(net(lines, "1-02-01"), dec("-70000.00")) << "invoice less the note";
}

// Two workstations add the same invoice; the second to save finds its balance moved and writes
// nothing at all.
TEST_P(PaymentPostingTest, TheSecondClerkOnOneInvoiceIsRefusedWithTheChangedInvoices) {
    const std::string invoice = document("ND", "5000.00");
    const std::string other_doc = document("ND", "800.00");
    auto second = inst->open();
    ScriptedPort port2;
    PaymentDraft first = draft("5800.00");
    ASSERT_TRUE(first.PASADOC(other_doc));
    ASSERT_TRUE(first.PASADOC(invoice));
    pay_with(first, {tender("EF", "5800.00")});
    PaymentDraft rival = new_draft(*second, port2, "2000.00");
    ASSERT_TRUE(rival.PASADOC(invoice));
    pay_with(rival, {tender("EF", "2000.00")});
    ASSERT_TRUE(PROCESA_ABONO(*second, port2, rival)) << port2.messages.back();

    const long receipts = row_count(*db, "ENC_MOVE"), applications = row_count(*db, "DET_MOVE");
    EXPECT_FALSE(process(first));
    EXPECT_EQ(said(), std::string(kBalancesChanged) + invoice);
    EXPECT_EQ(row_count(*db, "ENC_MOVE"), receipts);
    EXPECT_EQ(row_count(*db, "DET_MOVE"), applications);
    EXPECT_EQ(doc_state(*db, invoice).balance, dec("3000.00"));
    EXPECT_EQ(doc_state(*db, other_doc).balance, dec("800.00"));
}

// 1,000.00 dollars issued at 509.85 and half paid in colones at 506.15 with cash and card.
TEST_P(PaymentPostingTest, ADollarInvoicePaidHalfInColones) {
    const std::string invoice = document("ND", "1000.00", "US", Date(2026, 4, 20));
    PaymentDraft d = draft("253075.00");
    ASSERT_TRUE(d.PASADOC(invoice)) << said();
    EXPECT_EQ(d.lines()[0].amount, dec("253075.00"));
    EXPECT_EQ(d.lines()[0].new_balance, dec("500.00"));
    pay_with(d, {tender("EF", "200000.00"), tender("TC", "53075.00")});
    const auto receipt = process(d);
    ASSERT_TRUE(receipt) << said();

    EXPECT_EQ(doc_state(*db, invoice).balance, dec("500.00"));
    data::Table r = data::USE(*db, "DET_DOC3", "DET_DOC3");
    ASSERT_TRUE(r->Seek(data::order_key("DET_DOC3", "DET_DOC3", {kPayBiz, invoice})));
    EXPECT_EQ(trim(r->str("MOVIMIENTO")), *receipt);
    EXPECT_EQ(r->num("TC_ANT"), dec("509.85"));
    EXPECT_EQ(r->num("TC_NUEVO"), dec("506.15"));
    EXPECT_EQ(r->num("SALDO_ANT"), dec("1000.00"));
    EXPECT_EQ(r->num("SALDO"), dec("500.00"));
    EXPECT_EQ(r->num("M_AJUSTE"), dec("-3700.00"));
    data::KILLTABLA(*db, r);

    const auto lines = lines_for(*db, *receipt);
    expect_balanced(lines);
    EXPECT_EQ(net(lines, "1-01-01"), dec("200000.00"));
    EXPECT_EQ(net(lines, "1-01-02"), dec("53075.00"));
    EXPECT_EQ(net(lines, "1-02-01"), dec("-253075.00") - dec("3700.00"))
        << "the payment and the revaluation of the whole balance";
    EXPECT_EQ(net(lines, "5-01-10"), dec("3700.00"));
    data::Table rates = data::USE(*db, "DET_MOV3", "DET_MOV3");
    ASSERT_TRUE(rates->Seek(data::order_key("DET_MOV3", "DET_MOV3", {kPayBiz, *receipt, "US"})));
    EXPECT_EQ(rates->num("CAMBIO"), dec("506.15"));
    data::KILLTABLA(*db, rates);
}

// With complement accounts a dollar document's receivable is kept at its nominal amount and the
// rest of its value on the complement; a tender on a typed account posts to that account.
TEST_P(PaymentPostingTest, ComplementAccountsAndATypedAccountTender) {
    test::edit_record(*db, "CONCEPT1", "CONCEPT1",
                      data::order_key("CONCEPT1", "CONCEPT1", {kPayBiz, "ND"}),
                      [](data::WDBTable& t) { t.FieldPut("COMPLEMENT", Decimal(1)); });
    test::add_record(*db, "TIPO_MOV",
                     {{"NEGOCIO", kPayBiz},
                      {"CODIGO", std::string("TR")},
                      {"DESCRIP", std::string("Transferencia")},
                      {"INDIVIDUAL", Decimal(1)}});
    const std::string invoice = document("ND", "100.00", "US");
    PaymentDraft d = draft("50615.00");
    ASSERT_TRUE(d.PASADOC(invoice)) << said();
    pay_with(d, {tender("TR", "50615.00")});
    EXPECT_FALSE(process(d));
    EXPECT_EQ(said(), "Debe completar la Cuenta Contable de la Forma de Pago: TR");
    auto typed = tender("TR", "50615.00");
    typed.account = "1-01-01";
    pay_with(d, {typed});
    const auto receipt = process(d);
    ASSERT_TRUE(receipt) << said();
    const auto lines = lines_for(*db, *receipt);
    expect_balanced(lines);
    for (const auto& l : lines) EXPECT_EQ(l.currency, "CO") << l.description;
    EXPECT_EQ(net(lines, "1-02-01"), dec("-100.00"));
    EXPECT_EQ(net(lines, "1-02-02"), dec("-50515.00"));
    EXPECT_EQ(net(lines, "1-01-01"), dec("50615.00"));
}

// 100.00 on an instalment invoice pays the first instalment's 20.00 of interest first: the
// receivable and the interest earned are credited, the cash debited.
TEST_P(PaymentPostingTest, InterestOfAnInstalmentIsPostedAsEarned) {
    const std::string invoice = document("FP", "1000.00");
    PaymentDraft d = draft("100.00");
    ASSERT_TRUE(d.PASADOC(invoice)) << said();
    pay_with(d, {tender("EF", "100.00")});
    const auto receipt = process(d);
    ASSERT_TRUE(receipt) << said();
    EXPECT_EQ(doc_state(*db, invoice).balance, dec("920.00"));
    EXPECT_EQ(doc_state(*db, invoice).interest, dec("20.00"));
    const auto lines = lines_for(*db, *receipt);
    expect_balanced(lines);
    EXPECT_EQ(net(lines, "1-02-01"), dec("-80.00"));
    EXPECT_EQ(net(lines, "4-02-01"), dec("-20.00"));
}

// A register code stored plain by an older installation is accepted once and kept hashed.
TEST_P(PaymentPostingTest, APlainRegisterCodeIsStoredHashedOnceItMatches) {
    const auto key = data::order_key("ENC_RCAJ", "ENC_RCAJ", {kPayBiz, "CXC1"});
    test::edit_record(*db, "ENC_RCAJ", "ENC_RCAJ", key,
                      [](data::WDBTable& t) { t.FieldPut("PASSWORD", std::string("COBROS")); });
    PaymentDraft d = draft("10.00");
    ASSERT_TRUE(d.PASADOC(document("ND", "10.00")));
    pay_with(d, {tender("EF", "10.00")});
    ASSERT_TRUE(process(d)) << said();
    data::Table t = data::USE(*db, "ENC_RCAJ", "ENC_RCAJ");
    ASSERT_TRUE(t->Seek(key));
    EXPECT_TRUE(is_pass_code_hash(t->str("PASSWORD")));
    EXPECT_TRUE(verify_pass_code("cobros", t->str("PASSWORD")));
    data::KILLTABLA(*db, t);
}

INSTANTIATE_TEST_SUITE_P(Payments, PaymentPostingTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), engine_name);

// Every statement of a payment failed in turn (a dollar invoice, a colón one and an excess
// turned into a credit note): nothing is left of it, and the session processes it afterwards.
class PaymentFaultTest
    : public ::testing::TestWithParam<std::tuple<Engine, FaultConnection::Mode>> {
protected:
    void SetUp() override {
        const Engine e = std::get<0>(GetParam());
        if (!engine_available(e)) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<TestInstall>(e);
        inst->clock.freeze(DateTime{kPayDay, "09:00:00"});
        db = inst->open(nullptr, [this](std::unique_ptr<data::Connection> c) {
            auto f = std::make_unique<FaultConnection>(std::move(c));
            fault = f.get();
            return f;
        });
        domain::install_demo_data(*db);
        // A register without a pass code: every round would otherwise spend a hash on it.
        test::edit_record(*db, "ENC_RCAJ", "ENC_RCAJ",
                          data::order_key("ENC_RCAJ", "ENC_RCAJ", {kPayBiz, "CXC1"}),
                          [](data::WDBTable& t) { t.FieldPut("PASSWORD", std::string()); });
        other = inst->open();
    }
    std::unique_ptr<TestInstall> inst;
    std::unique_ptr<data::Db> db, other;
    FaultConnection* fault = nullptr;
};

TEST_P(PaymentFaultTest, APaymentIsWrittenWholeOrNotAtAll) {
    const std::string dollars =
        new_document(*db, inst->port, "ND", "100.00", "US", Date(2026, 4, 20));
    const std::string colones = new_document(*db, inst->port, "ND", "10000.00");
    auto r = run_fault_loop(
        *db, *other, *fault, std::get<1>(GetParam()),
        {"ENC_MOVE", "DET_MOVE", "DET_MOV2", "DET_MOV3", "DOCUMENT", "DET_DOC3", "ENC_DOC2",
         "DOC_PARC", "SERIALES", "ENC_AS", "DET_AS"},
        [&] {
            PaymentDraft d = new_draft(*db, inst->port, "70000.00");
            d.set_pass_code("");
            if (!d.PASADOC(dollars) || !d.PASADOC(colones) || !d.add_excess_note("NC"))
                return false;
            pay_with(d, {tender("EF", "70000.00")});
            return PROCESA_ABONO(*db, inst->port, d).has_value();
        });
    EXPECT_GE(r.failures, 1);
    EXPECT_TRUE(r.committed);
    EXPECT_EQ(doc_state(*db, colones).balance, Decimal());
}

INSTANTIATE_TEST_SUITE_P(
    Payments, PaymentFaultTest,
    ::testing::Combine(::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                       ::testing::Values(FaultConnection::Mode::FailNth,
                                         FaultConnection::Mode::CommitAsRollback)));
