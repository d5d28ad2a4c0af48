// A customer's statements read from the ledger: days overdue from the instalments, the open
// documents signed by their concepts with the payments applied to each, the historic statement
// of a range after its opening balance, and the collection plan of what is still owed.
#include <gtest/gtest.h>

#include "domain/customers/customer_fixture.h"
#include "domain/ledger/customer_statement.h"
#include "domain/ledger/historic_statement.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;
using qz::test::kBiz;

namespace {

const Date kToday(2026, 5, 20);

TEST(DaysOverdue, TheFirstInstalmentThatWhatWasPaidDoesNotCoverCounts) {
    const std::vector<Instalment> plan = {{Date(2026, 3, 20), Decimal(500)},
                                          {Date(2026, 4, 20), Decimal(300)},
                                          {Date(2026, 6, 20), Decimal(200)}};
    EXPECT_EQ(days_overdue(Decimal(0), plan, kToday), 61) << "nothing paid: the first";
    EXPECT_EQ(days_overdue(Decimal(499), plan, kToday), 61) << "not quite covered";
    EXPECT_EQ(days_overdue(Decimal(500), plan, kToday), 30) << "the first covered exactly";
    EXPECT_EQ(days_overdue(Decimal(800), plan, kToday), 0) << "the next one falls due later";
    EXPECT_EQ(days_overdue(Decimal(1000), plan, kToday), 0) << "all covered";
    EXPECT_EQ(days_overdue(Decimal(0), {}, kToday), 0) << "no instalments";
}

class StatementTest : public test::CustomerTest {
protected:
    void SetUp() override {
        test::CustomerTest::SetUp();
        if (IsSkipped()) return;
        store("C1", {"01", "02"});
        put("CONCEPT1", {{"CONCEPTO", std::string("FA")}, {"TIPO", Decimal(1)}});
        put("CONCEPT1", {{"CONCEPTO", std::string("NC")}, {"TIPO", Decimal(0)}});
        put("MONEDAS", {{"CODIGO", std::string("CO")}, {"SIMBOLO", std::string("¢")}});
        put("MONEDAS", {{"CODIGO", std::string("US")}, {"SIMBOLO", std::string("$")}});
    }
    void doc(const std::string& number, const char* concept_code, Date date, int amount,
             int balance, const char* currency = "CO", const char* branch = "01",
             const std::string& description = "") {
        put("DOCUMENT", {{"DOCUMENTO", number},
                         {"CONCEPTO", std::string(concept_code)},
                         {"CLIENTE", std::string("C1")},
                         {"SUBCLIENTE", std::string(branch)},
                         {"FECHA", date},
                         {"VENCE", date + 30},
                         {"MONEDA", std::string(currency)},
                         {"MONTO", Decimal(amount)},
                         {"SALDO", Decimal(balance)},
                         {"DESCRIP", description}});
    }
    void instalment(const std::string& number, Date due, int amount) {
        put("DOC_PARC", {{"DOCUMENTO", number}, {"FECHA", due}, {"MONTO", Decimal(amount)}});
    }
    void payment(const std::string& movement, Date date, const std::string& document, int before,
                 int after, const std::string& annulled = "") {
        put("ENC_MOVE", {{"MOVIMIENTO", movement},
                         {"FECHA", date},
                         {"CLIENTE", std::string("C1")},
                         {"MONTO", Decimal(before - after).abs()},
                         {"ANULADO", annulled}});
        put("DET_MOVE", {{"MOVIMIENTO", movement},
                         {"DOCUMENTO", document},
                         {"FECHA", date},
                         {"DESCRIP", std::string("Abono ") + movement},
                         {"MONTO", Decimal(before - after).abs()},
                         {"SALDO_ANT", Decimal(before)},
                         {"SALDO", Decimal(after)}});
    }
    // An invoice of 1000 in two instalments, 400 paid; a payment made and annulled; an open
    // credit note; a dollar invoice; a settled invoice.
    void ledger() {
        doc("F1", "FA", Date(2026, 3, 21), 1000, 600, "CO", "01",
            "Servicios de spa del mes de marzo para el personal");
        instalment("F1", Date(2026, 4, 20), 500);
        instalment("F1", Date(2026, 6, 20), 500);
        payment("P1", Date(2026, 4, 10), "F1", 1000, 600);
        payment("P2", Date(2026, 4, 12), "F1", 600, 500, "P2-A");
        payment("P2-A", Date(2026, 4, 13), "F1", 500, 600, "P2");
        doc("N1", "NC", Date(2026, 4, 15), 200, 200, "CO", "02", "Descuento");
        instalment("N1", Date(2026, 4, 15), 200);
        doc("D1", "FA", Date(2026, 5, 1), 50, 50, "US");
        instalment("D1", Date(2026, 5, 31), 50);
        doc("F0", "FA", Date(2026, 2, 1), 300, 0);
        instalment("F0", Date(2026, 3, 1), 300);
        payment("P0", Date(2026, 3, 1), "F0", 300, 0);
    }
};

TEST_P(StatementTest, OpenDocumentsAreSignedByConceptWithTheirPaymentsAndTotalsPerCurrency) {
    ledger();
    const OpenStatement s = open_statement(*db, kBiz, "c1", kToday);
    EXPECT_EQ(s.heading.name, "Cliente C1");
    EXPECT_EQ(s.heading.branch, "01") << "the principal branch heads the statement";
    ASSERT_EQ(s.documents.size(), 3u) << "the settled invoice is not open";
    const StatementDocument& f1 = s.documents[0];
    EXPECT_EQ(f1.number, "F1");
    EXPECT_EQ(f1.symbol, "¢");
    EXPECT_EQ(f1.description, "Servicios de spa del mes de mar");
    EXPECT_EQ(f1.amount, Decimal(1000));
    EXPECT_EQ(f1.balance, Decimal(600));
    EXPECT_EQ(f1.days_overdue, 30) << "400 paid does not cover the first instalment";
    ASSERT_EQ(f1.payments.size(), 1u) << "an annulled payment and its mirror stay out";
    EXPECT_EQ(f1.payments[0].movement, "P1");
    EXPECT_EQ(f1.payments[0].change, Decimal(-400));
    const StatementDocument& n1 = s.documents[1];
    EXPECT_EQ(n1.number, "N1");
    EXPECT_EQ(n1.amount, Decimal(-200));
    EXPECT_EQ(n1.balance, Decimal(-200));
    EXPECT_EQ(s.documents[2].days_overdue, 0) << "due in the future";
    ASSERT_EQ(s.totals.size(), 2u);
    EXPECT_EQ(s.totals[0].currency, "CO");
    EXPECT_EQ(s.totals[0].amount, Decimal(800));
    EXPECT_EQ(s.totals[0].balance, Decimal(400));
    EXPECT_EQ(s.totals[1].symbol, "$");
    EXPECT_EQ(s.totals[1].balance, Decimal(50));
    EXPECT_EQ(CALC_VENCIDOS(*db, kBiz, "F1", Decimal(1000), Decimal(600), kToday), 30);
}

TEST_P(StatementTest, TheHistoricStatementStartsFromTheBalanceBeforeItsRange) {
    ledger();
    doc("F9", "FA", Date(2026, 5, 2), 900, 900);  // after the range
    const HistoricStatement h =
        historic_statement(*db, kBiz, "C1", "", Date(2026, 4, 1), Date(2026, 4, 30));
    ASSERT_EQ(h.currencies.size(), 1u) << "the dollar invoice falls after the range";
    EXPECT_EQ(h.currencies[0].opening, Decimal(1000)) << "F1; F0 and its payment cancel out";
    std::vector<std::string> seen;
    for (const auto& l : h.lines)
        seen.push_back(l.number + " " + l.debit.to_string(2) + " " + l.credit.to_string(2) +
                       " " + l.balance.to_string(2));
    const std::vector<std::string> expected = {"P1 0.00 400.00 600.00", "P2 0.00 100.00 500.00",
                                               "P2-A 100.00 0.00 600.00",
                                               "N1 0.00 200.00 400.00"};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(h.currencies[0].closing, Decimal(400));

    const HistoricStatement branch =
        historic_statement(*db, kBiz, "C1", "02", Date(2026, 1, 1), Date(2026, 12, 31));
    ASSERT_EQ(branch.lines.size(), 1u) << "only the credit note is of branch 02";
    EXPECT_EQ(branch.lines[0].number, "N1");
    EXPECT_EQ(branch.currencies[0].closing, Decimal(-200));
}

TEST_P(StatementTest, ThePlanListsWhatIsStillOwedOfEachInstalmentOfTheCharges) {
    ledger();
    const CollectionPlan p = collection_plan(*db, kBiz, "C1", kToday);
    std::vector<std::string> seen;
    for (const auto& l : p.lines)
        seen.push_back(l.number + " " + l.due.iso() + " " + l.instalment.to_string(2) + " " +
                       l.owed.to_string(2) + " " + std::to_string(l.days_overdue));
    const std::vector<std::string> expected = {"F1 2026-04-20 500.00 100.00 30",
                                               "D1 2026-05-31 50.00 50.00 0",
                                               "F1 2026-06-20 500.00 500.00 0"};
    EXPECT_EQ(seen, expected) << "the credit note is not collected";
    ASSERT_EQ(p.totals.size(), 2u);
    EXPECT_EQ(p.totals[0].balance, Decimal(600));
}

INSTANTIATE_TEST_SUITE_P(Engines, StatementTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);

}  // namespace
