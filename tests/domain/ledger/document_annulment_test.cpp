// Annulling documents: the mirror of the opposite concept and what the annulled document posted
// reversed; the checks in their order, each refusing with nothing written; a cash sale taking
// its payment and its stock with it; mirror numbers that do not fit; voiding blank invoices.
#include <gtest/gtest.h>

#include "domain/ledger/annulment_fixture.h"
#include "domain/ledger/serials.h"

using namespace qz;
using namespace qz::test;
using domain::AnnulmentStatus;

namespace {

TEST_P(AnnulmentTest, AnInvoiceIsMirroredAndWhatItPostedIsReversed) {
    const auto r = annul(kDemoInvoice);
    ASSERT_EQ(r.status, AnnulmentStatus::Annulled) << said();
    EXPECT_EQ(r.mirror, kDemoInvoice + "-A");
    EXPECT_EQ(said(), "Documento anulado con Éxito");
    ASSERT_TRUE(confirmed);
    EXPECT_EQ(confirmed->customer, "3101123456");
    EXPECT_EQ(confirmed->paid(), Decimal(0));

    auto original = doc(kDemoInvoice);
    const Decimal amount = original->num("MONTO");
    EXPECT_EQ(original->num("SALDO"), Decimal(0));
    EXPECT_EQ(trim(original->str("ANULADO")), r.mirror);
    EXPECT_EQ(original->date("F_ANULA"), kToday);
    EXPECT_EQ(trim(original->str("DESCRIP")), "DOCUMENTO ANULADO CON: " + r.mirror);
    auto mirror = doc(r.mirror);
    EXPECT_EQ(trim(mirror->str("CONCEPTO")), "NC");
    EXPECT_EQ(trim(mirror->str("CLIENTE")), "3101123456");
    EXPECT_EQ(mirror->num("MONTO"), amount);
    EXPECT_EQ(mirror->num("SALDO"), Decimal(0));
    EXPECT_EQ(trim(mirror->str("ANULADO")), kDemoInvoice);
    EXPECT_EQ(mirror->date("FECHA"), kToday);
    EXPECT_EQ(trim(mirror->str("DESCRIP")), "Paquete de bienestar para clientes de la agencia");
    data::Table lines = data::USE(*db, "DET_DOC", "DET_DOC");
    const std::string key = data::order_key("DET_DOC", "DET_DOC", {kHotel, r.mirror});
    lines->SetScope(key, key);
    EXPECT_EQ(lines->KeyCount(), 2);

    // Each line again on the other side, under the mirror's number, in a balanced voucher: the
    // receivable the invoice raised is gone.
    const auto reversed = posted(r.mirror);
    ASSERT_EQ(reversed.size(), posted(kDemoInvoice).size());
    EXPECT_EQ(reversed[0], "1-02-01 C " + amount.to_string(2) + " Rev Fact//CXC " + kDemoInvoice);
    EXPECT_EQ(net("1-02-01", {kDemoInvoice, r.mirror}), Decimal(0));
    EXPECT_EQ(net("4-01-01", {kDemoInvoice, r.mirror}), Decimal(0));
    EXPECT_EQ(net("2-01-05", {kDemoInvoice, r.mirror}), Decimal(0));
    const std::string voucher =
        text("DET_AS", "DET_AS6", data::order_key("DET_AS", "DET_AS6", {kHotel, r.mirror}),
             "MOVIMIENTO");
    EXPECT_EQ(
        text("ENC_AS", "ENC_AS1", data::order_key("ENC_AS", "ENC_AS1", {kHotel, voucher}), "TIPO"),
        "02");
    for (const auto& t : domain::voucher_totals(domain::voucher_lines(*db, kHotel, voucher)))
        EXPECT_TRUE(t.balanced()) << t.currency;
}

TEST_P(AnnulmentTest, WithAccountingOffNothingIsPosted) {
    set_invoicing("AFECTA_CON", 0);
    ASSERT_EQ(annul(kDemoInvoice).status, AnnulmentStatus::Annulled) << said();
    EXPECT_TRUE(posted(kDemoInvoice + "-A").empty());
}

// Each check refuses with its own message and writes nothing; the document stays valid.
TEST_P(AnnulmentTest, TheChecksRefuseInTheirOrder) {
    const auto refused = [&](const std::string& number, Date date, const std::string& message) {
        const size_t shown = inst->port.messages.size();
        const auto r = annul(number, date);
        EXPECT_EQ(r.status, AnnulmentStatus::Refused) << message;
        ASSERT_GT(inst->port.messages.size(), shown) << message;
        EXPECT_EQ(said(), message);
        EXPECT_FALSE(confirmed) << "confirmation asked before: " << message;
        EXPECT_EQ(text("DOCUMENT", "DOCUMENT",
                       data::order_key("DOCUMENT", "DOCUMENT", {kHotel, number}), "ANULADO"),
                  number == "F9" ? "<ninguno>" : "");
    };
    const auto add_invoice = [&](const char* number, Date day, long amount, long balance) {
        add_record(*db, "DOCUMENT",
                   {{"NEGOCIO", kHotel},
                    {"DOCUMENTO", std::string(number)},
                    {"CONCEPTO", std::string("FA")},
                    {"FECHA", day},
                    {"MONTO", Decimal(amount)},
                    {"SALDO", Decimal(balance)}});
    };
    refused("F9", kToday, "El documento F9 no existe");
    // 2: partly paid.
    add_invoice("F7", kToday, 10, 4);
    refused("F7", kToday, "Este documento ya ha recibido Abonos.No se puede anular...");
    // 4: the date.
    refused(kDemoInvoice, Date(), "Fecha de Anulación inválida.");
    refused(kDemoInvoice, kToday - 3,
            "La fecha de Anulación debe ser mayor o igual a la fecha del Documento");
    refused(kDemoInvoice, Date(2026, 6, 1), "La fecha de Anulación no pertenece al Mes Activo: 05");
    refused(kDemoInvoice, Date(2027, 5, 1),
            "La fecha de Anulación no pertenece al Año Activo: 2026");
    add_invoice("F6", Date(2026, 4, 30), 10, 10);
    add_invoice("F8", Date(2026, 4, 30), 10, 10);
    ASSERT_EQ(annul("F6").status, AnnulmentStatus::Annulled) << "another month, when allowed";
    set_invoicing("ANULA_MES", 1);
    refused("F8", kToday, "La fecha de Anulación no pertenece al Mes de Emisión del Documento");
    // 5: with accounting on, a period the accountant has closed.
    add_record(*db, "SALDOS",
               {{"NEGOCIO", kHotel},
                {"CUENTA", std::string("1-01-01")},
                {"ANO", Decimal(2026)},
                {"MES", Decimal(6)}});
    refused(kDemoInvoice, kToday,
            "La Fecha de la Operación contablemente se encuentra cerrada\rPeriodo Contable Actual "
            "Mes:6 Año:2026\rPeriodo Operación Mes:5 Año:2026");
    set_invoicing("AFECTA_CON", 0);
    // 6: a credit note an over-payment made.
    add_record(
        *db, "ENC_MOVE",
        {{"NEGOCIO", kHotel}, {"MOVIMIENTO", std::string("R77")}, {"NOTA_CRED", kDemoInvoice}});
    refused(kDemoInvoice, kToday,
            "La nota de crédito que desea anular, se creo producto de un abono\r\nPara anularlo se "
            "debe anular el abono");
}

TEST_P(AnnulmentTest, DecliningOrAMissingOppositeConceptWritesNothing) {
    auto r = annul(kDemoInvoice, kToday, false);
    EXPECT_EQ(r.status, AnnulmentStatus::Declined);
    ASSERT_TRUE(confirmed);
    EXPECT_EQ(text("DOCUMENT", "DOCUMENT",
                   data::order_key("DOCUMENT", "DOCUMENT", {kHotel, kDemoInvoice}), "ANULADO"),
              "");
    edit_record(*db, "CONCEPT1", "CONCEPT1",
                data::order_key("CONCEPT1", "CONCEPT1", {kHotel, "FA"}),
                [](data::WDBTable& t) { t.FieldPut("OPUESTO", std::string("XX")); });
    r = annul(kDemoInvoice);
    EXPECT_EQ(r.status, AnnulmentStatus::Refused);
    EXPECT_EQ(said(), "El concepto de Anulación XX no está definido");
    EXPECT_TRUE(posted(kDemoInvoice + "-A").empty());
    EXPECT_EQ(
        text("DOCUMENT", "DOCUMENT",
             data::order_key("DOCUMENT", "DOCUMENT", {kHotel, kDemoInvoice + "-A"}), "DOCUMENTO"),
        "<ninguno>");
}

// A partly paid document cannot be annulled; once its payment is annulled (the balance back to
// the amount) it can. Annulled twice it cannot.
TEST_P(AnnulmentTest, APaymentBlocksTheAnnulmentUntilItIsAnnulledItself) {
    const auto pay = [&](const char* balance) {
        edit_record(*db, "DOCUMENT", "DOCUMENT",
                    data::order_key("DOCUMENT", "DOCUMENT", {kHotel, kDemoInvoice}),
                    [&](data::WDBTable& t) { t.FieldPut("SALDO", Decimal::parse(balance)); });
    };
    add_record(*db, "DET_MOVE",
               {{"NEGOCIO", kHotel},
                {"MOVIMIENTO", std::string("R1")},
                {"DOCUMENTO", kDemoInvoice},
                {"MONTO", Decimal(1000)}});
    const Decimal amount = doc(kDemoInvoice)->num("MONTO");
    pay((amount - Decimal(1000)).to_string(2).c_str());
    EXPECT_EQ(annul(kDemoInvoice).status, AnnulmentStatus::Refused);
    EXPECT_EQ(said(), "Este documento ya ha recibido Abonos.No se puede anular...");
    pay(amount.to_string(2).c_str());
    ASSERT_EQ(annul(kDemoInvoice).status, AnnulmentStatus::Annulled) << said();
    EXPECT_EQ(annul(kDemoInvoice).status, AnnulmentStatus::Refused);
    EXPECT_EQ(said(), "Este documento ya se encuentra anulado");
    // The mirror is annulled by nature: it cannot be annulled in its turn.
    EXPECT_EQ(annul(kDemoInvoice + "-A").status, AnnulmentStatus::Refused);
    EXPECT_EQ(said(), "Este documento ya se encuentra anulado");
}

TEST_P(AnnulmentTest, ACashSaleTakesItsPaymentAndItsStockWithIt) {
    make_cash_sale(*db);
    const auto r = annul(kCashSale);
    ASSERT_EQ(r.status, AnnulmentStatus::Annulled) << said();
    ASSERT_EQ(r.payments, std::vector<std::string>{kCashReceipt + "-A"});
    const std::string receipt_mirror = r.payments[0];
    const auto enc = [&](const std::string& number, const char* field) {
        return text("ENC_MOVE", "ENC_MOVE",
                    data::order_key("ENC_MOVE", "ENC_MOVE", {kHotel, number}), field);
    };
    EXPECT_EQ(enc(kCashReceipt, "ANULADO"), receipt_mirror);
    EXPECT_EQ(enc(receipt_mirror, "ANULADO"), kCashReceipt);
    EXPECT_EQ(enc(receipt_mirror, "DESCRIP"), "Anula Movimiento: " + kCashReceipt);
    data::Table app = data::USE(*db, "DET_MOVE", "DET_MOVE");
    ASSERT_TRUE(app->Seek(data::order_key("DET_MOVE", "DET_MOVE", {kHotel, receipt_mirror})));
    EXPECT_EQ(trim(app->str("CONCEPTO")), "RA");
    EXPECT_EQ(trim(app->str("DESCRIP")), "(A)Cancelación " + kCashSale);
    EXPECT_EQ(app->num("SALDO_ANT"), Decimal(0));
    EXPECT_EQ(app->num("SALDO"), Decimal(56500));
    // Cash given back through its own method, the card by a negative line of its own.
    std::vector<std::string> tenders;
    data::Table ten = data::USE(*db, "DET_MOV2", "DET_MOV2");
    const std::string key = data::order_key("DET_MOV2", "DET_MOV2", {kHotel, receipt_mirror});
    ten->SetScope(key, key);
    for (ten->GoTop(); !ten->Eof(); ten->Skip())
        tenders.push_back(trim(ten->str("CODIGO")) + " " + ten->num("MONTO").to_string(2) + " " +
                          trim(ten->str("DESCRIP")));
    EXPECT_EQ(tenders,
              (std::vector<std::string>{"DE 50000.00 Anula: EF", "TC -6500.00 Anula: TC"}));

    // The stocked article is back in its warehouse; the service moved nothing.
    EXPECT_EQ(number("ARTICULO", "ARTIC1",
                     data::order_key("ARTICULO", "ARTIC1", {kHotel, "ACE01", "01"}), "CANTIDAD"),
              Decimal(10));
    data::Table mov = data::USE(*db, "DET_INV", "DET_INV");
    const std::string mkey = data::order_key("DET_INV", "DET_INV", {kHotel, "INV0001-A"});
    mov->SetScope(mkey, mkey);
    EXPECT_EQ(mov->KeyCount(), 2);
    EXPECT_EQ(text("ENC_INV", "ENC_INV",
                   data::order_key("ENC_INV", "ENC_INV", {kHotel, "INV0001-A"}), "NOMBRE"),
              "(A) Ana Mora");
    EXPECT_EQ(number("DET_DOC", "DET_DOC",
                     data::order_key("DET_DOC", "DET_DOC", {kHotel, r.mirror}), "COSTO"),
              Decimal::parse("1250.5"));

    // Sales, tax and both tenders reversed, the tenders under the payment's mirror.
    EXPECT_EQ(posted(receipt_mirror),
              (std::vector<std::string>{
                  "1-01-01 C 50000.00 Rev. Ingreso (D): " + kCashReceipt,
                  "1-01-02 C 6500.00 Rev. Ingreso (D): " + kCashReceipt + " Vchr:123 Aut:456"}));
    EXPECT_EQ(posted(r.mirror),
              (std::vector<std::string>{"4-01-01 D 50000.00 Rev Ventas: " + kCashSale,
                                        "2-01-05 D 6500.00 Rev. (T)Imp: " + kCashSale}));
}

TEST_P(AnnulmentTest, ACashSaleWhosePaymentWasAnnulledOrIsSharedIsRefused) {
    make_cash_sale(*db);
    add_record(*db, "DET_MOVE",
               {{"NEGOCIO", kHotel},
                {"MOVIMIENTO", kCashReceipt},
                {"DOCUMENTO", kDemoInvoice},
                {"MONTO", Decimal(1)}});
    EXPECT_EQ(annul(kCashSale).status, AnnulmentStatus::Refused);
    EXPECT_EQ(said(), "El movimiento " + kCashReceipt +
                          " se aplicó también a otros documentos.\rDebe anularse el movimiento "
                          "antes de anular el presente documento.");
    edit_record(*db, "DOCUMENT", "DOCUMENT",
                data::order_key("DOCUMENT", "DOCUMENT", {kHotel, kCashSale}),
                [](data::WDBTable& t) { t.FieldPut("SALDO", Decimal(56500)); });
    EXPECT_EQ(annul(kCashSale).status, AnnulmentStatus::Refused);
    EXPECT_EQ(said(),
              "Este documento ya ha recibido Anulación de Abonos.Debe volver a aplicar un pago y "
              "dejar el saldo en Cero, antes de poder anular el presente documento\rNo se puede "
              "anular...");
}

// A number too long for "-A" keeps its first 13 characters; a second one shortening to the same
// mirror is refused instead of being merged into the first one's.
TEST_P(AnnulmentTest, LongNumbersAreShortenedAndACollisionRefused) {
    for (const char* number : {"FAC00000000001", "FAC00000000002", "FAC0000000001"})
        add_record(*db, "DOCUMENT",
                   {{"NEGOCIO", kHotel},
                    {"DOCUMENTO", std::string(number)},
                    {"CONCEPTO", std::string("FA")},
                    {"FECHA", kToday},
                    {"MONTO", Decimal(5)},
                    {"SALDO", Decimal(5)}});
    auto r = annul("FAC00000000001");
    ASSERT_EQ(r.status, AnnulmentStatus::Annulled) << said();
    EXPECT_EQ(r.mirror, "FAC0000000000-A");
    EXPECT_EQ(text("DOCUMENT", "DOCUMENT",
                   data::order_key("DOCUMENT", "DOCUMENT", {kHotel, "FAC0000000000-A"}), "ANULADO"),
              "FAC00000000001");
    r = annul("FAC00000000002");
    EXPECT_EQ(r.status, AnnulmentStatus::Refused);
    EXPECT_EQ(said(),
              "Ya existe un documento con el número de anulación FAC0000000000-A. No se "
              "puede anular...");
    EXPECT_EQ(annul("FAC0000000001").mirror, "FAC0000000001-A") << "13 characters fit";
}

TEST_P(AnnulmentTest, ABlankInvoiceNumberIsAccountedForByAnAnnulledDocumentOfNothing) {
    const auto voiding = [&](const std::string& number, Date date = kToday) {
        return domain::void_blank_invoice(*db, inst->port, {kHotel, "FA", number, "SUP", date});
    };
    const std::string before = trim(domain::GET_CURRENTSERIAL(*db, kHotel, "FACTURA"));
    auto r = voiding("");
    ASSERT_EQ(r.status, AnnulmentStatus::Annulled) << said();
    const std::string next = r.mirror.substr(0, r.mirror.size() - 2);
    EXPECT_EQ(said(), "Documento anulado con Éxito: " + next);
    EXPECT_GE(next, before) << "drawn from the concept's series";
    auto blank = doc(next);
    EXPECT_EQ(blank->num("MONTO"), Decimal(0));
    EXPECT_EQ(trim(blank->str("ANULADO")), next + "-A");
    EXPECT_EQ(trim(doc(next + "-A")->str("CONCEPTO")), "NC");
    EXPECT_NE(trim(domain::GET_CURRENTSERIAL(*db, kHotel, "FACTURA")), next) << "number spent";
    EXPECT_EQ(voiding(kDemoInvoice).status, AnnulmentStatus::Refused);
    EXPECT_EQ(said(), "Este número de documento ya existe: " + kDemoInvoice);
    EXPECT_EQ(voiding("F0000999", Date(2026, 4, 1)).status, AnnulmentStatus::Refused);
    EXPECT_EQ(said(), "La fecha de Anulación no pertenece al Mes Activo: 05");
    EXPECT_EQ(voiding("F0000999").status, AnnulmentStatus::Annulled) << said();
    EXPECT_TRUE(posted("F0000999-A").empty());
}

INSTANTIATE_TEST_SUITE_P(Engines, AnnulmentTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), engine_name);

}  // namespace
