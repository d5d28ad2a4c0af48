// Instalment documents: an amount split into principal and interest wherever the payments so far
// left the plan, by each method; the instalments still due with their late interest and totals
// on the demonstration's overdue invoice; a payment taken instalment by instalment with its extra
// instalment; and the next charge of an automatic collection.
#include "domain/ledger/instalments.h"

#include <gtest/gtest.h>

#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/demo_ledger_fixture.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;

namespace {

const std::string kHotel = "HOTEL";
const Date kToday(2026, 5, 20);

// Four instalments of 1,000.00 with falling interest: 100, 80, 60 and 40.
InstalmentDocument four_instalments(const char* principal_paid, const char* interest_paid,
                                    int method = 0) {
    InstalmentDocument d;
    d.number = "F1";
    d.date = Date(2026, 1, 1);
    d.amount = Decimal(4000);
    d.balance = d.amount - Decimal::parse(principal_paid);
    d.interest_paid = Decimal::parse(interest_paid);
    d.method = method;
    const int interest[] = {100, 80, 60, 40};
    for (int i = 0; i < 4; ++i)
        d.plan.push_back({d.date.add_months(i + 1), Decimal(1000), Decimal(interest[i]), i + 1});
    return d;
}

void expect_split(const AmountSplit& s, int principal, int interest, size_t parts,
                  const char* why) {
    EXPECT_FALSE(s.refused()) << why;
    EXPECT_EQ(s.principal, Decimal(principal)) << why;
    EXPECT_EQ(s.interest, Decimal(interest)) << why;
    EXPECT_EQ(s.parts.size(), parts) << why;
}

TEST(InstalmentSplit, MethodZeroPaysTheInterestStillDueBeforeThePrincipal) {
    // The first instalment paid exactly: the second is owed whole.
    auto doc = four_instalments("1000", "100");
    expect_split(split_amount(doc, Decimal(500)), 420, 80, 1, "covered exactly");
    expect_split(split_amount(doc, Decimal(1080)), 1000, 80, 1, "the whole second instalment");

    // 30.00 of the second instalment's interest paid: 50.00 of it is still due.
    doc = four_instalments("1000", "130");
    expect_split(split_amount(doc, Decimal(500)), 450, 50, 1, "inside the interest");
    const AmountSplit short_of_interest = split_amount(doc, Decimal(40));
    EXPECT_TRUE(short_of_interest.refused());
    EXPECT_EQ(short_of_interest.needed, Decimal(50));
    EXPECT_EQ(interest_refusal(short_of_interest.needed),
              "El monto por abonar no puede completar los intereses\rUtilice la ventana de F4 "
              "para abonar, o varíe el abono\ra: 50.00");

    // The second instalment's interest and 300.00 of its principal paid: 700.00 left of it.
    doc = four_instalments("1300", "180");
    expect_split(split_amount(doc, Decimal(500)), 500, 0, 1, "inside the principal");
    const AmountSplit three = split_amount(doc, Decimal(700 + 1060 + 500));
    expect_split(three, 700 + 1000 + 460, 60 + 40, 3, "spanning three instalments");
    EXPECT_EQ(three.parts[2].index, 3u);
    EXPECT_EQ(three.parts[2].interest, Decimal(40)) << "interest before principal, later too";
    EXPECT_TRUE(three.unapplied.is_zero());

    EXPECT_EQ(split_amount(doc, Decimal(5000)).unapplied, Decimal(5000 - 700 - 1060 - 1040));
    expect_split(split_amount(four_instalments("4000", "280"), Decimal(10)), 0, 0, 0,
                 "nothing left to pay");
}

TEST(InstalmentSplit, MethodOneChargesTheWholeInterestOfTheFirstInstalmentNotPaid) {
    // 300.00 of the second instalment's principal paid: with method 1 its interest is charged
    // again in full, with method 0 it was paid with the first 80.00.
    auto doc = four_instalments("1300", "180", 1);
    expect_split(split_amount(doc, Decimal(500)), 420, 80, 1, "method 1");
    expect_split(split_amount(doc, Decimal(780 + 1060)), 1700, 140, 2,
                 "the rest of it, then the third");
    EXPECT_EQ(split_amount(doc, Decimal(79)).needed, Decimal(80));
    expect_split(split_amount(four_instalments("1300", "180", 2), Decimal(500)), 500, 0, 1,
                 "another method behaves as 0");
}

TEST(LateInterest, IsAPercentagePerThirtyDaysOfWhatIsOverdueRounded) {
    EXPECT_EQ(late_interest(Decimal(1000), Decimal(3), 10), Decimal(10));
    EXPECT_EQ(late_interest(Decimal::parse("1234.56"), Decimal::parse("2.5"), 7),
              Decimal::parse("7.20"));  // 7.2016
    EXPECT_EQ(late_interest(Decimal(1000), Decimal(3), 0), Decimal());
    EXPECT_EQ(late_interest(Decimal(1000), Decimal(3), -5), Decimal());

    auto doc = four_instalments("0", "0");
    doc.late_rate = Decimal(3);
    EXPECT_TRUE(instalments_due(doc, Date(2026, 3, 1)).totals.late.is_zero())
        << "a concept that does not ask for late interest";
    doc.late_interest = true;
    const auto due = instalments_due(doc, Date(2026, 3, 1));  // the first one 28 days overdue
    EXPECT_EQ(due.rows[0].late, Decimal::parse("30.80"));     // 1,100.00 * 3 % * 28 / 30
    EXPECT_TRUE(due.rows[1].late.is_zero()) << "due today is not overdue";
}

class InstalmentDemoTest : public qz::test::DemoLedgerTest {
protected:
    // The demonstration's instalment invoice.
    InstalmentDocument invoice() {
        data::Table t = data::USE(*db, "DOCUMENT", "DOCUMEN9");
        const bool found = t->Seek(data::order_key("DOCUMENT", "DOCUMEN9", {kHotel, "FP"}));
        const std::string number = found ? t->str("DOCUMENTO") : "";
        data::KILLTABLA(*db, t);
        auto doc = read_instalment_document(*db, kHotel, number);
        return doc ? *doc : InstalmentDocument{};
    }
};

TEST_P(InstalmentDemoTest, TheOverdueInvoiceShowsWhatIsDueWithLateInterestAndItsNextCharge) {
    const InstalmentDocument doc = invoice();
    ASSERT_EQ(doc.plan.size(), 3u);
    EXPECT_TRUE(doc.instalments && doc.late_interest);

    const DueInstalments due = instalments_due(doc, kToday);
    ASSERT_EQ(due.rows.size(), 2u) << "the first instalment is paid";
    const DueInstalment& second = due.rows[0];
    EXPECT_EQ(second.principal, Decimal(60000)) << "its interest went with the receipt";
    EXPECT_TRUE(second.interest.is_zero());
    EXPECT_EQ(second.days_overdue, 15);
    EXPECT_EQ(second.days_since_issue, 60);
    EXPECT_EQ(second.late, Decimal(900));  // 60,000.00 * 3 % * 15 / 30
    EXPECT_EQ(due.rows[1].days_overdue, -15);
    EXPECT_TRUE(due.rows[1].late.is_zero());

    const DueTotals& t = due.totals;
    EXPECT_EQ(t.balance, doc.balance);
    EXPECT_EQ(t.overdue_balance, Decimal(60000));
    EXPECT_EQ(t.interest, Decimal(4500));
    EXPECT_TRUE(t.overdue_interest.is_zero());
    EXPECT_EQ(t.due(), Decimal(155400));

    const auto next = next_charge(doc);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->principal, Decimal(60000));
    EXPECT_TRUE(next->interest.is_zero());
    expect_split(split_amount(doc, Decimal(70000)), 65500, 4500, 2, "into the third");
}

TEST_P(InstalmentDemoTest, APaymentByInstalmentsRefusesTooMuchAndSplitsTheInstalmentItEndsIn) {
    auto& port = inst->port;
    const InstalmentDocument doc = invoice();
    EXPECT_FALSE(take_instalment_payment(*db, port, kHotel, doc, kToday, Decimal(155401)));
    EXPECT_EQ(said(), kOverBalance);

    port.answer = false;
    EXPECT_FALSE(take_instalment_payment(*db, port, kHotel, doc, kToday, Decimal(30000)));
    EXPECT_EQ(read_plan(*db, kHotel, doc.number), doc.plan) << "declined: nothing written";

    port.answer = true;
    const auto pay = take_instalment_payment(*db, port, kHotel, doc, kToday, Decimal(30000));
    ASSERT_TRUE(pay);
    EXPECT_EQ(pay->late, Decimal(900)) << "late interest first";
    EXPECT_EQ(pay->principal, Decimal(29100));
    ASSERT_TRUE(pay->extra);
    EXPECT_EQ(pay->extra->total(), Decimal(30900));

    InstalmentDocument after = *read_instalment_document(*db, kHotel, doc.number);
    ASSERT_EQ(after.plan.size(), 4u);
    EXPECT_EQ(after.plan[1].total(), Decimal(94500 - 30900)) << "the part paid";
    EXPECT_EQ(after.plan[2].due, after.plan[1].due);
    EXPECT_EQ(after.plan[2].principal, Decimal(30900)) << "the extra instalment";
    const DueTotals before_payment = instalments_due(after, kToday).totals;
    EXPECT_EQ(before_payment.balance, doc.balance) << "the split alone changes nothing due";
    EXPECT_EQ(before_payment.due(), Decimal(155400));

    // Once the payment is posted the part paid is covered and the extra instalment is next.
    after.balance -= pay->principal;
    const auto next = next_charge(after);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->index, 2u);
    EXPECT_EQ(next->principal, Decimal(30900));

    EXPECT_FALSE(write_extra_instalment(*db, port, kHotel, doc, *pay->extra))
        << "the row read first was split since";
    EXPECT_EQ(said(), kPlanChanged);
    EXPECT_EQ(read_plan(*db, kHotel, doc.number).size(), 4u);
}

INSTANTIATE_TEST_SUITE_P(Ledger, InstalmentDemoTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);

}  // namespace
