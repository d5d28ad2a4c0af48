// What the demonstration gives the guarantee deposits to work with: concepts the maintenance
// rules accept as they stand, a bank account with its series and balance, a payment type for
// deposits, and reservations still to come whose room lines either take a deposit or, with the
// guest already in house, must refuse it.
#include <gtest/gtest.h>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/deposits/deposit_concepts.h"
#include "domain/deposits/hotel_reservations.h"
#include "domain/ledger/demo_ledger_fixture.h"
#include "domain/session/code_rows.h"
#include "domain/session/master_rows.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;

namespace {
const std::string kHotel = "HOTEL";
const Date kToday(2026, 5, 20);
}  // namespace

class DepositDemoTest : public qz::test::DemoLedgerTest {};

TEST_P(DepositDemoTest, ConceptsPassTheirOwnRulesAndNameWhatExists) {
    const auto concepts =
        business_rows<DepositConcept>(*db, "CON_HLIB", kHotel, deposit_concept_from_row);
    ASSERT_EQ(concepts.size(), 3u);
    int bank = 0, counterpart = 0, card = 0;
    for (const auto& c : concepts) {
        EXPECT_EQ(check_deposit_concept(*db, kHotel, c), "") << c.code;
        bank += c.kind == kBankBookDeposit;
        counterpart += c.kind == kCounterpartAddsUp;
        card += c.card_provider == 2;
    }
    EXPECT_EQ(bank, 1);
    EXPECT_GE(counterpart, 1);
    EXPECT_EQ(card, 1);

    const auto b = read_deposit_concept(*db, kHotel, "01");
    data::Table acct = data::USE(*db, "CUEN_LIB", "CUEN_LIB");
    ASSERT_TRUE(acct->Seek(data::order_key("CUEN_LIB", "CUEN_LIB", {kHotel, b->bank, b->account})));
    EXPECT_EQ(trim(acct->str("MONEDA")), "CO");
    EXPECT_GT(acct->num("SALDO"), Decimal(0));
    const std::string book_series = trim(acct->str("SERLIB_IMP"));
    const std::string ledger_account = trim(acct->str("CUENTA_CON"));
    data::KILLTABLA(*db, acct);
    EXPECT_TRUE(code_rows::business_series_exists(*db, kHotel, book_series));
    EXPECT_TRUE(key_exists(*db, "CUENTAS", "CUENTAS", {kHotel, ledger_account}));
    // A deposit applied to a reservation is paid with the first payment type marked for it.
    EXPECT_TRUE(key_exists(*db, "T_PAGO", "T_PAGO3", {kHotel, 1LL}));
}

TEST_P(DepositDemoTest, FutureReservationsHaveLinesAndOneGroupRoomIsAlreadyInHouse) {
    data::Table res = data::USE(*db, "ENC_RES", "ENC_RES");
    const std::string biz = data::business_key(kHotel);
    res->SetScope(biz, biz);
    int future_with_lines = 0, in_house_in_future = 0;
    for (res->GoTop(); !res->Eof(); res->Skip()) {
        const std::string code = trim(res->str("CODIGO"));
        const auto lines = reservation_room_lines(*db, kHotel, code);
        EXPECT_FALSE(lines.empty()) << code;
        if (res->date("SALIDA") <= kToday) continue;
        bool open = false;
        for (const auto& l : lines) open = open || (!checked_in(l.state) && l.arrival >= kToday);
        if (!open) continue;
        ++future_with_lines;
        for (const auto& l : lines) in_house_in_future += checked_in(l.state);
    }
    data::KILLTABLA(*db, res);
    EXPECT_GE(future_with_lines, 2);
    EXPECT_GE(in_house_in_future, 1);

    // The group: its first room is in house in 203 (the room says so), the second still to come.
    const auto group = reservation_room_lines(*db, kHotel, "RES-0007");
    ASSERT_EQ(group.size(), 2u);
    EXPECT_TRUE(checked_in(group[0].state));
    EXPECT_EQ(group[0].room, "203");
    EXPECT_FALSE(checked_in(group[1].state));
    EXPECT_EQ(reservation_state_name(group), "En Casa");
    data::Table room = data::USE(*db, "ROOMS", "ROOMS");
    ASSERT_TRUE(room->Seek(data::order_key("ROOMS", "ROOMS", {kHotel, "203"})));
    EXPECT_EQ(trim(room->str("COD_RES")), "RES-0007");
    data::KILLTABLA(*db, room);
    EXPECT_EQ(reservation_state_name(reservation_room_lines(*db, kHotel, "RES-0008")), "Reservada");
    EXPECT_TRUE(reservation_deposits(*db, kHotel, "RES-0008").empty());
}

TEST(HotelReservations, AReservationIsInHouseWhileAnyGuestIsAndGoneWhenAllAre) {
    const auto lines = [](std::initializer_list<int> states) {
        std::vector<RoomLine> out;
        for (int s : states) out.push_back(RoomLine{.state = s});
        return out;
    };
    EXPECT_EQ(reservation_state_name({}), "Reservada");
    EXPECT_EQ(reservation_state_name(lines({kLineBooked, kLineBooked})), "Reservada");
    EXPECT_EQ(reservation_state_name(lines({kLineCheckedOut, kLineInHouse})), "En Casa");
    EXPECT_EQ(reservation_state_name(lines({kLineCheckedOut, kLineBooked})), "Reservada");
    EXPECT_EQ(reservation_state_name(lines({kLineCheckedOut, kLineCheckedOut})), "Salida");
    EXPECT_FALSE(checked_in(kLineBooked));
    EXPECT_TRUE(checked_in(kLineCheckedOut));
}

INSTANTIATE_TEST_SUITE_P(Deposits, DepositDemoTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
