// The deposit listings over deposits written as the save leaves them: a date range takes its
// two ends and nothing beside them, voided deposits are listed but never added to the totals,
// the pending list leaves out what is hidden, voided or used up, and the reservation listing
// reads each deposit once however many room lines it paid. The deposit's view shows only its
// own lines of the day's journal voucher and its bank-book movement.
#include "domain/deposits/deposit_listings.h"

#include <gtest/gtest.h>

#include "data/transaction.h"
#include "domain/deposits/bank_book.h"
#include "domain/deposits/deposit_checks.h"
#include "domain/deposits/deposit_concepts.h"
#include "domain/deposits/deposit_view.h"
#include "domain/ledger/demo_ledger_fixture.h"
#include "support/record_edit.h"

using namespace qz;
using namespace qz::domain;
using qz::test::add_record;
using qz::test::Engine;

namespace {

const std::string kHotel = "HOTEL";

struct Dep {
    std::string movement, currency;
    Date date;
    const char* amount;
    const char* balance;
    bool visible = true;
    bool voided = false;
    std::string business = kHotel;
};

void write_deposit(data::Db& db, const Dep& d) {
    add_record(db, "ENC_HLIB",
               {{"NEGOCIO", d.business},
                {"MOVIMIENTO", d.movement},
                {"CONCEPTO", std::string("01")},
                {"MONEDA", d.currency},
                {"FECHA", d.date},
                {"MONTO", Decimal::parse(d.amount)},
                {"SALDO", Decimal::parse(d.balance)},
                {"SALDO_IN", Decimal::parse(d.amount)},
                {"NOMBRE", "Mora Ana " + d.movement},
                {"VER", Decimal(d.visible ? 1 : 0)},
                {"ANULADO", std::string(d.voided ? "SUP" : "")}});
}

void apply(data::Db& db, const std::string& reservation, long item, const std::string& deposit,
           const char* amount) {
    add_record(db, "DET_RES8",
               {{"NEGOCIO", kHotel},
                {"COD_RES", reservation},
                {"COD_HAB", std::string("DBL")},
                {"ITEM_HAB", Decimal(item)},
                {"MOVIMIENTO", deposit},
                {"DOC_PAGO", "V-" + deposit},
                {"FECHA_CREA", Date(2026, 5, 20)},
                {"MONTO_PAGO", Decimal::parse(amount)}});
}

std::vector<std::string> movements(const DepositListing& l) {
    std::vector<std::string> out;
    for (const auto& h : l.deposits) out.push_back(h.movement);
    return out;
}

}  // namespace

class DepositListingTest : public qz::test::DemoLedgerTest {};

TEST_P(DepositListingTest, ADateRangeTakesBothEndsAndTotalsOnlyValidDepositsPerCurrency) {
    write_deposit(*db, {"DG00000001", "CO", Date(2026, 5, 14), "100.00", "100.00"});
    write_deposit(*db, {"DG00000002", "US", Date(2026, 5, 15), "50.00", "0.00", false});
    write_deposit(*db, {"DG00000003", "CO", Date(2026, 5, 18), "200.00", "200.00", true, true});
    write_deposit(*db, {"DG00000004", "CO", Date(2026, 5, 20), "300.00", "120.50"});
    write_deposit(*db, {"DG00000005", "CO", Date(2026, 5, 21), "400.00", "400.00"});
    write_deposit(*db,
                  {"DG00000006", "CO", Date(2026, 5, 18), "900.00", "900.00", true, false, "OTRO"});

    const auto l = deposits_by_date(*db, kHotel, Date(2026, 5, 15), Date(2026, 5, 20));
    EXPECT_EQ(movements(l), (std::vector<std::string>{"DG00000002", "DG00000003", "DG00000004"}));
    ASSERT_EQ(l.totals.size(), 2u);
    EXPECT_EQ(l.totals[0].currency, "CO");
    EXPECT_EQ(l.totals[0].count, 1) << "the voided deposit is not added";
    EXPECT_EQ(l.totals[0].amount, Decimal(300));
    EXPECT_EQ(l.totals[0].balance, Decimal::parse("120.50"));
    EXPECT_EQ(l.totals[1].currency, "US");
    EXPECT_EQ(l.totals[1].amount, Decimal(50));

    EXPECT_EQ(deposit_state_name(l.deposits[0]), "Aplicado");
    EXPECT_EQ(deposit_state_name(l.deposits[1]), "Anulado");
    EXPECT_EQ(deposit_state_name(l.deposits[2]), "Pendiente");
    EXPECT_TRUE(
        deposits_by_date(*db, kHotel, Date(2026, 5, 20), Date(2026, 5, 15)).deposits.empty());
}

TEST_P(DepositListingTest, PendingLeavesOutHiddenVoidedAndUsedUpDeposits) {
    write_deposit(*db, {"DG00000001", "CO", Date(2026, 5, 14), "100.00", "40.00"});
    write_deposit(*db, {"DG00000002", "CO", Date(2026, 5, 15), "50.00", "0.00", false});
    write_deposit(*db, {"DG00000003", "CO", Date(2026, 5, 16), "200.00", "200.00", true, true});
    // Visible yet nothing left: listing it would offer money that is gone.
    write_deposit(*db, {"DG00000004", "CO", Date(2026, 5, 17), "80.00", "0.00"});
    write_deposit(*db, {"DG00000005", "US", Date(2026, 5, 12), "30.00", "30.00"});
    write_deposit(*db,
                  {"DG00000006", "CO", Date(2026, 5, 13), "70.00", "70.00", true, false, "OTRO"});

    const auto l = pending_deposits(*db, kHotel);
    EXPECT_EQ(movements(l), (std::vector<std::string>{"DG00000005", "DG00000001"}));
    ASSERT_EQ(l.totals.size(), 2u);
    EXPECT_EQ(l.totals[0].balance, Decimal(40));
    EXPECT_EQ(l.totals[1].balance, Decimal(30));
}

TEST_P(DepositListingTest, ReservationsShowWhatEachRoomLineReceivedFromWhichDeposit) {
    write_deposit(*db, {"DG00000001", "US", Date(2026, 5, 14), "100.00", "0.00", false});
    write_deposit(*db, {"DG00000002", "CO", Date(2026, 5, 15), "50.00", "10.00"});
    apply(*db, "RES-0008", 2, "DG00000001", "60.00");
    apply(*db, "RES-0008", 1, "DG00000001", "40.00");
    apply(*db, "RES-0005", 1, "DG00000002", "40.00");

    const auto one = deposits_by_reservation(*db, kHotel, "res-0008 ");
    ASSERT_EQ(one.lines.size(), 2u);
    EXPECT_EQ(one.lines[0].applied.item, 1);
    EXPECT_EQ(one.lines[0].payer, "Mora Ana DG00000001");
    EXPECT_EQ(one.lines[0].deposit_currency, "US");
    EXPECT_EQ(one.lines[0].deposit_amount, Decimal(100));
    EXPECT_EQ(one.total, Decimal(100));
    EXPECT_EQ(one.currency, read_deposit_settings(*db, kHotel).reservation_currency);

    const auto all = deposits_by_reservation(*db, kHotel, "");
    ASSERT_EQ(all.lines.size(), 3u);
    EXPECT_EQ(all.lines[0].applied.reservation, "RES-0005");
    using Sum = std::pair<std::string, Decimal>;
    EXPECT_EQ(all.per_reservation,
              (std::vector<Sum>{{"RES-0005", Decimal(40)}, {"RES-0008", Decimal(100)}}));
    EXPECT_EQ(all.total, Decimal(140));
}

TEST_P(DepositListingTest, TheViewShowsOnlyTheDepositsOwnLinesOfTheDaysVoucher) {
    write_deposit(*db, {"DG00000001", "CO", Date(2026, 5, 20), "1000.00", "1000.00"});
    std::string voucher;
    {
        data::Transaction tx(*db, data::kTransDeposit);
        ContaTransaction c(*db, kHotel, "03", Date(2026, 5, 20), "DG00000001", {"SUP", ""});
        ASSERT_TRUE(c.ok()) << c.error();
        c.post_line("1-01-03", Decimal(1000), Decimal(0), "CO", Decimal(1), "Depósito");
        c.post_line("2-01-09", Decimal(0), Decimal(1000), "CO", Decimal(1), "Depósito");
        c.set_document("R-77");
        c.post_line("1-01-03", Decimal(5), Decimal(0), "CO", Decimal(1), "Otro");
        c.post_line("2-01-09", Decimal(0), Decimal(5), "CO", Decimal(1), "Otro");
        c.close();
        voucher = c.voucher();
        tx.commit();
    }
    const auto rule = read_deposit_concept(*db, kHotel, "01");
    ASSERT_TRUE(rule && !rule->bank.empty());
    BankBookEntry e;
    e.business = kHotel;
    e.bank = rule->bank;
    e.account = rule->account;
    e.book_concept = rule->book_concept;
    e.amount = Decimal(1000);
    e.description = "Garantía";
    e.date = Date(2026, 5, 20);
    e.rate = Decimal(1);
    e.hotel_movement = "DG00000001";
    e.lines = {{"1-01-03", Decimal(1000), Decimal(0), "Banco"}};
    const std::string book = TRANSACCION(*db, e);
    qz::test::edit_record(*db, "ENC_HLIB", "ENC_HLIB",
                          data::order_key("ENC_HLIB", "ENC_HLIB", {kHotel, "DG00000001"}),
                          [&](data::WDBTable& t) {
                              t.FieldPut("ASIENTO", voucher);
                              t.FieldPut("MOV_LIB", book);
                          });

    const auto v = read_deposit_view(*db, kHotel, "DG00000001");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->concept_name, rule->name);
    ASSERT_EQ(v->booking_lines.size(), 2u);
    EXPECT_EQ(v->booking_lines[0].debit, Decimal(1000));
    EXPECT_TRUE(v->void_lines.empty());
    ASSERT_TRUE(v->bank_movement);
    EXPECT_EQ(v->bank_movement->amount, Decimal(1000));
    EXPECT_EQ(v->bank_movement->description, "Garantía");
    EXPECT_FALSE(v->void_bank_movement);
    EXPECT_FALSE(read_deposit_view(*db, kHotel, "DG00000099"));
}

INSTANTIATE_TEST_SUITE_P(Deposits, DepositListingTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
