// The checks a typed guarantee deposit passes before it is saved, on the demonstration hotel:
// reservations in dollars, accounting in colones, a rounding tolerance of 0.01 and a margin of
// 1.00 over a reservation's total. RES-0008 totals 720.00 and RES-0007 1,155.00.
#include "domain/deposits/deposit_checks.h"

#include <gtest/gtest.h>

#include "domain/cash/register_settings.h"
#include "domain/cash/workstation_register.h"
#include "domain/ledger/demo_ledger_fixture.h"
#include "support/record_edit.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;

namespace {

const std::string kHotel = "HOTEL";
const Date kToday(2026, 5, 20);

// Answers questions from a script and keeps the last one asked.
struct AskingPort : qz::test::ScriptedPort {
    bool confirm(const std::string&, const std::string& text) override {
        question = text;
        return answer;
    }
    std::string question;
};

}  // namespace

class DepositCheckTest : public qz::test::DemoLedgerTest {
protected:
    void SetUp() override {
        DemoLedgerTest::SetUp();
        if (IsSkipped()) return;
        set_field("ENC_HCAJ", "ENC_HCAJ", {kHotel, "REC1"}, "ESTADO", cash::kOpen);
        s.XU_COMP = kHotel;
        s.registers.XH_CAJAS = RegisterState{"Caja Recepción", "", 1, "REC1", "", 2};
        ini = std::make_unique<IniFile>(inst->home() + "/QUARTZEN.INI");
        cash::set_authorised(*ini, kDepositAuthSection, kHotel, "REC1", true);
    }

    void set_field(const char* table, const char* order, std::initializer_list<data::KeyValue> key,
                   const char* field, const data::Value& v) {
        qz::test::edit_record(*db, table, order, data::order_key(table, order, key),
                              [&](data::WDBTable& t) { t.FieldPut(field, v); });
    }

    // The check, with the text of its last message (title included) in `shown`.
    DepositCheck check(const DepositDraft& d) {
        port.messages.clear();
        const DepositCheck c = check_deposit(*db, port, *ini, s, d);
        shown = port.messages.empty() ? "" : port.messages.back();
        return c;
    }

    // A dollar deposit of `amount` with concept `concept`, ready but for its lines.
    static DepositDraft dollars(const char* concept_code, const char* amount) {
        DepositDraft d;
        d.made_by = "1";
        d.concept_code = concept_code;
        d.currency = "US";
        d.reservation_rate = Decimal(1);
        d.accounting_rate = Decimal(500);
        d.amount = Decimal::parse(amount);
        d.date = kToday;
        return d;
    }
    static DepositReservationLine line(const char* res, const char* type, long item,
                                       const char* amount) {
        return {res, type, item, Decimal::parse(amount)};
    }

    Session s;
    std::unique_ptr<IniFile> ini;
    AskingPort port;
    std::string shown;
};

TEST_P(DepositCheckTest, RefusalsComeInOrderAsTheDraftIsFilledIn) {
    DepositDraft d;
    auto refused = [&](const char* text, DepositField focus) {
        const DepositCheck c = check(d);
        EXPECT_FALSE(c.ok) << text;
        EXPECT_EQ(shown, std::string("Error: ") + text);
        EXPECT_EQ(c.focus, focus) << text;
    };
    cash::set_authorised(*ini, kDepositAuthSection, kHotel, "REC1", false);
    s.registers.XH_CAJAS.open = 0;
    refused(kNoOpenRegister, DepositField::None);
    s.registers.XH_CAJAS.open = 1;
    refused(kDepositsNotAuthorised, DepositField::None);
    cash::set_authorised(*ini, kDepositAuthSection, kHotel, "REC1", true);

    refused(kNoMadeBy, DepositField::MadeBy);
    d.made_by = "1";
    refused(kNoDepositConcept, DepositField::Concept);
    d.concept_code = "ZZ";
    refused(kNoDepositConcept, DepositField::Concept);
    d.concept_code = "02";  // counterpart that adds up, on the debit side
    d.currency = "XX";
    refused(kBadDepositCurrency, DepositField::Currency);
    d.currency = "US";
    refused(kZeroReservationRate, DepositField::ReservationRate);
    d.reservation_rate = Decimal(1);
    refused(kZeroAccountingRate, DepositField::AccountingRate);
    d.accounting_rate = Decimal(500);
    refused(kNoDepositAmount, DepositField::Amount);
    d.amount = Decimal(-5);
    refused(kNoDepositAmount, DepositField::Amount);
    d.amount = Decimal(100);
    refused(kBadDepositDate, DepositField::Date);
    d.date = kToday;

    EXPECT_TRUE(d.add_reservation(line("RES-0008", "STD", 1, "150.00")));
    refused("El saldo no puede quedar en negativo\n150.00", DepositField::Reservations);
    d.reservations[0].amount = Decimal(100);
    refused(kCounterpartNotDebit, DepositField::Counterpart);
    // A figure without an account is never booked, so it cannot make the sum agree.
    d.counterpart.push_back({"", Decimal(100), Decimal(0), {}, {}});
    refused(kCounterpartNotDebit, DepositField::Counterpart);
    d.counterpart.push_back({"2-01-10", Decimal(100), Decimal(0), {}, {}});
    const DepositCheck c = check(d);
    EXPECT_TRUE(c.ok) << shown;
    EXPECT_EQ(shown, "");
}

TEST_P(DepositCheckTest, AGuestListedOnceAndLinesWithoutReservationTakeNothing) {
    DepositDraft d = dollars("02", "100");
    d.reservation_rate = Decimal::parse("1.5");
    EXPECT_TRUE(d.add_reservation(line("RES-0008", "STD", 1, "10")));
    EXPECT_FALSE(d.add_reservation(line("RES-0008", "STD", 1, "20")));
    EXPECT_TRUE(d.add_reservation(line("RES-0008", "STD", 2, "20")));
    EXPECT_TRUE(d.add_reservation(line("", "STD", 3, "40")));
    ASSERT_EQ(d.reservations.size(), 3u);
    EXPECT_EQ(d.reservations[0].amount, Decimal(10));
    EXPECT_EQ(d.applied(), Decimal(45));
}

TEST_P(DepositCheckTest, MinimumRatesApplyOnlyToAnotherCurrency) {
    set_field("MONEDAS", "MONEDAS", {kHotel, "CO"}, "CAMBIO_MIN", Decimal(480));
    set_field("MONEDAS", "MONEDAS", {kHotel, "US"}, "CAMBIO_MIN", Decimal(480));
    DepositDraft d = dollars("01", "100");
    d.add_reservation(line("RES-0008", "STD", 1, "100"));
    // In the reservations' currency a rate of 1 needs no minimum...
    d.accounting_rate = Decimal(450);
    EXPECT_FALSE(check(d).ok);
    EXPECT_EQ(shown, std::string("Error: ") + kAccountingRateBelow + "480.00");
    d.accounting_rate = Decimal(480);
    EXPECT_TRUE(check(d).ok) << shown;
    // ...but it may still not be zero.
    d.reservation_rate = Decimal(0);
    EXPECT_EQ(check(d).focus, DepositField::ReservationRate);

    // In colones the accounting rate is 1 and the reservations' rate has the dollar's minimum.
    d.currency = "CO";
    d.amount = Decimal(50000);
    d.accounting_rate = Decimal(1);
    d.reservation_rate = Decimal(450);
    EXPECT_FALSE(check(d).ok);
    EXPECT_EQ(shown, std::string("Error: ") + kReservationRateBelow + "480.00");
    d.reservation_rate = Decimal(500);
    EXPECT_TRUE(check(d).ok) << shown;
}

TEST_P(DepositCheckTest, RoundingToleranceOnBothSidesOfTheApplication) {
    DepositDraft d = dollars("01", "100");  // everything must be applied
    d.add_reservation(line("RES-0008", "STD", 1, "100.009"));
    EXPECT_TRUE(check(d).ok) << shown;
    d.reservations[0].amount = Decimal::parse("100.02");
    EXPECT_FALSE(check(d).ok);
    EXPECT_EQ(shown, "Error: El saldo no puede quedar en negativo\n100.02");
    d.reservations[0].amount = Decimal::parse("99.995");
    EXPECT_TRUE(check(d).ok) << shown;
    d.reservations[0].amount = Decimal::parse("99.98");
    EXPECT_FALSE(check(d).ok);
    EXPECT_EQ(shown, std::string("Error: ") + kAppliedNotEqual + "\n99.98");
    // A concept that need not be applied whole leaves the rest for later.
    d.concept_code = "02";
    d.counterpart.push_back({"2-01-10", Decimal(100), Decimal(0), {}, {}});
    EXPECT_TRUE(check(d).ok) << shown;
}

TEST_P(DepositCheckTest, EveryReservationAppliedAboveItsTotalIsListedTogether) {
    DepositDraft d = dollars("02", "2000");  // never more than a reservation's total
    d.counterpart.push_back({"2-01-10", Decimal(2000), Decimal(0), {}, {}});
    d.add_reservation(line("RES-0008", "STD", 1, "361"));
    d.add_reservation(line("RES-0008", "STD", 2, "360"));
    d.add_reservation(line("RES-0007", "SUP", 2, "1279"));
    EXPECT_FALSE(check(d).ok);
    EXPECT_EQ(shown,
              "Errores de Aplicación de Depósito: "
              "Depósito de Reservación RES-0007 supera el Monto de la Reservación: 1,155.00.  "
              "Aplicado: 1,279.00");
    // The margin of 1.00 lets RES-0008 take 721.00 but not a cent more.
    d.reservations[1].amount = Decimal::parse("360.01");
    d.reservations[2].amount = Decimal::parse("1278.99");
    EXPECT_FALSE(check(d).ok);
    EXPECT_EQ(shown,
              "Errores de Aplicación de Depósito: "
              "Depósito de Reservación RES-0007 supera el Monto de la Reservación: 1,155.00.  "
              "Aplicado: 1,278.99\n"
              "Depósito de Reservación RES-0008 supera el Monto de la Reservación: 720.00.  "
              "Aplicado: 721.01");
    // Compared with TOTAL4 when the hotel says so.
    set_field("F_HOTEL4", "F_HOTEL4", {kHotel}, "M_PREPA", Decimal(1));
    set_field("ENC_RES", "ENC_RES", {kHotel, "RES-0007"}, "TOTAL4", Decimal(1300));
    set_field("ENC_RES", "ENC_RES", {kHotel, "RES-0008"}, "TOTAL4", Decimal(1300));
    EXPECT_TRUE(check(d).ok) << shown;
}

TEST_P(DepositCheckTest, EarlierDepositsAreAWarningThatNoStops) {
    qz::test::add_record(*db, "DET_RES8",
                         {{"NEGOCIO", kHotel},
                          {"COD_RES", "RES-0008"},
                          {"COD_HAB", "STD"},
                          {"ITEM_HAB", Decimal(2)},
                          {"MOVIMIENTO", "DG00000001"},
                          {"MONTO_PAGO", Decimal(50)}});
    DepositDraft d = dollars("01", "100");
    d.add_reservation(line("RES-0007", "SUP", 2, "50"));
    d.add_reservation(line("RES-0008", "STD", 1, "50"));
    port.answer = false;
    const DepositCheck c = check(d);
    EXPECT_FALSE(c.ok);
    EXPECT_EQ(shown, "");
    EXPECT_EQ(port.question,
              "ADVERTENCIA:\n\nLa Reservación RES-0008 ya tiene Depósitos aplicados.\n\n"
              "Desea continuar y aplicar el Movimiento?");
    port.answer = true;
    EXPECT_TRUE(check(d).ok) << shown;
}

TEST_P(DepositCheckTest, CounterpartSignAndBalance) {
    DepositDraft d = dollars("02", "100");
    set_field("CON_HLIB", "CON_HLIB", {kHotel, "02"}, "TIPO", Decimal(0));  // credit side
    d.counterpart.push_back({"2-01-10", Decimal(100), Decimal(0), {}, {}});
    EXPECT_FALSE(check(d).ok);
    EXPECT_EQ(shown, std::string("Error: ") + kCounterpartNotCredit);
    d.counterpart[0] = {"2-01-10", Decimal(0), Decimal(100), {}, {}};
    EXPECT_TRUE(check(d).ok) << shown;

    // Balancing to zero forgives what rounds away at the cent, line by line.
    set_field("CON_HLIB", "CON_HLIB", {kHotel, "02"}, "TIPO_MOV", Decimal(2));
    d.counterpart.push_back({"1-01-03", Decimal::parse("100.004"), Decimal(0), {}, {}});
    EXPECT_TRUE(check(d).ok) << shown;
    d.counterpart[1].debit = Decimal::parse("100.01");
    EXPECT_FALSE(check(d).ok);
    EXPECT_EQ(shown, std::string("Error: ") + kCounterpartUnbalanced);
}

INSTANTIATE_TEST_SUITE_P(Deposits, DepositCheckTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
