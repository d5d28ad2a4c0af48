// The deposit screen's rules on the demonstration hotel (reservations in dollars, accounting in
// colones, 506.15 colones a dollar today and 509.85 thirty days ago): the rates proposed follow
// the currency and the deposit's own date, percentages of the counterpart follow the amount to
// the cent, a room line is proposed what is left in the reservations' currency, and the people
// who deposit keep unique codes of the table's width.
#include "domain/deposits/deposit_form.h"

#include <gtest/gtest.h>

#include "domain/deposits/deposit_people.h"
#include "domain/ledger/demo_ledger_fixture.h"
#include "support/record_edit.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;

namespace {

const std::string kHotel = "HOTEL";
const Date kToday(2026, 5, 20);
const Decimal kToday_rate = Decimal::parse("506.15");

Decimal d(const char* text) { return Decimal::parse(text); }

}  // namespace

class DepositFormTest : public qz::test::DemoLedgerTest {};

TEST_P(DepositFormTest, RatesAreProposedForTheDepositsCurrencyOnItsDate) {
    DepositForm f(*db, kHotel);
    EXPECT_EQ(f.draft.date, kToday);
    EXPECT_TRUE(f.empty());
    f.propose_rates();  // no currency yet: nothing to propose
    EXPECT_TRUE(f.draft.reservation_rate.is_zero());

    f.draft.currency = "CO";
    f.propose_rates();
    EXPECT_EQ(f.draft.reservation_rate, kToday_rate);
    EXPECT_EQ(f.draft.accounting_rate, Decimal(1));

    f.draft.currency = "US";
    f.draft.date = kToday - 30;
    f.propose_rates();
    EXPECT_EQ(f.draft.reservation_rate, Decimal(1));
    EXPECT_EQ(f.draft.accounting_rate, d("509.85"));
    EXPECT_FALSE(f.empty());

    f.clear();
    EXPECT_TRUE(f.empty());
    EXPECT_EQ(f.draft.date, kToday);
}

TEST_P(DepositFormTest, PercentagesFollowTheAmountToTheCentAndTypedAmountsStay) {
    EXPECT_EQ(percent_of(d("0.25"), d("50")), d("0.13"));  // half a cent rounds up

    DepositForm f(*db, kHotel);
    f.set_amount(d("1000.00"));
    f.draft.counterpart = {{"1-01-03", {}, {}, {}, {}}, {"2-01-10", {}, d("40.00"), {}, {}}};
    f.set_debit_percent(0, d("12.345"));
    EXPECT_EQ(f.draft.counterpart[0].debit, d("123.45"));
    f.set_amount(d("2000.00"));
    EXPECT_EQ(f.draft.counterpart[0].debit, d("246.90"));
    EXPECT_EQ(f.draft.counterpart[1].credit, d("40.00"));
}

TEST_P(DepositFormTest, ARoomLineIsProposedWhatIsLeftInTheReservationsCurrency) {
    DepositForm f(*db, kHotel);
    f.set_amount(d("303690.00"));
    EXPECT_TRUE(f.proposed_line_amount().is_zero());  // no rate yet: no proposal
    f.draft.reservation_rate = kToday_rate;
    EXPECT_EQ(f.proposed_line_amount(), d("600.00"));

    ASSERT_TRUE(f.add_reservation(inst->port, {"RES-0008", "STD", 1, d("700.00")}));
    EXPECT_TRUE(f.proposed_line_amount().is_zero());  // more than the deposit is listed
    EXPECT_FALSE(f.add_reservation(inst->port, {"RES-0008", "STD", 1, d("1.00")}));
    EXPECT_EQ(said(), kGuestAlreadyIncluded);
    EXPECT_TRUE(f.add_reservation(inst->port, {"RES-0008", "STD", 2, d("1.00")}));
    EXPECT_EQ(f.draft.reservations.size(), 2u);
}

TEST_P(DepositFormTest, ListsOfferOnlyWhatADepositMayUse) {
    qz::test::edit_record(*db, "CON_HLIB", "CON_HLIB",
                          data::order_key("CON_HLIB", "CON_HLIB", {kHotel, "03"}),
                          [](data::WDBTable& t) { t.FieldPut("VISIBLE", Decimal(0)); });
    const DepositFormLists l = read_deposit_form_lists(*db, kHotel);
    ASSERT_EQ(l.concepts.size(), 2u);
    EXPECT_EQ(l.concepts[1].code, "02");
    EXPECT_EQ(l.people.size(), 3u);
    EXPECT_EQ(l.currencies.size(), 2u);
    const auto offered = [](const DepositFormLists& lists, const std::string& code) {
        for (const auto& a : lists.accounts)
            if (a.code == code) return true;
        return false;
    };
    EXPECT_TRUE(offered(l, "1-01-03"));
    // A heading account takes no postings.
    qz::test::edit_record(*db, "CUENTAS", "CUENTAS",
                          data::order_key("CUENTAS", "CUENTAS", {kHotel, "1-01-03"}),
                          [](data::WDBTable& t) { t.FieldPut("MAYOR", Decimal(1)); });
    EXPECT_FALSE(offered(read_deposit_form_lists(*db, kHotel), "1-01-03"));
    EXPECT_TRUE(offered(read_deposit_form_lists(*db, kHotel), "2-01-10"));
}

TEST_P(DepositFormTest, PeopleWhoDepositKeepUniqueCodesOfTheTablesWidth) {
    auto& port = inst->port;
    EXPECT_TRUE(save_deposit_person(*db, port, kHotel, "", {"banc", "Banco Nacional"}));
    EXPECT_EQ(read_deposit_person(*db, kHotel, "BANC")->name, "Banco Nacional");
    EXPECT_FALSE(save_deposit_person(*db, port, kHotel, "", {"BANC", "Otro"}));
    EXPECT_EQ(said(), kDepositPersonDuplicate);
    EXPECT_FALSE(save_deposit_person(*db, port, kHotel, "", {"BANCO", "Cinco letras"}));
    EXPECT_NE(said().find("admite 4"), std::string::npos) << said();
    EXPECT_FALSE(save_deposit_person(*db, port, kHotel, "BANC", {"BANX", "Nuevo código"}));
    EXPECT_TRUE(save_deposit_person(*db, port, kHotel, "BANC", {"BANC", "Banco de Costa Rica"}));
    EXPECT_EQ(deposit_people(*db, kHotel).size(), 4u);
    EXPECT_EQ(read_deposit_person(*db, kHotel, "BANC")->name, "Banco de Costa Rica");
}

INSTANTIATE_TEST_SUITE_P(Deposits, DepositFormTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
