// "Modificación de Plazos" on the demonstration's instalment invoice: the totals are typed and the
// principal follows, the rows below are recomputed on request with the rounding on the last,
// refusals write nothing, and a plan changed by another workstation since it was read is not
// overwritten.
#include "domain/ledger/instalment_plan.h"

#include <gtest/gtest.h>

#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/demo_ledger_fixture.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;

namespace {

const std::string kHotel = "HOTEL";

class PlanEditorTest : public qz::test::DemoLedgerTest {
protected:
    // The demonstration's instalment invoice: 120,000 + 6,000, 90,000 + 4,500, 90,000 + 4,500.
    InstalmentDocument invoice() {
        data::Table t = data::USE(*db, "DOCUMENT", "DOCUMEN9");
        const bool found = t->Seek(data::order_key("DOCUMENT", "DOCUMEN9", {kHotel, "FP"}));
        const std::string number = found ? t->str("DOCUMENTO") : "";
        data::KILLTABLA(*db, t);
        auto doc = read_instalment_document(*db, kHotel, number);
        return doc ? *doc : InstalmentDocument{};
    }
    std::vector<PlanInstalment> stored(const InstalmentDocument& doc) {
        return read_plan(*db, kHotel, doc.number);
    }
};

TEST_P(PlanEditorTest, TotalsAreTypedAndTheRowsBelowSpreadWhatIsLeft) {
    const InstalmentDocument doc = invoice();
    ASSERT_EQ(doc.plan.size(), 3u);
    PlanEditor e(doc);
    EXPECT_TRUE(e.manages_interest());
    EXPECT_EQ(e.set_principal(0, Decimal(1)), kDirectEdit);
    EXPECT_EQ(e.set_interest(0, Decimal(1)), kDirectEdit);
    EXPECT_EQ(e.set_total(0, Decimal(5999)), kInterestOverInstalment);
    EXPECT_EQ(e.rows(), doc.plan) << "refused edits change nothing";

    ASSERT_EQ(e.set_total(0, Decimal::parse("106000.01")), "");
    EXPECT_EQ(e.rows()[0].principal, Decimal::parse("100000.01"));
    EXPECT_EQ(e.rows()[0].interest, Decimal(6000)) << "the interest stays";
    EXPECT_EQ(e.check(), kPlanAmountsDiffer);
    ASSERT_EQ(e.spread_below(0), "");
    EXPECT_EQ(e.rows()[1].principal, Decimal::parse("99999.99"));
    EXPECT_EQ(e.rows()[2].principal, Decimal::parse("100000.00")) << "the last takes the rounding";
    EXPECT_EQ(e.check(), "");

    ASSERT_EQ(e.set_total(0, Decimal(400000)), "");
    EXPECT_EQ(e.spread_below(0), kPlanAmountsDiffer) << "nothing left to spread";
}

TEST_P(PlanEditorTest, SaveRefusesWhatDoesNotAddUpAndRewritesThePlanInOneGo) {
    auto& port = inst->port;
    const InstalmentDocument doc = invoice();
    PlanEditor e(doc);
    ASSERT_EQ(e.set_total(2, Decimal(94000)), "");
    EXPECT_FALSE(e.save(*db, port, kHotel));
    EXPECT_EQ(said(), kPlanAmountsDiffer);
    EXPECT_EQ(stored(doc), doc.plan);

    // The last instalment split in two: its first half a month earlier.
    ASSERT_EQ(e.set_total(2, Decimal(49500)), "");
    e.add_row();
    ASSERT_EQ(e.set_total(3, Decimal(45000)), "");
    ASSERT_EQ(e.set_due(2, doc.plan[2].due - 15), "");
    EXPECT_EQ(e.set_due(3, Date()), kBadDateText);
    ASSERT_TRUE(e.save(*db, port, kHotel));
    const auto saved = stored(doc);
    ASSERT_EQ(saved.size(), 4u);
    EXPECT_EQ(saved[2].due, doc.plan[2].due - 15);
    EXPECT_EQ(saved[2].total(), Decimal(49500));
    EXPECT_EQ(saved[3].due, doc.plan[2].due.add_months(1));
    EXPECT_EQ(saved[3].principal, Decimal(45000));
    EXPECT_EQ(e.rows(), saved) << "the editor goes on from what is stored";

    e.remove_row(3);
    ASSERT_EQ(e.set_total(2, Decimal(94500)), "");
    ASSERT_TRUE(e.save(*db, port, kHotel));
    EXPECT_EQ(stored(doc).size(), 3u);
}

TEST_P(PlanEditorTest, APlanChangedSinceItWasReadIsNotOverwritten) {
    auto& port = inst->port;
    const InstalmentDocument doc = invoice();
    PlanEditor mine(doc), theirs(doc);
    ASSERT_EQ(theirs.set_due(2, doc.plan[2].due + 10), "");
    ASSERT_TRUE(theirs.save(*db, port, kHotel));

    ASSERT_EQ(mine.set_due(1, doc.plan[1].due + 5), "");
    EXPECT_FALSE(mine.save(*db, port, kHotel));
    EXPECT_EQ(said(), kPlanChanged);
    const auto now = stored(doc);
    EXPECT_EQ(now[1].due, doc.plan[1].due) << "nothing of mine written";
    EXPECT_EQ(now[2].due, doc.plan[2].due + 10);
}

INSTANTIATE_TEST_SUITE_P(Ledger, PlanEditorTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);

}  // namespace
