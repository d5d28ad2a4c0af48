// The supervisor's repair of a document: figures written as typed with a log note of each
// change, the manual receipt that may apply a payment, and both refused without their right.
#include "domain/ledger/document_figures.h"

#include <gtest/gtest.h>

#include "domain/ledger/balance_invariant.h"
#include "domain/ledger/manual_receipt.h"
#include "domain/ledger/rates.h"
#include "domain/ledger/viewer_fixture.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;

namespace {

const std::string kAgency = "3101123456";

class DocumentFiguresTest : public test::ViewerTest {
protected:
    ManualReceipt receipt(const char* block, const char* currency, const char* amount) {
        ManualReceipt r;
        r.document = kInstalments;
        r.block = block;
        r.currency = currency;
        r.date = Date(2026, 5, 20);
        r.amount = Decimal::parse(amount);
        return r;
    }
    const Rights all;  // a session without login: nothing is denied
};

TEST_P(DocumentFiguresTest, TypedFiguresAreWrittenAsTypedAndEveryChangeIsLogged) {
    auto& port = inst->port;
    const size_t before = notes(kAgency).size();
    EXPECT_FALSE(MOD_DOC(*db, port, kBiz, kInstalments, {"12,3x", "0", "0"}, all, who));
    EXPECT_EQ(doc(kInstalments).balance, Decimal(150000));

    ASSERT_TRUE(MOD_DOC(*db, port, kBiz, kInstalments, {"1,234.50", "50,000", "10,500.00"}, all, who));
    const auto d = doc(kInstalments);
    EXPECT_EQ(d.balance, Decimal::parse("1234.50"));
    EXPECT_EQ(d.instalment, Decimal(50000));
    const auto log = notes(kAgency);
    ASSERT_EQ(log.size(), before + 1);
    EXPECT_EQ(log.front().document, kInstalments);
    EXPECT_EQ(log.front().user, "SUP");
    EXPECT_EQ(log.front().text,
              "Modificación directa del documento F00001002 por SUP el 20/05/2026 23:00:00\r\n"
              "Saldo: 150,000.00 -> 1,234.50\r\nCuota: 0.00 -> 50,000.00");

    // Typing the same figures again changes nothing and logs nothing.
    ASSERT_TRUE(MOD_DOC(*db, port, kBiz, kInstalments, {"1234.5", "50000", "10500"}, all, who));
    EXPECT_EQ(notes(kAgency).size(), before + 1);
}

TEST_P(DocumentFiguresTest, WithoutTheRepairRightNothingIsWritten) {
    auto& port = inst->port;
    const Rights clerk = Rights::for_login(false);
    EXPECT_FALSE(MOD_DOC(*db, port, kBiz, kInstalments, {"1", "1", "1"}, clerk, who));
    EXPECT_EQ(said(), kNoRepairRight);
    EXPECT_EQ(MOD_DOC2(*db, port, kBiz, receipt("01", "CO", "100"), clerk, who), "");
    EXPECT_EQ(said(), kNoRepairRight);
    EXPECT_EQ(doc(kInstalments).balance, Decimal(150000));
    EXPECT_EQ(rows("DET_MOVE", "DET_MOV2", {kBiz, kInstalments}), 1);
}

TEST_P(DocumentFiguresTest, TheManualReceiptRefusesWhatItLacksAndAppliesItsAmount) {
    auto& port = inst->port;
    put("T_RECIBO", {{"CODIGO", std::string("03")}, {"SERIAL", std::string("NO_EXISTE")}});
    const struct {
        ManualReceipt r;
        std::string refusal;
    } refused[] = {
        {receipt("", "CO", "100"), kNoBlock},
        {receipt("01", "", "100"), kNoCurrency},
        {receipt("01", "XX", "100"), kNoCurrency},
        {receipt("03", "CO", "100"), std::string(kNoReceiptSeries) + "NO_EXISTE"},
        {receipt("02", "CO", "100"), kBlankReceipt},
        {receipt("01", "CO", "150000.01"), kOverBalance},
    };
    for (const auto& c : refused) {
        EXPECT_EQ(MOD_DOC2(*db, port, kBiz, c.r, all, who), "") << c.refusal;
        EXPECT_EQ(said(), c.refusal);
    }
    auto typed = receipt("02", "CO", "0");
    typed.number = "M12";
    EXPECT_EQ(MOD_DOC2(*db, port, kBiz, typed, all, who), "");
    EXPECT_EQ(said(), std::string(kShortReceipt) + "4");
    EXPECT_EQ(rows("ENC_MOVE", "ENC_MOVE", {kBiz, "R00000502"}), 0);

    const std::string number = MOD_DOC2(*db, port, kBiz, receipt("01", "CO", "50000"), all, who);
    ASSERT_EQ(number, "R00000502");
    EXPECT_EQ(doc(kInstalments).balance, Decimal(100000));
    EXPECT_EQ(text("DET_MOVE", "DET_MOVE", {kBiz, number}, "SALDO_ANT"), "150000.00");
    EXPECT_EQ(text("DET_MOVE", "DET_MOVE", {kBiz, number}, "CONCEPTO"), "AB");
    EXPECT_TRUE(expected_balance(*db, kBiz, kInstalments)->agrees());
    EXPECT_NE(notes(kAgency).front().text.find("Saldo: 150,000.00 -> 100,000.00"),
              std::string::npos);

    // A payment in dollars is applied at the day's rate.
    const std::string dollars = MOD_DOC2(*db, port, kBiz, receipt("01", "US", "100"), all, who);
    ASSERT_FALSE(dollars.empty()) << said();
    const Decimal rate = CAMBIO_SPEC(*db, kBiz, "CO", "US", Date(2026, 5, 20));
    ASSERT_GT(rate, 0);
    EXPECT_EQ(doc(kInstalments).balance, Decimal(100000) - ROUND5(rate * 100));
    EXPECT_TRUE(expected_balance(*db, kBiz, kInstalments)->agrees());
}

INSTANTIATE_TEST_SUITE_P(Ledger, DocumentFiguresTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);

}  // namespace
