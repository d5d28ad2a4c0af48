// Annulling payments: the mirror payment, the balances given back, the credit note of the excess
// annulled with it, the tenders and postings reversed, and the refusals that write nothing.
#include "domain/ledger/payment_annulment.h"

#include <gtest/gtest.h>

#include "domain/ledger/payment_posting.h"
#include "domain/ledger/payment_rows.h"
#include "payment_fixture.h"
#include "support/record_edit.h"

using namespace qz;
using namespace qz::domain;
using namespace qz::test;

class PaymentAnnulmentTest : public DemoLedgerTest {
protected:
    std::string document(const char* concept_code, const char* amount) {
        return new_document(*db, inst->port, concept_code, amount);
    }
    bool annul(const std::string& receipt, const Date& day = kPayDay) {
        return ANULA_MOVE(*db, inst->port, kPayBiz, receipt, day);
    }
    std::string header_field(const std::string& receipt, const char* field) {
        data::Table t = data::USE(*db, "ENC_MOVE", "ENC_MOVE");
        EXPECT_TRUE(t->Seek(data::order_key("ENC_MOVE", "ENC_MOVE", {kPayBiz, receipt})));
        const std::string v = trim(t->str(field));
        data::KILLTABLA(*db, t);
        return v;
    }
};

TEST_P(PaymentAnnulmentTest, AnnullingAPaymentAnnulsItsCreditNoteAndGivesTheBalancesBack) {
    const std::string invoice = document("ND", "50000.00");
    PaymentDraft d = new_draft(*db, inst->port, "60000.00");
    ASSERT_TRUE(d.PASADOC(invoice));
    ASSERT_TRUE(d.add_excess_note("NC"));
    pay_with(d, {tender("EF", "60000.00")});
    const auto receipt = PROCESA_ABONO(*db, inst->port, d);
    ASSERT_TRUE(receipt) << said();
    const std::string note = header_field(*receipt, "NOTA_CRED");
    ASSERT_FALSE(note.empty());
    EXPECT_EQ(doc_state(*db, note).balance, dec("10000.00"));
    expect_balanced(lines_for(*db, *receipt));

    ASSERT_TRUE(annul(*receipt)) << said();
    EXPECT_EQ(said(), kPaymentAnnulled);
    const std::string mirror = *receipt + "-A";
    EXPECT_EQ(header_field(*receipt, "ANULADO"), mirror);
    EXPECT_EQ(header_field(mirror, "ANULADO"), *receipt);
    EXPECT_EQ(header_field(mirror, "DESCRIP"), "Anula Movimiento: " + *receipt);
    EXPECT_EQ(doc_state(*db, invoice).balance, dec("50000.00"));
    EXPECT_EQ(doc_state(*db, note).annulled, note + "-A");
    EXPECT_EQ(doc_state(*db, note).balance, Decimal()) << "an annulled note is no credit";
    EXPECT_EQ(doc_state(*db, note + "-A").balance, Decimal());

    const auto lines = read_applications(*db, kPostedPayment, kPayBiz, mirror);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].concept_code, "RA") << "AB's reversal concept";
    EXPECT_EQ(lines[0].description, "(A)Abono");
    EXPECT_EQ(lines[0].balance_before, Decimal());
    EXPECT_EQ(lines[0].balance_after, dec("50000.00"));
    const auto tenders = read_tenders(*db, kPostedPayment, kPayBiz, mirror);
    ASSERT_EQ(tenders.size(), 1u);
    EXPECT_EQ(tenders[0].amount, dec("-60000.00")) << "cash has no reversal method";

    // The annulment's entry undoes the payment's, the note's lines included.
    const auto undo = lines_for(*db, mirror);
    expect_balanced(undo);
    auto both = lines_for(*db, *receipt);
    both.insert(both.end(), undo.begin(), undo.end());
    for (const char* account : {"1-01-01", "1-02-01", "4-01-01"})
        EXPECT_EQ(net(both, account), Decimal()) << account;

    EXPECT_FALSE(annul(*receipt));
    EXPECT_EQ(said(), "Este movimiento ya se encuentra anulado:" + *receipt);
}

TEST_P(PaymentAnnulmentTest, RefusalsWriteNothing) {
    const std::string invoice = document("ND", "700.00");
    PaymentDraft d = new_draft(*db, inst->port, "700.00");
    ASSERT_TRUE(d.PASADOC(invoice));
    pay_with(d, {tender("EF", "700.00")});
    const auto receipt = PROCESA_ABONO(*db, inst->port, d);
    ASSERT_TRUE(receipt) << said();
    const long receipts = row_count(*db, "ENC_MOVE");

    EXPECT_FALSE(annul(*receipt, Date()));
    EXPECT_EQ(said(), "Fecha de Anulación inválida.");
    EXPECT_FALSE(annul(*receipt, kPayDay - 1));
    EXPECT_EQ(said(), "La fecha de Anulación debe ser mayor o igual a la fecha del Documento");
    EXPECT_FALSE(annul(*receipt, Date(2026, 6, 2)));
    EXPECT_EQ(said(), "La fecha de Anulación no pertenece al Mes Activo: 05");
    EXPECT_FALSE(annul(*receipt, Date(2027, 5, 2)));
    EXPECT_EQ(said(), "La fecha de Anulación no pertenece al año Activo: 2026");
    test::add_record(*db, "ENC_MOVE", {{"NEGOCIO", kPayBiz}, {"MOVIMIENTO", *receipt + "-A"}});
    EXPECT_FALSE(annul(*receipt));
    EXPECT_EQ(said(), "El movimiento de anulación ya se encuentra:" + *receipt + "-A");
    inst->port.answer = false;
    const size_t told = inst->port.messages.size();
    EXPECT_FALSE(annul(*receipt)) << "declined";
    EXPECT_EQ(inst->port.messages.size(), told);

    EXPECT_EQ(row_count(*db, "ENC_MOVE"), receipts + 1);
    EXPECT_EQ(doc_state(*db, invoice).balance, Decimal());
    EXPECT_EQ(header_field(*receipt, "ANULADO"), "");
}

INSTANTIATE_TEST_SUITE_P(Payments, PaymentAnnulmentTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), engine_name);
