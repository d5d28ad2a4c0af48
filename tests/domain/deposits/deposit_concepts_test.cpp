// The deposit concepts of the demonstration business: every bad field is refused with its own
// message and writes nothing, a bank-book concept needs an account and a book concept that
// exist, fields that do not belong to the kind are not kept, a code is unique and never changes,
// and a concept a deposit was made with cannot be deleted.
#include "domain/deposits/deposit_concepts.h"

#include <gtest/gtest.h>

#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/demo_ledger_fixture.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;

namespace {

const std::string kHotel = "HOTEL";

// A bank-book concept the demonstration's set-up accepts.
DepositConcept bank_concept() {
    DepositConcept c;
    c.code = "b1";
    c.name = "Depósito en BCR";
    c.series = "dep_garantia";
    c.bank = "BCR";
    c.account = "001-0123456-7";
    c.book_concept = "dg";
    return c;
}

}  // namespace

class DepositConceptTest : public qz::test::DemoLedgerTest {
protected:
    // Saves `c` as a new concept; the refusal said, or "" when it was saved.
    std::string refusal(const DepositConcept& c) {
        if (save_deposit_concept(*db, inst->port, kHotel, "", c)) return "";
        return said();
    }
};

TEST_P(DepositConceptTest, EachBadFieldIsRefusedAndNothingIsWritten) {
    const auto with = [](auto change) {
        DepositConcept c = bank_concept();
        change(c);
        return c;
    };
    EXPECT_EQ(refusal(with([](auto& c) { c.code = " "; })), "El Código es requerido...");
    EXPECT_NE(refusal(with([](auto& c) { c.code = "ABC"; })).find("2"), std::string::npos);
    EXPECT_EQ(refusal(with([](auto& c) { c.name = ""; })), "La Descripción es requerida...");
    EXPECT_EQ(refusal(with([](auto& c) { c.series = ""; })), kNoDepositSeries);
    EXPECT_EQ(refusal(with([](auto& c) { c.series = "NO_EXISTE"; })),
              "El Serial NO_EXISTE no está definido...");
    EXPECT_EQ(refusal(with([](auto& c) { c.kind = 3; })), kBadDepositKind);
    EXPECT_EQ(refusal(with([](auto& c) { c.kind = -1; })), kBadDepositKind);
    EXPECT_EQ(refusal(with([](auto& c) { c.kind = 1, c.side = 2; })), kBadDepositSide);
    EXPECT_EQ(refusal(with([](auto& c) { c.account = ""; })), kNoDepositBankAccount);
    EXPECT_EQ(refusal(with([](auto& c) { c.account = "999"; })),
              "La Cuenta Bancaria BCR / 999 no está definida...");
    EXPECT_EQ(refusal(with([](auto& c) { c.bank = "BNCR"; })),
              "La Cuenta Bancaria BNCR / 001-0123456-7 no está definida...");
    EXPECT_EQ(refusal(with([](auto& c) { c.book_concept = " "; })), kNoDepositBookConcept);
    EXPECT_EQ(refusal(with([](auto& c) { c.book_concept = "zz"; })),
              "El Concepto de Bancos ZZ no está definido...");
    EXPECT_EQ(refusal(with([](auto& c) { c.changes_type = true; })), kNoReservationType);
    EXPECT_NE(refusal(with([](auto& c) { c.changes_type = true, c.new_type = "GAR"; })).find("2"),
              std::string::npos);
    EXPECT_EQ(refusal(with([](auto& c) { c.card_provider = 3; })), kBadCardProvider);
    EXPECT_FALSE(read_deposit_concept(*db, kHotel, "B1"));
}

TEST_P(DepositConceptTest, ASavedConceptKeepsOnlyTheFieldsOfItsKind) {
    ASSERT_EQ(refusal(bank_concept()), "");
    const auto bank = read_deposit_concept(*db, kHotel, "b1");
    ASSERT_TRUE(bank);
    EXPECT_EQ(bank->series, "DEP_GARANTIA");
    EXPECT_EQ(bank->book_concept, "DG");
    EXPECT_EQ(bank->account, "001-0123456-7");

    // A counterpart needs no bank account: whatever was typed there is not kept, nor the sign
    // of a counterpart that balances to zero, nor a reservation type that is not changed.
    DepositConcept c = bank_concept();
    c.code = "C1";
    c.kind = kCounterpartBalances;
    c.side = 1;
    c.account = "no importa";
    c.new_type = "GA";
    c.card_provider = 2;
    ASSERT_EQ(refusal(c), "");
    const auto counterpart = read_deposit_concept(*db, kHotel, "C1");
    ASSERT_TRUE(counterpart);
    EXPECT_EQ(counterpart->bank, "");
    EXPECT_EQ(counterpart->account, "");
    EXPECT_EQ(counterpart->book_concept, "");
    EXPECT_EQ(counterpart->side, 0);
    EXPECT_EQ(counterpart->new_type, "");
    EXPECT_EQ(counterpart->card_provider, 2);
}

TEST_P(DepositConceptTest, CodesAreUniqueNeverChangeAndADepositKeepsItsConcept) {
    auto& port = inst->port;
    DepositConcept c = bank_concept();
    c.code = "01";  // the demonstration's own
    EXPECT_EQ(refusal(c), kDepositConceptDuplicate);
    EXPECT_EQ(read_deposit_concept(*db, kHotel, "01")->name, "Depósito Bancario en Colones");

    DepositConcept renamed = *read_deposit_concept(*db, kHotel, "02");
    renamed.code = "09";
    EXPECT_FALSE(save_deposit_concept(*db, port, kHotel, "02", renamed));
    EXPECT_FALSE(read_deposit_concept(*db, kHotel, "09"));
    renamed.code = "02";
    renamed.name = "Transferencia del exterior";
    ASSERT_TRUE(save_deposit_concept(*db, port, kHotel, "02", renamed));
    EXPECT_EQ(read_deposit_concept(*db, kHotel, "02")->name, "Transferencia del exterior");

    data::Table dep = data::USE(*db, "ENC_HLIB", "ENC_HLIB");
    data::ADD_NEW_REC(*dep);
    dep->FieldPut("NEGOCIO", kHotel);
    dep->FieldPut("MOVIMIENTO", "DG00000001");
    dep->FieldPut("CONCEPTO", "02");
    data::UNLOCK_NEW_REC(*dep);
    data::KILLTABLA(*db, dep);
    EXPECT_FALSE(delete_deposit_concept(*db, port, kHotel, "02"));
    EXPECT_NE(said().find("el Depósito DG00000001"), std::string::npos) << said();
    ASSERT_TRUE(read_deposit_concept(*db, kHotel, "02"));

    port.answer = false;
    EXPECT_FALSE(delete_deposit_concept(*db, port, kHotel, "03"));
    EXPECT_TRUE(read_deposit_concept(*db, kHotel, "03"));
    port.answer = true;
    EXPECT_TRUE(delete_deposit_concept(*db, port, kHotel, "03"));
    EXPECT_FALSE(read_deposit_concept(*db, kHotel, "03"));
}

INSTANTIATE_TEST_SUITE_P(Deposits, DepositConceptTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
