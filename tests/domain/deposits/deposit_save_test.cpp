// Saving guarantee deposits on the demonstration hotel: the bank book and the voucher of a
// deposit, what rounding leaves on the deposit and in the voucher, a room whose guest is in
// house left for the folio, and the card payment with its refusals and its return when the
// deposit cannot be written.
#include "deposit_save_fixture.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;

class DepositSave : public qz::test::DepositSaveTest {};

TEST_P(DepositSave, ABankDepositMovesTheAccountPostsABalancedVoucherAndPaysTheRooms) {
    const Decimal before = bank_balance();
    DepositDraft d = draft("01", "CO", "360000.00");
    d.add_reservation(line("RES-0008", "STD", 1, "360.00"));
    d.add_reservation(line("RES-0008", "STD", 2, "360.00"));
    const auto r = save(d);
    ASSERT_TRUE(r.saved) << inst->port.messages.back();
    EXPECT_TRUE(r.print_voucher);
    EXPECT_TRUE(r.skipped.empty());
    EXPECT_TRUE(terminal.asked.empty());

    const DepositHeader h = header(r.movement);
    EXPECT_EQ(h.amount, Decimal(360000));
    EXPECT_EQ(h.balance, Decimal(0));
    EXPECT_EQ(h.initial_balance, Decimal(360000));
    EXPECT_FALSE(h.visible);
    EXPECT_TRUE(h.included);
    EXPECT_EQ(h.reservation, "RES-0008");
    EXPECT_EQ(h.register_code, "REC1");
    EXPECT_EQ(h.full_name, "Rojas Elena");
    EXPECT_EQ(bank_balance(), before + Decimal(360000));
    EXPECT_FALSE(h.bank_movement.empty());

    ASSERT_FALSE(h.voucher.empty());
    const auto [debit, credit] = voucher_sums(h.voucher, r.movement);
    EXPECT_EQ(debit, Decimal(360000));
    EXPECT_EQ(credit, Decimal(360000));

    const auto applied = deposit_applications(*db, kHotel, r.movement);
    ASSERT_EQ(applied.size(), 2u);
    EXPECT_EQ(applied[0].amount, Decimal(360));
    EXPECT_EQ(applied[0].document, "TRF-123");

    // The next deposit takes the next number of the concept's series.
    const auto second = save(draft("01", "CO", "1.00"));
    EXPECT_FALSE(second.saved);  // the concept wants every colón applied
    d.reservations.clear();
    d.add_reservation(line("RES-0007", "SUP", 2, "720.00"));
    const auto third = save(d);
    ASSERT_TRUE(third.saved);
    EXPECT_GT(third.movement, r.movement);
}

TEST_P(DepositSave, WhatRoundingLeavesWithinTheToleranceIsClearedAndHidden) {
    DepositDraft d = draft("01", "CO", "5000.00");
    d.reservation_rate = Decimal::parse("499.9996");  // 10.00 dollars take 4,999.996 colones
    d.add_reservation(line("RES-0008", "STD", 1, "10.00"));
    const auto r = save(d);
    ASSERT_TRUE(r.saved) << inst->port.messages.back();
    const DepositHeader h = header(r.movement);
    EXPECT_EQ(h.balance, Decimal(0));
    EXPECT_FALSE(h.visible);
}

TEST_P(DepositSave, ARoomWithItsGuestInHouseIsLeftAndItsShareStaysOnTheDeposit) {
    DepositDraft d = draft("02", "US", "200.00");
    d.counterpart.push_back({"1-01-04", Decimal(200), Decimal(0), {}, {}});
    d.add_reservation(line("RES-0007", "SUP", 1, "100.00"));  // room 203: checked in
    d.add_reservation(line("RES-0008", "STD", 2, "100.00"));
    const auto r = save(d);
    ASSERT_TRUE(r.saved) << inst->port.messages.back();
    ASSERT_EQ(r.skipped, std::vector<std::string>{"RES-0007"});
    ASSERT_FALSE(inst->port.messages.empty());
    EXPECT_NE(inst->port.messages.front().find(
                  "No se puede aplicar a la Reservación: RES-0007, pues ya se encuentra Check-In "
                  "esta Habitación\nEl Depósito se procesará, pero deberá incluirlo manualmente"),
              std::string::npos);

    const DepositHeader h = header(r.movement);
    EXPECT_EQ(h.balance, Decimal(100));  // the skipped room's share, still to be used
    EXPECT_TRUE(h.visible);
    EXPECT_EQ(h.reservation, "RES-0008");
    const auto applied = deposit_applications(*db, kHotel, r.movement);
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0].reservation, "RES-0008");
    // The concept changes the type of the reservations it pays.
    data::Table res = data::USE(*db, "ENC_RES", "ENC_RES");
    ASSERT_TRUE(res->Seek(data::order_key("ENC_RES", "ENC_RES", {kHotel, "RES-0008"})));
    EXPECT_EQ(trim(res->str("TIPO")), "GA");
    data::KILLTABLA(*db, res);

    // The whole deposit is booked: the money came in even if a room must take it by hand.
    const auto [debit, credit] = voucher_sums(h.voucher, r.movement);
    EXPECT_EQ(debit, Decimal(100000));
    EXPECT_EQ(credit, Decimal(100000));
}

TEST_P(DepositSave, ACounterpartConvertedLineByLineGetsItsRoundingLine) {
    qz::test::add_record(*db, "CON_HLIB",
                         {{"NEGOCIO", std::string(kHotel)},
                          {"CONCEPTO", std::string("04")},
                          {"DESCRIP", std::string("Reclasificación")},
                          {"SERIAL", std::string("DEP_GARANTIA")},
                          {"TIPO_MOV", Decimal(2)},
                          {"VISIBLE", Decimal(1)}});
    DepositDraft d = draft("04", "US", "100.00");
    d.accounting_rate = Decimal::parse("2.5");
    for (const char* share : {"33.33", "33.33", "33.34"})
        d.counterpart.push_back({"1-01-04", Decimal::parse(share), Decimal(0), {}, {}});
    d.counterpart.push_back({"2-01-10", Decimal(0), Decimal(100), {}, {}});
    const auto r = save(d);
    ASSERT_TRUE(r.saved) << inst->port.messages.back();
    const DepositHeader h = header(r.movement);
    // 83.33 + 83.33 + 83.35 against 250.00: the cent goes to the rounding account.
    Decimal rounding;
    for (const auto& l : voucher_lines(*db, kHotel, h.voucher))
        if (l.account == "5-01-11") rounding += l.credit - l.debit;
    EXPECT_EQ(rounding, Decimal::parse("0.01"));
    const auto [debit, credit] = voucher_sums(h.voucher, r.movement);
    EXPECT_EQ(debit, credit);
    EXPECT_EQ(read_deposit(*db, kHotel, r.movement)->lines.size(), 4u);
    EXPECT_TRUE(h.bank_movement.empty());
}

TEST_P(DepositSave, ACardIsChargedRefusedOrGivenBackWhenTheDepositCannotBeWritten) {
    DepositDraft d = draft("03", "US", "150.00");
    d.counterpart.push_back({"1-01-02", Decimal(150), Decimal(0), {}, {}});
    pos::CardAnswer denied;
    denied.status = 0;
    denied.message = "FONDOS INSUFICIENTES";
    pos::CardAnswer bare;
    bare.status = 0;
    terminal.answers = {denied, bare};
    EXPECT_FALSE(save(d).saved);
    EXPECT_EQ(inst->port.messages.back(), "Error: TARJETA DENEGADA: FONDOS INSUFICIENTES");
    EXPECT_FALSE(save(d).saved);
    EXPECT_EQ(inst->port.messages.back(), "Error: TARJETA DENEGADA: Error notificado del Banco");
    EXPECT_EQ(rows("ENC_HLIB"), 0);
    ASSERT_EQ(terminal.asked.size(), 2u);
    EXPECT_EQ(terminal.asked[0].provider, 2);
    EXPECT_EQ(terminal.asked[0].amount, Decimal(150));
    EXPECT_EQ(terminal.asked[0].currency, "US");

    const auto r = save(d);
    ASSERT_TRUE(r.saved);
    const DepositHeader h = header(r.movement);
    EXPECT_EQ(h.card, "************4242");
    EXPECT_EQ(h.card_authorisation, "AUT55");
    EXPECT_EQ(h.card_provider, 2);

    // The series gone: the card was charged, the deposit is refused and the charge voided.
    set_field("CON_HLIB", "CON_HLIB", {kHotel, "03"}, "SERIAL", std::string("NO_EXISTE"));
    terminal.asked.clear();
    EXPECT_FALSE(save(d).saved);
    EXPECT_NE(inst->port.messages.front().find("Falta definir el serial"), std::string::npos);
    ASSERT_EQ(terminal.asked.size(), 2u);
    EXPECT_EQ(terminal.asked[1].operation, pos::kCardVoid);
    EXPECT_EQ(terminal.asked[1].reference, "REF77");
    EXPECT_EQ(rows("ENC_HLIB"), 1);
}

INSTANTIATE_TEST_SUITE_P(Deposits, DepositSave,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
