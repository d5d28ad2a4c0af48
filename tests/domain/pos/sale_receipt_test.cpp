// The counter receipt of a sale on each engine: its rows, the document's new balance, the rates
// kept with it, its journal lines and the room charge of a tender; the refusals before the
// sale's transaction, and a failure inside it that takes the whole sale back.
#include "domain/pos/sale_receipt.h"

#include <stdexcept>

#include "data/transaction.h"
#include "domain/ledger/payment_rows.h"
#include "domain/ledger/rates.h"
#include "domain/ledger/serials.h"
#include "sale_posting_fixture.h"

using namespace qz;
using namespace qz::domain;
using namespace qz::domain::pos;
using namespace qz::test;

class SaleReceiptTest : public SalePostingTest {
protected:
    void SetUp() override {
        SalePostingTest::SetUp();
        if (!db) return;
        fa = *read_document_concept(*db, "HOTEL", "FA");
        fc = *read_document_concept(*db, "HOTEL", "FC");
        rate = CAMBIO_SPEC(*db, "HOTEL", "CO", "US", Date(2026, 5, 20));
    }

    void add_document(const char* number, const char* concept_code, const char* balance) {
        const Decimal b = dec(balance);
        add_record(*db, "DOCUMENT",
                   {{"NEGOCIO", std::string("HOTEL")},
                    {"DOCUMENTO", std::string(number)},
                    {"CONCEPTO", std::string(concept_code)},
                    {"CLIENTE", std::string("C-1")},
                    {"MONEDA", std::string("US")},
                    {"FECHA", Date(2026, 5, 20)},
                    {"MONTO", b},
                    {"SALDO", b}});
    }
    SaleReceiptRequest request(const char* document, const DocumentConcept& c, const char* paid) {
        SaleReceiptRequest r;
        r.business = "HOTEL";
        r.document = document;
        r.customer = "C-1";
        r.customer_name = "Cliente Prueba";
        r.currency = "US";
        r.register_code = "CAJ1";
        r.user = "SUP";
        r.info_user = "prueba";
        r.date = Date(2026, 5, 20);
        r.time = "10:00:00";
        r.doc_concept = &c;
        r.balance = balance(document);
        r.paid = dec(paid);
        r.rate = rate;
        return r;
    }
    static TenderRow tender(const char* code, const char* amount) {
        TenderRow t;
        t.code = code;
        t.amount = dec(amount);
        return t;
    }
    // Writes the receipt in a transaction of its own, with its voucher; the receipt and the
    // voucher's lines of the document.
    std::pair<std::string, std::vector<VoucherLine>> write(const SaleReceiptRequest& r) {
        data::Transaction tx(*db);
        ContaTransaction conta(*db, "HOTEL", "02", r.date, r.document, {"SUP", "prueba"});
        const std::string receipt = ADD_ABONO(*db, &conta, r);
        conta.close();
        tx.commit();
        return {receipt, lines_of(conta.voucher(), r.document)};
    }
    Decimal balance(const std::string& document) {
        data::Table t = data::USE(*db, "DOCUMENT", "DOCUMENT");
        const bool found = t->Seek(data::order_key("DOCUMENT", "DOCUMENT", {"HOTEL", document}));
        const Decimal b = found ? t->num("SALDO") : Decimal(-1);
        data::KILLTABLA(*db, t);
        return b;
    }
    long count(const char* table, const char* order, const std::string& number) {
        data::Table t = data::USE(*db, table, order);
        const std::string key = data::order_key(table, order, {"HOTEL", number});
        t->SetScope(key, key);
        const long n = t->KeyCount();
        data::KILLTABLA(*db, t);
        return n;
    }

    DocumentConcept fa, fc;
    Decimal rate;
};

TEST_P(SaleReceiptTest, TwoTendersWithARoomChargeWriteTheReceiptTheFolioAndTheJournal) {
    add_document("F-R1", "FA", "100.00");
    SaleReceiptRequest r = request("F-R1", fa, "100.00");
    TenderRow card = tender("TC", "60.00");
    card.voucher = "V77";
    card.authorisation = "A1234";
    TenderRow room = tender("HB", "40.00");
    room.room = "201";
    room.account = "RES-0001";
    r.tenders = {card, room, TenderRow{}};
    r.articles = {{"MAS-60", "Masaje", dec("1"), dec("100.00"), dec("0"), dec("0")}};
    const auto [receipt, lines] = write(r);
    ASSERT_FALSE(receipt.empty());

    data::Table h = data::USE(*db, "ENC_MOVE", "ENC_MOVE");
    ASSERT_TRUE(h->Seek(data::order_key("ENC_MOVE", "ENC_MOVE", {"HOTEL", receipt})));
    EXPECT_EQ(h->num("MONTO"), dec("100.00"));
    EXPECT_EQ(trim(h->str("BLOCK")), "01");
    EXPECT_EQ(trim(h->str("CAJA")), "CAJ1");
    EXPECT_EQ(trim(h->str("USUARIO")), "SUP");
    data::KILLTABLA(*db, h);
    const auto applied = read_applications(*db, kPostedPayment, "HOTEL", receipt);
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0].concept_code, "AB");
    EXPECT_EQ(applied[0].description, "Abono F-R1");
    EXPECT_EQ(applied[0].balance_before, dec("100.00"));
    EXPECT_EQ(applied[0].balance_after, Decimal());
    EXPECT_EQ(balance("F-R1"), Decimal());
    const auto tenders = read_tenders(*db, kPostedPayment, "HOTEL", receipt);
    ASSERT_EQ(tenders.size(), 2u) << "the unused row is left out";
    EXPECT_EQ(tenders[0].description, "Tarjeta");
    EXPECT_EQ(tenders[1].room, "201");
    EXPECT_EQ(tenders[1].reservation, "RES-0001");
    EXPECT_EQ(count("DET_MOV3", "DET_MOV3", receipt), 1) << "the dollar's rate of the day";

    // The room's share is charged on the guest's folio.
    data::Table f = data::USE(*db, "DET_FOL", "DET_FOL");
    ASSERT_TRUE(f->Seek(data::order_key("DET_FOL", "DET_FOL", {"HOTEL", "FOL-0001", 2LL})));
    EXPECT_EQ(trim(f->str("DOCUMEN")), "F-R1");
    EXPECT_EQ(f->num("DEBITO"), dec("40.00"));
    data::KILLTABLA(*db, f);

    EXPECT_EQ(line(lines, "1-02-01", "Abono a: F-R1").credit, dec("100.00"));
    EXPECT_EQ(line(lines, "1-01-02", "Ingreso: " + receipt + " Vchr:V77 Aut:A1234").debit,
              dec("60.00"));
    EXPECT_EQ(line(lines, "1-02-01", "Ingreso: " + receipt).debit, dec("40.00"))
        << "what a guest charges to the room is owed on the receivable";
    expect_balanced(lines);

    // A concept valued through complement accounts receives in the accounting currency: the
    // nominal amount on the receivable, the rest of its value on the complement.
    DocumentConcept c = fa;
    c.set_flag("COMPLEMENT", true);
    add_document("F-R7", "FA", "10.00");
    SaleReceiptRequest valued_request = request("F-R7", c, "10.00");
    valued_request.tenders = {tender("EF", "10.00")};
    const auto [other, valued] = write(valued_request);
    const Decimal value = (dec("10.00") * rate).round(2);
    EXPECT_EQ(line(valued, "1-02-01", "Abono a: F-R7").credit, dec("10.00"));
    EXPECT_EQ(line(valued, "1-02-02", "Compl.a: F-R7").credit, value - dec("10.00"));
    EXPECT_EQ(line(valued, "1-01-01", "Ingreso: " + other).debit, value);
    for (const auto& l : valued) EXPECT_EQ(l.currency, "CO") << l.description;
    expect_balanced(valued);
}

TEST_P(SaleReceiptTest,
       ACashConceptPaysItsWholeBalanceInItsDefaultTypeAndNothingPaidWritesNothing) {
    add_document("F-R2", "FC", "25.00");
    const auto [receipt, lines] = write(request("F-R2", fc, "0"));
    ASSERT_FALSE(receipt.empty());
    const auto tenders = read_tenders(*db, kPostedPayment, "HOTEL", receipt);
    ASSERT_EQ(tenders.size(), 1u);
    EXPECT_EQ(tenders[0].method, "EF");
    EXPECT_EQ(tenders[0].amount, dec("25.00"));
    EXPECT_EQ(line(lines, "1-01-01", "Ingreso (D): " + receipt).debit, dec("25.00"));
    EXPECT_EQ(balance("F-R2"), Decimal());

    // A cash concept kept off the receivable posts only the money received.
    DocumentConcept off = fc;
    off.set_flag("NO_CXC", true);
    add_document("F-R3", "FC", "10.00");
    const auto [second, cash_lines] = write(request("F-R3", off, "10.00"));
    EXPECT_FALSE(has_text(cash_lines, "Abono a: "));
    EXPECT_EQ(cash_lines.size(), 1u);

    add_document("F-R4", "FA", "30.00");
    EXPECT_EQ(write(request("F-R4", fa, "0")).first, "");
    EXPECT_EQ(count("DET_MOVE", "DET_MOV2", "F-R4"), 0);
    EXPECT_EQ(balance("F-R4"), dec("30.00"));
}

TEST_P(SaleReceiptTest, AReceiptWithoutBookOrSeriesIsRefusedBeforeTheSale) {
    EXPECT_EQ(check_sale_receipt(*db, "HOTEL", fa, dec("10.00")), "");
    EXPECT_EQ(check_sale_receipt(*db, "HOTEL", fa, Decimal()), "");
    DocumentConcept c = fa;
    c.receipt_block = "99";
    EXPECT_EQ(check_sale_receipt(*db, "HOTEL", c, dec("10.00")),
              "No se encuentra el Block de Recibos: 99");
    EXPECT_EQ(check_sale_receipt(*db, "HOTEL", c, Decimal()), "") << "nothing paid";
    add_record(*db, "T_RECIBO",
               {{"NEGOCIO", std::string("HOTEL")},
                {"CODIGO", std::string("03")},
                {"SERIAL", std::string("NOPE")}});
    c.receipt_block = "03";
    EXPECT_EQ(check_sale_receipt(*db, "HOTEL", c, dec("10.00")),
              "Consecutivo de Recibo no existe: NOPE");

    add_document("F-R5", "FA", "10.00");
    try {
        write(request("F-R5", c, "10.00"));
        ADD_FAILURE() << "a receipt without its series was written";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Consecutivo de Recibo no existe: NOPE");
    }
    EXPECT_EQ(balance("F-R5"), dec("10.00"));
}

TEST_P(SaleReceiptTest, AFailedRoomChargeThrowsAndTheSaleRollsBackWhole) {
    const std::string next = GET_CURRENTSERIAL(*db, "HOTEL", "RECIBO");
    const long folio_lines = count("DET_FOL", "DET_FOL", "FOL-M002");
    {
        data::Transaction tx(*db);
        add_document("F-R6", "FA", "50.00");  // the sale's own document
        SaleReceiptRequest r = request("F-R6", fa, "50.00");
        TenderRow cash = tender("EF", "20.00");
        TenderRow room = tender("HB", "30.00");
        room.room = "CM-BODA";
        room.account = "CM-BODA";
        r.tenders = {cash, room};
        ContaTransaction conta(*db, "HOTEL", "02", r.date, r.document, {"SUP", "prueba"});
        try {
            ADD_ABONO(*db, &conta, r);
            ADD_FAILURE() << "a closed master account was charged";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "No se encuentra un Folio abierto para: CM-BODA");
        }
        tx.rollback();
    }
    EXPECT_EQ(balance("F-R6"), Decimal(-1)) << "the sale's document is gone";
    EXPECT_EQ(count("DET_MOVE", "DET_MOV2", "F-R6"), 0);
    EXPECT_EQ(count("DET_FOL", "DET_FOL", "FOL-M002"), folio_lines);
    EXPECT_EQ(GET_CURRENTSERIAL(*db, "HOTEL", "RECIBO"), next) << "the number is given back";
}

INSTANTIATE_TEST_SUITE_P(Pos, SaleReceiptTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), engine_name);
