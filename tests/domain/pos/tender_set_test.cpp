// The tender rules without a database: opening for a cash concept, the quick-tender buttons,
// the card refusals that come before any terminal call, and the checks of accepting that need
// no hotel.
#include <gtest/gtest.h>

#include "domain/pos/tenders.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::domain;
using namespace qz::domain::pos;

namespace {

Decimal dec(const char* s) { return Decimal::parse(s); }

PaymentMethod method(const char* code, const char* name) {
    PaymentMethod m;
    m.code = code;
    m.name = name;
    return m;
}

std::vector<PaymentMethod> types() {
    PaymentMethod cash = method("EF", "Efectivo");
    cash.reads_change = true;
    PaymentMethod card = method("TC", "Tarjeta");
    card.needs_voucher = true;
    card.voucher_min = 4;
    PaymentMethod room = method("HB", "Cargo a Habitación");
    room.to_hotel = true;
    PaymentMethod terminal = method("TE", "Datáfono");
    terminal.card_provider = 1;
    return {cash, card, method("CH", "Cheque"), room, terminal};
}

TenderInputs inputs(const char* due, const char* paid) {
    TenderInputs in;
    in.business = "HOTEL";
    in.amount_due = dec(due);
    in.paid = dec(paid);
    in.default_type = "EF";
    in.quick = {{{"EF", ""},
                 {"TC", "Tarjeta"},
                 {"CH", "Cheque"},
                 {"HB", "Habitación"},
                 {"TE", "Datáfono"},
                 {"EF", ""},
                 {"", ""}}};
    in.currency = "CO";
    return in;
}

TenderRow row(const char* code, const char* amount) {
    TenderRow r;
    r.code = code;
    r.amount = dec(amount);
    return r;
}

// A terminal that answers as told and counts its calls.
struct FakeTerminal : CardTerminal {
    CardAnswer answer;
    std::vector<CardRequest> calls;
    CardAnswer PAGO_ELECTRONICO(const CardRequest& r) override {
        calls.push_back(r);
        return answer;
    }
};

struct Said : test::ScriptedPort {
    std::string last() const { return messages.empty() ? "" : messages.back(); }
};

}  // namespace

TEST(TenderSet, ACashConceptFixesThePaidAmountAndFillsTheFirstRow) {
    TenderInputs in = inputs("15000.00", "0");
    in.cash_concept = true;
    TenderRow stray;
    stray.amount = dec("99");  // an amount without a code is dropped
    TenderSet s(in, types(), {stray});
    s.open();
    EXPECT_TRUE(s.paid_locked());
    EXPECT_EQ(s.note(), "Documento de Contado!");
    EXPECT_EQ(s.paid(), dec("15000.00"));
    ASSERT_EQ(s.rows().size(), 21u) << "twenty spare rows";
    EXPECT_EQ(s.rows()[0].code, "EF");
    EXPECT_EQ(s.rows()[0].amount, dec("15000.00"));
    s.set_paid(dec("1"));
    EXPECT_EQ(s.paid(), dec("15000.00")) << "locked";

    // Tenders already adding up to the amount due stay as typed.
    TenderSet split(in, types(), {row("EF", "5000"), row("CH", "10000")});
    split.open();
    EXPECT_EQ(split.rows()[0].amount, dec("5000"));
    EXPECT_EQ(split.rows()[1].amount, dec("10000"));
    EXPECT_FALSE(split.accept_at_once());
}

TEST(TenderSet, QuickTendersPickTheirRowAndAmount) {
    Said port;
    FakeTerminal terminal;
    TenderSet s(inputs("10000", "10000"), types(), {});
    s.open();
    EXPECT_EQ(s.quick_caption(2), "F3: Tarjeta");
    EXPECT_EQ(s.quick_caption(6), "") << "no label: button off";
    EXPECT_FALSE(s.DO_FORMA_P(6, 0, terminal, port).applied);
    EXPECT_FALSE(s.DO_FORMA_P(7, 0, terminal, port).applied);

    // Nothing yet: the first free row takes everything; cash goes back to the first cell.
    auto q = s.DO_FORMA_P(1, 5, terminal, port);
    ASSERT_TRUE(q.applied);
    EXPECT_EQ(s.rows()[0].code, "EF");
    EXPECT_EQ(s.rows()[0].amount, dec("10000"));
    EXPECT_EQ(q.focus, (CellFocus{0, kColCode}));

    // The tenders add up: the row under the cursor changes type and keeps the whole amount.
    q = s.DO_FORMA_P(3, 0, terminal, port);
    EXPECT_EQ(s.rows()[0].code, "CH");
    EXPECT_EQ(s.rows()[0].amount, dec("10000"));
    EXPECT_EQ(s.used_rows().size(), 1u);

    // Part of it typed as cheque: the card takes the rest on the next free row, voucher next.
    s.set_amount(0, dec("4000"));
    q = s.DO_FORMA_P(2, 0, terminal, port);
    EXPECT_EQ(s.rows()[1].code, "TC");
    EXPECT_EQ(s.rows()[1].amount, dec("6000"));
    EXPECT_EQ(q.focus, (CellFocus{1, kColVoucher}));

    // A room charge goes to its room; another type over it clears the room.
    s.remove_row(1);
    q = s.DO_FORMA_P(4, 0, terminal, port);
    EXPECT_EQ(q.focus, (CellFocus{1, kColRoom}));
    s.set_room(1, "201");
    s.DO_FORMA_P(3, 1, terminal, port);
    EXPECT_EQ(s.rows()[1].code, "CH");
    EXPECT_EQ(s.rows()[1].room, "");
    EXPECT_TRUE(terminal.calls.empty());
    EXPECT_TRUE(port.messages.empty());
}

TEST(TenderSet, CardTendersAreRefusedBeforeTheTerminalUnlessAloneAndWhole) {
    Said port;
    FakeTerminal terminal;
    TenderSet s(inputs("10000", "10000"), types(), {row("EF", "2000")});
    s.open();
    s.DO_FORMA_P(5, 0, terminal, port);
    EXPECT_EQ(port.last(),
              "Atencion: En caso de usar Pago Tarjeta Crédito, solamente se permite "
              "(1) forma de Pago");
    EXPECT_FALSE(s.rows()[1].used()) << "the card row is cleared";
    EXPECT_EQ(s.rows()[0].code, "EF") << "the other tender stays";

    TenderSet part(inputs("10000", "6000"), types(), {});
    part.open();
    part.DO_FORMA_P(5, 0, terminal, port);
    EXPECT_EQ(port.last(),
              "Atencion: En caso de usar Pago Tarjeta Crédito, solamente se "
              "permite cancelar el monto completo");
    EXPECT_TRUE(part.used_rows().empty());
    EXPECT_TRUE(terminal.calls.empty());

    // Alone and whole: the terminal is asked; a denial clears the row and names the reason.
    TenderSet whole(inputs("10000", "10000"), types(), {});
    whole.open();
    terminal.answer.status = 0;
    terminal.answer.message = "FONDOS INSUFICIENTES";
    EXPECT_FALSE(whole.DO_FORMA_P(5, 0, terminal, port).accept_now);
    EXPECT_EQ(port.last(), "Error: TARJETA DENEGADA: FONDOS INSUFICIENTES");
    ASSERT_EQ(terminal.calls.size(), 1u);
    EXPECT_EQ(terminal.calls[0].provider, 1);
    EXPECT_EQ(terminal.calls[0].amount, dec("10000"));
    EXPECT_EQ(terminal.calls[0].currency, "CO");

    // A reading cancelled at the reader answers -1 without a message.
    terminal.answer = {};
    terminal.answer.status = -1;
    whole.DO_FORMA_P(5, 0, terminal, port);
    EXPECT_EQ(port.last(), "Error: TARJETA DENEGADA: Error notificado del Banco");

    terminal.answer = {1, "************4242", "000123456789", "A1B2C3", "000777", ""};
    const auto q = whole.DO_FORMA_P(5, 0, terminal, port);
    EXPECT_TRUE(q.accept_now);
    const TenderRow& r = whole.rows()[0];
    EXPECT_EQ(r.card, "************4242");
    EXPECT_EQ(r.reference, "000123456789");
    EXPECT_EQ(r.card_authorisation, "A1B2C3");
    EXPECT_EQ(r.trace, "000777");
    EXPECT_EQ(r.terminal, 1);
}

TEST(TenderSet, AWorkstationWithoutTerminalTellsTheLibraryIsMissingAndDenies) {
    Said port;
    UnconfiguredCardTerminal terminal(port);
    TenderSet s(inputs("500", "500"), types(), {});
    s.open();
    EXPECT_FALSE(s.DO_FORMA_P(5, 0, terminal, port).accept_now);
    ASSERT_EQ(port.messages.size(), 2u);
    EXPECT_EQ(port.messages[0], "Error: Library not found!!!!!");
    EXPECT_EQ(port.messages[1], "Error: TARJETA DENEGADA: Error notificado del Banco");
    EXPECT_TRUE(s.used_rows().empty());
    EXPECT_EQ(missing_library_message(2), "Library SOCKPOS.DLL not loaded...");
}

TEST(TenderSet, AcceptingChecksAuthorisationCashOnlyAndTheSumInWholeCents) {
    auto install = std::make_unique<test::TestInstall>(test::Engine::SQLite);
    auto db = install->open();
    Said port;
    // One tender: its amount becomes the amount paid.
    TenderSet one(inputs("1000", "1000"), types(), {row("EF", "1")});
    one.open();
    ASSERT_TRUE(one.Terminar(*db, port).accepted);
    EXPECT_EQ(one.rows()[0].amount, dec("1000"));

    TenderSet card(inputs("1000", "1000"), types(), {row("TC", "1000")});
    card.open();
    card.set_text(0, kColAuth, "123");
    EXPECT_FALSE(card.Terminar(*db, port).accepted);
    EXPECT_EQ(port.last(),
              "Atencion: Falta completar el #Autorización. Longitud mínima:  4 caracteres");
    card.set_text(0, kColAuth, "1234");
    EXPECT_TRUE(card.Terminar(*db, port).accepted);

    TenderInputs cash_only = inputs("1000", "600");
    cash_only.cash_only_customer = true;
    TenderSet c(cash_only, types(), {row("EF", "600")});
    c.open();
    EXPECT_FALSE(c.Terminar(*db, port).accepted);
    EXPECT_EQ(port.last(),
              "Atencion: Este Cliente es sólo de Contado.  Debe cancelar el documento");

    // A cent apart is refused; amounts far beyond the screen's picture are still told apart.
    TenderSet cent(inputs("1000", "1000"), types(), {row("EF", "600"), row("CH", "399.99")});
    cent.open();
    EXPECT_FALSE(cent.Terminar(*db, port).accepted);
    EXPECT_EQ(port.last(),
              "Atencion: El Detalle de Forma de Pago no suma el Monto Abonado.\r\r"
              "Revise que los montos concuerden, y que cada monto tenga\r"
              "un Concepto de Forma de Pago asociado.");
    TenderSet huge(inputs("5000000000", "5000000000"), types(),
                   {row("EF", "4000000000"), row("CH", "999999999.99")});
    huge.open();
    EXPECT_FALSE(huge.Terminar(*db, port).accepted);
    TenderSet exact(inputs("1000", "1000"), types(), {row("EF", "600.004"), row("CH", "400")});
    exact.open();
    EXPECT_TRUE(exact.Terminar(*db, port).accepted) << "equal in whole cents";
}

TEST(TenderSet, TheChangeDialogOpensForTheCashTendersOfASave) {
    auto install = std::make_unique<test::TestInstall>(test::Engine::SQLite);
    auto db = install->open();
    Said port;
    TenderInputs in = inputs("1000", "1000");
    in.register_reads_change = true;
    in.from_save = true;
    TenderSet s(in, types(), {row("EF", "700"), row("CH", "300")});
    s.open();
    const auto out = s.Terminar(*db, port);
    ASSERT_TRUE(out.accepted);
    ASSERT_TRUE(out.change_for);
    EXPECT_EQ(*out.change_for, dec("700"));

    in.from_save = false;
    TenderSet not_saving(in, types(), {row("EF", "1000")});
    not_saving.open();
    EXPECT_FALSE(not_saving.Terminar(*db, port).change_for);
    in.from_save = true;
    in.register_reads_change = false;
    TenderSet register_off(in, types(), {row("EF", "1000")});
    register_off.open();
    EXPECT_FALSE(register_off.Terminar(*db, port).change_for);
}
