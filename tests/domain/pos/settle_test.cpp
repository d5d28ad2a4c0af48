// Settling earlier documents at a register on each engine: the total of invoices less credit
// notes, documents in another currency converted at the rates kept with the receipt, the
// refusals before anything is written, and documents that moved on another workstation or a
// failure in the middle of the receipt leaving nothing behind.
#include "domain/pos/settle.h"

#include "core/text.h"
#include "data/order_key.h"
#include "domain/ledger/payment_rows.h"
#include "domain/ledger/printable_document.h"
#include "domain/ledger/rates.h"
#include "domain/ledger/serials.h"
#include "sale_posting_fixture.h"

using namespace qz;
using namespace qz::domain;
using namespace qz::domain::pos;
using namespace qz::test;

namespace {

const Date kToday(2026, 5, 20);
const char* const kCustomer = "C-SETTLE";

}  // namespace

class SettleTest : public SalePostingTest {
protected:
    void add_document(const char* number, const char* concept_code, const char* balance,
                      const char* currency = "CO", const char* annulled = "") {
        add_record(*db, "DOCUMENT",
                   {{"NEGOCIO", std::string("HOTEL")},
                    {"DOCUMENTO", std::string(number)},
                    {"CONCEPTO", std::string(concept_code)},
                    {"CLIENTE", std::string(kCustomer)},
                    {"NOM_CLIENT", std::string("Cliente de Caja")},
                    {"MONEDA", std::string(currency)},
                    {"FECHA", kToday - 5},
                    {"TC_DIFF", dec("480.00")},
                    {"COD_DIFF", std::string("01")},
                    {"MONTO", dec(balance)},
                    {"SALDO", dec(balance)},
                    {"ANULADO", std::string(annulled)}});
    }
    Settlement settlement(const char* currency = "CO", const char* book = "01") {
        Settlement s(*db, "HOTEL", kToday);
        s.set_register(SettleRegister{"CAJ1", book, currency});
        s.set_customer(kCustomer);
        return s;
    }
    static void mark(Settlement& s, const std::string& document) {
        for (size_t i = 0; i < s.documents().size(); ++i)
            if (s.documents()[i].document == document) s.set_marked(i, true);
    }
    std::optional<std::string> settle(const Settlement& s, std::vector<TenderRow> tenders = {}) {
        return CANCELA_FAC(*db, inst->port, s, tenders, {"SUP", "prueba", "01", "11:00:00"});
    }
    static TenderRow tender(const char* code, const Decimal& amount) {
        TenderRow t;
        t.code = code;
        t.amount = amount;
        return t;
    }
    Decimal field(const std::string& document, const char* name) {
        data::Table t = data::USE(*db, "DOCUMENT", "DOCUMENT");
        const bool found = t->Seek(data::order_key("DOCUMENT", "DOCUMENT", {"HOTEL", document}));
        const Decimal v = found ? t->num(name) : Decimal(-1);
        data::KILLTABLA(*db, t);
        return v;
    }
    long receipts_of_customer() {
        data::Table t = data::USE(*db, "ENC_MOVE", "ENC_MOV6");
        const std::string key = data::order_key("ENC_MOVE", "ENC_MOV6", {"HOTEL", kCustomer});
        t->SetScope(key, key);
        const long n = t->KeyCount();
        data::KILLTABLA(*db, t);
        return n;
    }
    // The lines of every voucher that name `receipt`.
    std::vector<VoucherLine> journal_of(const std::string& receipt) {
        std::vector<VoucherLine> out;
        data::Table t = data::USE(*db, "ENC_AS", "ENC_AS1");
        for (t->GoTop(); !t->Eof(); t->Skip())
            for (auto& l : voucher_lines(*db, "HOTEL", trim(t->str("MOVIMIENTO"))))
                if (l.document == receipt) out.push_back(l);
        data::KILLTABLA(*db, t);
        return out;
    }
    // Nothing of a settlement is left: balances as listed, no receipt, the series where it was.
    void expect_nothing_written(const std::string& series_before) {
        EXPECT_EQ(receipts_of_customer(), 0);
        EXPECT_EQ(GET_CURRENTSERIAL(*db, "HOTEL", "RECIBO"), series_before);
    }
};

TEST_P(SettleTest, AnInvoiceLessACreditNoteIsPaidAsTheirDifferenceAndBothAreSettledWhole) {
    add_document("F-S1", "FA", "100.00");
    add_document("N-S1", "NC", "30.00");
    add_document("F-S0", "FA", "55.00", "CO", "NC-0099");  // annulled: never listed
    add_document("F-S9", "FA", "0");                       // settled: never listed
    Settlement s = settlement();
    ASSERT_EQ(s.documents().size(), 2u);
    EXPECT_EQ(s.total_caption(), "Total Pagar: ₡");
    mark(s, "F-S1");
    EXPECT_EQ(s.total(), dec("100.00"));
    mark(s, "N-S1");
    EXPECT_EQ(s.total(), dec("70.00"));
    EXPECT_EQ(trim(s.total_text()), "70.00");

    const auto receipt = settle(s, {tender("EF", dec("70.00")), TenderRow{}});
    ASSERT_TRUE(receipt) << inst->port.messages.back();
    data::Table h = data::USE(*db, "ENC_MOVE", "ENC_MOVE");
    ASSERT_TRUE(h->Seek(data::order_key("ENC_MOVE", "ENC_MOVE", {"HOTEL", *receipt})));
    EXPECT_EQ(h->num("MONTO"), dec("70.00"));
    EXPECT_EQ(trim(h->str("MONEDA")), "CO");
    EXPECT_EQ(trim(h->str("BLOCK")), "01");
    EXPECT_EQ(trim(h->str("CAJA")), "CAJ1");
    EXPECT_EQ(trim(h->str("DIGITADOR")), "01");
    EXPECT_EQ(trim(h->str("NOM_CLIENT")), "Cliente de Caja");
    EXPECT_EQ(h->date("F_LIMITE"), Date(2090, 1, 1));
    data::KILLTABLA(*db, h);

    const auto applied = read_applications(*db, kPostedPayment, "HOTEL", *receipt);
    ASSERT_EQ(applied.size(), 2u);
    EXPECT_EQ(applied[0].document, "F-S1");
    EXPECT_EQ(applied[0].amount, dec("100.00")) << "each document's whole balance";
    EXPECT_EQ(applied[0].concept_code, "AB");
    EXPECT_EQ(applied[1].document, "N-S1");
    EXPECT_EQ(applied[1].amount, dec("30.00"));
    EXPECT_EQ(applied[1].concept_code, "AN");
    for (const auto& a : applied) EXPECT_EQ(a.balance_after, Decimal()) << a.document;
    EXPECT_EQ(field("F-S1", "SALDO"), Decimal());
    EXPECT_EQ(field("F-S1", "SALDO_ORIG"), dec("100.00"));
    EXPECT_EQ(field("N-S1", "SALDO"), Decimal());
    EXPECT_EQ(field("N-S1", "SALDO_ORIG"), dec("30.00"));
    const auto tenders = read_tenders(*db, kPostedPayment, "HOTEL", *receipt);
    ASSERT_EQ(tenders.size(), 1u);
    EXPECT_EQ(tenders[0].amount, dec("70.00"));
    // The printed receipt's applied total is what was paid: the credit note counts against it.
    const auto printed = read_printable_receipt(*db, "HOTEL", *receipt);
    ASSERT_TRUE(printed);
    Decimal net;
    for (const auto& l : printed->lines) net += l.at("L_NETO").number;
    EXPECT_EQ(net, dec("70.00"));

    const auto lines = journal_of(*receipt);
    EXPECT_EQ(line(lines, "1-02-01", "Abono a: F-S1").credit, dec("100.00"));
    EXPECT_EQ(line(lines, "1-02-01", "Abono a: N-S1").debit, dec("30.00"));
    EXPECT_EQ(line(lines, "1-01-01", "Ingreso: " + *receipt).debit, dec("70.00"));
    expect_balanced(lines);
    EXPECT_TRUE(settlement().documents().empty()) << "nothing left to settle";
}

TEST_P(SettleTest, ADocumentInAnotherCurrencyIsPaidInTheRegistersAtTheRatesKeptWithTheReceipt) {
    add_document("F-S2", "FA", "100.00", "US");
    add_document("F-S3", "FA", "5061.50", "CO");
    const Decimal today = CAMBIO_SPEC(*db, "HOTEL", "CO", "US", kToday);
    ASSERT_NE(today, dec("480.00")) << "the document's issue rate must differ from today's";

    // A register in colones is asked the dollars at today's rate...
    Settlement colones = settlement("CO");
    mark(colones, "F-S2");
    const Decimal in_colones = (dec("100.00") * today).round(2);
    EXPECT_EQ(colones.total(), in_colones);
    // ...and a register in dollars the colones at its inverse.
    Settlement dollars = settlement("US");
    mark(dollars, "F-S3");
    EXPECT_EQ(dollars.total(), (dec("5061.50") / today).round(2));
    EXPECT_EQ(dollars.total_caption(), "Total Pagar: $");

    const auto receipt = settle(colones, {tender("EF", in_colones)});
    ASSERT_TRUE(receipt) << inst->port.messages.back();
    const auto applied = read_applications(*db, kPostedPayment, "HOTEL", *receipt);
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0].amount, in_colones) << "in the receipt's currency";
    EXPECT_EQ(applied[0].balance_before, dec("100.00")) << "in the document's currency";
    EXPECT_EQ(field("F-S2", "SALDO"), Decimal());
    EXPECT_EQ(field("F-S2", "SALDO_ORIG"), dec("100.00"));

    data::Table r = data::USE(*db, "DET_MOV3", "DET_MOV3");
    const std::string key = data::order_key("DET_MOV3", "DET_MOV3", {"HOTEL", *receipt});
    r->SetScope(key, key);
    r->GoTop();
    ASSERT_FALSE(r->Eof());
    EXPECT_EQ(trim(r->str("MONEDA_1")), "US");
    EXPECT_EQ(r->num("CAMBIO"), today) << "the rate the amount was converted at";
    data::KILLTABLA(*db, r);

    // The dollars owed move from their issue rate to today's, as at any payment.
    data::Table x = data::USE(*db, "DET_DOC3", "DET_DOC3");
    const std::string doc = data::order_key("DET_DOC3", "DET_DOC3", {"HOTEL", "F-S2"});
    x->SetScope(doc, doc);
    x->GoTop();
    ASSERT_FALSE(x->Eof()) << "the document is revalued";
    EXPECT_EQ(x->num("TC_ANT"), dec("480.00"));
    EXPECT_EQ(x->num("TC_NUEVO"), today);
    EXPECT_EQ(x->num("M_AJUSTE"), (dec("100.00") * (today - dec("480.00"))).round(2));
    data::KILLTABLA(*db, x);
    EXPECT_TRUE(has_text(journal_of(*receipt), "A/Diff: F-S2/" + *receipt));
    expect_balanced(journal_of(*receipt));
}

TEST_P(SettleTest, NothingIsWrittenWithoutARegisterAMarkABookOrASeries) {
    add_document("F-S4", "FA", "40.00");
    add_document("N-S4", "NC", "90.00");
    const std::string series = GET_CURRENTSERIAL(*db, "HOTEL", "RECIBO");

    Settlement closed(*db, "HOTEL", kToday);
    closed.set_customer(kCustomer);
    EXPECT_EQ(closed.total_caption(), "Caja Cerrada");
    EXPECT_FALSE(settle(closed));
    EXPECT_EQ(said(), "Caja Cerrada");

    Settlement s = settlement();
    EXPECT_FALSE(settle(s));
    EXPECT_EQ(said(), "Debe de Seleccionar al menos una Factura");
    mark(s, "N-S4");
    mark(s, "F-S4");
    EXPECT_FALSE(settle(s)) << "a credit note larger than the invoice would pay money out";
    EXPECT_EQ(said(), kNegativeTotal);

    Settlement no_book = settlement("CO", "99");
    mark(no_book, "F-S4");
    EXPECT_FALSE(settle(no_book));
    EXPECT_EQ(said(), "No se encuentra el Block de Recibos: 99");
    add_record(*db, "T_RECIBO",
               {{"NEGOCIO", std::string("HOTEL")},
                {"CODIGO", std::string("03")},
                {"SERIAL", std::string("NOPE")}});
    Settlement no_series = settlement("CO", "03");
    mark(no_series, "F-S4");
    EXPECT_FALSE(settle(no_series));
    EXPECT_EQ(said(), "Consecutivo de Recibo no existe: NOPE");

    EXPECT_EQ(field("F-S4", "SALDO"), dec("40.00"));
    expect_nothing_written(series);
}

TEST_P(SettleTest, DocumentsThatMovedElsewhereOrAFailureMidWayLeaveNothingWritten) {
    add_document("F-S5", "FA", "60.00");
    add_document("F-S6", "FA", "20.00");
    add_document("F-S7", "FA", "10.00");
    const std::string series = GET_CURRENTSERIAL(*db, "HOTEL", "RECIBO");
    Settlement s = settlement();
    for (const char* d : {"F-S5", "F-S6", "F-S7"}) mark(s, d);

    // Another workstation paid part of one, annulled another and deleted the third.
    const auto doc_key = [](const char* d) {
        return data::order_key("DOCUMENT", "DOCUMENT", {"HOTEL", d});
    };
    edit_record(*db, "DOCUMENT", "DOCUMENT", doc_key("F-S5"),
                [](data::WDBTable& t) { t.FieldPut("SALDO", dec("25.00")); });
    edit_record(*db, "DOCUMENT", "DOCUMENT", doc_key("F-S6"),
                [](data::WDBTable& t) { t.FieldPut("ANULADO", std::string("NC-0100")); });
    edit_record(*db, "DOCUMENT", "DOCUMENT", doc_key("F-S7"),
                [](data::WDBTable& t) { t.Delete(); });
    EXPECT_FALSE(settle(s, {tender("EF", dec("90.00"))}));
    EXPECT_EQ(said(), std::string(kDocumentsChanged) + "F-S5\r\nF-S6\r\nF-S7");
    EXPECT_EQ(field("F-S5", "SALDO"), dec("25.00"));
    EXPECT_EQ(field("F-S5", "SALDO_ORIG"), Decimal()) << "untouched";
    expect_nothing_written(series);

    // A charge to a closed master account fails once the header, the applications and the
    // balances are written: all of it goes back.
    Settlement again = settlement();
    mark(again, "F-S5");
    TenderRow room = tender("HB", dec("25.00"));
    room.room = "CM-BODA";
    room.account = "CM-BODA";
    EXPECT_FALSE(settle(again, {room}));
    EXPECT_EQ(said(), "No se encuentra un Folio abierto para: CM-BODA");
    EXPECT_EQ(field("F-S5", "SALDO"), dec("25.00"));
    EXPECT_EQ(field("F-S5", "SALDO_ORIG"), Decimal());
    expect_nothing_written(series);

    ASSERT_TRUE(settle(again, {tender("EF", dec("25.00"))})) << "the session can settle again";
    EXPECT_EQ(field("F-S5", "SALDO"), Decimal());
}

TEST_P(SettleTest, TheTendersOfACashConceptOpenWithItsDefaultTypeForTheWholeTotal) {
    add_document("F-S8", "FC", "35.00");
    Settlement s = settlement();
    mark(s, "F-S8");
    std::vector<TenderRow> rows(2);
    rows[1].amount = dec("9.00");  // no code: its amount goes
    prepare_tenders(*db, s, rows);
    EXPECT_EQ(rows[0].code, "EF");
    EXPECT_EQ(rows[0].amount, dec("35.00"));
    EXPECT_EQ(rows[1].amount, Decimal());

    rows = {tender("TC", dec("35.00"))};
    prepare_tenders(*db, s, rows);
    EXPECT_EQ(rows[0].code, "TC") << "tenders already typed stay";
}

INSTANTIATE_TEST_SUITE_P(Pos, SettleTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         engine_name);
