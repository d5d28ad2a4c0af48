// The balance a document should have by its payments, over the whole business in one walk and
// for one document, and the repair that records the payments a balance lacks.
#include "domain/ledger/balance_repair.h"

#include <gtest/gtest.h>

#include <map>

#include "domain/ledger/balance_invariant.h"
#include "domain/ledger/rates.h"
#include "domain/ledger/viewer_fixture.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;

namespace {

const std::string kNote = "ND00000001";  // 50,000.00 with 20,000.00 left and no payment

class BalanceRepairTest : public test::ViewerTest {
protected:
    std::map<std::string, BalanceCheck> walk() {
        std::map<std::string, BalanceCheck> out;
        expected_balance(*db, kBiz, [&](const BalanceCheck& c) { out[c.document] = c; });
        return out;
    }
    void payment(const std::string& movement, const char* currency, const std::string& document,
                 const char* concept_code, const char* amount,
                 const std::string& header = "ENC_MOVE", const std::string& lines = "DET_MOVE") {
        put(header, {{"MOVIMIENTO", movement},
                     {"MONEDA", std::string(currency)},
                     {"FECHA", Date(2026, 5, 18)},
                     {"MONTO", Decimal::parse(amount)}});
        put(lines, {{"MOVIMIENTO", movement},
                    {"DOCUMENTO", document},
                    {"CONCEPTO", std::string(concept_code)},
                    {"FECHA", Date(2026, 5, 18)},
                    {"MONTO", Decimal::parse(amount)}});
    }
};

TEST_P(BalanceRepairTest, TheInvariantCountsPostedPaymentsInTheDocumentsCurrency) {
    // A dollar invoice paid in colones at the rate the payment recorded, an annulled payment
    // with its mirror, a pending payment, and an application to a document that does not exist
    // (it sorts between two that do).
    payment("R00000600", "CO", "F00000950", "AB", "101230.00");
    put("DET_MOV3", {{"MOVIMIENTO", std::string("R00000600")},
                     {"MONEDA_1", std::string("US")},
                     {"MONEDA_2", std::string("CO")},
                     {"CAMBIO", Decimal::parse("506.15")}});
    payment("R00000601", "CO", "F00000975", "AB", "1000.00");
    payment("R00000601-A", "CO", "F00000975", "RA", "1000.00");
    payment("P00000001", "CO", kInvoice, "AB", "5000.00", "PENC_MOV", "PDET_MOV");
    payment("R00000602", "CO", "F00000999", "AB", "7000.00");

    const auto all = walk();
    EXPECT_EQ(all.at("F00000950").expected, Decimal(2200));
    EXPECT_EQ(all.at("F00000975").expected, Decimal(600000));
    EXPECT_EQ(all.at(kInvoice).expected, Decimal(183060));
    EXPECT_EQ(all.at(kInstalments).expected, Decimal(150000));
    EXPECT_EQ(all.at("F00000800").expected, Decimal());
    EXPECT_TRUE(all.at("F00000810").annulled);
    EXPECT_EQ(all.at("F00000810").expected, Decimal());
    EXPECT_EQ(all.at(kNote).expected, Decimal(50000));
    EXPECT_EQ(all.count("F00000999"), 0u);
    long disagree = 0;
    for (const auto& [number, c] : all) {
        disagree += c.agrees() ? 0 : 1;
        const auto one = expected_balance(*db, kBiz, number);
        ASSERT_TRUE(one);
        EXPECT_EQ(one->expected, c.expected) << number;
    }
    EXPECT_EQ(disagree, 2);  // the dollar invoice's payment was never applied, and the note

    // Without a rate of its own the payment is converted at the dated rate of its day.
    payment("R00000603", "US", kInvoice, "AB", "10.00");
    const Decimal rate = CAMBIO_SPEC(*db, kBiz, "CO", "US", Date(2026, 5, 18));
    ASSERT_GT(rate, 0);
    EXPECT_EQ(expected_balance(*db, kBiz, kInvoice)->expected, Decimal(183060) - ROUND5(rate * 10));
}

TEST_P(BalanceRepairTest, TheRepairRecordsWhatIsMissingAndLeavesDifferencesWithinAUnit) {
    auto& port = inst->port;
    // 600,000.90 owed and 600,000.10 recorded: the same unit.
    change("DOCUMENT", "DOCUMENT", {kBiz, "F00000975"},
           {{"MONTO", Decimal::parse("600000.90")}, {"SALDO", Decimal::parse("600000.10")}});
    port.answer = false;
    EXPECT_FALSE(FIX_SAL(*db, port, kBiz, who));
    EXPECT_EQ(rows("ENC_MOVE", "ENC_MOVE", {kBiz, "ABJ-00000000001"}), 0);

    port.answer = true;
    const auto done = FIX_SAL(*db, port, kBiz, who);
    ASSERT_TRUE(done);
    EXPECT_EQ(said(), kRepairDone);
    ASSERT_EQ(done->receipts, std::vector<std::string>{"ABJ-00000000001"});
    const std::string abj = done->receipts[0];
    EXPECT_EQ(text("ENC_MOVE", "ENC_MOVE", {kBiz, abj}, "MONTO"), "30000.00");
    EXPECT_EQ(text("ENC_MOVE", "ENC_MOVE", {kBiz, abj}, "FECHA"), doc(kNote).date.iso());
    EXPECT_EQ(text("DET_MOVE", "DET_MOVE", {kBiz, abj}, "DOCUMENTO"), kNote);
    EXPECT_EQ(text("DET_MOVE", "DET_MOVE", {kBiz, abj}, "CONCEPTO"), "AB");
    EXPECT_EQ(doc(kNote).balance, Decimal(20000));
    EXPECT_TRUE(expected_balance(*db, kBiz, kNote)->agrees());
    EXPECT_EQ(doc("F00000975").balance, Decimal::parse("600000.10"));

    // Once repaired there is nothing left; the next gap takes the next number.
    EXPECT_TRUE(FIX_SAL(*db, port, kBiz, who)->receipts.empty());
    change("DOCUMENT", "DOCUMENT", {kBiz, kInvoice}, {{"SALDO", Decimal(183000)}});
    EXPECT_EQ(FIX_SAL(*db, port, kBiz, who)->receipts, std::vector<std::string>{"ABJ-00000000002"});
    // The invoice's concept tenders with its default method.
    EXPECT_EQ(text("DET_MOV2", "DET_MOV2", {kBiz, "ABJ-00000000002"}, "CODIGO"), "CR");
}

TEST_P(BalanceRepairTest, ADocumentWithoutADefaultPaymentConceptIsReportedNotAdjusted) {
    auto& port = inst->port;
    change("CONCEPT1", "CONCEPT1", {kBiz, "ND"}, {{"ABONO_DEF", std::string("")}});
    const auto done = FIX_SAL(*db, port, kBiz, who);
    ASSERT_TRUE(done);
    EXPECT_TRUE(done->receipts.empty());
    EXPECT_EQ(done->skipped, std::vector<std::string>{kNote});
    ASSERT_GE(port.messages.size(), 2u);
    EXPECT_NE(port.messages[port.messages.size() - 2].find(kNote), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Ledger, BalanceRepairTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);

}  // namespace
