// A workstation killed while its payment is written, every row of it in place but not committed:
// nothing of the payment survives, neither the receipt, its applications, its tenders and rates,
// nor the documents' new balances, the receipt number or the journal lines; and its locks died
// with it, so the same payment goes through at once on another workstation.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <thread>

#include "domain/ledger/payment_posting.h"
#include "payment_fixture.h"

namespace qz::test {
namespace {

const std::vector<std::string> kWritten = {"ENC_MOVE", "DET_MOVE", "DET_MOV2", "DET_MOV3",
                                           "DET_DOC3", "ENC_AS",   "DET_AS"};

class PaymentCrashTest : public DemoLedgerTest {
protected:
    bool wait_file(const std::string& name, int seconds) {
        for (int i = 0; i < seconds * 20; ++i) {
            if (std::filesystem::exists(inst->home() + "/" + name)) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }
    std::vector<long> counts() {
        std::vector<long> out;
        for (const auto& t : kWritten) out.push_back(data::USE(*db, t)->KeyCount());
        return out;
    }
};

TEST_P(PaymentCrashTest, AKilledPaymentLeavesNothingAndItsLocksDieWithIt) {
    const std::string dollars = new_document(*db, inst->port, "ND", "100.00", "US");
    const std::string colones = new_document(*db, inst->port, "ND", "10000.00");
    const auto before = counts();
    std::vector<std::string> args = inst->process_args();
    args.insert(args.end(), {"70000.00", dollars, colones});
    const int pid = spawn_tool("qz_payment_killer", args);
    ASSERT_TRUE(wait_file("paying", 60));
    kill(pid, SIGKILL);
    wait_tool(pid);

    EXPECT_EQ(counts(), before);
    EXPECT_EQ(doc_state(*db, dollars).balance, dec("100.00"));
    EXPECT_EQ(doc_state(*db, colones).balance, dec("10000.00"));
    // Nothing of it is locked any more: the same payment is processed here at once.
    domain::PaymentDraft d = new_draft(*db, inst->port, "70000.00");
    ASSERT_TRUE(d.PASADOC(dollars));
    ASSERT_TRUE(d.PASADOC(colones));
    d.adjust_amount();
    while (!d.tenders().empty()) d.remove_tender(0);
    domain::PaymentTender cash;
    cash.method = "EF";
    cash.amount = d.header().amount;
    ASSERT_TRUE(d.add_tender(cash));
    EXPECT_TRUE(domain::PROCESA_ABONO(*db, inst->port, d))
        << (inst->port.messages.empty() ? "" : said());
    EXPECT_EQ(doc_state(*db, colones).balance, Decimal());
}

INSTANTIATE_TEST_SUITE_P(Engines, PaymentCrashTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), engine_name);

}  // namespace
}  // namespace qz::test
