// A payment being entered: what PASADOC refuses and takes of each kind of document, the rates and
// their question, the checks of CHECK_DATA in their order, pending payments and the customer's
// last payments.
#include "domain/ledger/payment_draft.h"

#include <gtest/gtest.h>

#include "domain/ledger/exchange_difference.h"
#include "domain/ledger/payment_checks.h"
#include "domain/ledger/payment_history.h"
#include "domain/ledger/payment_pending.h"
#include "domain/ledger/payment_posting.h"
#include "payment_fixture.h"
#include "support/record_edit.h"

using namespace qz;
using namespace qz::domain;
using namespace qz::test;

class PaymentDraftTest : public DemoLedgerTest {
protected:
    std::string document(const char* concept_code, const char* amount,
                         const std::string& currency = "CO", const Date& day = kPayDay) {
        return new_document(*db, inst->port, concept_code, amount, currency, day);
    }
    PaymentDraft draft(const char* amount) { return new_draft(*db, inst->port, amount); }
    void edit(const char* table, const std::string& code,
              const std::function<void(data::WDBTable&)>& change) {
        test::edit_record(*db, table, table, data::order_key(table, table, {kPayBiz, code}),
                          change);
    }
};

TEST_P(PaymentDraftTest, PasadocRefusesWhatCannotBePaid) {
    const std::string invoice = document("ND", "1000.00");
    PaymentDraft d = draft("100.00");
    ASSERT_TRUE(d.PASADOC(invoice));
    EXPECT_FALSE(d.PASADOC(invoice));
    EXPECT_EQ(said(), "Documento YA está incluido");

    const std::string settled = document("ND", "10.00");
    edit("DOCUMENT", settled, [](data::WDBTable& t) { t.FieldPut("SALDO", Decimal()); });
    EXPECT_FALSE(d.PASADOC(settled));
    EXPECT_EQ(said(), "Este documento no tiene Saldo Pendiente");

    domain::NewDocument other;
    other.amount = dec("50.00");
    other.concept_code = "ND";
    other.customer = "114560789";
    other.date = kPayDay;
    const auto foreign_customer = GEN_DOC(*db, inst->port, kPayBiz).NEW_DOC(other);
    ASSERT_TRUE(foreign_customer);
    EXPECT_FALSE(d.PASADOC(*foreign_customer));
    EXPECT_EQ(said(), "Este documento no corresponde al Cliente");

    // PERMITIDO: a debit document with a concept for credit documents, chosen or by default.
    EXPECT_FALSE(d.PASADOC(document("ND", "20.00"), "AN"));
    EXPECT_EQ(said(), "Este documento no corresponde al Tipo de Transacción Definido");
    edit("CONCEPT1", "ND", [](data::WDBTable& t) { t.FieldPut("ABONO_DEF", std::string("AN")); });
    EXPECT_FALSE(d.PASADOC(document("ND", "20.00")));
    EXPECT_EQ(said(), "Este documento no corresponde al Tipo de Transacción por Defecto");

    // A dollar document without a rate for the payment's day.
    PaymentDraft old = draft("100.00");
    ASSERT_TRUE(old.set_date(Date(2001, 1, 1)));
    EXPECT_FALSE(old.PASADOC(document("FA", "10.00", "US")));
    EXPECT_EQ(said(), kMissingPaymentRate);
    EXPECT_EQ(d.lines().size(), 1u);
}

TEST_P(PaymentDraftTest, EachKindOfDocumentTakesItsShareOfTheAvailable) {
    // A debit document takes its whole balance when it fits, else what is available; the
    // default tender of the concept follows the line.
    const std::string big = document("FA", "5000.00"), small = document("FA", "300.00");
    PaymentDraft d = draft("1000.00");
    ASSERT_TRUE(d.PASADOC(small));
    EXPECT_EQ(d.lines()[0].amount, dec("300.00"));
    EXPECT_EQ(d.lines()[0].new_balance, Decimal());
    ASSERT_TRUE(d.PASADOC(big));
    EXPECT_EQ(d.lines()[1].amount, dec("700.00"));
    EXPECT_EQ(d.lines()[1].new_balance, dec("4300.00"));
    EXPECT_EQ(d.available(), Decimal());
    ASSERT_EQ(d.tenders().size(), 2u);
    EXPECT_EQ(d.tenders()[1].method, "CR") << "FA's default method";
    ASSERT_TRUE(d.set_line_total(1, dec("500.00")));
    EXPECT_EQ(d.tenders()[1].amount, dec("500.00"));
    EXPECT_EQ(d.available(), dec("200.00"));
    d.remove_line(0);
    EXPECT_EQ(d.tenders().size(), 1u) << "the line's tender goes with it";
    d.adjust_amount();
    EXPECT_EQ(d.header().amount, dec("500.00"));

    // A dollar document paid in colones converts at the payment's rate; a credit note in
    // dollars used inside it adds its whole balance.
    const std::string dollars = document("ND", "10.00", "US");
    const std::string note = document("NC", "2.00", "US");
    PaymentDraft c = draft("0.00");
    ASSERT_TRUE(c.PASADOC(note));
    EXPECT_EQ(c.lines()[0].amount, dec("1012.30"));
    EXPECT_EQ(c.available(), dec("1012.30"));
    ASSERT_TRUE(c.PASADOC(dollars));
    EXPECT_EQ(c.lines()[1].amount, dec("1012.30"));
    EXPECT_EQ(c.lines()[1].new_balance, dec("8.00"));

    // An excess becomes a credit note that takes the rest.
    PaymentDraft e = draft("600.00");
    ASSERT_TRUE(e.PASADOC(document("ND", "400.00")));
    EXPECT_FALSE(e.add_excess_note("ND"));
    ASSERT_TRUE(e.add_excess_note("NC"));
    EXPECT_EQ(e.note()->amount, dec("200.00"));
    EXPECT_EQ(e.available(), Decimal());
}

// Dollars paid on a colones document move its balance by the dollars at the payment's rate to
// the cent (506.15 on the day), not through the colón-to-dollar factor, whose ten decimals lose
// a hundredth on a payment this size.
TEST_P(PaymentDraftTest, DollarsPaidOnAColonesDocumentMoveItsBalanceAtTheRate) {
    const std::string colones = document("ND", "10000000.00");
    PaymentDraft d = draft("9876.54");
    ASSERT_TRUE(d.set_currency("US"));
    ASSERT_TRUE(d.PASADOC(colones)) << said();
    EXPECT_EQ(d.lines()[0].amount, dec("9876.54"));
    EXPECT_EQ(d.lines()[0].new_balance, dec("5000989.28"));
}

// An instalment invoice of 1,000.00: 400.00 with 20.00 of interest, then 300.00 and 300.01 with
// 15.00 each. Interest is paid before principal.
TEST_P(PaymentDraftTest, InstalmentDocumentsSplitTheirAmount) {
    const std::string invoice = document("FP", "1000.00");
    PaymentDraft d = draft("10.00");
    EXPECT_FALSE(d.PASADOC(invoice));
    EXPECT_EQ(said(), interest_refusal(dec("20.00")));
    d.set_amount(dec("100.00"));
    ASSERT_TRUE(d.PASADOC(invoice)) << said();
    EXPECT_EQ(d.lines()[0].interest, dec("20.00"));
    EXPECT_EQ(d.lines()[0].amount, dec("80.00"));
    EXPECT_EQ(d.lines()[0].new_balance, dec("920.00"));
    EXPECT_FALSE(d.set_line_amount(0, dec("100.00")));
    EXPECT_EQ(said(), kInstalmentColumns);
    EXPECT_FALSE(d.set_line_interest(0, dec("100.00")));
    ASSERT_TRUE(d.set_line_total(0, dec("500.00")));
    EXPECT_EQ(d.lines()[0].interest, dec("35.00")) << "the first two instalments' interest";
    EXPECT_EQ(d.lines()[0].new_balance, dec("535.00"));

    // "Plazos Parciales": the payment chosen instalment by instalment, late interest included.
    InstalmentPayment pay;
    pay.principal = dec("400.00");
    pay.interest = dec("20.00");
    pay.late = dec("3.00");
    ASSERT_TRUE(d.apply_instalment_payment(0, pay));
    EXPECT_EQ(d.lines()[0].total(), dec("423.00"));
    EXPECT_EQ(d.lines()[0].new_balance, dec("600.00"));
    EXPECT_EQ(d.tenders()[0].amount, dec("423.00")) << "FP's default tender follows";
}

TEST_P(PaymentDraftTest, ChangingRatesOrTheCustomerAsksBeforeClearingTheDocuments) {
    PaymentDraft d = draft("100.00");
    ASSERT_EQ(d.rates().size(), 1u);
    EXPECT_EQ(d.rates()[0], (PaymentRate{"US", dec("506.15")}));
    EXPECT_FALSE(d.rates_editable()) << "F_FAC LEE_CAMBIO is off";
    EXPECT_FALSE(d.set_rates({{"US", dec("510.00")}}));

    test::edit_record(*db, "F_FAC", "F_FAC", data::order_key("F_FAC", "F_FAC", {kPayBiz}),
                      [](data::WDBTable& t) { t.FieldPut("LEE_CAMBIO", Decimal(1)); });
    PaymentDraft e = draft("100.00");
    ASSERT_TRUE(e.PASADOC(document("ND", "500.00")));
    inst->port.answer = false;
    EXPECT_FALSE(e.set_rates({{"US", dec("510.00")}}));
    EXPECT_EQ(e.lines().size(), 1u);
    EXPECT_FALSE(e.set_customer("114560789"));
    inst->port.answer = true;
    ASSERT_TRUE(e.set_rates({{"US", dec("510.00")}}));
    EXPECT_TRUE(e.lines().empty());
    EXPECT_TRUE(e.tenders().empty()) << "the default tenders went with their lines";
    EXPECT_EQ(e.rate_of("US"), dec("510.00"));
}

// The payment as a test builds it, with the faults introduced so far.
struct Faults {
    std::string customer = kPayCustomer, block = "01", receipt, reg = "CXC1", pass = "cobros";
    std::string clerk = "0001";
    Date date = kPayDay;
    Decimal amount = dec("1000.00"), tendered = dec("1000.00"), over;
    std::vector<std::string> docs;
};

// Faults are added from the last check to the first: each time the newest fault, the earliest
// check, is the one reported.
TEST_P(PaymentDraftTest, CheckDataReportsTheFirstFailingCheck) {
    Faults f;
    f.docs.push_back(document("ND", "1000.00"));
    const auto first_refusal = [&]() -> std::string {
        PaymentDraft d(*db, inst->port, kPayBiz);
        d.set_register(f.reg);
        d.set_pass_code(f.pass);
        d.set_clerk(f.clerk);
        d.set_block(f.block);
        d.set_receipt(f.receipt);
        EXPECT_TRUE(d.set_customer(kPayCustomer));
        EXPECT_TRUE(d.set_date(f.date));
        d.set_amount(f.amount);
        for (const auto& doc : f.docs) EXPECT_TRUE(d.PASADOC(doc)) << said();
        if (!f.over.is_zero()) {
            EXPECT_TRUE(d.set_line_total(0, dec("1000.00") + f.over));
        }
        pay_with(d, {tender("EF", f.tendered.to_string(2).c_str())});
        EXPECT_TRUE(d.set_customer(f.customer));
        return CHECK_DATA(*db, inst->port, d) ? "" : said();
    };
    const auto f_fac = [&](const std::function<void(data::WDBTable&)>& change) {
        test::edit_record(*db, "F_FAC", "F_FAC", data::order_key("F_FAC", "F_FAC", {kPayBiz}),
                          change);
    };
    EXPECT_EQ(first_refusal(), "");
    edit("MONEDAS", "US", [](data::WDBTable& t) { t.FieldPut("CAMBIO_MIN", dec("600")); });
    EXPECT_EQ(first_refusal(),
              "El T.C. de la moneda US ($) no es superior al mínimo: 600.00\rActual: 506.15000");
    f.clerk = "9999";
    EXPECT_EQ(first_refusal(),
              "El Código de Digitador no está definido en la Base de Datos de Digitadores");
    f.clerk = "";
    EXPECT_EQ(first_refusal(), "Debe definir el Digitador");
    f.pass = "otra";
    EXPECT_EQ(first_refusal(), "La Clave de la Caja está errada");
    f.reg = "";
    EXPECT_EQ(first_refusal(), "Debe definir la Caja");
    f.tendered = dec("900.00");
    EXPECT_EQ(first_refusal(), "La Forma de Pago no concuerda con el Monto\rDiferencia: -100");
    edit("CONCEPT1", "FA", [](data::WDBTable& t) { t.FieldPut("PROC_CONTA", Decimal(1)); });
    f.docs.push_back(document("FA", "200.00"));
    f.amount += dec("200.00");
    EXPECT_EQ(first_refusal().substr(0, 60),
              std::string("Los documentos aplicados involucran más de una forma de Pro"));
    const std::string late = document("ND", "50.00", "CO", kPayDay + 1);
    f.docs.push_back(late);
    f.amount += dec("50.00");
    EXPECT_EQ(first_refusal().substr(0, 43 + late.size()),
              "No se puede aplicar el Abono al Documento: " + late);
    edit("CONCEPT1", "ND",
         [](data::WDBTable& t) { t.FieldPut("ASIENTO4", std::string("NO_HAY")); });
    EXPECT_EQ(first_refusal(),
              "La Liga Contable NO_HAY no está definida en la Tabla de Ligas Contables");
    f.over = dec("1.00");
    f.amount += f.over;
    EXPECT_EQ(first_refusal(), kAboveAllowed);
    f.amount += dec("0.10");
    EXPECT_EQ(first_refusal(), "Todavía hay Disponible por aplicar");
    f.block = "02";
    f.receipt = "12";
    EXPECT_EQ(first_refusal(), "La Longitud del Consecutivo Manual debe ser mayor a 4");
    f.receipt = "";
    EXPECT_EQ(first_refusal(), "El # de Recibo no debe estar vacío");
    f_fac([](data::WDBTable& t) { t.FieldPut("LEE_FECHA", Decimal(1)); });
    f.date = kPayDay + 1;
    EXPECT_EQ(first_refusal(), "La fecha digitada sobrepasa el rango definido");
    f_fac([](data::WDBTable& t) { t.FieldPut("OBLIGA_MES", Decimal(1)); });
    f.date = Date(2026, 4, 30);
    EXPECT_EQ(first_refusal(),
              "El documento a procesar se encuentra fuera del mes activo del módulo");
    f.customer = "NADIE";
    EXPECT_EQ(first_refusal(), "Código de Cliente inválido...");
}

TEST_P(PaymentDraftTest, APendingPaymentComesBackAsItWasKeptAndGoesWhenProcessed) {
    const std::string invoice = document("ND", "800.00");
    PaymentDraft d = draft("1000.00");
    ASSERT_TRUE(d.PASADOC(invoice));
    ASSERT_TRUE(d.add_excess_note("NC"));
    pay_with(d, {tender("EF", "1000.00")});
    d.set_comment("Transferencia");
    const auto number = save_pending_payment(*db, inst->port, d);
    ASSERT_TRUE(number) << said();
    EXPECT_EQ(*number, "P00000001");
    EXPECT_EQ(doc_state(*db, invoice).balance, dec("800.00")) << "balances wait for processing";
    ASSERT_EQ(pending_payments(*db, kPayBiz).size(), 1u);

    PaymentDraft back(*db, inst->port, kPayBiz);
    ASSERT_TRUE(load_pending_payment(*db, inst->port, *number, back));
    EXPECT_EQ(back.header().customer, kPayCustomer);
    EXPECT_EQ(back.header().amount, dec("1000.00"));
    EXPECT_EQ(back.header().comment, "Transferencia");
    ASSERT_EQ(back.lines().size(), 1u);
    EXPECT_EQ(back.lines()[0].amount, dec("800.00"));
    EXPECT_EQ(back.lines()[0].balance_read, dec("800.00"));
    ASSERT_TRUE(back.note());
    EXPECT_EQ(back.note()->amount, dec("200.00"));
    ASSERT_EQ(back.tenders().size(), 1u);
    EXPECT_EQ(back.available(), Decimal());

    back.set_register("CXC1");
    back.set_pass_code("COBROS");
    back.set_clerk("0001");
    const auto receipt = PROCESA_ABONO(*db, inst->port, back);
    ASSERT_TRUE(receipt) << said();
    EXPECT_TRUE(pending_payments(*db, kPayBiz).empty());
    EXPECT_EQ(row_count(*db, "PDET_MOV"), 0);
    EXPECT_EQ(doc_state(*db, invoice).balance, Decimal());

    const auto recent = last_payments(*db, kPayBiz, kPayCustomer);
    ASSERT_GE(recent.size(), 2u) << "this one and the demonstration's";
    EXPECT_EQ(recent[0].number, *receipt);
    EXPECT_EQ(recent[0].amount, dec("1000.00"));
    EXPECT_GT(recent[0].date, recent[1].date);
}

INSTANTIATE_TEST_SUITE_P(Payments, PaymentDraftTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), engine_name);
