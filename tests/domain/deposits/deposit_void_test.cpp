// Voiding guarantee deposits: the refusals in the order they are weighed, and a void that puts
// the bank account, the ledger and the reservations back as they were, gives the card back and
// cannot be done twice.
#include "domain/deposits/deposit_void.h"

#include "deposit_save_fixture.h"
#include "domain/deposits/deposit_posting.h"
#include "domain/deposits/deposit_view.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;

namespace {

struct ConfirmingPort : qz::test::ScriptedPort {
    bool confirm(const std::string&, const std::string& text) override {
        asked = text;
        return answer;
    }
    std::string asked;
    bool answer = true;
};

}  // namespace

class DepositVoid : public qz::test::DepositSaveTest {
protected:
    std::string saved_deposit(const char* concept_code, const char* currency, const char* amount,
                              const char* account = nullptr) {
        DepositDraft d = draft(concept_code, currency, amount);
        if (account) d.counterpart.push_back({account, Decimal::parse(amount), Decimal(0), {}, {}});
        d.add_reservation(
            line("RES-0008", "STD", 1, currency == std::string("US") ? amount : "720.00"));
        const auto r = save(d);
        EXPECT_TRUE(r.saved) << inst->port.messages.back();
        return r.movement;
    }
    bool void_deposit(const std::string& movement) {
        port.messages.clear();
        return ANUL_DEP(*db, port, s, terminal, movement);
    }
    std::string told() { return port.messages.empty() ? "" : port.messages.back(); }

    ConfirmingPort port;
};

TEST_P(DepositVoid, RefusalsComeInOrderAndWriteNothing) {
    const std::string m = saved_deposit("02", "US", "100.00", "1-01-04");
    auto refused = [&](const std::string& text) {
        EXPECT_FALSE(void_deposit(m)) << text;
        EXPECT_EQ(told(), "Error: " + text);
        EXPECT_FALSE(header(m).voided());
    };
    set_field("F_FAC", "F_FAC", {kHotel}, "ANHO", Decimal(2025));
    refused(kOutsideActiveYear);
    set_field("F_FAC", "F_FAC", {kHotel}, "ANHO", Decimal(2026));
    set_field("F_FAC", "F_FAC", {kHotel}, "MES", Decimal(6));
    refused(kOutsideActiveMonth);
    set_field("F_FAC", "F_FAC", {kHotel}, "MES", Decimal(5));
    qz::test::add_record(*db, "SALDOS",
                         {{"NEGOCIO", std::string(kHotel)},
                          {"CUENTA", std::string("1-01-01")},
                          {"ANO", Decimal(2026)},
                          {"MES", Decimal(6)}});
    refused(kOutsidePeriod);
    set_field("SALDOS", "SALDOS", {kHotel, 2026LL, 6LL, "1-01-01"}, "MES", Decimal(5));

    set_field("DET_RES2", "DET_RES2", {kHotel, "RES-0008", "STD", 1LL}, "ESTADO", Decimal(1));
    refused(std::string(kTiedCheckedIn) + "\n# Reserva :RES-0008");
    set_field("DET_RES2", "DET_RES2", {kHotel, "RES-0008", "STD", 1LL}, "ESTADO", Decimal(2));
    refused(std::string(kTiedCheckedOut) + "\n# Reserva :RES-0008");
    set_field("DET_RES2", "DET_RES2", {kHotel, "RES-0008", "STD", 1LL}, "ESTADO", Decimal(0));
    set_field("ENC_RES", "ENC_RES", {kHotel, "RES-0008"}, "MAESTRA", std::string("M-08"));
    qz::test::add_record(*db, "MAESTRAS",
                         {{"NEGOCIO", std::string(kHotel)},
                          {"CODIGO", std::string("M-08")},
                          {"ESTADO", Decimal(1)}});
    refused(std::string(kTiedClosedMaster) + "\nMaestra :M-08");
    set_field("MAESTRAS", "MAESTRAS", {kHotel, "M-08"}, "ESTADO", Decimal(0));

    port.answer = false;  // the user thinks better of it
    EXPECT_FALSE(void_deposit(m));
    EXPECT_EQ(port.asked, "Desea anular el Depósito " + m + "?");
    EXPECT_FALSE(header(m).voided());
    port.answer = true;
    EXPECT_TRUE(void_deposit(m)) << told();
    EXPECT_FALSE(void_deposit(m));
    EXPECT_EQ(told(), std::string("Error: ") + kAlreadyVoided);
    EXPECT_FALSE(void_deposit("DG99999999"));
    EXPECT_EQ(told(), std::string("Error: ") + kDepositMissing);
}

TEST_P(DepositVoid, ABankDepositVoidedPutsTheAccountLedgerAndRoomsBack) {
    const Decimal before = bank_balance();
    const std::string m = saved_deposit("01", "CO", "360000.00");
    ASSERT_EQ(bank_balance(), before + Decimal(360000));
    ASSERT_EQ(deposit_applications(*db, kHotel, m).size(), 1u);
    ASSERT_TRUE(void_deposit(m)) << told();

    const DepositHeader h = header(m);
    EXPECT_TRUE(h.voided());
    EXPECT_EQ(h.voided_by, "SUP");
    EXPECT_FALSE(h.visible);
    EXPECT_EQ(bank_balance(), before);
    EXPECT_TRUE(deposit_applications(*db, kHotel, m).empty());
    EXPECT_FALSE(h.void_bank_movement.empty());
    // The reversing voucher has the deposit's lines with their sides swapped.
    ASSERT_FALSE(h.void_voucher.empty());
    // Voided the day it was made, both are in the day's voucher.
    EXPECT_EQ(h.void_voucher, h.voucher);
    const auto lines = deposit_voucher_lines(*db, kHotel, h.void_voucher, m, true);
    EXPECT_EQ(lines.size(), 2u);
    Decimal debit, credit;
    for (const auto& l : lines) {
        debit += l.debit;
        credit += l.credit;
        if (l.account == "1-01-03") {
            EXPECT_EQ(l.debit, Decimal(0));
            EXPECT_EQ(l.credit, Decimal(360000));
        }
    }
    EXPECT_EQ(debit, Decimal(360000));
    EXPECT_EQ(credit, Decimal(360000));
    EXPECT_EQ(deposit_voucher_lines(*db, kHotel, h.voucher, m, false).size(), 2u);
    // The concept now books into another account; the deposit's movements are still found.
    set_field("CON_HLIB", "CON_HLIB", {kHotel, "01"}, "CUENTA", std::string("002-999"));
    const auto view = read_deposit_view(*db, kHotel, m);
    ASSERT_TRUE(view);
    ASSERT_TRUE(view->bank_movement);
    ASSERT_TRUE(view->void_bank_movement);
    EXPECT_EQ(view->void_bank_movement->amount, -view->bank_movement->amount);
    EXPECT_TRUE(terminal.asked.empty());
}

TEST_P(DepositVoid, ADepositPaidByCardHasItsChargeVoidedAfterwards) {
    const std::string m = saved_deposit("03", "US", "150.00", "1-01-02");
    terminal.asked.clear();
    pos::CardAnswer refused;
    refused.status = 0;
    terminal.answers = {refused};
    ASSERT_TRUE(void_deposit(m)) << told();
    ASSERT_EQ(terminal.asked.size(), 1u);
    EXPECT_EQ(terminal.asked[0].operation, pos::kCardVoid);
    EXPECT_EQ(terminal.asked[0].provider, 2);
    EXPECT_EQ(terminal.asked[0].authorisation, "AUT55");
    EXPECT_EQ(terminal.asked[0].amount, Decimal(150));
    // The network would not give the charge back: the desk is told to see to it.
    EXPECT_EQ(told(),
              "Error: La tarjeta ************4242 fue aprobada pero no se pudo anular; "
              "avise al supervisor");
    EXPECT_TRUE(header(m).voided());
}

INSTANTIATE_TEST_SUITE_P(Deposits, DepositVoid,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
