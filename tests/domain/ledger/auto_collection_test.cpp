// Automatic collections on the demonstration business: the gym 3102555777 pays by standing order
// on the 15th two instalment invoices of concept FP, one with its first instalment paid (next
// charge: the second instalment whole, 100,000.00 + 5,000.00) and one paid in part (30,000.00 of
// principal and the 2,500.00 interest of its first instalment, so 20,000.00 of that instalment
// is left).
#include "domain/ledger/auto_collection.h"

#include <gtest/gtest.h>

#include "domain/ledger/auto_collection_file.h"
#include "domain/ledger/auto_collection_payments.h"
#include "domain/ledger/payment_posting.h"
#include "domain/ledger/payment_rows.h"
#include "payment_fixture.h"
#include "support/record_edit.h"

using namespace qz;
using namespace qz::domain;
using namespace qz::test;

namespace {

const std::string kGym = "3102555777";

// The counter at the end of a receipt number ("R00000502" -> 502).
long long counter(const std::string& receipt) {
    const size_t digits = receipt.find_last_not_of("0123456789") + 1;
    return std::stoll(receipt.substr(digits));
}

}  // namespace

class AutoCollectionTest : public DemoLedgerTest {
protected:
    void SetUp() override {
        DemoLedgerTest::SetUp();
        if (!db) return;
        list = std::make_unique<AutoCollection>(*db, inst->port, kPayBiz);
        list->rebuild(15, {"FP"});
    }
    const CollectionRow& row(size_t i) const { return list->rows().at(i); }
    // The whole instalment first, the part-paid one second (both are FP invoices by number).
    size_t whole() const { return row(0).principal == dec("100000.00") ? 0 : 1; }
    size_t part() const { return 1 - whole(); }
    CollectionRun run() {
        CollectionRun r;
        r.method = "EF";
        r.block = "01";
        r.register_code = "CXC1";
        r.pass_code = "cobros";
        r.clerk = "0001";
        r.date = kPayDay;
        r.rates = collection_rates(*db, inst->port, kPayBiz, kPayDay);
        return r;
    }
    // Both rows ready to apply: the part-paid one charged what is left of its instalment.
    void mark_both() {
        ASSERT_TRUE(list->change_row(part(), "C1", dec("20000.00"), Decimal()));
        ASSERT_TRUE(list->toggle_mark(whole()));
        ASSERT_TRUE(list->toggle_mark(part()));
    }

    std::unique_ptr<AutoCollection> list;
};

TEST_P(AutoCollectionTest, TheListHoldsTheOpenDocumentsOfTheDayWithTheirNextCharge) {
    ASSERT_EQ(list->rows().size(), 2u);
    const CollectionRow& w = row(whole());
    EXPECT_EQ(w.customer, kGym);
    EXPECT_EQ(w.branch, "01");
    EXPECT_EQ(w.balance, dec("200000.00"));
    EXPECT_EQ(w.interest, dec("5000.00"));
    EXPECT_EQ(w.instalment, dec("105000.00"));
    EXPECT_TRUE(w.whole_instalment());
    const CollectionRow& p = row(part());
    EXPECT_EQ(p.principal, dec("20000.00")) << "52,500.00 less the 32,500.00 paid";
    EXPECT_EQ(p.interest, Decimal()) << "its interest was paid first";
    EXPECT_FALSE(p.whole_instalment());

    list->rebuild(14, {"FP"});
    EXPECT_TRUE(list->rows().empty()) << "another collection day";
    list->rebuild(15, {"FA", "ND"});
    EXPECT_TRUE(list->rows().empty()) << "other concepts";
    test::edit_record(*db, "CLIENTES", "CLIENTES",
                      data::order_key("CLIENTES", "CLIENTES", {kPayBiz, kGym}),
                      [](data::WDBTable& t) { t.FieldPut("ESTADO", Decimal()); });
    list->rebuild(15, {"FP"});
    EXPECT_TRUE(list->rows().empty()) << "an inactive customer is not charged";
}

TEST_P(AutoCollectionTest, UpdatingNeedsADayAndAConceptAndAsksFirst) {
    EXPECT_FALSE(list->Actualizar(0, {"FP"}));
    EXPECT_EQ(said(), kNoDay);
    EXPECT_FALSE(list->Actualizar(15, {}));
    EXPECT_EQ(said(), kNoConcept);
    inst->port.answer = false;
    EXPECT_FALSE(list->Actualizar(14, {"FP"}));
    EXPECT_EQ(list->rows().size(), 2u) << "declined: the list stays";
}

TEST_P(AutoCollectionTest, OnlyWholeInstalmentsAreMarked) {
    EXPECT_FALSE(list->toggle_mark(part()));
    EXPECT_EQ(said(), kWholeInstalments);
    EXPECT_FALSE(list->change_row(std::nullopt, "", dec("1"), Decimal()));
    EXPECT_EQ(said(), kNoRowSelected);

    ASSERT_TRUE(list->change_row(part(), "C1", dec("20000.00"), dec("500.00")));
    EXPECT_EQ(row(part()).instalment, dec("20500.00"));
    EXPECT_TRUE(list->toggle_mark(part()));
    EXPECT_TRUE(list->toggle_mark(whole()));
    EXPECT_TRUE(list->toggle_mark(whole())) << "unmarked again";
    const CollectionTotals t = list->totals();
    EXPECT_EQ(t.applied_rows, 1);
    EXPECT_EQ(t.applied, dec("20500.00"));
    EXPECT_EQ(t.pending_rows, 1);
    EXPECT_EQ(t.pending, dec("105000.00"));
}

TEST_P(AutoCollectionTest, EachMarkedRowBecomesItsOwnPayment) {
    mark_both();
    const std::string whole_doc = row(whole()).document, part_doc = row(part()).document;
    const CollectionResult r = generate_payments(*db, inst->port, *list, run());
    ASSERT_FALSE(r.refused) << said();
    ASSERT_EQ(r.paid.size(), 2u) << said();
    EXPECT_TRUE(r.failed.empty());
    EXPECT_EQ(said(), kEndOfRun);
    EXPECT_TRUE(list->rows().empty()) << "the rows paid leave the list";
    EXPECT_EQ(counter(r.paid[1].receipt), counter(r.paid[0].receipt) + 1)
        << r.paid[0].receipt << " " << r.paid[1].receipt;

    const DocState w = doc_state(*db, whole_doc);
    EXPECT_EQ(w.balance, dec("100000.00"));
    EXPECT_EQ(w.interest, dec("10000.00")) << "the interest paid is added";
    EXPECT_EQ(doc_state(*db, part_doc).balance, dec("100000.00"));

    const std::string receipt =
        r.paid[0].document == whole_doc ? r.paid[0].receipt : r.paid[1].receipt;
    const auto apps = read_applications(*db, kPostedPayment, kPayBiz, receipt);
    ASSERT_EQ(apps.size(), 1u);
    EXPECT_EQ(apps[0].concept_code, "AB");
    EXPECT_EQ(apps[0].amount, dec("100000.00"));
    EXPECT_EQ(apps[0].interest, dec("5000.00"));
    EXPECT_EQ(apps[0].balance_before, dec("200000.00"));
    EXPECT_EQ(apps[0].balance_after, dec("100000.00"));
    const auto tenders = read_tenders(*db, kPostedPayment, kPayBiz, receipt);
    ASSERT_EQ(tenders.size(), 1u);
    EXPECT_EQ(tenders[0].method, "EF");
    EXPECT_EQ(tenders[0].amount, dec("105000.00"));
    for (const auto& p : r.paid) expect_balanced(lines_for(*db, p.receipt));
}

TEST_P(AutoCollectionTest, ARefusalWritesNothing) {
    mark_both();
    const long receipts = row_count(*db, "ENC_MOVE"), vouchers = row_count(*db, "DET_AS");
    auto expect_untouched = [&] {
        EXPECT_EQ(row_count(*db, "ENC_MOVE"), receipts);
        EXPECT_EQ(row_count(*db, "DET_AS"), vouchers);
        EXPECT_EQ(list->rows().size(), 2u);
    };
    CollectionRun r = run();
    r.method.clear();
    EXPECT_TRUE(generate_payments(*db, inst->port, *list, r).refused);
    EXPECT_EQ(said(), kNoMethod);
    r = run();
    r.block.clear();
    EXPECT_TRUE(generate_payments(*db, inst->port, *list, r).refused);
    EXPECT_EQ(said(), kNoBlock);
    r = run();
    r.pass_code = "otra";
    EXPECT_TRUE(generate_payments(*db, inst->port, *list, r).refused);
    EXPECT_EQ(said(), "La Clave de la Caja está errada");
    expect_untouched();

    // The second document paid elsewhere after the list was made: no row is written.
    const std::string changed = row(part()).document;
    test::edit_record(*db, "DOCUMENT", "DOCUMENT",
                      data::order_key("DOCUMENT", "DOCUMENT", {kPayBiz, changed}),
                      [](data::WDBTable& t) { t.FieldPut("SALDO", dec("90000.00")); });
    EXPECT_TRUE(generate_payments(*db, inst->port, *list, run()).refused);
    EXPECT_EQ(said(), kBalancesChanged + changed);
    expect_untouched();
}

TEST_P(AutoCollectionTest, TheDateRangeIsWordedAsTheCollectionsSayIt) {
    test::edit_record(*db, "F_FAC", "F_FAC", data::order_key("F_FAC", "F_FAC", {kPayBiz}),
                      [](data::WDBTable& t) {
                          t.FieldPut("LEE_FECHA", Decimal(1));
                          t.FieldPut("R_INICIO", Decimal(1));
                      });
    mark_both();
    CollectionRun r = run();
    r.date = kPayDay - 3;
    EXPECT_TRUE(generate_payments(*db, inst->port, *list, r).refused);
    EXPECT_EQ(said(), kCollectionDateOutOfRange);
}

TEST_P(AutoCollectionTest, TheFileListsTheMarkedRowsAndTheRates) {
    CollectionRow r;
    r.customer = kGym;
    r.branch = "01";
    r.name = "Gimnasio Vida Sana S.A.";
    r.document = "F00001234";
    r.concept_code = "FP";
    r.currency = "CO";
    r.balance = dec("200000.00");
    r.principal = dec("100000.00");
    r.interest = dec("5000.00");
    r.charge_code = "C1";
    const std::string text =
        collection_file_text("HOTEL", Date(2026, 5, 15), {r}, {{"US", dec("535.5")}});
    const std::string pad15 = std::string(5, ' ');
    EXPECT_EQ(text,
              "HHOTEL          20260515000001\r\n"
              "TUS00000535.50000\r\n"
              "D3102555777" +
                  pad15 + "01" + std::string(13, ' ') + "F00001234" + std::string(6, ' ') + "FPCO" +
                  "0000000105000.00" + "0000000100000.00" + "0000000005000.00" +
                  "0000000200000.00" + "C1" + std::string(8, ' ') + "Gimnasio Vida Sana S.A." +
                  std::string(37, ' ') + "\r\n");

    EXPECT_FALSE(write_collection_file(inst->port, *list, inst->home(), kPayDay, {}));
    EXPECT_EQ(said(), kNothingMarked);
    ASSERT_TRUE(list->toggle_mark(whole()));
    const auto path = write_collection_file(inst->port, *list, inst->home(), kPayDay, {});
    ASSERT_TRUE(path);
    EXPECT_EQ(*path, inst->home() + "/COBROS20260520.TXT");
}

INSTANTIATE_TEST_SUITE_P(Engines, AutoCollectionTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), engine_name);
