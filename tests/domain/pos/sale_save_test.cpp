// The save of a point-of-sale sale: what it writes for invoices, amount-only documents and
// orders, the refusals that leave the sale as typed and write nothing, and the failures inside
// the transaction that leave nothing of the sale but void the cards it charged.
#include "data/transaction.h"
#include "domain/ledger/document_reads.h"
#include "domain/pos/sale_card_void.h"
#include "domain/pos/sale_documents.h"
#include "sale_save_fixture.h"

using namespace qz;
using namespace qz::domain;
using namespace qz::domain::pos;
using qz::test::Engine;

namespace {

SaleLine line(const char* q, const char* p, const char* tax, const char* discount) {
    SaleLine l;
    l.code = "X";
    l.quantity = Decimal::parse(q);
    l.price = Decimal::parse(p);
    l.tax = Decimal::parse(tax);
    l.discount = Decimal::parse(discount);
    return l;
}

}  // namespace

TEST(SaleDocumentFiguresTest, GrossKeepsEveryDecimalWhileTaxAndDiscountRoundOnceOnTheirSums) {
    // Line by line each tax would round 0.0433 → 0.04 three times (0.12); on the sum, 0.13.
    const std::vector<SaleLine> lines(3, line("1.000", "0.3333", "13", "0"));
    const DocumentFigures f = document_figures(lines, {});
    EXPECT_EQ(f.gross, Decimal::parse("0.9999"));
    EXPECT_EQ(f.tax, Decimal::parse("0.13"));
    EXPECT_EQ(f.amount(), Decimal::parse("1.13"));
    // The discount is rounded once too, and the tax is on the discounted amount.
    const DocumentFigures d = document_figures({line("3", "10.0050", "10", "15")}, {});
    EXPECT_EQ(d.gross, Decimal::parse("30.015"));
    EXPECT_EQ(d.discount, Decimal::parse("4.50"));  // 4.50225
    EXPECT_EQ(d.tax, Decimal::parse("2.55"));       // 2.551275
    EXPECT_EQ(d.amount(), Decimal::parse("28.07"));
    // Freight and load of the lines, per unit when the business says so.
    SaleLine fl = line("2", "5", "0", "0");
    fl.freight = Decimal(3);
    fl.load = Decimal(1);
    const DocumentFigures o = document_figures({fl}, {true, true});
    EXPECT_EQ(o.freight, Decimal(6));
    EXPECT_EQ(o.amount(), Decimal(18));
}

TEST(SaleDocumentFiguresTest, LinesSplitIntoDocumentsOfMaxLines) {
    const std::vector<SaleLine> lines(21, line("1", "1", "0", "0"));
    const auto g = split_lines(lines, 10);
    ASSERT_EQ(g.size(), 3u);
    EXPECT_EQ(g[0].size(), 10u);
    EXPECT_EQ(g[1].size(), 10u);
    EXPECT_EQ(g[2].size(), 1u);
    EXPECT_EQ(split_lines(lines, 0).size(), 1u);
    EXPECT_TRUE(split_lines({}, 10).empty());
}

class SaleSaveTest : public test::SaleSaveFixture {};

TEST_P(SaleSaveTest, TwentyOneLinesOfTenBecomeThreeDocumentsWithTheirOwnNumbersAndInstalments) {
    concept_field("FA", "MAX_LINEAS", Decimal(10));
    auto& d = open("FA", "3101123456");
    const char* services[] = {"MAS001", "MAS002", "FAC001", "BIE001", "BIE002"};
    for (int i = 0; i < 21; ++i) test::add_line(d, services[i % 5]);
    ASSERT_EQ(std::count_if(d.lines().begin(), d.lines().end(),
                            [](const SaleLine& l) { return !l.empty(); }),
              21);
    const Decimal invoiced = d.figures().invoiced;
    const auto before = counts();
    const std::string first = next_number();
    const long long issued = series_number("FACTURA");
    // Two numbers left in the series: refused, and nothing written.
    series_field("FACTURA", "NUMERO2", Decimal(issued + 2));
    EXPECT_FALSE(save());
    EXPECT_TRUE(
        told("Está sobrepasando el Límite del Consecutivo.  Concepto: Factura Crédito\r"
             "Último número válido: " +
             std::to_string(issued + 2)))
        << all_told();
    EXPECT_EQ(counts(), before);
    EXPECT_EQ(next_number(), first);

    series_field("FACTURA", "NUMERO2", Decimal(issued + 3));
    const auto saved = save();
    ASSERT_TRUE(saved) << all_told();
    ASSERT_EQ(saved->documents.size(), 3u);
    EXPECT_EQ(saved->documents[0], first);
    EXPECT_NE(saved->documents[1], saved->documents[0]);
    EXPECT_NE(saved->documents[2], saved->documents[1]);
    EXPECT_EQ(added(before, "DOCUMENT"), 3);
    EXPECT_EQ(rows_of("DET_DOC", saved->documents[0]), 10);
    EXPECT_EQ(rows_of("DET_DOC", saved->documents[1]), 10);
    EXPECT_EQ(rows_of("DET_DOC", saved->documents[2]), 1);
    for (const auto& n : saved->documents) EXPECT_EQ(rows_of("DOC_PARC", n), 1) << n;
    // The documents add up to the sale, and each line knows its place in its document.
    Decimal total;
    for (const auto& n : saved->documents) {
        const auto h = read_document_header(*db, test::kSaleBiz, n);
        ASSERT_TRUE(h);
        EXPECT_EQ(h->balance, h->amount);
        EXPECT_EQ(h->due, test::kSaleDay + 30);
        total += h->amount;
    }
    EXPECT_EQ(total, invoiced);
    data::Table t = data::USE(*db, "DET_DOC", "DET_DOC");
    const std::string key = data::order_key("DET_DOC", "DET_DOC", {test::kSaleBiz, first});
    t->SetScope(key, key);
    long expected = 0;
    for (t->GoTop(); !t->Eof(); t->Skip()) EXPECT_EQ(t->num("N_INDEX"), Decimal(expected++));
    // The screen is ready for the next sale with the register's defaults.
    EXPECT_EQ(d.figures().invoiced, Decimal());
    EXPECT_EQ(d.header().doc_concept, "FA");
}

TEST_P(SaleSaveTest, RefusalsLeaveTheSaleAsTypedAndWriteNothing) {
    struct Case {
        const char* name;
        std::function<void(SaleSaveContext&)> setup;
        const char* told;
    };
    const std::vector<Case> cases = {
        {"no date", [](SaleSaveContext& c) { c.date = Date(); }, "Fecha inválida"},
        {"no register", [](SaleSaveContext& c) { c.register_code.clear(); },
         "Debe abrir primero una caja"},
        {"no operator", [](SaleSaveContext& c) { c.operator_code.clear(); },
         "Debe asociar un Digitador"},
        {"old date", [](SaleSaveContext& c) { c.date = Date(1949, 12, 31); },
         "Fecha de Documento inválida"},
    };
    // The accounting period would refuse the old date first.
    settings_field("AFECTA_CON", Decimal(0));
    ASSERT_FALSE(read_ledger_settings(*db, test::kSaleBiz).posts);
    auto& d = open("FA", "3101123456");
    test::add_line(d, "MAS001");
    const auto before = counts();
    const std::string number = next_number();
    for (const Case& c : cases) {
        inst->port.messages.clear();
        auto ctx = test::counter_context(test::kSaleDay);
        c.setup(ctx);
        EXPECT_FALSE(save({}, ctx)) << c.name;
        EXPECT_TRUE(told(c.told)) << c.name << ": " << all_told();
    }
    // A generic customer buys on credit.
    inst->port.messages.clear();
    open("FA", "CONTADO");
    test::add_line(*draft, "MAS001");
    EXPECT_FALSE(save());
    EXPECT_TRUE(told("No es posible facturar a crédito a un cliente genérico")) << all_told();
    // Tenders that do not add up to the amount paid: the dialog opens, and when the cashier
    // leaves it so, the sale is not saved.
    open("FA", "3101123456");
    test::add_line(*draft, "MAS001");
    TenderRow cash;
    cash.code = "EF";
    cash.amount = Decimal(1000);
    tenders = {cash};
    hooks.on_tenders = [] { return false; };
    EXPECT_FALSE(save());
    ASSERT_FALSE(hooks.captions.empty());
    EXPECT_EQ(hooks.captions.back(), "El Abono no concuerda con la Forma de Pago");
    // An instalment plan that does not add up to the document.
    tenders.clear();
    inst->port.messages.clear();
    draft->set_plan_row(0, {30, Decimal(100), Decimal(), Decimal()});
    EXPECT_FALSE(save());
    EXPECT_TRUE(
        told("Los plazos de Pago no suman el monto total del documento\r"
             "Presione F3 (Plazos Parciales) para corregir la situación"))
        << all_told();
    EXPECT_EQ(counts(), before);
    EXPECT_EQ(next_number(), number);
    EXPECT_FALSE(draft->lines()[0].empty());
}

TEST_P(SaleSaveTest, ARefusedCreditStopsTheSaveOnTheLinesAndAnAuthorisedOneIsRecorded) {
    test::edit_record(
        *db, "DET_CLIE", "DET_CLIE7",
        data::order_key("DET_CLIE", "DET_CLIE7", {test::kSaleBiz, "3101123456", "01"}),
        [](data::WDBTable& t) { t.FieldPut("LIMITE", Decimal(1)); });
    settings_field("GRABA_ENC2", Decimal(1));
    auto& d = open("FA", "3101123456");
    test::add_line(d, "MAS001");
    const auto before = counts();
    hooks.credit_answer = false;
    EXPECT_FALSE(save());
    EXPECT_EQ(hooks.credit_asked, 1);
    EXPECT_EQ(hooks.focused, 1);
    EXPECT_EQ(counts(), before);

    hooks.credit_answer = true;
    const auto saved = save();
    ASSERT_TRUE(saved) << all_told();
    EXPECT_EQ(hooks.credit_asked, 2);
    const auto doc = read_document_data(*db, test::kSaleBiz, saved->documents.at(0));
    ASSERT_TRUE(doc && doc->extra);
    EXPECT_TRUE(doc->extra->credit_approved);

    // A cash sale is paid at the counter: it adds nothing to what the customer owes, so the
    // walk-in customer, who has no limit and owes nothing, is not stopped for credit.
    auto& cash = open("FC", "CONTADO");
    test::add_line(cash, "MAS001");
    hooks.on_tenders = [&] {
        TenderRow t;
        t.code = "EF";
        t.amount = draft->figures().invoiced;
        tenders = {t};
        draft->set_paid(t.amount);
        return true;
    };
    ASSERT_TRUE(save()) << all_told();
    EXPECT_EQ(hooks.credit_asked, 2);
}

TEST_P(SaleSaveTest, ASecondSaveWhileTheFirstRunsReturnsAtOnceAndTheSaleIsSavedOnce) {
    auto& d = open("FA", "3101123456");
    auto reg = test::counter_register("FA", "3101123456");
    reg.ask_tenders = true;
    d.PARAMS_CAJA(reg);
    test::add_line(d, "MAS001");
    const auto before = counts();
    bool inner_refused = false, busy_inside = false;
    hooks.on_tenders = [&] {
        // A second OK while the tenders dialog is open.
        busy_inside = saver->busy();
        inner_refused = !save();
        return true;
    };
    const auto saved = save();
    ASSERT_TRUE(saved) << all_told();
    EXPECT_TRUE(busy_inside);
    EXPECT_TRUE(inner_refused);
    EXPECT_EQ(hooks.captions, std::vector<std::string>{"Digite la forma de Pago del Cliente"});
    EXPECT_EQ(added(before, "DOCUMENT"), 1);
    EXPECT_FALSE(saver->busy());
}

TEST_P(SaleSaveTest, AnAmountOnlyConceptSavesTheTypedAmountWithoutLines) {
    auto& d = open("ND", "3101123456");
    (void)d;
    const auto before = counts();
    SaleExtras e;
    e.typed_amount = Decimal::parse("1500.50");
    e.descriptions = {"Cargo por daños", "", ""};
    const auto saved = save(e);
    ASSERT_TRUE(saved) << all_told();
    ASSERT_EQ(saved->documents.size(), 1u);
    const auto doc = read_document_data(*db, test::kSaleBiz, saved->documents[0]);
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->header.gross, Decimal::parse("1500.50"));
    EXPECT_EQ(doc->header.amount, Decimal::parse("1500.50"));
    EXPECT_EQ(doc->header.balance, Decimal::parse("1500.50"));
    EXPECT_EQ(doc->header.description, "Cargo por daños");
    EXPECT_TRUE(doc->lines.empty());
    EXPECT_TRUE(doc->extra);
    ASSERT_EQ(doc->instalments.size(), 1u);
    EXPECT_EQ(added(before, "DET_DOC"), 0);
}

TEST_P(SaleSaveTest, AnOrderIsSavedAmongOrdersAndHoldsItsUnitsBack) {
    // The demonstration numbers orders from its series PEDIDO.
    test::add_record(*db, "ETAPAS_P",
                     {{"NEGOCIO", test::kSaleBiz}, {"CODIGO", "NUEV"}, {"CTRL_CRED", Decimal(0)}});
    test::add_record(*db, "ETAPAS_P",
                     {{"NEGOCIO", test::kSaleBiz}, {"CODIGO", "APRO"}, {"CTRL_CRED", Decimal(1)}});
    SaleMode order;
    order.kind = SaleKind::Order;
    auto& d = open("FA", "3101123456", order);
    test::add_line(d, "ACE001", "3");
    const auto held = stock("ACE001");
    const auto before = counts();
    const auto saved = save();
    ASSERT_TRUE(saved) << all_told();
    EXPECT_EQ(saved->print_type, 1);
    ASSERT_EQ(saved->documents.size(), 1u);
    EXPECT_EQ(added(before, "ENC_PED"), 1);
    EXPECT_EQ(added(before, "DET_PED"), 1);
    EXPECT_EQ(added(before, "DOCUMENT"), 0);
    EXPECT_EQ(added(before, "ENC_INV"), 0);
    EXPECT_EQ(stock("ACE001").reserved, held.reserved + 3);
    EXPECT_EQ(stock("ACE001").quantity, held.quantity);
    data::Table t = data::USE(*db, "ENC_PED", "ENC_PED");
    ASSERT_TRUE(
        t->Seek(data::order_key("ENC_PED", "ENC_PED", {test::kSaleBiz, saved->documents[0]})));
    // An order the credit control let through enters the stage of authorised orders.
    EXPECT_EQ(trim(t->str("ETAPA")), hooks.credit_asked ? "APRO" : "NUEV");
}

TEST_P(SaleSaveTest, AnOrderInvoicedGivesItsUnitsBackAndIsNeverInvoicedTwice) {
    // The demonstration numbers orders from its series PEDIDO.
    settings_field("ETAP_FACT", "FACT");
    SaleMode order;
    order.kind = SaleKind::Order;
    test::add_line(open("FA", "3101123456", order), "ACE001", "3");
    const auto held = stock("ACE001");
    const auto ordered = save();
    ASSERT_TRUE(ordered) << all_told();
    SaleMode invoice;
    invoice.source_mode = kInvoiceFromOrder;
    invoice.source_document = ordered->documents.at(0);
    test::add_line(open("FA", "3101123456", invoice), "ACE001", "3");
    const auto invoiced = save();
    ASSERT_TRUE(invoiced) << all_told();
    EXPECT_EQ(stock("ACE001").reserved, held.reserved);
    EXPECT_EQ(stock("ACE001").quantity, held.quantity - 3);
    data::Table t = data::USE(*db, "ENC_PED", "ENC_PED");
    ASSERT_TRUE(
        t->Seek(data::order_key("ENC_PED", "ENC_PED", {test::kSaleBiz, invoice.source_document})));
    EXPECT_EQ(trim(t->str("FACTURA")), invoiced->documents.at(0));
    EXPECT_EQ(trim(t->str("ETAPA")), "FACT");
    data::KILLTABLA(*db, t);
    // A second workstation that had the same order open cannot invoice it again.
    const auto before = counts();
    const std::string number = next_number();
    test::add_line(open("FA", "3101123456", invoice), "ACE001", "3");
    EXPECT_FALSE(save());
    EXPECT_TRUE(told("ya fue procesado con: " + invoiced->documents.at(0))) << all_told();
    EXPECT_TRUE(told(kSaleFailed));
    EXPECT_EQ(counts(), before);
    EXPECT_EQ(next_number(), number);
    EXPECT_EQ(stock("ACE001").quantity, held.quantity - 3);
}

TEST_P(SaleSaveTest, AnInvoiceIssuesItsStockAndReturnsTheTicketsToPrint) {
    settings_field("GENERA_INV", Decimal(1));
    settings_field("CON_INV", "01");
    auto& d = open("FA", "3101123456");
    test::add_line(d, "ACE001", "2");
    test::add_line(d, "PAS001", "3");
    const Decimal on_hand = stock("ACE001").quantity;
    const auto before = counts();
    const auto saved = save();
    ASSERT_TRUE(saved) << all_told();
    EXPECT_FALSE(saved->inventory_movement.empty());
    EXPECT_EQ(added(before, "ENC_INV"), 1);
    EXPECT_EQ(added(before, "DET_INV"), 2);
    EXPECT_EQ(stock("ACE001").quantity, on_hand - 2);
    ASSERT_EQ(saved->tickets.size(), 1u);
    EXPECT_EQ(saved->tickets[0].article, "PAS001");
    EXPECT_EQ(saved->tickets[0].quantity, Decimal(3));
    const auto doc = read_document_data(*db, test::kSaleBiz, saved->documents.at(0));
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->lines.size(), 2u);
    data::Table t = data::USE(*db, "DET_DOC", "DET_DOC");
    ASSERT_TRUE(
        t->Seek(data::order_key("DET_DOC", "DET_DOC", {test::kSaleBiz, saved->documents[0]})));
    EXPECT_EQ(t->num("INV_TOT"), on_hand);
    // Without an inventory issue the warehouse stock still follows the sale.
    settings_field("GENERA_INV", Decimal(0));
    open("FA", "3101123456");
    test::add_line(*draft, "ACE001", "1");
    ASSERT_TRUE(save()) << all_told();
    EXPECT_EQ(stock("ACE001").quantity, on_hand - 3);
    EXPECT_EQ(added(before, "ENC_INV"), 1);
}

TEST_P(SaleSaveTest, APaidSaleWhoseReceiptFailsLeavesNothingAndItsCardIsVoided) {
    settings_field("GENERA_INV", Decimal(1));
    settings_field("CON_INV", "01");
    auto& d = open("FC", "CONTADO");
    test::add_line(d, "ACE001", "2");
    const Decimal on_hand = stock("ACE001").quantity;
    const std::string number = next_number();
    const std::string movement = next_number("INVSAL");
    const auto before = counts();
    hooks.on_tenders = [&] {
        TenderRow card;
        card.code = "EF";
        card.amount = draft->figures().invoiced;
        card.card = "4111111111111111";
        card.reference = "REF001";
        card.card_authorisation = "AUT9";
        card.terminal = 1;
        // A charge to a room without an open folio: the receipt fails inside the sale.
        TenderRow room;
        room.code = "HB";
        room.amount = Decimal(1);
        room.room = "999";
        room.account = "RES-NINGUNA";
        card.amount -= room.amount;
        tenders = {card, room};
        draft->set_paid(card.amount + room.amount);
        return true;
    };
    const long logs = data::USE(*db, "LOG_P_EL")->KeyCount();
    EXPECT_FALSE(save());
    EXPECT_TRUE(told(kSaleFailed)) << all_told();
    EXPECT_EQ(counts(), before);
    EXPECT_EQ(stock("ACE001").quantity, on_hand);
    EXPECT_EQ(next_number(), number);
    EXPECT_EQ(next_number("INVSAL"), movement);
    ASSERT_EQ(terminal.requests.size(), 1u);
    EXPECT_EQ(terminal.requests[0].operation, kCardVoid);
    EXPECT_EQ(terminal.requests[0].reference, "REF001");
    EXPECT_EQ(terminal.requests[0].amount, draft->figures().invoiced - Decimal(1));
    EXPECT_EQ(data::USE(*db, "LOG_P_EL")->KeyCount(), logs + 1);
    EXPECT_FALSE(told("no se pudo anular"));
    // A voided card pays nothing more: it is gone from the sale's tenders.
    ASSERT_EQ(tenders.size(), 1u);
    EXPECT_EQ(tenders[0].code, "HB");
    // The sale is still on the screen; a void the network refuses is told to the cashier.
    EXPECT_FALSE(draft->lines()[0].empty());
    terminal.approve = false;
    EXPECT_FALSE(save());
    EXPECT_TRUE(told(card_void_failed("4111111111111111"))) << all_told();
    EXPECT_EQ(data::USE(*db, "LOG_P_EL")->KeyCount(), logs + 2);
}

// The tenders dialog cancelled, or the screen closed on an unsaved sale: the cards charged for
// it are voided once, and the ones the sale already held before the dialog stay.
TEST_P(SaleSaveTest, CardsChargedForAnAbandonedPaymentAreVoidedOnce) {
    auto approved = [](const std::string& card, const std::string& ref) {
        TenderRow t;
        t.code = "EF";
        t.amount = Decimal(100);
        t.card = card;
        t.reference = ref;
        t.card_authorisation = "A" + ref;
        t.terminal = 1;
        return t;
    };
    TenderRow cash;
    cash.code = "EF";
    cash.amount = Decimal(50);
    std::vector<TenderRow> rows{approved("4111111111111111", "R1"),
                                approved("5500000000000004", "R2"), cash};
    const std::vector<TenderRow> held{rows[0]};
    void_abandoned_cards(*db, inst->port, terminal, "HOTEL", "CO", rows, held);
    ASSERT_EQ(terminal.requests.size(), 1u);
    EXPECT_EQ(terminal.requests[0].reference, "R2");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].reference, "R1");
    EXPECT_EQ(rows[1].amount, Decimal(50));
    void_abandoned_cards(*db, inst->port, terminal, "HOTEL", "CO", rows, held);
    EXPECT_EQ(terminal.requests.size(), 1u);
    void_abandoned_cards(*db, inst->port, terminal, "HOTEL", "CO", rows);
    EXPECT_EQ(terminal.requests.size(), 2u);
    EXPECT_EQ(rows.size(), 1u);
}

// A work order's invoice marks the order processed with the sale, once.
TEST_P(SaleSaveTest, AWorkOrderIsInvoicedOnceAndMarkedWithItsInvoice) {
    {
        data::Transaction tx(*db);
        data::Table t = data::USE(*db, "ENC_WO");
        data::ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", test::kSaleBiz);
        t->FieldPut("CODIGO", "WO0001");
        t->FieldPut("CLIENTE", "3101123456");
        data::UNLOCK_NEW_REC(*t);
        data::KILLTABLA(*db, t);
        tx.commit();
    }
    SaleMode mode;
    mode.kind = SaleKind::WorkOrder;
    mode.source_document = "WO0001";
    auto& d = open("FA", "3101123456", mode);
    test::add_line(d, "MAS001");
    const auto saved = save();
    ASSERT_TRUE(saved) << all_told();
    EXPECT_TRUE(saved->close_screen);
    data::Table t = data::USE(*db, "ENC_WO", "ENC_WO");
    ASSERT_TRUE(t->Seek(data::order_key("ENC_WO", "ENC_WO", {test::kSaleBiz, "WO0001"})));
    EXPECT_EQ(trim(t->str("MOV_CXC")), saved->documents.front());
    EXPECT_EQ(t->num("PROCESADO"), Decimal(1));
    EXPECT_EQ(t->date("FEC_CXC"), test::kSaleDay);
    data::KILLTABLA(*db, t);
    const auto before = counts();
    open("FA", "3101123456", mode);
    test::add_line(*draft, "MAS001");
    EXPECT_FALSE(save());
    EXPECT_TRUE(
        told("La Work Order ya tiene una factura asociada. Factura: " + saved->documents.front()))
        << all_told();
    EXPECT_EQ(counts(), before);
}

TEST_P(SaleSaveTest, WhatTheSaleCameFromIsLinkedInsideTheSaleOrTheSaleIsLost) {
    auto& d = open("FA", "3101123456");
    test::add_line(d, "MAS001");
    const auto before = counts();
    auto ctx = test::counter_context(test::kSaleDay);
    std::vector<std::string> seen;
    ctx.on_written = [&](data::Db& db2, const std::vector<std::string>& docs) {
        seen = docs;
        EXPECT_EQ(data::USE(db2, "DOCUMENT")->KeyCount(), before.at("DOCUMENT") + 1);
        throw std::runtime_error("La reservación ya fue facturada");
    };
    EXPECT_FALSE(save({}, ctx));
    EXPECT_EQ(seen.size(), 1u);
    EXPECT_TRUE(told("La reservación ya fue facturada")) << all_told();
    EXPECT_TRUE(told(kSaleFailed));
    EXPECT_EQ(counts(), before);
}

INSTANTIATE_TEST_SUITE_P(Pos, SaleSaveTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
