// The payment set-up of the demonstration business: codes stay unique and unchanged, references
// must exist, the bank fields go with the bank movement, deletions refuse while something names
// the code, and the active month decides whether an outside date is refused or asked about.
#include "domain/ledger/payment_setup.h"

#include <gtest/gtest.h>

#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/active_month.h"
#include "domain/ledger/demo_ledger_fixture.h"
#include "support/record_edit.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;

namespace {
const std::string kHotel = "HOTEL";
}  // namespace

class PaymentSetupTest : public qz::test::DemoLedgerTest {};

TEST_P(PaymentSetupTest, ConceptsAreUniqueKeepTheirCodeAndNameAnExistingReversal) {
    auto& port = inst->port;
    EXPECT_FALSE(save_payment_concept(*db, port, kHotel, "", {"ab", "Otro abono"}));
    EXPECT_EQ(said(), kConceptDuplicate);
    EXPECT_FALSE(save_payment_concept(*db, port, kHotel, "", {"ABC", "Largo"}));
    EXPECT_NE(said().find("2"), std::string::npos) << said();
    EXPECT_FALSE(save_payment_concept(*db, port, kHotel, "", {"NC", " "}));
    EXPECT_EQ(said(), "La Descripción es requerida...");
    PaymentConcept nc{"nc", "Nota de crédito aplicada"};
    nc.reversal = "ZZ";
    EXPECT_FALSE(save_payment_concept(*db, port, kHotel, "", nc));
    EXPECT_EQ(said(), "El Concepto de Reversión ZZ no está definido...");
    nc.reversal = "ra";
    nc.applies_to = 1;
    ASSERT_TRUE(save_payment_concept(*db, port, kHotel, "", nc));
    const auto stored = read_payment_concept(*db, kHotel, "NC");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->reversal, "RA");
    EXPECT_EQ(stored->applies_to, 1);

    // A code is kept by the payments made with it: it never changes.
    PaymentConcept renamed = *stored;
    renamed.code = "NX";
    EXPECT_FALSE(save_payment_concept(*db, port, kHotel, "NC", renamed));
    EXPECT_FALSE(read_payment_concept(*db, kHotel, "NX"));
    renamed.code = "NC";
    renamed.name = "Nota aplicada";
    ASSERT_TRUE(save_payment_concept(*db, port, kHotel, "NC", renamed));
    EXPECT_EQ(read_payment_concept(*db, kHotel, "NC")->name, "Nota aplicada");
}

TEST_P(PaymentSetupTest, ADeletionIsRefusedWhileSomethingNamesTheCode) {
    auto& port = inst->port;
    // "RA" reverses "AB" and "CA"; the document concepts pay with "AB" by default.
    EXPECT_FALSE(delete_payment_concept(*db, port, kHotel, "RA"));
    EXPECT_NE(said().find("en uso"), std::string::npos) << said();
    ASSERT_TRUE(read_payment_concept(*db, kHotel, "RA"));

    ASSERT_TRUE(save_payment_concept(*db, port, kHotel, "", {"XX", "Sin uso"}));
    port.answer = false;
    EXPECT_FALSE(delete_payment_concept(*db, port, kHotel, "XX"));
    EXPECT_TRUE(read_payment_concept(*db, kHotel, "XX"));
    port.answer = true;
    EXPECT_TRUE(delete_payment_concept(*db, port, kHotel, "XX"));
    EXPECT_FALSE(read_payment_concept(*db, kHotel, "XX"));
}

TEST_P(PaymentSetupTest, MethodsRefuseADuplicateAndKeepBankFieldsOnlyWithTheMovement) {
    auto& port = inst->port;
    EXPECT_FALSE(save_payment_method(*db, port, kHotel, "", {"ef", "Efectivo 2"}));
    EXPECT_EQ(said(), kMethodDuplicate);
    PaymentMethod tr{"TR", "Transferencia"};
    tr.bank_movement = true;
    EXPECT_FALSE(save_payment_method(*db, port, kHotel, "", tr));
    EXPECT_NE(said().find("Banco"), std::string::npos);
    tr.bank = "BCR";
    tr.account = "001-123";
    tr.deposit_concept = "DP";
    ASSERT_TRUE(save_payment_method(*db, port, kHotel, "", tr));
    EXPECT_EQ(read_payment_method(*db, kHotel, "TR")->account, "001-123");
    tr.bank_movement = false;
    ASSERT_TRUE(save_payment_method(*db, port, kHotel, "TR", tr));
    const auto off = read_payment_method(*db, kHotel, "TR");
    EXPECT_EQ(off->bank, "");
    EXPECT_EQ(off->account, "");
    EXPECT_EQ(off->deposit_concept, "");
}

TEST_P(PaymentSetupTest, BlocksNumberFromADefinedSeriesUnlessTyped) {
    auto& port = inst->port;
    EXPECT_FALSE(save_receipt_block(*db, port, kHotel, "", {"03", "Sin serial"}));
    EXPECT_EQ(said(), "El Serial de Recibos es requerido...");
    EXPECT_FALSE(save_receipt_block(*db, port, kHotel, "", {"03", "Otro", "NOEXISTE"}));
    EXPECT_EQ(said(), "El Serial NOEXISTE no está definido...");
    ASSERT_TRUE(save_receipt_block(*db, port, kHotel, "", {"03", "Manual", "", "", true, 6}));
    EXPECT_EQ(read_receipt_block(*db, kHotel, "03")->min_length, 6);
    ASSERT_TRUE(save_receipt_block(*db, port, kHotel, "", {"04", "Caja 2", "recibo"}));
    EXPECT_EQ(read_receipt_block(*db, kHotel, "04")->series, "RECIBO");
}

TEST_P(PaymentSetupTest, TheActiveMonthRefusesOrAsksAboutAnOutsideDate) {
    auto& port = inst->port;
    EXPECT_FALSE(save_active_month(*db, port, kHotel, {13, 2026}));
    EXPECT_EQ(said(), "El Mes debe estar entre 1 y 12.");
    ASSERT_TRUE(save_active_month(*db, port, kHotel, {5, 2026, false}));
    EXPECT_TRUE(document_in_active_month(*db, port, kHotel, Date(2026, 5, 31)));
    port.answer = false;
    EXPECT_FALSE(document_in_active_month(*db, port, kHotel, Date(2026, 6, 1)));
    port.answer = true;
    EXPECT_TRUE(document_in_active_month(*db, port, kHotel, Date(2026, 6, 1)));
    ASSERT_TRUE(save_active_month(*db, port, kHotel, {5, 2026, true}));
    EXPECT_FALSE(document_in_active_month(*db, port, kHotel, Date(2025, 5, 2)));
    EXPECT_EQ(said(), "El documento a procesar se encuentra fuera del año activo del módulo");
    const auto m = read_active_month(*db, kHotel);
    EXPECT_EQ(m.month, 5);
    EXPECT_TRUE(m.enforced);
}

INSTANTIATE_TEST_SUITE_P(Ledger, PaymentSetupTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
